#!/usr/bin/env bash
# make demo: builds a sample photo tree under the build folder, adds a short
# clip made by ffmpeg, and makes the tree's gallery with orvanta-cli, movie
# thumbnails included.
set -euo pipefail
build=${1:-build}
demo="$build/demo"
"$build/orvanta-demo-tree" "$demo/Holiday"
ffmpeg -nostdin -v error -f lavfi -i mandelbrot=size=640x360:rate=25 -t 3 \
  -pix_fmt yuv420p "$demo/Holiday/Old town/Fractal zoom.mp4"
mkdir -p "$demo/program"
"$build/orvanta-cli" --quiet --program-folder "$demo/program" \
  --set CreateMovieThumbnails=True --set MovieFilesToMatch=mov,avi,mp4 \
  "$demo/Holiday"
echo "Gallery: $(cd "$demo/Holiday" && pwd)/index.html"
