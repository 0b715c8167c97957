#!/usr/bin/env bash
# make_mixed.sh OUTPUT PHOTO...
#
# Builds the mixed tree from the bench photos, so that a fast JPEG path
# cannot hide a slow or broken other one: five folders of
#   png/      10 PNGs, 1600 px on the long side
#   gif/      10 GIFs, 800 px (256 colours)
#   bmp/      10 BMPs, 1200 px
#   portrait/ 10 JPEGs, 3000 px stored landscape with an EXIF orientation
#             that shows them upright as portraits (6 and 8, one 5 and
#             one 7: turned and mirrored)
#   large/     3 PNGs, 5000 px
# Needs at least 13 photos. The tree is built beside OUTPUT and renamed
# into place when complete.
set -euo pipefail
export LC_ALL=C

out=$1
shift
photos=("$@")
((${#photos[@]} >= 13)) || { echo "make_mixed: needs 13 photos" >&2; exit 1; }
part="$out.part"
rm -rf "$part"
mkdir -p "$part"/{png,gif,bmp,portrait,large}

jobs=()
for i in $(seq 0 9); do
  src=${photos[i]}
  n=$(printf '%02d' $((i + 1)))
  case $i in
    0) orient=LeftTop ;;      # 5: transposed
    1) orient=RightBottom ;;  # 7: transversed
    *) ((i % 2)) && orient=LeftBottom || orient=RightTop ;;  # 8 and 6
  esac
  jobs+=("$src -resize 1600x1600 $part/png/pic$n.png")
  jobs+=("$src -resize 800x800 -colors 256 $part/gif/pic$n.gif")
  jobs+=("$src -resize 1200x1200 -type TrueColor BMP3:$part/bmp/pic$n.bmp")
  jobs+=("$src -resize 3000x3000 -orient $orient -quality 90 $part/portrait/pic$n.jpg")
done
for i in 10 11 12; do
  jobs+=("${photos[i]} -resize 5000x5000 $part/large/pic$((i - 9)).png")
done
printf '%s\n' "${jobs[@]}" | xargs -P "$(nproc)" -L 1 nice -n 10 convert
mv "$part" "$out"
