#!/bin/bash
# Runs Orvanta's fuzz targets:
#   run_fuzzers.sh BUILD_DIR smoke|long SECONDS [TARGET...] [-- LIBFUZZER_FLAGS]
# runs each named target (default: all) for SECONDS from the checked-in
# seeds and the corpus grown so far in BUILD_DIR/corpus/TARGET, findings
# and the log going to BUILD_DIR/findings/TARGET. Fails on any finding;
# "smoke" also shows the end of the log then.
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
[ ${#targets[@]} -eq 0 ] && targets=(folder_info picture_metadata jpeg_pictures location_removal)
# Leaks and undefined behaviour stop a run; a small quarantine keeps the
# many small allocations cheap.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for target in "${targets[@]}"; do
  corpus="$build_dir/corpus/$target"
  findings="$build_dir/findings/$target"
  mkdir -p "$corpus" "$findings"
  start=$(date +%s)
  (cd "$findings" && "$build_dir/${target}_fuzzer" -max_total_time="$seconds" \
      -print_final_stats=1 "${extra[@]}" "$corpus" "$here/corpus/$target") \
      >"$findings/log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$findings/log")
  echo "fuzz $mode $target: ${runs:-?} executions in $(($(date +%s) - start))s, exit $result"
  if [ $result -ne 0 ]; then
    status=1
    [ "$mode" = smoke ] && tail -n 60 "$findings/log" >&2
  fi
done
exit $status
