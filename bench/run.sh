#!/usr/bin/env bash
# bench/run.sh [BUILD_DIR]   (make bench)
#
# Times orvanta-cli against its peers on a tree of real photographs and
# writes the table to bench/results.md.
#
#  1. Installs the peers from Debian when missing (as root): mate-backgrounds,
#     libjpeg-turbo-progs, libvips-tools, llgal, imagemagick, time.
#  2. Builds, once, BUILD_DIR/bench/photos: 10 folders x 12 camera-like
#     photos made from mate-backgrounds' nature/ wallpapers (4000 px long
#     side, quality 90, mild noise, 2-3 MB each; see make_photo.sh),
#     BUILD_DIR/bench/mixed: PNG, GIF, BMP, EXIF-turned portrait JPEGs and
#     a few large PNGs made from those photos (see make_mixed.sh), and
#     BUILD_DIR/bench/many: 1,000 folders x 100 small pictures with their
#     t_ thumbnails already made (see make_many.py), and
#     BUILD_DIR/bench/movies: 20 one-minute 1080p H.264 clips made by ffmpeg
#     from its test source, BUILD_DIR/bench/hevc: a phone's 30 s 1080p HEVC
#     clip (30 frames/s, light noise, AAC sound) in a .mov, and
#     BUILD_DIR/bench/dated: 15,000 small pictures
#     (150 folders x 100) carrying a camera's metadata. The photos get a
#     camera's metadata too (exiftool, once: date taken, camera, exposure,
#     a caption on every third, a 160 px preview) and then a GPS position
#     (exiftool, once: latitude, longitude, altitude), and
#     BUILD_DIR/bench/album: hard links of the 120 photos in one folder.
#     Delete a tree to have it rebuilt.
#  3. Runs, round-robin, BENCH_RUNS times (default 3) each:
#       floor           djpeg -scale 1/8 over every photo, one after another
#       floor2          the same, two at a time (the limit on two cores)
#       floor-mid       djpeg -scale 1/2 | cjpeg -quality 85 over every
#                       photo, one after another (the floor of web-size copies)
#       vipsthumbnail   vipsthumbnail -s 150x150 over every photo
#       llgal           llgal -d FOLDER per folder, on a fresh copy of the tree
#       orvanta-scratch orvanta-cli, whole gallery on a fresh copy of the tree
#       orvanta-pages   orvanta-cli again on that copy (thumbnails exist)
#       orvanta-facts   orvanta-scratch with SortByDateTaken (every photo's
#                       metadata read)
#       orvanta-mid     orvanta-scratch with 1600x1200 web-size copies
#       orvanta-dated   orvanta-cli --style modern with SortByDateTaken again
#                       on the 15,000-picture tree (pages only, metadata read)
#       orvanta-outfolder
#                       orvanta-dated with --output DIR: a rerun of the
#                       unchanged gallery in an output folder (its first
#                       gallery is made once, untimed)
#       cp-photos       cp -r of the photo tree
#       orvanta-publish orvanta-cli --output DIR on the photo tree, from
#                       scratch: originals published without their position
#                       (checked: no GPS left in the output, the input
#                       tree untouched)
#       cat-album       cat of the album's 120 photos to /dev/null
#       cat-album-file  cat of the album's photos into one file: the bytes a
#                       zip that stores them reads and writes
#       orvanta-zips    orvanta-cli --set AlbumDownloads=True on the album,
#                       its thumbnails and pages made (once, untimed) and its
#                       zip removed before each run: the run a person waits
#                       for when the zip is to be made (checked: the zip
#                       passes unzip -t and Python's zipfile, and a rerun
#                       leaves it as it is)
#       orvanta-many    orvanta-cli on the 100,000-picture tree (pages only)
#       convert-mixed   convert -thumbnail 150x150 over every mixed picture
#       orvanta-mixed   orvanta-cli, whole gallery on a fresh copy of the
#                       mixed tree
#       ffmpeg-frames   ffmpeg -ss 6 -i CLIP -frames:v 1 over every clip, one
#                       after another (a frame a tenth into each, by hand)
#       orvanta-movies  orvanta-cli with CreateMovieThumbnails on a fresh
#                       copy (hard links) of the clips
#       ffmpeg-web      ffmpeg -i CLIP -vf scale=-2:720 -c:v libx264 -preset
#                       veryfast -crf 23 -c:a aac -movflags +faststart: a
#                       web copy of the HEVC clip by hand
#       orvanta-web     orvanta-cli with CreateWebVideos on a fresh copy
#                       (hard links) of the HEVC clip, the target screen
#                       1280x960 (a 1216x684 copy, the closest to 720p)
#     Copies are made before the clock starts. Wall time is measured around
#     /usr/bin/time -v, which gives the peak memory (maximum resident set
#     size, the largest process of the command) and the CPU time (user and
#     system, of the command and all its children).
#  4. Prints the table (medians, ratio to the floor's median, targets) and
#     writes it to bench/results.md (BENCH_RESULTS to write elsewhere).
#
# Environment: BENCH_ONLY: the rows to run, by name or by the short names
# outfolder, publish and zips (e.g. BENCH_ONLY="publish zips outfolder");
# the rows a target compares them with are run too, and the table goes to
# BUILD_DIR/bench/results-only.md unless BENCH_RESULTS says otherwise.
# BENCH_RUNS (3), BENCH_TIMEOUT seconds per command (1800),
# BENCH_LOCK: a lock file held (flock) while measuring, so that builds of
# other people do not run at the same time; unset: no lock taken (e.g. when
# the caller holds it: flock LOCK bash bench/run.sh). BENCH_NOTE: a line
# added to the notes of the table (e.g. how the run was made).
set -euo pipefail
export LC_ALL=C

