#!/usr/bin/env bash
# Long random play of the demo in the Release build: for each seed, one hour of game time
# (216 000 frames) by hopwerk-soak-input, reporting frames per second, deaths, the levels
# reached and the peak memory of a short run (the start) against that of the whole run (the
# end), which must stay flat.
#
#   tools/soak.sh [SEED...]      (default seed 1; FRAMES=N in the environment changes the length)
set -euo pipefail
cd "$(dirname "$0")/.."
FRAMES=${FRAMES:-216000}
START_FRAMES=${START_FRAMES:-10000}
SEEDS=("$@")
[ ${#SEEDS[@]} -gt 0 ] || SEEDS=(1)

cmake -G Ninja -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target hopwerk-replay hopwerk-soak-input demo_project >/dev/null
BIN=$PWD/build/release/bin
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Peak resident memory (kB) of a run, read from /proc while it lasts; its output in $2.
run_measured() {
  local out=$1
  shift
  "$BIN/hopwerk-replay" "$@" >"$out" 2>&1 &
  local pid=$! peak=0 now
  while kill -0 "$pid" 2>/dev/null; do
    now=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$now" ] && peak=$now
    sleep 0.2
  done
  wait "$pid" || true
  echo "$peak"
}

loading=$("$BIN/hopwerk-replay" --frames 150 "$BIN" | grep -c '^console| ')
printf '%-6s %8s %9s %7s %6s %-28s %10s %10s  %s\n' seed frames "frames/s" deaths loads \
  "levels reached" "start kB" "end kB" end
for seed in "${SEEDS[@]}"; do
  "$BIN/hopwerk-soak-input" --loading "$loading" "$seed" "$FRAMES" >"$WORK/input.$seed"
  mkdir -p "$WORK/home.$seed.start" "$WORK/home.$seed.end"
  startPeak=$(run_measured "$WORK/start.$seed" --home "$WORK/home.$seed.start" \
    --input "$WORK/input.$seed" --frames "$START_FRAMES" --seed "$seed" "$BIN")
  begin=$(date +%s.%N)
  endPeak=$(run_measured "$WORK/out.$seed" --home "$WORK/home.$seed.end" \
    --input "$WORK/input.$seed" --frames "$FRAMES" --seed "$seed" --state "$BIN")
  seconds=$(awk -v a="$begin" -v b="$(date +%s.%N)" 'BEGIN {print b - a}')
  out=$WORK/out.$seed
  endLine=$(grep '^end| ' "$out" | tail -1 || true)
  played=$(echo "$endLine" | sed -n 's/.*frame=\([0-9]*\).*/\1/p')
  deaths=$(sed -n 's/^state| Deaths=//p' "$out")
  # Every level loaded prints its scroll settings once; the state names the last one.
  loads=$(grep -c '^Plus Minus Settings:' "$out" || true)
  [ -n "$endLine" ] || endLine="end| (none: the run was cut short)"
  levels=$(sed -n 's/^state| CurrentLevelName=//p' "$out")
  episode=$(sed -n 's/^state| Episode=//p' "$out")
  printf '%-6s %8s %9.0f %7s %6s %-28s %10s %10s  %s\n' "$seed" "$played" \
    "$(awk -v f="$played" -v s="$seconds" 'BEGIN {print f / s}')" "${deaths:-?}" "$loads" \
    "episode ${episode:-?}, last ${levels:-none}" "$startPeak" "$endPeak" "${endLine#end| }"
  if ! echo "$endLine" | grep -q 'status=0'; then
    echo "seed $seed: the run failed; its output is kept in soak-$seed.log" >&2
    cp "$out" "soak-$seed.log"
    exit 1
  fi
done
