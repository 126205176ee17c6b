#!/usr/bin/env bash
# Installs what is needed, builds, and starts the viewer on the bundled demo model, its wells and its porosity shown
# and explained by the legend. Without a display it writes a snapshot of the same picture to demo-snapshot.png
# instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
demo=(resources/demo/DEMO.GRDECL resources/demo/DEMO_props.GRDECL resources/demo/well-1.dev resources/demo/P-2.dev
  resources/demo/W-3.dev resources/demo/well-4.dev --property PORO)
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/bin/morvane "${demo[@]}"
else
  ./build/bin/morvane "${demo[@]}" --snapshot demo-snapshot.png --size 1024x768
  echo "No display: wrote demo-snapshot.png"
fi
