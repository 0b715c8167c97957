#!/bin/bash
# Runs Orvanta's fuzz targets.
#   run_fuzzers.sh BUILD_DIR smoke [SECONDS]
#       each target for SECONDS (default 5) from the checked-in seeds, the
#       new inputs going to a throw-away folder; fails on any finding.
#   run_fuzzers.sh BUILD_DIR long SECONDS [TARGET...] [-- LIBFUZZER_FLAGS]
#       each named target (default: all) for SECONDS, one after the other,
#       keeping the grown corpus in BUILD_DIR/corpus/TARGET and findings in
#       BUILD_DIR/findings/TARGET; prints the executions and the time.
set -u -o pipefail

build_dir=$(cd "${1:?build folder}" && pwd) || exit 2
mode=${2:?smoke or long}
seconds=${3:-5}
shift $(($# < 3 ? $# : 3))
here=$(cd "$(dirname "$0")" && pwd)
all_targets=(template_line folder_info options_file text_utils)
targets=()
extra=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then shift; extra=("$@"); break; fi
  targets+=("$1"); shift
done
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")

# A small quarantine keeps the many small allocations cheap; leaks and
# undefined behaviour stop a run.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for target in "${targets[@]}"; do
  binary="$build_dir/${target}_fuzzer"
  seeds="$here/corpus/$target"
  if [ ! -x "$binary" ]; then
    echo "missing $binary: build the fuzz targets first" >&2
    exit 2
  fi
  if [ "$mode" = smoke ]; then
    scratch=$(mktemp -d)
    log="$scratch/log"
    if (cd "$scratch" && "$binary" -max_total_time="$seconds" \
          -print_final_stats=1 "${extra[@]}" "$scratch" "$seeds" >"$log" 2>&1); then
      runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
      echo "fuzz smoke $target: ${runs:-?} executions in ${seconds}s, no findings"
    else
      echo "fuzz smoke $target: FAILED" >&2
      tail -n 60 "$log" >&2
      status=1
    fi
    rm -rf "$scratch"
  else
    corpus="$build_dir/corpus/$target"
    findings="$build_dir/findings/$target"
    mkdir -p "$corpus" "$findings"
    log="$build_dir/findings/$target.log"
    start=$(date +%s)
    (cd "$findings" && "$binary" -max_total_time="$seconds" \
        -print_final_stats=1 "${extra[@]}" "$corpus" "$seeds") >"$log" 2>&1
    result=$?
    elapsed=$(($(date +%s) - start))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${runs:-?} executions in ${elapsed}s, exit $result" \
         "(log: $log)"
    [ $result -eq 0 ] || status=1
  fi
done
exit $status
