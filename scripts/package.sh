#!/usr/bin/env bash
# Builds the Debian package build/morvane_VERSION_amd64.deb with CPack: the programs, their data, the launcher, file
# types, icons, manual pages and completion, its dependencies computed from the programs by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
cd build
rm -f morvane_*.deb
cpack -G DEB --config CPackConfig.cmake >cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls morvane_*_*.deb)
echo "build/$deb"
dpkg-deb --field "$deb" Package Version Architecture Installed-Size Depends Recommends