bench_start=$EPOCHREALTIME
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/.." && pwd)
build=${1:-build}
[[ $build = /* ]] || build="$repo/$build"
cli="$build/orvanta-cli"
runs=${BENCH_RUNS:-3}
timeout_s=${BENCH_TIMEOUT:-1800}
work="$build/bench"
only=${BENCH_ONLY:-}
if [[ -n $only ]]; then
  results=${BENCH_RESULTS:-$work/results-only.md}
else
  results=${BENCH_RESULTS:-$here/results.md}
fi
photos="$work/photos"
many="$work/many"
mixed="$work/mixed"
movies="$work/movies"
movie_count=20
hevc="$work/hevc"
dated="$work/dated"
dated_folders=150
dated_out="$work/dated-out"
album="$work/album"
scratch="$work/scratch"
raw="$work/raw.tsv"
meta="$work/meta.tsv"
checks="$work/checks.tsv"
notes="$work/notes.txt"
nature=/usr/share/backgrounds/mate/nature
folders=10
per_folder=12
many_folders=1000
many_per_folder=100

say() { printf '[bench] %s\n' "$*" >&2; }

# The rows, in the order of a round (each is the function run_ROW below);
# BENCH_ONLY picks some of them by name or short name, and with each the
# rows its target compares it with.
rows=(floor floor2 floor-mid vipsthumbnail llgal orvanta-scratch orvanta-pages orvanta-facts
  orvanta-mid cp-photos orvanta-publish orvanta-dated orvanta-outfolder orvanta-many cat-album
  cat-album-file orvanta-zips convert-mixed orvanta-mixed ffmpeg-frames orvanta-movies ffmpeg-web orvanta-web)
declare -A short=([outfolder]=orvanta-outfolder [publish]=orvanta-publish [zips]=orvanta-zips)
declare -A needs=([orvanta-pages]=orvanta-scratch [orvanta-facts]=orvanta-scratch
  [orvanta-mid]=floor-mid [orvanta-publish]="cp-photos orvanta-scratch"
  [orvanta-outfolder]=orvanta-dated [orvanta-zips]="cat-album cat-album-file" [orvanta-mixed]=convert-mixed
  [orvanta-movies]=ffmpeg-frames [orvanta-web]=ffmpeg-web)
declare -A selected=()
for word in $only; do
  key=${short[$word]:-$word}
  if [[ " ${rows[*]} " != *" $key "* ]]; then
    say "BENCH_ONLY: no row $word (rows: ${rows[*]}; short names: ${!short[*]})"
    exit 1
  fi
  selected[$key]=1
  for need in ${needs[$key]:-}; do selected[$need]=1; done
done
wanted() { [[ -z $only || -n ${selected[$1]:-} ]]; }

# ---------------------------------------------------------------- peers
peers=(mate-backgrounds libjpeg-turbo-progs libvips-tools llgal imagemagick ffmpeg time
  libimage-exiftool-perl)
missing=()
for p in "${peers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$p")
done
if ((${#missing[@]})); then
  if [[ $(id -u) = 0 ]]; then
    say "installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  else
    say "missing packages; as root run: apt-get install -y ${missing[*]}"
    exit 1
  fi
fi
if [[ ! -x $cli ]]; then
  say "$cli is not built (make build, or cmake --build $build --target orvanta-cli)"
  exit 1
fi
mkdir -p "$work"

# ---------------------------------------------------------------- photo tree
if [[ ! -d $photos ]]; then
  mapfile -t sources < <(find "$nature" -maxdepth 1 -type f -iname '*.jp*g' | sort)
  n=${#sources[@]}
  ((n > 0)) || { say "no photos in $nature"; exit 1; }
  say "building $photos from $n photos of $nature (a few minutes, once)"
  rm -rf "$photos.part" "$album" "$work/photos.tagged" "$work/photos.located"
  total=$((folders * per_folder))
  for ((i = 0; i < total; i++)); do
    folder=$(printf 'folder%02d' $((i / per_folder + 1)))
    mkdir -p "$photos.part/$folder"
    # Photo i comes from source i mod n; its variant (mirror, turn, crop)
    # changes with each reuse of a source, its seed (noise, brightness)
    # with every photo, so no two files are alike.
    printf '%s\0%s\0%s\0%s\0' "${sources[i % n]}" $(((i / n + i) % 10)) \
      $((i + 1)) "$photos.part/$folder/$(printf 'IMG_%04d.jpg' $((i + 1)))"
  done | xargs -0 -n 4 -P "$(nproc)" nice -n 10 bash "$here/make_photo.sh"
  mv "$photos.part" "$photos"
fi
mapfile -t photo_files < <(find "$photos" -type f -name 'IMG_*.jpg' | sort)
# tag FILE...: gives pictures a camera's metadata, a day and a minute apart
# (in reverse order of their names, so that the order by date differs).
tag() {
  local i=0 f args=()
  convert "${1}[0]" -thumbnail 160x120 "$work/preview.jpg"
  for f; do
    args+=(-overwrite_original -q -DateTimeOriginal="$(date -u -d "@$((1500000000 - i * 86460))" '+%Y:%m:%d %H:%M:%S')"
      -OffsetTimeOriginal=+02:00 -Make=Canon "-Model=Canon EOS 5D Mark IV"
      -ExposureTime=1/250 -FNumber=8 -ISO=200 -FocalLength=35
      "-LensModel=EF24-70mm f/2.8L II USM" "-ThumbnailImage<=$work/preview.jpg")
    ((i % 3)) || args+=("-XMP-dc:Description=Walk by the lake, day $i")
    args+=("$f" -execute)
    i=$((i + 1))
  done
  printf '%s\n' "${args[@]}" | exiftool -@ - >/dev/null
}
if [[ ! -f $work/photos.tagged ]]; then
  say "giving the photos a camera's metadata"
  tag "${photo_files[@]}"
  touch "$work/photos.tagged"
fi
# give_position FILE...: gives pictures a GPS position, as a phone's photos carry:
# a walk, a few metres from one to the next.
give_position() {
  local i=0 f args=()
  for f; do
    args+=(-overwrite_original -q "-GPSLatitude=46.$((558100 + i * 30))" -GPSLatitudeRef=N
      "-GPSLongitude=8.$((36200 + i * 40))" -GPSLongitudeRef=E "-GPSAltitude=$((1580 + i))"
      -GPSAltitudeRef=0 "$f" -execute)
    i=$((i + 1))
  done
  printf '%s\n' "${args[@]}" | exiftool -@ - >/dev/null
}
# no_position FILE...: takes the position off pictures made from the photos.
no_position() {
  exiftool -overwrite_original -q -gps:all= "$@" >/dev/null
}
if [[ ! -f $work/photos.located ]]; then
  say "giving the photos a GPS position"
  give_position "${photo_files[@]}"
  touch "$work/photos.located"
fi
mapfile -t photo_dirs < <(find "$photos" -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)
photo_count=${#photo_files[@]}
printf '%s\n' "${photo_files[@]}" >"$work/photos.list"

# ---------------------------------------------------------------- album
if [[ ! -d $album ]]; then
  say "building $album (the photos, hard links, in one folder)"
  rm -rf "$album.part"
  mkdir -p "$album.part"
  ln "${photo_files[@]}" "$album.part/"
  mv "$album.part" "$album"
fi
mapfile -t album_files < <(find "$album" -maxdepth 1 -type f -name 'IMG_*.jpg' | sort)

# ---------------------------------------------------------------- big tree
if [[ ! -d $many ]]; then
  say "building $many ($many_folders folders x $many_per_folder pictures)"
  convert "${photo_files[0]}" -resize 320x320 -quality 85 "$work/small.jpg"
  no_position "$work/small.jpg"
  convert "$work/small.jpg" -thumbnail 150x150 -quality 85 "$work/t_small.jpg"
  python3 "$here/make_many.py" "$work/small.jpg" "$work/t_small.jpg" "$many" \
    "$many_folders" "$many_per_folder"
fi
many_count=$(find "$many" -type f -name 'pic*.jpg' | wc -l)

# ---------------------------------------------------------------- mixed tree
if [[ ! -d $mixed ]]; then
  say "building $mixed"
  bash "$here/make_mixed.sh" "$mixed" "${photo_files[@]:0:13}"
fi
mapfile -t mixed_files < <(find "$mixed" -type f -name 'pic*' | sort)
mixed_count=${#mixed_files[@]}

# ---------------------------------------------------------------- movies
if [[ ! -d $movies ]]; then
  say "building $movies ($movie_count one-minute 1080p clips, a few minutes, once)"
  rm -rf "$movies.part"
  mkdir -p "$movies.part"
  for ((i = 1; i <= movie_count; i++)); do
    nice -n 10 ffmpeg -nostdin -v error -f lavfi \
      -i "testsrc2=size=1920x1080:rate=30" -t 60 -vf "hue=h=$((i * 18))" \
      -c:v libx264 -preset ultrafast -pix_fmt yuv420p \
      "$movies.part/$(printf 'clip%02d.mp4' "$i")"
  done
  mv "$movies.part" "$movies"
fi
mapfile -t movie_files < <(find "$movies" -type f -name 'clip*.mp4' | sort)

# ---------------------------------------------------------------- HEVC clip
if [[ ! -d $hevc ]]; then
  say "building $hevc (a 30 s 1080p HEVC clip, a few minutes, once)"
  rm -rf "$hevc.part"
  mkdir -p "$hevc.part"
  nice -n 10 ffmpeg -nostdin -v error -f lavfi -i "testsrc2=size=1920x1080:rate=30" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000" -t 30 \
    -vf "noise=alls=8:allf=t" -c:v libx265 -preset ultrafast \
    -x265-params log-level=error -tag:v hvc1 -pix_fmt yuv420p -c:a aac \
    "$hevc.part/phone.mov"
  mv "$hevc.part" "$hevc"
fi

# ---------------------------------------------------------------- dated tree
if [[ ! -d $dated ]]; then
  say "building $dated ($dated_folders folders x $many_per_folder dated pictures)"
  convert "${photo_files[0]}" -resize 320x320 -quality 85 "$work/dated.jpg"
  no_position "$work/dated.jpg"
  tag "$work/dated.jpg"
  convert "$work/dated.jpg" -thumbnail 300x300 -quality 85 "$work/t_dated.jpg"
  python3 "$here/make_many.py" "$work/dated.jpg" "$work/t_dated.jpg" "$dated" \
    "$dated_folders" "$many_per_folder"
fi
dated_count=$(find "$dated" -type f -name 'pic*.jpg' | wc -l)

# ---------------------------------------------------------------- measuring
if [[ -n ${BENCH_LOCK:-} ]]; then
  say "waiting for $BENCH_LOCK"
  exec 9>"$BENCH_LOCK"
  flock 9
fi
measure_start=$EPOCHREALTIME
rm -rf "$scratch"
mkdir -p "$scratch"
: >"$raw"
: >"$notes"
: >"$checks"
if [[ -n ${BENCH_NOTE:-} ]]; then
  printf '%s\n' "$BENCH_NOTE" >>"$notes"
fi
loadavg_start=$(cut -d' ' -f1-3 /proc/loadavg)

# measure KEY REP COMMAND...: times one run and appends it to raw.tsv.
measure() {
  local key=$1 rep=$2
  shift 2
  local log="$scratch/$key.$rep.log" t0 t1 rc=0 rss wall cpu
  sync
  t0=$EPOCHREALTIME
  /usr/bin/time -v -o "$scratch/time.txt" timeout -k 10 "$timeout_s" "$@" \
    </dev/null >"$log" 2>&1 || rc=$?
  t1=$EPOCHREALTIME
  rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$scratch/time.txt")
  cpu=$(awk -F': ' '/(User|System) time \(seconds\)/ { s += $2 }
    END { printf "%.2f", s }' "$scratch/time.txt")
  wall=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$key" "$rep" "$wall" "${rss:-0}" "$rc" "$cpu" >>"$raw"
  if ((rc != 0)); then
    echo "$key run $rep: exit status $rc; $(tail -n 2 "$log" | tr '\n' ' ')" >>"$notes"
    say "$key run $rep FAILED (exit $rc), see $log"
  else
    say "$key run $rep: ${wall} s, ${cpu} s CPU, ${rss} KB"
  fi
}

# Reads every file of the trees, untimed, so that a run finds them in the
# file system cache: this machine pages out what nobody touched for a
# minute (DAMON), and the round of runs takes longer than that.
warm() {
  find "$@" -type f -print0 | xargs -0 -r cat >/dev/null
}

fresh_copy() {
  rm -rf "$1"
  cp -r "$photos" "$1"
}

orvanta=("$cli" --quiet --program-folder "$scratch/program")
dated_run=("${orvanta[@]}" --style modern --set SortByDateTaken=True "$dated")
outfolder_run=("${orvanta[@]}" --style modern --set SortByDateTaken=True --output "$dated_out"
  "$dated")
zips_run=("${orvanta[@]}" --set AlbumDownloads=True "$album")
album_zip="$album/${album##*/}.zip"

# The pages-only runs on the big tree rewrite a gallery that exists (as
# running the program again on a tree does). When the tree is new, its
# first gallery is made before the round-robin runs, so all of them do the
# same work; that first run, which writes every page new, is reported on
# its own line. The dated tree's galleries (in place and in an output
# folder) and the album's are made first, untimed, the same way.
mkdir -p "$scratch/program"
if wanted orvanta-many && [[ ! -f $many/index.html ]]; then
  say "first gallery of $many"
  measure orvanta-many-first 1 "${orvanta[@]}" "$many"
fi
first_gallery() {
  local dir=$1
  shift
  if [[ ! -f $dir/index.html ]]; then
    say "first gallery of $dir"
    "$@" >/dev/null
  fi
}
if wanted orvanta-dated; then first_gallery "$dated" "${dated_run[@]}"; fi
if wanted orvanta-outfolder; then first_gallery "$dated_out" "${outfolder_run[@]}"; fi
if wanted orvanta-zips; then first_gallery "$album" "${zips_run[@]}"; fi

# check NAME OK DETAIL: records whether a run's output passed a check
# (OK: 1 or 0); a failure is explained in the notes.
check() {
  printf '%s\t%s\t%s\n' "$1" "$rep" "$2" >>"$checks"
  if (($2 == 0)); then
    echo "$1 run $rep: $3" >>"$notes"
    say "$1 run $rep: check FAILED: $3"
  fi
}

# untouched NAME TREE STAMP: checks that nothing under TREE changed after
# STAMP was made.
untouched() {
  local changed
  changed=$(find "$2" -newer "$3" | head -n 3 | tr '\n' ' ')
  check "$1" "$([[ -z $changed ]] && echo 1 || echo 0)" "the input tree changed: $changed"
}

# ---------------------------------------------------------------- rows
run_floor() {
  warm "$photos"
  measure floor "$rep" bash -c \
    'while IFS= read -r f; do djpeg -scale 1/8 "$f" >/dev/null || exit 1; done <"$1"' \
    _ "$work/photos.list"
}

run_floor2() {
  measure floor2 "$rep" bash -c \
    'xargs -d "\n" -n 1 -P 2 djpeg -scale 1/8 <"$1" >/dev/null' _ "$work/photos.list"
}

run_floor_mid() {
  measure floor-mid "$rep" bash -c \
    'while IFS= read -r f; do djpeg -scale 1/2 "$f" | cjpeg -quality 85 >/dev/null || exit 1; done <"$1"' \
    _ "$work/photos.list"
}

run_vipsthumbnail() {
  rm -rf "$scratch/vips"
  mkdir -p "$scratch/vips"
  measure vipsthumbnail "$rep" vipsthumbnail -s 150x150 -o "$scratch/vips/%s.jpg" \
    "${photo_files[@]}"
}

run_llgal() {
  fresh_copy "$scratch/llgal"
  measure llgal "$rep" bash -c 'for d; do llgal -d "$d" || exit 1; done' _ \
    "${photo_dirs[@]/#/$scratch/llgal/}"
}

# fresh_run KEY OPTION...: orvanta-cli from scratch on a fresh copy of the
# photos.
fresh_run() {
  local key=$1
  shift
  fresh_copy "$scratch/orvanta"
  rm -rf "$scratch/program"
  mkdir -p "$scratch/program"
  measure "$key" "$rep" "${orvanta[@]}" "$@" "$scratch/orvanta"
}

run_orvanta_scratch() {
  fresh_run orvanta-scratch
  local thumbs pages
  thumbs=$(find "$scratch/orvanta" -type f -name 't_*.jpg' | wc -l)
  pages=$(find "$scratch/orvanta" -type f -name 'IMG_*.html' | wc -l)
  if ((thumbs != photo_count || pages != photo_count)); then
    echo "orvanta-scratch run $rep: $thumbs thumbnails and $pages picture pages for $photo_count photos" >>"$notes"
  fi
}

run_orvanta_pages() {
  measure orvanta-pages "$rep" "${orvanta[@]}" "$scratch/orvanta"
}

run_orvanta_facts() {
  fresh_run orvanta-facts --set SortByDateTaken=True
}

run_orvanta_mid() {
  fresh_run orvanta-mid --set CreateMidSizeFiles=True --set TargetResolutionIndex=4
  local copies
  copies=$(find "$scratch/orvanta" -type f -name 'm_IMG_*.jpg' | wc -l)
  if ((copies != photo_count)); then
    echo "orvanta-mid run $rep: $copies copies for $photo_count photos" >>"$notes"
  fi
}

run_cp_photos() {
  warm "$photos"
  rm -rf "$scratch/cp"
  measure cp-photos "$rep" cp -r "$photos" "$scratch/cp"
}

run_orvanta_publish() {
  warm "$photos"
  rm -rf "$scratch/publish" "$scratch/program"
  mkdir -p "$scratch/program"
  touch "$scratch/publish.stamp"
  measure orvanta-publish "$rep" "${orvanta[@]}" --output "$scratch/publish" "$photos"
  untouched publish-input "$photos" "$scratch/publish.stamp"
  local published located
  published=$(find "$scratch/publish" -type f -name 'IMG_*.jpg' | wc -l)
  located=$(exiftool -r -q -q -ext jpg -if 'defined $GPSLatitude or defined $GPSLongitude' \
    -p '$Directory/$FileName' "$scratch/publish" | wc -l || true)
  check publish-position "$((published == photo_count && located == 0))" \
    "$published of $photo_count photos published, $located JPEG(s) of the output with a GPS position"
}

run_orvanta_dated() {
  warm "$dated"
  measure orvanta-dated "$rep" "${dated_run[@]}"
}

run_orvanta_outfolder() {
  warm "$dated" "$dated_out"
  touch "$scratch/outfolder.stamp"
  measure orvanta-outfolder "$rep" "${outfolder_run[@]}"
  untouched outfolder-input "$dated" "$scratch/outfolder.stamp"
}

run_orvanta_many() {
  warm "$many"
  measure orvanta-many "$rep" "${orvanta[@]}" "$many"
}

run_cat_album() {
  warm "$album"
  measure cat-album "$rep" bash -c 'cat -- "$@" >/dev/null' _ "${album_files[@]}"
}

run_cat_album_file() {
  rm -f "$scratch/album.cat"
  warm "$album"
  measure cat-album-file "$rep" bash -c 'cat -- "$@" >"$0"' "$scratch/album.cat" "${album_files[@]}"
  rm -f "$scratch/album.cat"
}

run_orvanta_zips() {
  rm -f "$album_zip"
  warm "$album"
  measure orvanta-zips "$rep" "${zips_run[@]}"
  check_zip
}

# The album's zip: complete and readable (unzip -t, Python's zipfile), every
# photo in it, and left as it is by a rerun of the unchanged album.
check_zip() {
  local detail="" before after
  if [[ ! -f $album_zip ]]; then
    check zip-valid 0 "no $album_zip"
    return
  fi
  unzip -tqq "$album_zip" >"$scratch/unzip.txt" 2>&1 ||
    detail="unzip -t: $(head -n 2 "$scratch/unzip.txt" | tr '\n' ' ')"
  detail+=$(python3 -c '
import sys, zipfile
try:
    with zipfile.ZipFile(sys.argv[1]) as z:
        bad = z.testzip()
        names = sorted(i.filename for i in z.infolist())
    if bad is not None:
        print(f"zipfile: {bad} is damaged", end="")
    elif names != sorted(sys.argv[2:]):
        print(f"zipfile: {len(names)} members for {len(sys.argv) - 2} photos", end="")
except Exception as e:
    print(f"zipfile: {e!r}", end="")
' "$album_zip" "${album_files[@]##*/}" 2>&1 | tr '\n' ' ')
  check zip-valid "$([[ -z $detail ]] && echo 1 || echo 0)" "$detail"
  before=$(stat -c '%y %i' "$album_zip")
  "${zips_run[@]}" >/dev/null 2>&1 || true
  after=$(stat -c '%y %i' "$album_zip" 2>/dev/null || echo gone)
  check zip-kept "$([[ $before = "$after" ]] && echo 1 || echo 0)" \
    "a rerun of the unchanged album rewrote its zip ($before, then $after)"
}

run_convert_mixed() {
  rm -rf "$scratch/convert"
  mkdir -p "$scratch/convert"
  warm "$mixed"
  measure convert-mixed "$rep" bash -c \
    'for f; do convert "$f[0]" -thumbnail 150x150 "$0/${f//\//_}" || exit 1; done' \
    "$scratch/convert" "${mixed_files[@]}"
}

run_orvanta_mixed() {
  rm -rf "$scratch/mixed"
  cp -r "$mixed" "$scratch/mixed"
  rm -rf "$scratch/program"
  mkdir -p "$scratch/program"
  measure orvanta-mixed "$rep" "${orvanta[@]}" "$scratch/mixed"
  local thumbs
  thumbs=$(find "$scratch/mixed" -type f -name 't_*' | wc -l)
  if ((thumbs != mixed_count)); then
    echo "orvanta-mixed run $rep: $thumbs thumbnails for $mixed_count pictures" >>"$notes"
  fi
}

run_ffmpeg_frames() {
  rm -rf "$scratch/frames"
  mkdir -p "$scratch/frames"
  warm "$movies"
  measure ffmpeg-frames "$rep" bash -c \
    'for f; do ffmpeg -nostdin -v error -ss 6 -i "$f" -frames:v 1 "$0/${f##*/}.jpg" || exit 1; done' \
    "$scratch/frames" "${movie_files[@]}"
}

run_orvanta_movies() {
  rm -rf "$scratch/movies" "$scratch/program"
  cp -al "$movies" "$scratch/movies"
  mkdir -p "$scratch/program"
  measure orvanta-movies "$rep" "${orvanta[@]}" --set CreateMovieThumbnails=True \
    --set MovieFilesToMatch=mp4 "$scratch/movies"
  local thumbs
  thumbs=$(find "$scratch/movies" -type f -name 't_*.jpg' | wc -l)
  if ((thumbs != ${#movie_files[@]})); then
    echo "orvanta-movies run $rep: $thumbs thumbnails for ${#movie_files[@]} clips" >>"$notes"
  fi
}

run_ffmpeg_web() {
  rm -rf "$scratch/web-hand"
  mkdir -p "$scratch/web-hand"
  warm "$hevc"
  measure ffmpeg-web "$rep" ffmpeg -nostdin -v error -i "$hevc/phone.mov" \
    -vf scale=-2:720 -c:v libx264 -preset veryfast -crf 23 -c:a aac \
    -movflags +faststart "$scratch/web-hand/phone.mp4"
}

run_orvanta_web() {
  rm -rf "$scratch/hevc" "$scratch/program"
  cp -al "$hevc" "$scratch/hevc"
  mkdir -p "$scratch/program"
  measure orvanta-web "$rep" "${orvanta[@]}" --set CreateWebVideos=True \
    --set MovieFilesToMatch=mov --set TargetResolutionIndex=3 "$scratch/hevc"
  if [[ ! -f $scratch/hevc/m_phone.mp4 ]]; then
    echo "orvanta-web run $rep: no web copy made" >>"$notes"
  fi
}

for ((rep = 1; rep <= runs; rep++)); do
  for key in "${rows[@]}"; do
    if wanted "$key"; then "run_${key//-/_}"; fi
  done
done
loadavg_end=$(cut -d' ' -f1-3 /proc/loadavg)
measure_end=$EPOCHREALTIME
if [[ -n ${BENCH_LOCK:-} ]]; then
  exec 9>&-
fi

# ---------------------------------------------------------------- report
photo_bytes=$(du -cb "${photo_files[@]}" | tail -n 1 | cut -f1)
git_status=$(git -C "$repo" status --porcelain --untracked-files=no -- src cmake CMakeLists.txt 2>/dev/null | wc -l)
{
  printf 'date\t%s\n' "$(date '+%Y-%m-%d %H:%M %Z')"
  printf 'nproc\t%s\n' "$(nproc)"
  printf 'cpu\t%s\n' "$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)"
  printf 'memory\t%s\n' "$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
  printf 'kernel\t%s\n' "$(uname -sr)"
  printf 'filesystem\t%s\n' "$(findmnt -no FSTYPE,OPTIONS -T "$work" | tr -s ' ' ' ')"
  printf 'commit\t%s\n' "$(git -C "$repo" rev-parse --short HEAD)"
  printf 'commit_subject\t%s\n' "$(git -C "$repo" log -1 --format=%s)"
  printf 'source_changes\t%s\n' "$git_status"
  printf 'program_commit\t%s\n' "$(git -C "$repo" log -1 --format='%h (%s)' -- src cmake CMakeLists.txt)"
  printf 'sources_newer\t%s\n' "$(cd "$repo" && find src cmake CMakeLists.txt -type f -newer "$cli" | wc -l)"
  printf 'binary_time\t%s\n' "$(date -r "$cli" '+%Y-%m-%d %H:%M %Z')"
  printf 'runs\t%s\n' "$runs"
  if [[ -n $only ]]; then
    printf 'only\t%s\n' "$(for key in "${rows[@]}"; do if wanted "$key"; then printf '%s ' "$key"; fi; done)"
  fi
  printf 'photo_count\t%s\n' "$photo_count"
  printf 'photo_folders\t%s\n' "${#photo_dirs[@]}"
  printf 'photo_bytes\t%s\n' "$photo_bytes"
  printf 'photo_size\t%s\n' "$(identify -format '%w x %h' "${photo_files[0]}")"
  printf 'many_count\t%s\n' "$many_count"
  printf 'mixed_count\t%s\n' "$mixed_count"
  printf 'movie_count\t%s\n' "${#movie_files[@]}"
  printf 'dated_count\t%s\n' "$dated_count"
  printf 'album_count\t%s\n' "${#album_files[@]}"
  # The web copies of the last runs: bytes and size ("1234567 1216x684").
  for made in ffmpeg:"$scratch/web-hand/phone.mp4" orvanta:"$scratch/hevc/m_phone.mp4"; do
    printf 'web_copy_%s\t%s %s\n' "${made%%:*}" "$(stat -c %s "${made#*:}" 2>/dev/null || echo 0)" \
      "$(ffprobe -v error -select_streams v:0 -show_entries stream=width,height \
        -of csv=s=x:p=0 "${made#*:}" 2>/dev/null || echo none)"
  done
  printf 'version_ffmpeg\t%s\n' "$(dpkg-query -W -f='${Version}' ffmpeg)"
  printf 'mixed_kinds\t%s\n' "$(find "$mixed" -type f -name 'pic*' | sed 's/.*\.//' | sort | uniq -c | awk '{ printf "%s%s %s", sep, $1, $2; sep = ", " }')"
  printf 'many_folders\t%s\n' "$(find "$many" -mindepth 1 -maxdepth 1 -type d | wc -l)"
  printf 'loadavg_start\t%s\n' "$loadavg_start"
  printf 'loadavg_end\t%s\n' "$loadavg_end"
  printf 'locked\t%s\n' "${BENCH_LOCK:+yes}"
  printf 'measure_seconds\t%s\n' "$(awk -v a="$measure_start" -v b="$measure_end" 'BEGIN { printf "%.0f", b - a }')"
  printf 'total_seconds\t%s\n' "$(awk -v a="$bench_start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", b - a }')"
  for p in libjpeg-turbo-progs libvips-tools llgal imagemagick; do
    printf 'version_%s\t%s\n' "$p" "$(dpkg-query -W -f='${Version}' "$p")"
  done
} >"$meta"
python3 "$here/report.py" "$raw" "$meta" "$notes" "$results" "$checks"
say "written $results"
