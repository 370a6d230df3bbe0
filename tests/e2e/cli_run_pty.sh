#!/usr/bin/env bash
# A short sequence run in real time by `rovudaze-cli run --port` against the
# kx720-sim program on a pseudo-terminal; the stored samples and the
# evaluated ramp are checked afterwards. Argument 1: the build directory.
set -euo pipefail
BUILD="${1:?build directory}"
CLI="$BUILD/tools/rovudaze-cli"
SIM="$BUILD/tools/kx720-sim"
WORK="$(mktemp -d)"
SIM_PID=""
cleanup() {
  [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cd "$WORK"

"$CLI" init --examples >/dev/null || fail "init"
"$SIM" --units 1 --heat-time 5 >sim.out 2>sim.err &
SIM_PID=$!
for _ in $(seq 50); do grep -q '^unit 1: /' sim.out && break; sleep 0.1; done
DEV=$(sed -n 's/^unit 1: //p' sim.out)
[ -n "$DEV" ] || fail "no simulator device"

timeout 300 "$CLI" run --unit 1 --sequence "Quick demo" --test "E2E pty" --port "$DEV" \
  --fluid "HEC 40" --researcher "CI" --additive "HEC:40:ppt:L7" >run.out 2>run.err \
  || { cat run.out run.err >&2; fail "run exited with $?"; }
grep -q 'completed' run.out || { cat run.out >&2; fail "the test did not complete"; }

# The database holds the normal samples and three ramp samples of ramp 1.
count() { sqlite3 KX720pH.db "$1"; }
[ "$(count "SELECT COUNT(*) FROM TEST_INFO WHERE TEST_NAME = 'E2E pty'")" = 1 ] || fail "no test row"
[ "$(count "SELECT COUNT(*) FROM TEST_ADDITIVE")" = 1 ] || fail "additive not stored"
ramp=$(count "SELECT COUNT(*) FROM TEST_RESULT WHERE RESULT_TYPE_ID = 1 AND RAMP_NO = 1")
[ "$ramp" = 3 ] || fail "expected 3 ramp samples, got $ramp"
normal=$(count "SELECT COUNT(*) FROM TEST_RESULT WHERE RESULT_TYPE_ID = 0")
[ "$normal" -ge 2 ] || fail "expected normal samples, got $normal"
steps=$(count "SELECT GROUP_CONCAT(RAMP_STEP_NO) FROM (SELECT CAST(RAMP_STEP_NO AS INTEGER) AS RAMP_STEP_NO FROM TEST_RESULT WHERE RESULT_TYPE_ID = 1 ORDER BY RESULT_TIME)")
[ "$steps" = "1,2,3" ] || fail "ramp steps $steps"
# The ramp rates follow the staircase 100, 170, 40 1/s.
rates=$(count "SELECT GROUP_CONCAT(CAST(ROUND(RESULT_SHEAR_RATE) AS INTEGER)) FROM (SELECT RESULT_SHEAR_RATE FROM TEST_RESULT WHERE RESULT_TYPE_ID = 1 ORDER BY RESULT_TIME)")
[ "$rates" = "100,170,40" ] || fail "ramp rates $rates"

# The stored ramp evaluates as a shear-thinning power law close to the simulator's fluid (n = 0.5).
"$CLI" evaluate --test "E2E pty" --format csv >eval.csv || fail "evaluate"
row=$(sed -n 2p eval.csv)
n=$(echo "$row" | cut -d, -f4)
awk -v n="$n" 'BEGIN { exit !(n > 0.45 && n < 0.55) }' || fail "n' = $n in: $row"
echo "ok: $normal normal and $ramp ramp samples, n' = $n"
