#!/usr/bin/env bash
# Builds the fuzzers and runs each for SECONDS (default 60) on a corpus
# seeded from the image writer. Fails on any crash, leak, timeout or trap;
# the input that caused it is left in build/fuzz/artifacts/.
# The corpus grows in build/fuzz/corpus/ from one run to the next.
#
#   fuzz/run.sh            # one minute each
#   fuzz/run.sh 3600       # an hour each
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

build="$PWD/build/fuzz"
mkdir -p "$build/seeds" "$build/artifacts" \
  "$build/corpus/reader" "$build/corpus/cut"
"$build/fuzz/make_corpus" "$build/seeds"

for name in reader cut; do
  echo "== ${name}_fuzzer for ${seconds}s"
  "$build/fuzz/${name}_fuzzer" \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/${name}-" \
    "$build/corpus/$name" "$build/seeds"
done
