#!/usr/bin/env bash
# make_photo.sh SOURCE VARIANT SEED OUTPUT
#
# Turns one wallpaper photograph into a camera-like file: a variant of the
# picture (mirrored, turned or cropped, slightly lighter or darker) scaled to
# 4000 px on the long side, with mild sensor-like noise, JPEG quality 90,
# 4:2:0 chroma. The noise level is adjusted until the file weighs 2.0-3.0 MB
# (aiming at 2.2-2.8 MB), as a 10-megapixel camera file would.
set -euo pipefail
export LC_ALL=C

src=$1
variant=$2
seed=$3
out=$4

case $((variant % 10)) in
  0) ops=() ;;
  1) ops=(-flop) ;;
  2) ops=(-flip) ;;
  3) ops=(-rotate 180) ;;
  4) ops=(-gravity center -crop 85%x85%+0+0 +repage) ;;
  5) ops=(-flop -gravity northwest -crop 90%x90%+0+0 +repage) ;;
  6) ops=(-rotate 90) ;;
  7) ops=(-gravity southeast -crop 80%x80%+0+0 +repage) ;;
  8) ops=(-rotate 270) ;;
  9) ops=(-flip -flop -gravity center -crop 92%x88%+0+0 +repage) ;;
esac
# Brightness 94..106 %, different for every photo.
brightness=$((94 + seed % 13))

tmp_base="$out.base.ppm"
tmp_out="$out.part.jpg"
trap 'rm -f "$tmp_base" "$tmp_out"' EXIT

convert "$src" "${ops[@]}" -resize 4000x4000 -modulate "$brightness,100" \
  -depth 8 "$tmp_base"

attenuate=0.35
for _ in 1 2 3 4 5 6 7 8; do
  convert "$tmp_base" -seed "$seed" -attenuate "$attenuate" +noise Gaussian \
    -sampling-factor 2x2 -quality 90 "$tmp_out"
  size=$(stat -c %s "$tmp_out")
  if ((size < 2200000)); then
    attenuate=$(awk -v a="$attenuate" -v s="$size" \
      'BEGIN { f = 2500000 / s; if (f > 2) f = 2; printf "%.3f", a * f * f }')
  elif ((size > 2800000)); then
    attenuate=$(awk -v a="$attenuate" -v s="$size" \
      'BEGIN { f = 2500000 / s; printf "%.3f", a * f * f }')
  else
    break
  fi
done
if ((size < 2000000 || size > 3000000)); then
  echo "make_photo: $out weighs $size bytes (outside 2-3 MB)" >&2
fi
mv "$tmp_out" "$out"
