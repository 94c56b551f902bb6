#!/usr/bin/env bash
# run_fuzz.sh TARGET SEED_DIR SECONDS: runs one libFuzzer target for SECONDS
# over a scratch copy of its seed corpus (the seeds in the repo stay as they
# are). Crashes land in the scratch folder and are printed.
set -euo pipefail
target=$(realpath "$1") seeds=$(realpath -m "$2") seconds=${3:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/artifacts"
[ -d "$seeds" ] && cp -r "$seeds"/. "$work/corpus"/ 2>/dev/null || true
cd "$work"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus"
