#!/usr/bin/env bash
# Refreshes the README's pictures, docs/screenshot.png (the Windows program
# under Wine) and docs/screenshot-linux.png (the native window): runs both
# demos of the run command on a virtual display, whether or not a display is
# at hand, and copies the screenshots they save under build/screenshots/;
# and docs/nuage.png, the picture of the bounds -1000 and 1000, by trivel-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
rm -f build/screenshots/screenshot.png build/screenshots/screenshot-linux.png
env -u DISPLAY bash scripts/run.sh
for picture in screenshot.png screenshot-linux.png; do
  cp "build/screenshots/$picture" "docs/$picture"
done
build/native/cli/trivel-cli --image docs/nuage.png --size 320x320 -1000 1000
git status --short docs
