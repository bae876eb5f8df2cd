#!/usr/bin/env bash
# Screenshots of the two-player weapon selection and of the game-over ranking, taken by the game
# itself (F4, with the run log on) on a private Xvfb server and written as
# docs/screenshots/weapon-selection-2p.png and docs/screenshots/game-over.png.
#   scripts/screen-shots.sh
# The game-over shot waits for a whole run of the clock: about a minute and a half.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh

work=$(mktemp -d)
server=
game=
cleanup() {
  [[ -n $game ]] && kill "$game" 2>/dev/null
  [[ -n $server ]] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A copy of its own, so the run log and the SS folder land in the scratch folder.
mkdir -p "$work/game" "$work/config/sorvani" docs/screenshots
cp build/sorvani build/svdata01.dat build/svdata02.dat build/svdata03.mx build/svdata04.mx "$work/game/"
# The first weapon's trial table holds three runs a short idle one cannot beat, so the ranking
# shows three steady rows (a run that ranks blinks its row).
scoredata=$(python3 -c '
import struct
block = struct.pack("<9i", 12, 0, 52000, 8, 0, 31000, 5, 0, 18500) + bytes(324 - 36)
print(",".join("%02x" % b for b in block))')
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"noOpeningDialog"=dword:00000001\r\n"bWindowed"=dword:00000001\r\n"enable_debug_write"=dword:00000001\r\n"scoredata"=hex:%s\r\n' \
  "$scoredata" >"$work/config/sorvani/sorvani.reg"
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 800x600x24 -nolisten tcp 2>/dev/null &
server=$!
read -r -t 10 -u "$displayfd" number
export DISPLAY=":$number"

log="$work/game/sorvani.log"
(cd "$work/game" && XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=dummy ./sorvani 2>/dev/null) &
game=$!
window=$(xdotool search --sync --onlyvisible --name '^Sorvani$' | head -1)
xdotool windowfocus --sync "$window"

# Scene tags are plain ASCII in the Shift-JIS log.
tags() { grep -a -c '^\[[0-9:.]*\] \[' "$log" 2>/dev/null || true; }
wait_tags() {
  for _ in $(seq 200); do
    (($(tags) >= $1)) && return 0
    sleep 0.05
  done
  echo "screen-shots: the game did not reach scene $1" >&2
  exit 1
}
tap() {
  xdotool keydown "$1"
  sleep 0.15
  xdotool keyup "$1"
  sleep 0.15
}
# The newest of the frames F4 saves while it is on.
shoot() {
  tap F4
  tap F4
  ls "$work/game/SS"/SVSS_*.bmp | tail -1
}

xdotool keydown space # the logos skip on a held shot
wait_tags 2
xdotool keyup space
sleep 1
tap Down # 2P START
tap space
wait_tags 3
sleep 1
tap space # player 1 takes the first card
tap Right # player 2 looks at the second
sleep 0.5
selection=$(shoot)

tap Escape # back to player 1
tap Escape # and out to the title
wait_tags 4
sleep 1
tap space
wait_tags 5
sleep 1
tap space # the first weapon
wait_tags 6
# Fire for a while so the run scores, then wait for the clock; a shot a second, the last kept
# ones from before the game over's five seconds end and the title comes back.
xdotool keydown space
sleep 8
xdotool keyup space
shots=()
while (($(tags) < 7)); do
  shots+=("$(shoot)")
  sleep 0.7
  if ((${#shots[@]} > 200)); then
    echo "screen-shots: no game over" >&2
    exit 1
  fi
done
gameover=${shots[${#shots[@]} - 3]}

kill -TERM "$game"
wait "$game" || true
game=
python3 scripts/bmp_to_png.py "$selection" docs/screenshots/weapon-selection-2p.png
python3 scripts/bmp_to_png.py "$gameover" docs/screenshots/game-over.png
echo docs/screenshots/weapon-selection-2p.png
echo docs/screenshots/game-over.png
