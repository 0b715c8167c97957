#!/bin/sh
# A stand-in for the external converter in the tests. Called as
#   test_converter.sh SOURCE "/resample=(N,N)" /aspectratio /convert=TARGET
# it writes TARGET: SOURCE turned upright and scaled to fit inside N x N,
# with ImageMagick's convert. Words in the source's name change that:
# "hang" sleeps for ever, "stubborn" ignores SIGTERM and sleeps, "crash"
# aborts, "fail" exits with 1, "orphan" leaves a sleeping helper in its
# process group (its pid in TARGET.pid) and converts.
# ORVANTA_TEST_CONVERTER_SLEEP_MS makes it wait that long first.
set -u
if [ $# -ne 4 ] || [ "$3" != /aspectratio ]; then
  echo "usage: $0 SOURCE /resample=(N,N) /aspectratio /convert=TARGET" >&2
  exit 2
fi
source=$1
target=${4#/convert=}
size=${2#/resample=(}
size=${size%%,*}
ms=${ORVANTA_TEST_CONVERTER_SLEEP_MS:-0}
[ "$ms" -gt 0 ] && sleep "$((ms / 1000)).$(printf %03d $((ms % 1000)))"
case ${source##*/} in
  *stubborn*) trap '' TERM; while :; do sleep 1; done ;;
  *hang*) exec sleep 100000 ;;
  *crash*) kill -ABRT $$ ;;
  *fail*) exit 1 ;;
  *orphan*) sleep 100000 & echo $! >"$target.pid" ;;
esac
exec convert "$source" -auto-orient -resize "${size}x$size" "$target"
