#!/usr/bin/env bash
# The main job: installs what is missing, builds, and starts Rovudaze in
# ./workdir on the embedded SQLite database, with eight simulated KX720
# instruments on pseudo-terminals wired to units 1 to 8.
# Without a display it runs a headless demonstration instead.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
BUILD="${ROVUDAZE_BUILD_DIR:-$ROOT/build}"
WORK="${ROVUDAZE_WORKDIR:-$ROOT/workdir}"
CLI="$BUILD/tools/rovudaze-cli"
mkdir -p "$WORK"
cd "$WORK"

# Database (with example sequences when new) and station settings.
"$CLI" init --examples >/dev/null

SIM_PID=""
cleanup() { [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null || true; }
trap cleanup EXIT
trap "exit 130" INT TERM

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  # Simulated instruments: initial.txt and ports.ini in this folder now
  # point units 1..8 at their pseudo-terminals. To use real instruments
  # instead, choose the ports in Setup (station page) and map each
  # "Comm n" to its device (e.g. /dev/ttyUSB0) there or in ports.ini.
  "$BUILD/tools/kx720-sim" --units 8 --station-dir "$WORK" --heat-time 60 >"$WORK/kx720-sim.log" 2>&1 &
  SIM_PID=$!
  for _ in $(seq 50); do [ "$(grep -c '^unit ' "$WORK/kx720-sim.log" || true)" -ge 8 ] && break; sleep 0.1; done
  echo "Simulated instruments:"; grep '^unit ' "$WORK/kx720-sim.log" || true
  echo "Starting Rovudaze in $WORK (Real Time Test -> Add Instruments to add units)."
  "$BUILD/src/rovudaze"
else
  echo "No display found (DISPLAY/WAYLAND_DISPLAY unset): running a headless demonstration in $WORK."
  echo "Run this script from a desktop session to get the windows."
  stamp=$(date +%Y%m%d-%H%M%S)
  for unit in 1 2; do
    echo
    echo "== Unit $unit: sequence \"Linear gel 2 h at 150F\" on a simulated instrument (virtual time)"
    "$CLI" run --unit "$unit" --sequence "Linear gel 2 h at 150F" --test "Demo $stamp unit $unit" --simulate \
      --fluid "HPG 30" --researcher "Demo" --additive "HPG:30:ppt:LOT1" | tail -8
  done
  echo
  echo "== Evaluation of \"Demo $stamp unit 1\" (SI units)"
  "$CLI" evaluate --test "Demo $stamp unit 1" --units si
fi
