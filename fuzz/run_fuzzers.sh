#!/bin/bash
# Runs Orvanta's fuzz targets.
#   run_fuzzers.sh BUILD_DIR smoke [SECONDS]
#       each target for SECONDS (default 5) from the checked-in seeds, the
#       new inputs going to a throw-away folder; fails on any finding.
#   run_fuzzers.sh BUILD_DIR long SECONDS [TARGET...] [-- LIBFUZZER_FLAGS]
#       each named target (default: all) for SECONDS, one after the other,
#       keeping the grown corpus in BUILD_DIR/corpus/TARGET and findings in
#       BUILD_DIR/findings/TARGET.
set -u -o pipefail
build_dir=$(cd "${1:?build folder}" && pwd) || exit 2
mode=${2:?smoke or long}
seconds=${3:-5}
shift $(($# < 3 ? $# : 3))
here=$(cd "$(dirname "$0")" && pwd)
targets=()
extra=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--" ]; then shift; extra=("$@"); break; fi
  targets+=("$1"); shift
done
[ ${#targets[@]} -eq 0 ] && targets=(template_line folder_info options_file text_utils)
# Leaks and undefined behaviour stop a run; a small quarantine keeps the
# many small allocations cheap.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for target in "${targets[@]}"; do
  binary="$build_dir/${target}_fuzzer"
  [ -x "$binary" ] || { echo "missing $binary: build the fuzz targets first" >&2; exit 2; }
  if [ "$mode" = smoke ]; then
    corpus=$(mktemp -d)
    findings=$corpus
  else
    corpus="$build_dir/corpus/$target"
    findings="$build_dir/findings/$target"
    mkdir -p "$corpus" "$findings"
  fi
  log="$findings/$target.log"
  start=$(date +%s)
  (cd "$findings" && "$binary" -max_total_time="$seconds" -print_final_stats=1 \
      "${extra[@]}" "$corpus" "$here/corpus/$target") >"$log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz $mode $target: ${runs:-?} executions in $(($(date +%s) - start))s, exit $result"
  if [ $result -ne 0 ]; then
    status=1
    [ "$mode" = smoke ] && tail -n 60 "$log" >&2
  fi
  [ "$mode" = smoke ] && rm -rf "$corpus"
done
exit $status
