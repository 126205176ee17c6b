#!/usr/bin/env bash
# Configures and builds everything into build/ (Release).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# CI builds with the strict warnings (every warning an error); a local build only shows them.
strict=()
[ "${CI:-}" = "true" ] && strict=(-DMORVANE_STRICT=ON)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "${strict[@]}"
cmake --build build --parallel "$(nproc)"
