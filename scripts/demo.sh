#!/usr/bin/env bash
# The main job: installs what is missing, builds, and renders the default
# panel in its default state (build/panel.png) and in a powered cruise state
# (build/panel-cruise.png).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$root"
build/bin/corvane render --panel panels/default.cfg -o build/panel.png
build/bin/corvane render --script panels/cruise.script -o build/panel-cruise.png
