#!/usr/bin/env bash
# The main job: installs what is missing, builds, and runs the demo script,
# which loads the modules, flies a few frames and prints their state.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
"$root/build/bin/corvane" describe Tq3_Background Corvane_DummyS
"$root/build/bin/corvane" script "$root/scripts/demo.script"
