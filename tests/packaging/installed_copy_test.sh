#!/usr/bin/env bash
# An installed copy starts from its starter script and writes its run log to the user's state
# folder, not beside itself.
#   installed_copy_test.sh BUILD
set -euo pipefail
build=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
mkdir -p "$work/config/sorvani"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"noOpeningDialog"=dword:00000001\r\n"enable_debug_write"=dword:00000001\r\n' \
  >"$work/config/sorvani/sorvani.reg"
set +e
# In sanitizer builds the GL drivers' own leftovers are not the program's leaks.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work" \
  SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
  timeout --preserve-status -s INT 3 "$work/prefix/bin/sorvani" 2>"$work/stderr"
status=$?
set -e
[[ $status -eq 0 ]] || { echo "exit $status:" >&2; cat "$work/stderr" >&2; exit 1; }
log="$work/state/sorvani/sorvani.log"
[[ -f "$log" ]] || { echo "no run log in the state folder" >&2; exit 1; }
[[ ! -e "$work/prefix/lib/sorvani/sorvani.log" ]] || { echo "the installed copy wrote beside itself" >&2; exit 1; }
iconv -f CP932 -t UTF-8 "$log" | grep -qF "ログとスクリーンショットの保存先：$work/state/sorvani/"
iconv -f CP932 -t UTF-8 "$log" | grep -qF "[oplogo]"
echo "installed copy ok"
