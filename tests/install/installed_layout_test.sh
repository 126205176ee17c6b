#!/usr/bin/env bash
# The installed program: installs the build into a temporary prefix, moves the prefix elsewhere (a package unpacked
# anywhere), and runs the installed programs from an unrelated folder with a clean environment, so nothing of the
# build or source tree is in reach. Checks the layout, --help and --version, morvane-info and a snapshot of the
# installed demo, the desktop, AppStream and MIME files, the manual pages and the bash completion.
# Usage: installed_layout_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$work/installed" >/dev/null
mv "$work/installed" "$work/moved"
prefix=$work/moved
mkdir "$work/elsewhere" "$work/home"
# Only the system's own folders on the path; the settings go to a folder of the test's own.
run() {
  (cd "$work/elsewhere" && env -i HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" PATH=/usr/bin:/bin "$@")
}

id=org.morvane.Morvane
for file in bin/morvane bin/morvane-info bin/morvane-gen \
  share/morvane/vertex_core.glsl share/morvane/fragment_core.glsl share/morvane/text_vertex.glsl \
  share/morvane/text_fragment.glsl share/morvane/fonts/SourceSerifPro.ttf \
  share/morvane/fonts/SourceSerifPro-LICENSE.md \
  share/morvane/demo/DEMO.GRDECL share/morvane/demo/DEMO_props.GRDECL share/morvane/demo/well-1.dev \
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml \
  share/icons/hicolor/scalable/apps/$id.svg share/man/man1/morvane.1.gz share/man/man1/morvane-info.1.gz \
  share/man/man1/morvane-gen.1.gz share/bash-completion/completions/morvane \
  share/bash-completion/completions/morvane-info share/bash-completion/completions/morvane-gen; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for size in 16 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  file "$png" | grep "PNG image data, $size x $size," >/dev/null || fail "no ${size}x${size} PNG icon"
done

# Nothing refers to where the program was built.
if grep -rlF -e "$build" -e "$source" "$prefix" >"$work/baked"; then
  fail "a path of the build machine is baked into: $(tr '\n' ' ' <"$work/baked")"
fi

for program in morvane morvane-info morvane-gen; do
  out=$(run "$prefix/bin/$program" --help) || fail "$program --help exits with $?"
  grep -q "^Usage: $program " <<<"$out" || fail "$program --help does not start with its usage"
  out=$(run "$prefix/bin/$program" --version) || fail "$program --version exits with $?"
  grep -qE "^$program [0-9]+\.[0-9]+" <<<"$out" || fail "$program --version prints \"$out\""
  # Whole outputs are searched: under pipefail a grep -q that stops early could kill its writer with SIGPIPE.
  manual=$(zcat "$prefix/share/man/man1/$program.1.gz")
  grep -qF -- '\-\-version' <<<"$manual" ||
    fail "the manual of $program lacks --version"
done
manual=$(zcat "$prefix/share/man/man1/morvane.1.gz")
grep -qF -- '\-\-snapshot' <<<"$manual" || fail "the manual of morvane lacks --snapshot"

# The installed demo, read by morvane-info and drawn by the installed viewer with the installed shaders and font.
out=$(run "$prefix/bin/morvane-info" "$prefix/share/morvane/demo/DEMO.GRDECL") || fail "morvane-info exits with $?"
grep -q '"gridLoaded": true' <<<"$out" || fail "morvane-info does not load the installed demo grid"
if log=$(run "$prefix/bin/morvane" --demo --snapshot "$work/demo.png" --size 320x240 2>&1); then
  grep -q "Grid is loaded successfully" <<<"$log" || fail "the demo grid was not loaded: $log"
  [ "$(grep -c "Well is loaded successfully" <<<"$log")" -eq 4 ] || fail "the four demo wells were not loaded: $log"
  file "$work/demo.png" | grep -q "PNG image data, 320 x 240," || fail "the snapshot is not a 320 x 240 picture"
else
  fail "morvane --demo --snapshot failed: $log"
fi
# Without its data folder the installed program says so and writes nothing: neither finds it the demo, nor, for a
# grid of its own, the shaders.
cp -r "$prefix/share/morvane/demo" "$work/elsewhere/"
mv "$prefix/share/morvane" "$prefix/share/morvane.away"
if run "$prefix/bin/morvane" --demo --snapshot "$work/none.png" >"$work/log" 2>&1; then
  fail "morvane --demo succeeded without its data folder"
fi
if run "$prefix/bin/morvane" demo/DEMO.GRDECL --snapshot "$work/none.png" >"$work/log" 2>&1; then
  fail "a snapshot succeeded without the shaders"
fi
grep -q "vertex_core.glsl not found" "$work/log" || fail "the missing shader is not named: $(cat "$work/log")"
[ ! -e "$work/none.png" ] || fail "a snapshot was written without the shaders"
mv "$prefix/share/morvane.away" "$prefix/share/morvane"

# The desktop files pass their validators; the MIME types build into a database that knows the extensions and the
# words that tell a grid or a deviation file by its content.
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate refuses the launcher"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/appstream" 2>&1 ||
  fail "appstreamcli validate refuses the metainfo: $(cat "$work/appstream")"
XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" 2>"$work/mime" ||
  fail "update-mime-database: $(cat "$work/mime")"
[ ! -s "$work/mime" ] || fail "update-mime-database complains: $(cat "$work/mime")"
for glob in "application/x-grdecl:\*.grdecl" "application/x-well-deviation:\*.dev" \
  "application/x-morvane-project:\*.morvane"; do
  grep -q "$glob" "$prefix/share/mime/globs2" || fail "the MIME database misses $glob"
done
for type in application/x-grdecl application/x-well-deviation; do
  grep -aq "$type" "$prefix/share/mime/magic" || fail "the MIME database cannot tell $type by content"
done

# Completion of options and file kinds, when bash-completion is there to load it.
if [ -f /usr/share/bash-completion/bash_completion ]; then
  mkdir -p "$work/completion/models"
  completions=$(cd "$work/completion" && touch field.GRDECL well.dev notes.txt && bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    complete_line() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
      COMPREPLY=(); "$(complete -p "$1" | sed "s/.*-F \([^ ]*\) .*/\1/")"
      printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "; echo; }
    complete_line morvane --snap
    complete_line morvane ""
    complete_line morvane field.GRDECL ""
    complete_line morvane-gen m' _ "$prefix/share/bash-completion/completions/morvane")
  # Folders are offered too, to reach the files in them.
  expected=$'--snapshot \nfield.GRDECL models \nfield.GRDECL models well.dev \nmodel '
  [ "$completions" = "$expected" ] || fail "completions of morvane and morvane-gen: \"$completions\""
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "installed layout: all checks passed"
