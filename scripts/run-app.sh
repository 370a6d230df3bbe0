#!/usr/bin/env bash
# The main job: installs what is missing, builds, and starts Rovudaze in
# ./workdir on the embedded SQLite database.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
BUILD="${ROVUDAZE_BUILD_DIR:-$ROOT/build}"
WORK="${ROVUDAZE_WORKDIR:-$ROOT/workdir}"
mkdir -p "$WORK"
cd "$WORK"
"$BUILD/tools/rovudaze-cli" init
