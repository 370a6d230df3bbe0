#!/usr/bin/env bash
# kx720-sim as a program: eight units on pseudo-terminals, a station folder
# pointing at them, reading frames in the wire format after a step command,
# fault modes, and refused options. Argument 1: the build directory.
set -euo pipefail
BUILD="${1:?build directory}"
SIM="$BUILD/tools/kx720-sim"
WORK="$(mktemp -d)"
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# start_sim NAME ARGS...: runs the simulator, waits for its device lines.
start_sim() {
  local name="$1"; shift
  "$SIM" "$@" >"$WORK/$name.out" 2>"$WORK/$name.err" &
  PIDS+=("$!")
  local units=1
  for ((i = 1; i <= $#; i++)); do
    if [[ "${!i}" == "--units" ]]; then j=$((i + 1)); units="${!j}"; fi
  done
  for _ in $(seq 50); do
    [[ $(grep -c '^unit [0-9]*: /' "$WORK/$name.out" || true) -ge $units ]] && return 0
    sleep 0.1
  done
  cat "$WORK/$name.err" >&2
  fail "$name: the simulator printed no device paths"
}
device() { sed -n "s/^unit $2: //p" "$WORK/$1.out"; }

# talk DEVICE BYTES SECONDS: writes the bytes, returns what came back, one frame per line.
talk() {
  local dev="$1" bytes="$2" seconds="$3"
  stty -F "$dev" raw -echo 19200
  exec 3<>"$dev"
  printf "$bytes" >&3
  timeout "$seconds" cat <&3 >"$WORK/answer" || true
  exec 3>&-
  tr '\032' '\n' <"$WORK/answer"
}

COMMAND='\006\00301,60000,200,10000,1\r\03299\005'

# Eight units and a station folder.
mkdir -p "$WORK/station"
printf ' 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 3\r\n' >"$WORK/station/initial.txt"
start_sim eight --units 8 --station-dir "$WORK/station"
[[ $(sort -u <(sed -n 's/^unit [0-9]*: //p' "$WORK/eight.out") | wc -l) -eq 8 ]] || fail "eight distinct devices expected"
for u in 1 2 3 4 5 6 7 8; do
  dev="$(device eight $u)"
  [[ -c "$dev" ]] || fail "unit $u: $dev is not a character device"
  grep -qx "$u=$dev" "$WORK/station/ports.ini" || fail "ports.ini does not map port $u to $dev"
done
expected_initial=$(printf ' 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n 6\r\n 7\r\n 8\r\n 3\r\n')
[[ "$(cat "$WORK/station/initial.txt")" == "$expected_initial" ]] || fail "initial.txt should list ports 1..8 and keep unit system 3"

# A step command, then about one frame per second in the wire format.
frames=$(talk "$(device eight 7)" "$COMMAND" 3.6)
count=$(grep -cE '^7,[0-9]+,[0-9]+,[0-9]+,200,10000,1,[0-9]+$' <<<"$frames" || true)
[[ $count -ge 2 && $count -le 4 ]] || fail "unit 7: expected 2 to 4 frames, got: $frames"
[[ $(grep -cv '^$' <<<"$frames") -eq $count ]] || fail "unit 7: unexpected bytes: $frames"

# Faults.
start_sim faults --units 3 --fault 1:silence --fault 2:malformed=2 --fault 3:slow-start=20
[[ -z "$(talk "$(device faults 1)" "$COMMAND" 2.6 | tr -d '\n')" ]] || fail "a silent unit answered"
malformed=$(talk "$(device faults 2)" "$COMMAND" 4.6 | grep -cE '^([0-9]*,){6}[0-9]*$' || true)
[[ $malformed -ge 1 ]] || fail "no malformed frame from unit 2"
[[ -z "$(talk "$(device faults 3)" "$COMMAND" 2.6 | tr -d '\n')" ]] || fail "a slow unit answered at once"

# Refused options.
for bad in "--units 9" "--units 0" "--fault nonsense" "--fault malformed=0" "--units 2 --fault 3:silence" "--heat-time warm"; do
  set +e
  # shellcheck disable=SC2086
  timeout 5 "$SIM" $bad >/dev/null 2>"$WORK/bad.err"
  status=$?
  set -e
  [[ $status -eq 2 ]] || fail "'$bad' should exit with status 2, got $status"
  [[ -s "$WORK/bad.err" ]] || fail "'$bad' should say what is wrong"
done
echo "kx720-sim end-to-end: ok"
