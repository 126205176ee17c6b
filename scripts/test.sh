#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test (unit, offscreen render, and windowed under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
cd build
# The windowed tests need a display: Xvfb gives them one; the rest ignore it. Each test is a process of its own, and
# Xvfb resets itself whenever its last client leaves, refusing whoever connects meanwhile: -noreset keeps it up.
xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ctest --output-on-failure --no-tests=error --timeout 600 "$@"
