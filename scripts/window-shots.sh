#!/usr/bin/env bash
# Screenshots of the game in windows of 640x480, 1280x960 and 1920x1080 on a private Xvfb
# server, written to docs/screenshots/window-WxH.png: the frame keeps its shape at every size.
#   scripts/window-shots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
missing=()
command -v xwd >/dev/null || missing+=(x11-apps)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v Xvfb >/dev/null || missing+=(xvfb)
[[ -x /usr/bin/convert ]] || missing+=(imagemagick)
if ((${#missing[@]})); then
  sudo=(); [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  "${sudo[@]}" apt-get install -y "${missing[@]}"
fi
./scripts/build.sh

work=$(mktemp -d)
server=
cleanup() {
  [[ -n $server ]] && kill "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config/sorvani" docs/screenshots
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"noOpeningDialog"=dword:00000001\r\n"bWindowed"=dword:00000001\r\n' \
  >"$work/config/sorvani/sorvani.reg"
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1920x1080x24 -nolisten tcp 2>/dev/null &
server=$!
read -r -t 10 -u "$displayfd" number
export DISPLAY=":$number"

XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=dummy build/sorvani 2>/dev/null &
game=$!
window=$(xdotool search --sync --onlyvisible --name '^Sorvani$' | head -1)
# The game runs only while it has the focus. Both logos play out (618 frames), then the title
# menu slides in.
xdotool windowfocus --sync "$window"
sleep 13
for size in 640x480 1280x960 1920x1080; do
  xdotool windowmove "$window" 0 0 windowsize --sync "$window" "${size%x*}" "${size#*x}"
  sleep 1
  xwd -silent -id "$window" | convert xwd:- "docs/screenshots/window-$size.png"
  echo "docs/screenshots/window-$size.png"
done
kill -TERM "$game"
wait "$game" || true
