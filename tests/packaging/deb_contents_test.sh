#!/usr/bin/env bash
# The .deb: exactly the expected files, installed under /usr, and no lintian errors (when
# lintian is there); the desktop entry and AppStream metadata validate.
#   deb_contents_test.sh BUILD
set -euo pipefail
build=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null)
deb=$(ls "$work"/sorvani_*.deb)

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$work/files"
cat >"$work/expected" <<'LIST'
usr/bin/sorvani
usr/bin/svpack
usr/lib/sorvani/resources/107.png
usr/lib/sorvani/resources/130.png
usr/lib/sorvani/sorvani
usr/lib/sorvani/sorvani.installed
usr/lib/sorvani/svdata01.dat
usr/lib/sorvani/svdata02.dat
usr/lib/sorvani/svdata03.mx
usr/lib/sorvani/svdata04.mx
usr/share/applications/org.sorvani.Sorvani.desktop
usr/share/doc/sorvani/changelog.gz
usr/share/doc/sorvani/copyright
usr/share/icons/hicolor/256x256/apps/sorvani.png
usr/share/icons/hicolor/64x64/apps/sorvani.png
usr/share/man/man6/sorvani.6.gz
usr/share/metainfo/org.sorvani.Sorvani.metainfo.xml
LIST
diff -u "$work/expected" "$work/files"

dpkg-deb -f "$deb" Depends | grep -q libsdl2-2.0-0 || { echo "no SDL in Depends" >&2; exit 1; }

if command -v lintian >/dev/null; then
  errors=$(lintian "$deb" 2>&1 | grep '^E:' || true)
  [[ -z "$errors" ]] || { echo "$errors" >&2; exit 1; }
else
  echo "lintian is not installed: its check is skipped"
fi

dpkg-deb -x "$deb" "$work/root"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$work/root/usr/share/applications/org.sorvani.Sorvani.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.sorvani.Sorvani.metainfo.xml" >/dev/null
fi
echo "package ok: $(basename "$deb")"
