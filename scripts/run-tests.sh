#!/usr/bin/env bash
# The test command: installs what is missing, builds, starts a throwaway
# PostgreSQL server for the store tests, runs every test under Xvfb.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
BUILD="${ROVUDAZE_BUILD_DIR:-$ROOT/build}"
eval "$("$ROOT/scripts/pg-throwaway.sh" start)"
trap '"$ROOT/scripts/pg-throwaway.sh" stop' EXIT
cd "$BUILD"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --output-on-failure -j"$(nproc)" "$@"
