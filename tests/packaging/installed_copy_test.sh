#!/usr/bin/env bash
# An installed copy starts from its starter script and writes its run log to the user's state
# folder, not beside itself.
#   installed_copy_test.sh BUILD
set -euo pipefail
build=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "$1" >&2
  echo "--- stderr" >&2; cat "$work/stderr" >&2 || true
  echo "--- run log" >&2; iconv -f CP932 -t UTF-8 "$log" >&2 || true
  exit 1
}
cmake --install "$build" --prefix "$work/prefix" >/dev/null
mkdir -p "$work/config/sorvani"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"noOpeningDialog"=dword:00000001\r\n"enable_debug_write"=dword:00000001\r\n' \
  >"$work/config/sorvani/sorvani.reg"
log="$work/state/sorvani/sorvani.log"
: >"$work/stderr"

# In sanitizer builds the GL drivers' own leftovers are not the program's leaks.
ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work" \
  SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
  "$work/prefix/bin/sorvani" 2>"$work/stderr" &
game=$!
# Close it once the first scene runs, however long a busy machine takes to get there.
for _ in $(seq 600); do
  [[ -f "$log" ]] && iconv -f CP932 -t UTF-8 "$log" 2>/dev/null | grep -F "[oplogo]" >/dev/null && break
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
kill -TERM "$game" 2>/dev/null || true
set +e
wait "$game"
status=$?
set -e
[[ $status -eq 0 ]] || fail "exit $status"
[[ -f "$log" ]] || fail "no run log in the state folder"
[[ ! -e "$work/prefix/lib/sorvani/sorvani.log" ]] || fail "the installed copy wrote beside itself"
iconv -f CP932 -t UTF-8 "$log" >"$work/log.txt" || fail "the run log is not CP932"
grep -F "ログとスクリーンショットの保存先：$work/state/sorvani/" "$work/log.txt" >/dev/null ||
  fail "the log does not name the state folder"
grep -F "[oplogo]" "$work/log.txt" >/dev/null || fail "the opening scene never started"
echo "installed copy ok"
