#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need; does nothing when they are all present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  libsdl2-dev libsdl2-image-dev
  libvorbis-dev libogg-dev libboost-dev
  libgtk-3-dev libcairo2-dev libpango1.0-dev fonts-ipafont-gothic
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool libx11-dev
  desktop-file-utils appstream lintian
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install packages" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
