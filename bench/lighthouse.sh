#!/usr/bin/env bash
# bench/lighthouse.sh [BUILD_DIR]   (make lighthouse)
#
# Scores a gallery written in the modern page style with Lighthouse 12.2.3
# (mobile, its default) over a local HTTP server and prints the table.
#
#  1. Installs what is missing: mate-backgrounds, imagemagick, ffmpeg,
#     chromium (Debian, as root) and lighthouse@12.2.3 (npm, into
#     BUILD_DIR/lighthouse-npm).
#  2. Builds, once, BUILD_DIR/lighthouse/photos: "Summer 2024" with two
#     albums of 12 camera-like photos (4000 px, 2-3 MB, bench/make_photo.sh)
#     and a 3-second mp4 clip, with DirInfo.txt titles and descriptions.
#     Delete the folder to have it rebuilt.
#  3. Makes the gallery from a fresh copy, a photo of an album beside the
#     albums as the root's sidebar picture, with
#       orvanta-cli --style modern --set AlbumDownloads=True
#                   (and movie thumbnails; the style's own copies for
#                   1920x1080 screens and their halves)
#     and, as its web address, the one it is served at (link previews,
#     canonical addresses and the feed's link on every page).
#  4. Serves it with python3 -m http.server on 127.0.0.1 and runs
#     Lighthouse on the top index, an album index and a picture page.
#  5. Prints the table (also to BUILD_DIR/lighthouse/results.md) and exits 1
#     when a page misses its target: performance >= 95, accessibility, best
#     practices and SEO 100, the picture page at most 300 KB in all.
#
# Environment: LIGHTHOUSE_GALLERY=DIR scores the modern gallery already in
# DIR (steps 2 and 3 skipped; DIR holds index.html and the album "Sea &
# Sky"). LIGHTHOUSE_LOCK: a lock file held (flock) from the making of the
# photos to the last score (unset: no lock).
set -euo pipefail
export LC_ALL=C

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/.." && pwd)
build=${1:-build}
[[ $build = /* ]] || build="$repo/$build"
cli="$build/orvanta-cli"
work="$build/lighthouse"
photos="$work/photos/Summer 2024"
npm_dir="$build/lighthouse-npm"
lighthouse="$npm_dir/node_modules/.bin/lighthouse"
nature=/usr/share/backgrounds/mate/nature
chrome_flags="--headless --no-sandbox --disable-gpu --disable-background-networking"
chrome_flags+=" --disable-component-update --disable-sync --no-first-run"

say() { printf '[lighthouse] %s\n' "$*" >&2; }

install_tools() {
  local missing=() p
  for p in mate-backgrounds imagemagick ffmpeg chromium nodejs; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  command -v npm >/dev/null || missing+=(npm)
  if ((${#missing[@]})); then
    if [[ $(id -u) != 0 ]]; then
      say "missing: ${missing[*]} (run as root: apt-get install -y ${missing[*]})"
      exit 1
    fi
    say "installing ${missing[*]}"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  fi
  if (($(node -p 'process.versions.node.split(".")[0]') < 20)); then
    say "note: Node.js $(node --version); the scores in the README were taken with Node 20"
  fi
  if [[ ! -x $lighthouse ]] || [[ $("$lighthouse" --version) != 12.2.3 ]]; then
    say "installing lighthouse@12.2.3 into $npm_dir"
    mkdir -p "$npm_dir"
    npm install --prefix "$npm_dir" --no-audit --no-fund --silent lighthouse@12.2.3
  fi
}

make_photos() {
  [[ -f "$photos/done" ]] && return
  say "making 24 photos and a clip in $photos"
  rm -rf "$photos"
  mkdir -p "$photos/Sea & Sky" "$photos/Flowers"
  local sources i album
  mapfile -t sources < <(ls "$nature"/*.jpg | sort)
  for i in $(seq 0 23); do
    if ((i < 12)); then album="Sea & Sky"; else album=Flowers; fi
    bash "$here/make_photo.sh" "${sources[$((i % ${#sources[@]}))]}" "$i" $((i * 7 + 3)) \
      "$photos/$album/IMG_$(printf %04d $((i + 1))).jpg"
  done
  ffmpeg -nostdin -v error -f lavfi -i testsrc=size=640x360:rate=25 -t 3 -c:v libx264 \
    -pix_fmt yuv420p -movflags +faststart "$photos/Sea & Sky/Waves.mp4"
  printf 'DirectoryTitle=Summer 2024\r\nDirectoryDescription=Two weeks by the sea and in the garden: 24 photos and a short clip in two albums.\r\nSidebarPictureName=Sea & Sky/t_IMG_0003.jpg\r\nSidebarPictureCaption=Evening at the beach\r\n' \
    >"$photos/DirInfo.txt"
  printf 'DirectoryTitle=Sea & Sky\r\nDirectoryDescription=Waves, clouds and a short clip of the tide.\r\nIMG_0002.jpg=Storm over the bay\r\n' \
    >"$photos/Sea & Sky/DirInfo.txt"
  touch "$photos/done"
}

make_gallery() {
  local gallery="$work/gallery/Summer 2024"
  rm -rf "$work/gallery" "$work/program"
  mkdir -p "$work/gallery" "$work/program"
  cp -al "$photos" "$gallery"
  rm -f "$gallery/done"
  # The root's sidebar picture: a whole photo, shown through its thumbnail.
  # (The files are links to the photos': replaced, never written into.)
  cp -l "$gallery/Sea & Sky/IMG_0003.jpg" "$gallery/Evening.jpg"
  sed 's|^SidebarPictureName=.*|SidebarPictureName=Evening.jpg\r|' \
    "$gallery/DirInfo.txt" >"$gallery/DirInfo.new"
  mv "$gallery/DirInfo.new" "$gallery/DirInfo.txt"
  local address="http://127.0.0.1:$port/Summer%202024/"
  say "orvanta-cli --style modern on $gallery"
  "$cli" --quiet --program-folder "$work/program" --style modern \
    --set "GalleryAddress=$address" --set AlbumDownloads=True \
    --set CreateMovieThumbnails=True --set MovieFilesToMatch=mov,avi,mp4 "$gallery" >&2
  gallery_dir=$gallery
}

# Runs Lighthouse on URL into OUT.json.
score() {
  local url=$1 out=$2
  say "scoring $url"
  CHROME_PATH=${CHROME_PATH:-/usr/bin/chromium} "$lighthouse" "$url" --quiet \
    --output=json --output-path="$out" --chrome-flags="$chrome_flags"
}

install_tools
# Making the photos and the gallery and scoring it all load the processor:
# no other build may run meanwhile.
if [[ -n ${LIGHTHOUSE_LOCK:-} ]]; then
  exec 9>>"$LIGHTHOUSE_LOCK"
  say "waiting for $LIGHTHOUSE_LOCK"
  flock 9
fi
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
if [[ -n ${LIGHTHOUSE_GALLERY:-} ]]; then
  gallery_dir=$(cd "$LIGHTHOUSE_GALLERY" && pwd)
else
  [[ -x $cli ]] || { say "$cli is missing: make build first"; exit 1; }
  make_photos
  make_gallery
fi
mkdir -p "$work"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$(dirname "$gallery_dir")" \
  >"$work/server.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
sleep 1
base="http://127.0.0.1:$port/$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$(basename "$gallery_dir")")"
score "$base/index.html" "$work/top.json"
score "$base/Sea%20%26%20Sky/index.html" "$work/album.json"
score "$base/Sea%20%26%20Sky/IMG_0001.html" "$work/picture.json"
node "$here/lighthouse_table.mjs" "$work/top.json" "$work/album.json" "$work/picture.json" |
  tee "$work/results.md"
