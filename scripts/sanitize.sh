#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/ and runs
# the unit and offscreen render tests there (the windowed tests need a display and a Qt built without leaks of its
# own; they stay in scripts/test.sh). Any memory fault, leak or undefined behaviour fails the run. Extra arguments go
# to ctest (e.g. -R GridReader).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_BUILD_BENCH=OFF "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-sanitize --parallel "$(nproc)"
# Mesa's software GL keeps a few allocations until the process ends; they are the driver's, not ours.
cat > build-sanitize/lsan.supp <<'SUPP'
leak:libGLX_mesa
leak:libEGL_mesa
leak:swrast_dri
leak:libgallium
leak:libglapi
leak:libLLVM
SUPP
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/build-sanitize/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-sanitize
ctest --output-on-failure --no-tests=error --timeout 1200 -L 'unit|render' "$@"
