#!/usr/bin/env bash
# Installs every Debian package the viewer, its tests, benchmarks and its Debian package need. Quick when all are
# already there.
# With --fuzz it also installs clang and its sanitizer runtime for the fuzz targets (see README, Fuzzing).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git clang-format
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-qpa-plugins
  libglew-dev libglm-dev libfreetype-dev libboost-dev
  libegl-dev libegl-mesa0 libgl1-mesa-dri libglx-mesa0
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core
  qt6-translations-l10n
  help2man librsvg2-bin desktop-file-utils appstream shared-mime-info bash-completion file
  xdg-utils libfile-mimeinfo-perl
)

if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep "install ok installed" >/dev/null || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
