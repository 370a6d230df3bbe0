#!/usr/bin/env bash
# Builds and runs every benchmark program (bench/bench_*.cpp), with a
# throwaway PostgreSQL server for the store figures.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
BUILD="${ROVUDAZE_BUILD_DIR:-$ROOT/build}"
eval "$("$ROOT/scripts/pg-throwaway.sh" start)"
trap '"$ROOT/scripts/pg-throwaway.sh" stop' EXIT
for b in "$BUILD"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  case "$(basename "$b")" in
    *_ui) QT_QPA_PLATFORM=offscreen "$b" ;;
    *) "$b" ;;
  esac
done
