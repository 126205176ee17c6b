#!/usr/bin/env bash
# Installs build/morvane_*.deb into this machine (as root, with apt-get, which brings the dependencies it names) and
# checks the installed program as a user would meet it, then removes it again (--keep leaves it installed):
# its control file names the packages of every library the programs link; morvane --version, morvane-info on the
# installed demo, a snapshot from the installed program in a folder of its own; the launcher and AppStream files
# pass their validators; a GRDECL file is of the GRDECL type, by extension and by content, and opens in Morvane;
# the manual page is found by man.
set -euo pipefail
cd "$(dirname "$0")/.."
keep=false
[ "${1:-}" = "--keep" ] && keep=true
deb=$(realpath build/morvane_*_amd64.deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
cleanup() {
  cd /  # the package's removal scripts must not start in the folder removed here
  rm -rf "$work"
  if ! $keep; then DEBIAN_FRONTEND=noninteractive apt-get remove -y morvane >/dev/null; fi
}

# Every shared library the programs need comes from a package the control file depends on.
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
# The package names alone, one a line (versions and alternatives' bars dropped).
depended=$(sed 's/([^)]*)//g; s/|/,/g' <<<"$depends" | tr ',' '\n' | tr -d ' ')
dpkg-deb --extract "$deb" "$work/unpacked"
for program in morvane morvane-info morvane-gen; do
  for library in $(objdump -p "$work/unpacked/usr/bin/$program" | awk '$1 == "NEEDED" { print $2 }'); do
    # No reader in these pipes stops early: under pipefail the writer's SIGPIPE would end the script.
    path=$(ldconfig -p | awk -v lib="$library" '$1 == lib && /x86-64/ && !found { print $NF; found = 1 }')
    owner=$( (dpkg -S "$(realpath "$path")" 2>/dev/null || true) | sed -n '1s/:.*//p')
    [ -n "$owner" ] || owner=$( (dpkg -S "$path" 2>/dev/null || true) | sed -n '1s/:.*//p')
    [ -n "$owner" ] || fail "$program needs $library, which no installed package owns"
    grep -qxF "$owner" <<<"$depended" || fail "$program needs $library from $owner, which Depends lacks"
  done
done
grep -qxF qt6-translations-l10n <<<"$depended" || fail "Depends lacks Qt's translations"

DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }
trap cleanup EXIT

cd "$work"
# Outputs are kept in files before they are searched: under pipefail a `grep -q` that stops at its first
# match would kill the writer with SIGPIPE and fail the script on a good result.
morvane --version >version.txt || fail "morvane --version exits with an error"
grep -qE "^morvane [0-9]" version.txt || fail "morvane --version"
morvane-info /usr/share/morvane/demo/DEMO.GRDECL >info.json || fail "morvane-info exits with an error"
grep -q '"gridLoaded": true' info.json || fail "morvane-info on the installed demo"
morvane --demo --snapshot "$work/demo.png" --size 640x480 2>"$work/snapshot.log" || fail "morvane --demo --snapshot"
file "$work/demo.png" | grep "PNG image data, 640 x 480," >/dev/null || fail "the snapshot is not a 640 x 480 picture"
grep -q "Grid is loaded successfully" "$work/snapshot.log" || fail "the installed demo grid did not load"

desktop-file-validate /usr/share/applications/org.morvane.Morvane.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/org.morvane.Morvane.metainfo.xml || fail "appstreamcli validate"
man -w morvane >/dev/null || fail "man does not find morvane(1)"
MANWIDTH=100 man morvane >man.txt 2>/dev/null || fail "man morvane"
grep -q -- "--snapshot" man.txt || fail "man morvane does not show the options"

# File types: by extension, and by content for a grid whose name does not say it; opened by Morvane.
cp /usr/share/morvane/demo/DEMO.GRDECL field.GRDECL
cp /usr/share/morvane/demo/DEMO.GRDECL field_grid
cp /usr/share/morvane/demo/well-1.dev W-1.dev
[ "$(xdg-mime query filetype field.GRDECL)" = application/x-grdecl ] || fail "a .GRDECL file is not a GRDECL grid"
[ "$(xdg-mime query filetype field_grid)" = application/x-grdecl ] || fail "a grid is not told by its content"
[ "$(xdg-mime query filetype W-1.dev)" = application/x-well-deviation ] || fail "a .dev file is not a deviation file"
[ "$(xdg-mime query default application/x-grdecl)" = org.morvane.Morvane.desktop ] ||
  fail "GRDECL files do not open in Morvane"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "installed package: all checks passed"
