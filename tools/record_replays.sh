#!/usr/bin/env bash
# Records what every replay the engine tests play prints and draws, so that a change meant to
# keep behaviour can be shown to keep it: record before, record after, compare the folders.
#
#   tools/record_replays.sh BUILD_DIR OUT_DIR [GTEST_FILTER]
#   diff -r before/ after/
#
# hopwerk-replay is wrapped for the run: each call's standard output and error go to
# OUT_DIR/N.out and N.err (N counts the calls, so the tests run one at a time, in order), with
# the temporary folders of the run written as TMP, and every frame it saved (--shot,
# --screenshot) is copied to N-K.png.
set -euo pipefail

build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
filter=${3:-'DemoTest.*:DemoEpisodeTest.*:DemoStatusTest.*:DemoConfigurationTest.*:HighScoresReplay.*:Limits.*:ReplayTest.*:TryTest.*:SoakTest.*'}
bin=$build/bin

if [ -e "$bin/hopwerk-replay.real" ]; then
  echo "record_replays: $bin/hopwerk-replay.real exists: an earlier run did not finish" >&2
  exit 1
fi
mv "$bin/hopwerk-replay" "$bin/hopwerk-replay.real"
trap 'mv -f "$bin/hopwerk-replay.real" "$bin/hopwerk-replay"' EXIT

cat >"$bin/hopwerk-replay" <<'WRAPPER'
#!/usr/bin/env bash
rec=$HOPWERK_REPLAY_RECORD
n=$(( $(cat "$rec/.count" 2>/dev/null || echo 0) + 1 ))
echo "$n" >"$rec/.count"
"$(dirname "$0")/hopwerk-replay.real" "$@" >"$rec/$n.raw.out" 2>"$rec/$n.raw.err"
status=$?
cat "$rec/$n.raw.out"
cat "$rec/$n.raw.err" >&2
for stream in out err; do
  sed -E 's#/tmp/[^/ :"'"'"']+#TMP#g' "$rec/$n.raw.$stream" >"$rec/$n.$stream"
  rm -f "$rec/$n.raw.$stream"
done
echo "status $status" >>"$rec/$n.out"
k=0
prev=
for arg in "$@"; do
  file=
  [ "$prev" = --screenshot ] && file=$arg
  [ "$prev" = --shot ] && file=${arg#*:}
  if [ -n "$file" ] && [ -f "$file" ]; then
    k=$((k + 1))
    cp "$file" "$rec/$n-$k.png"
  fi
  prev=$arg
done
exit $status
WRAPPER
chmod +x "$bin/hopwerk-replay"

rm -f "$out"/*.out "$out"/*.err "$out"/*.png "$out/.count"
HOPWERK_REPLAY_RECORD=$out "$bin/hopwerk_engine_tests" --gtest_filter="$filter" \
  >"$out/tests.log" 2>&1 || true
grep -E '^\[  (PASSED|FAILED) ' "$out/tests.log" || true
echo "$(cat "$out/.count" 2>/dev/null || echo 0) replays recorded in $out"
