#!/usr/bin/env python3
"""report.py RAW META NOTES RESULTS [CHECKS]

Turns the raw measurements of bench/run.sh into a Markdown table: medians,
ratio to the floor, peak memory, pictures per second and the targets with
PASS/FAIL. Prints it and writes it to RESULTS.

RAW:   key, run, wall seconds, maximum resident set size (KB), exit status,
       CPU seconds (tab-separated, one line per run).
META:  key, value (tab-separated) about the machine and the trees.
NOTES: free lines to add to the notes (failures, odd outputs).
CHECKS: check, run, 1 or 0 (tab-separated): what the script found of a run's
       output (a zip's validity, positions left in published files).
"""
import statistics
import sys

# Targets the program must meet.
SCRATCH_MAX_RATIO = 0.50      # whole gallery from scratch, wall, times the floor
SCRATCH_MAX_CPU_RATIO = 1.15  # the same run's CPU time, times the floor's
PEAK_MAX_MIB = 40.0           # any orvanta-cli run on the photos or the big tree
MANY_MIN_RATE = 9000.0        # pages only on the big tree, pictures per second
MID_MAX_RATIO = 0.55          # whole gallery with web-size copies, wall, times floor-mid
MID_MAX_CPU_RATIO = 1.05      # the same run's CPU time, times floor-mid's
MID_PEAK_MAX_MIB = 64.0       # that run's peak memory
FACTS_MAX_COST = 0.05         # reading every photo's metadata, share of a whole run's CPU
DATED_MAX_SECONDS = 2.0       # rerun of the 15,000 dated pictures, pages only
WEB_MAX_CPU_RATIO = 1.10      # a movie's web copy, CPU times ffmpeg's by hand
WEB_MAX_SIZE_RATIO = 1.25     # and its bytes times those of ffmpeg's copy
OUTFOLDER_MAX_RATIO = 1.20    # dated rerun in an output folder, wall, times in place
PUBLISH_MAX_CPU_RATIO = 1.10  # publishing the photos, CPU, times cp -r plus orvanta-scratch
ZIP_MAX_RATIO = 1.20          # the album's zip, wall, times cat of its photos
ZIP_PEAK_MAX_MIB = 64.0       # that run's peak memory

# What the script checks of the runs' output, each a target met when every
# run passed it.
CHECKS = [
    ("publish-input", "publishing with an output folder leaves the photo tree untouched"),
    ("publish-position", "every photo published, no GPS position left in any JPEG of the output"
     " folder (exiftool)"),
    ("outfolder-input", "the dated rerun with an output folder leaves the dated tree untouched"),
    ("zip-valid", "the album's zip passes `unzip -t` and Python's zipfile, every photo in it"),
    ("zip-kept", "a rerun of the unchanged album leaves its zip as it is (same mtime and inode)"),
]

ROWS = [
    ("floor", "floor: `djpeg -scale 1/8` over every photo, one after another", "photos"),
    ("floor2", "`djpeg -scale 1/8` over every photo, two at a time (the limit on two cores)", "photos"),
    ("floor-mid", "floor of copies: `djpeg -scale 1/2 \\| cjpeg -quality 85` over every photo,"
     " one after another", "photos"),
    ("vipsthumbnail", "`vipsthumbnail -s 150x150` over every photo", "photos"),
    ("llgal", "`llgal -d FOLDER`, folder by folder (thumbnails and pages)", "photos"),
    ("orvanta-scratch", "`orvanta-cli`, whole gallery from scratch (thumbnails and pages)", "photos"),
    ("orvanta-pages", "`orvanta-cli`, pages only (thumbnails exist)", "photos"),
    ("orvanta-facts", "`orvanta-cli`, whole gallery from scratch, SortByDateTaken (metadata read)",
     "photos"),
    ("orvanta-mid", "`orvanta-cli`, whole gallery from scratch with 1600x1200 web-size copies",
     "photos"),
    ("orvanta-dated", "`orvanta-cli --style modern`, SortByDateTaken, pages only, dated tree"
     " (metadata read)", "dated"),
    ("orvanta-outfolder", "`orvanta-cli --style modern --output DIR`, SortByDateTaken, rerun of an"
     " unchanged gallery, dated tree", "dated"),
    ("cp-photos", "`cp -r` of the photo tree", "photos"),
    ("orvanta-publish", "`orvanta-cli --output DIR`, whole gallery from scratch, originals published"
     " without their position", "photos"),
    ("orvanta-many", "`orvanta-cli`, pages only, big tree (thumbnails exist)", "many"),
    # Only when the big tree was new: its first gallery, every page new.
    ("orvanta-many-first", "`orvanta-cli`, big tree's first gallery (once; pages written new)", "many"),
    ("cat-album", "album (the 120 photos in one folder): `cat` of every photo to /dev/null", "album"),
    ("cat-album-file", "album: `cat` of every photo into one file (the bytes a stored zip reads and"
     " writes)", "album"),
    ("orvanta-zips", "album: `orvanta-cli --set AlbumDownloads=True`, thumbnails and pages exist"
     " (the album's zip made)", "album"),
    ("convert-mixed", "mixed tree: `convert FILE[0] -thumbnail 150x150` over every picture", "mixed"),
    ("orvanta-mixed", "mixed tree: `orvanta-cli`, whole gallery from scratch", "mixed"),
    ("ffmpeg-frames", "movies: `ffmpeg -ss 6 -i CLIP -frames:v 1 FRAME.jpg` by hand, clip after clip",
     "movies"),
    ("orvanta-movies", "movies: `orvanta-cli` with CreateMovieThumbnails, whole gallery", "movies"),
    ("ffmpeg-web", "30 s 1080p HEVC clip: `ffmpeg -i CLIP -vf scale=-2:720 -c:v libx264 -preset veryfast"
     " -crf 23 -c:a aac -movflags +faststart` by hand", "clip"),
    ("orvanta-web", "30 s 1080p HEVC clip: `orvanta-cli` with CreateWebVideos (screen 1280x960),"
     " whole gallery", "clip"),
]


def read_tsv(path):
    with open(path, encoding="utf-8") as f:
        return [line.rstrip("\n").split("\t") for line in f if line.strip()]


def verdict(ok):
    return "PASS" if ok else "FAIL"


def web_targets(ours, hand, meta):
    """The web copy's CPU time and bytes against ffmpeg's by hand."""
    cpu_ratio = ours["cpu"] / hand["cpu"]
    ok = cpu_ratio <= WEB_MAX_CPU_RATIO and not ours["failed"]
    targets = [(f"a 30 s 1080p HEVC clip's web copy: at most {WEB_MAX_CPU_RATIO:.2f} x the CPU time"
                " of ffmpeg's by hand", f"{cpu_ratio:.2f} x ({ours['cpu']:.2f} s vs {hand['cpu']:.2f} s)",
                ok)]
    ours_bytes, ours_size = (meta.get("web_copy_orvanta", "0 none").split(" ") + ["none"])[:2]
    hand_bytes, hand_size = (meta.get("web_copy_ffmpeg", "0 none").split(" ") + ["none"])[:2]
    if int(hand_bytes) > 0:
        size_ratio = int(ours_bytes) / int(hand_bytes)
        targets.append((f"a 30 s 1080p HEVC clip's web copy: at most {WEB_MAX_SIZE_RATIO:.2f} x the bytes"
                        " of ffmpeg's", f"{size_ratio:.2f} x ({int(ours_bytes) / 1e6:.1f} MB at {ours_size}"
                        f" vs {int(hand_bytes) / 1e6:.1f} MB at {hand_size})",
                        size_ratio <= WEB_MAX_SIZE_RATIO and int(ours_bytes) > 0))
    return targets


def ratio_target(text, ours, theirs, field, limit, unit="s"):
    """A target on ours[field] at most `limit` times `theirs` (a number)."""
    ratio = ours[field] / theirs
    return (f"{text}: at most {limit:.2f} x", f"{ratio:.2f} x ({ours[field]:.2f} {unit} vs {theirs:.2f}"
            f" {unit})", ratio <= limit and not ours["failed"])


def output_targets(stats):
    """The output folder's rerun, publishing, and the album's zip against their peers."""
    targets = []
    ours, theirs = stats["orvanta-outfolder"], stats["orvanta-dated"]
    if ours["median"] and theirs["median"]:
        targets.append(ratio_target("rerun of the unchanged dated gallery in an output folder, wall"
                                    " time, against the rerun in place", ours, theirs["median"],
                                    "median", OUTFOLDER_MAX_RATIO))
    ours, cp, scratch = stats["orvanta-publish"], stats["cp-photos"], stats["orvanta-scratch"]
    if ours["cpu"] is not None and cp["cpu"] is not None and scratch["cpu"] is not None:
        targets.append(ratio_target("publishing the photos (`--output`, from scratch), CPU time, against"
                                    f" `cp -r` ({cp['cpu']:.2f} s) plus the whole gallery in place"
                                    f" ({scratch['cpu']:.2f} s)", ours, cp["cpu"] + scratch["cpu"],
                                    "cpu", PUBLISH_MAX_CPU_RATIO))
    # A zip is a file the photos' bytes are written into: disk speed is
    # `cat` of the same photos into one file.
    ours, cat = stats["orvanta-zips"], stats["cat-album-file"]
    if ours["median"] and cat["median"]:
        targets.append(ratio_target("the album's zip (the whole run), wall time, against `cat` of its"
                                    " photos into one file", ours, cat["median"], "median",
                                    ZIP_MAX_RATIO))
    if ours["n"]:
        targets.append((f"peak memory, the album's zip: at most {ZIP_PEAK_MAX_MIB:.0f} MiB",
                        f"{ours['peak_mib']:.1f} MiB",
                        ours["peak_mib"] <= ZIP_PEAK_MAX_MIB and not ours["failed"]))
    return targets


def check_targets(checks_path):
    """Each check the script made, met when every run passed it."""
    if not checks_path:
        return []
    found = {}
    for name, _run, ok in read_tsv(checks_path):
        found.setdefault(name, []).append(ok == "1")
    return [(text, f"{sum(found[name])} of {len(found[name])} runs", all(found[name]))
            for name, text in CHECKS if name in found]


def output_notes(stats, meta):
    """How the output folder, publishing and zip rows are to be read."""
    notes = []
    if stats["orvanta-outfolder"]["n"]:
        notes.append("- Output folder: orvanta-outfolder reruns the dated tree's gallery with `--output`"
                     " and the same options as orvanta-dated (its first gallery there is made once,"
                     " untimed), so both rows rewrite the same gallery, one beside the pictures and"
                     " one in a folder of its own whose originals are only checked, not copied again.")
    if stats["orvanta-publish"]["n"]:
        notes.append("- Publishing: orvanta-publish makes the photos' gallery from scratch in an empty"
                     " output folder, each original copied with its GPS position removed (every photo"
                     " carries one); its CPU time is compared with that of `cp -r` of the photos plus"
                     " the whole gallery made in place (orvanta-scratch), the work it replaces.")
    if stats["orvanta-zips"]["n"]:
        notes.append(f"- Album zip: the album is the {meta.get('album_count', '120')} photos (hard links)"
                     " in one folder; its thumbnails and pages exist and its zip is removed before"
                     " each run, so the timed run is what a person waits for when the zip is to be"
                     " made (the option turned on, or a photo changed): the whole command, planning"
                     " and pages included, not a difference of two runs. Both it and `cat` read the"
                     " photos from the file system cache; the zip's bytes are written to the cache"
                     " too (written to disk later, as for any file), `cat`'s go to /dev/null;"
                     " `cat` into one file reads and writes the same bytes as a zip that stores them.")
        zips, copy = stats["orvanta-zips"]["median"], stats["cat-album-file"]["median"]
        cat = stats["cat-album"]["median"]
        if zips and copy and cat:
            notes.append(f"- The album's zip took {zips / copy:.2f} x the wall time of `cat` into one"
                         f" file ({zips:.2f} s vs {copy:.2f} s); writing the bytes at all (`cat` into"
                         f" one file) took {copy / cat:.2f} x the wall time of `cat` to /dev/null.")
    return notes


def main() -> int:
    raw_path, meta_path, notes_path, results_path = sys.argv[1:5]
    checks_path = sys.argv[5] if len(sys.argv) > 5 else ""
    meta = {k: v for k, v in read_tsv(meta_path)}
    with open(notes_path, encoding="utf-8") as f:
        extra_notes = [line.strip() for line in f if line.strip()]

    runs = {}
    for key, _run, wall, rss, rc, cpu in read_tsv(raw_path):
        runs.setdefault(key, []).append((float(wall), int(rss), int(rc), float(cpu)))

    counts = {"photos": int(meta["photo_count"]), "many": int(meta["many_count"]),
              "mixed": int(meta["mixed_count"]), "movies": int(meta["movie_count"]),
              "dated": int(meta.get("dated_count", "0")), "clip": 1,
              "album": int(meta.get("album_count", "0"))}
    partial = "only" in meta
    stats = {}
    for key, _label, tree in ROWS:
        rs = runs.get(key, [])
        ok = [r for r in rs if r[2] == 0]
        walls = [r[0] for r in ok]
        stats[key] = {
            "n": len(rs),
            "failed": len(rs) - len(ok),
            "median": statistics.median(walls) if walls else None,
            "min": min(walls) if walls else None,
            "max": max(walls) if walls else None,
            "cpu": statistics.median(r[3] for r in ok) if ok else None,
            "peak_mib": max((r[1] for r in rs), default=0) / 1024.0,
            "pictures": counts[tree],
        }
    floor = stats["floor"]["median"]
    floor2 = stats["floor2"]["median"]
    floor_cpu = stats["floor"]["cpu"]
    # Web-size copies are compared with their own floor.
    floors = {key: ("floor-mid" if key in ("floor-mid", "orvanta-mid") else "floor")
              for key, _label, _tree in ROWS}

    targets = []  # (text, measured, ok)
    table = [
        "| Task | Pictures | Wall s, median (min-max) | x floor | x floor 2 at a time"
        " | CPU s | x floor CPU | Peak memory MiB | Pictures/s |",
        "|---|--:|--:|--:|--:|--:|--:|--:|--:|",
    ]
    for key, label, _tree in ROWS:
        s = stats[key]
        if s["n"] == 0 and (partial or key == "orvanta-many-first"):
            continue
        if s["median"] is None:
            table.append(f"| {label} | {s['pictures']:,} | FAILED ({s['failed']} of {s['n']} runs) | | | | | | |")
            if key.startswith("orvanta"):
                targets.append((f"{label}: runs", "failed", False))
            continue
        wall = f"{s['median']:.2f} ({s['min']:.2f}-{s['max']:.2f})"
        if s["failed"]:
            wall += f", {s['failed']} run(s) failed"
        own_floor, own_floor_cpu = stats[floors[key]]["median"], stats[floors[key]]["cpu"]
        ratio = s["median"] / own_floor if own_floor else None
        ratio_cell = f"{ratio:.2f}" if ratio is not None else "n/a"
        ratio2_cell = f"{s['median'] / floor2:.2f}" if floor2 else "n/a"
        if floors[key] != "floor":
            ratio2_cell = "-"
        cpu_ratio = s["cpu"] / own_floor_cpu if own_floor_cpu else None
        cpu_cell = f"{s['cpu']:.2f}"
        cpu_ratio_cell = f"{cpu_ratio:.2f}" if cpu_ratio is not None else "n/a"
        if _tree != "photos":
            # another tree: no floor to compare with
            ratio_cell = ratio2_cell = cpu_ratio_cell = "-"
        peak_cell = f"{s['peak_mib']:.1f}"
        rate = s["pictures"] / s["median"] if s["median"] > 0 else float("inf")
        rate_cell = f"{rate:,.0f}"
        if key in ("orvanta-scratch", "orvanta-pages", "orvanta-many"):
            ok = s["peak_mib"] <= PEAK_MAX_MIB and not s["failed"]
            peak_cell += f" (<= {PEAK_MAX_MIB:.0f}: **{verdict(ok)}**)"
            targets.append((f"peak memory, {label}: at most {PEAK_MAX_MIB:.0f} MiB",
                            f"{s['peak_mib']:.1f} MiB", ok))
        if key == "orvanta-scratch" and floor and floor_cpu:
            ok = ratio is not None and ratio <= SCRATCH_MAX_RATIO and not s["failed"]
            ratio_cell += f" (<= {SCRATCH_MAX_RATIO:.2f}: **{verdict(ok)}**)"
            targets.insert(0, (f"{label}: at most {SCRATCH_MAX_RATIO:.2f} x the floor's wall time",
                               f"{ratio_cell.split(' ')[0]} x ({s['median']:.2f} s vs {floor:.2f} s)", ok))
            ok = cpu_ratio is not None and cpu_ratio <= SCRATCH_MAX_CPU_RATIO and not s["failed"]
            cpu_ratio_cell += f" (<= {SCRATCH_MAX_CPU_RATIO:.2f}: **{verdict(ok)}**)"
            targets.insert(1, (f"{label}: at most {SCRATCH_MAX_CPU_RATIO:.2f} x the floor's CPU time",
                               f"{cpu_ratio:.2f} x ({s['cpu']:.2f} s vs {floor_cpu:.2f} s)", ok))
        if key == "orvanta-mid" and own_floor and own_floor_cpu:
            ok = ratio is not None and ratio <= MID_MAX_RATIO and not s["failed"]
            ratio_cell += f" (<= {MID_MAX_RATIO:.2f}: **{verdict(ok)}**)"
            targets.append((f"{label}: at most {MID_MAX_RATIO:.2f} x the floor of copies' wall time",
                            f"{ratio:.2f} x ({s['median']:.2f} s vs {own_floor:.2f} s)", ok))
            ok = cpu_ratio is not None and cpu_ratio <= MID_MAX_CPU_RATIO and not s["failed"]
            cpu_ratio_cell += f" (<= {MID_MAX_CPU_RATIO:.2f}: **{verdict(ok)}**)"
            targets.append((f"{label}: at most {MID_MAX_CPU_RATIO:.2f} x the floor of copies' CPU"
                            " time", f"{cpu_ratio:.2f} x ({s['cpu']:.2f} s vs {own_floor_cpu:.2f} s)",
                            ok))
            ok = s["peak_mib"] <= MID_PEAK_MAX_MIB and not s["failed"]
            peak_cell += f" (<= {MID_PEAK_MAX_MIB:.0f}: **{verdict(ok)}**)"
            targets.append((f"peak memory, {label}: at most {MID_PEAK_MAX_MIB:.0f} MiB",
                            f"{s['peak_mib']:.1f} MiB", ok))
        if key == "orvanta-facts" and stats["orvanta-scratch"]["cpu"]:
            base = stats["orvanta-scratch"]
            cost = s["cpu"] / base["cpu"] - 1
            ok = cost <= FACTS_MAX_COST and not s["failed"]
            targets.append((f"reading every photo's metadata (SortByDateTaken) in a whole gallery run:"
                            f" at most {FACTS_MAX_COST:.0%} more CPU time",
                            f"{cost:+.1%} CPU ({s['cpu']:.2f} s vs {base['cpu']:.2f} s),"
                            f" {s['median'] / base['median'] - 1:+.1%} wall", ok))
        if key == "orvanta-dated":
            ok = s["median"] < DATED_MAX_SECONDS and not s["failed"]
            rate_cell += f" (< {DATED_MAX_SECONDS:.0f} s: **{verdict(ok)}**)"
            targets.append((f"{label}: under {DATED_MAX_SECONDS:.0f} s",
                            f"{s['median']:.2f} s", ok))
        if key == "orvanta-many":
            ok = rate >= MANY_MIN_RATE and not s["failed"]
            rate_cell += f" (>= {MANY_MIN_RATE:,.0f}: **{verdict(ok)}**)"
            targets.append((f"{label}: at least {MANY_MIN_RATE:,.0f} pictures/s",
                            f"{rate:,.0f} pictures/s", ok))
        if key == "orvanta-web" and stats["ffmpeg-web"]["cpu"]:
            targets.extend(web_targets(s, stats["ffmpeg-web"], meta))
        table.append(f"| {label} | {s['pictures']:,} | {wall} | {ratio_cell} | {ratio2_cell} | {cpu_cell}"
                     f" | {cpu_ratio_cell} | {peak_cell} | {rate_cell} |")

    hand, ours = stats["ffmpeg-frames"]["median"], stats["orvanta-movies"]["median"]
    movie_note = ""
    if hand and ours:
        n = counts["movies"]
        movie_note = (f"- Movies: {ours / n:.2f} s a clip for orvanta-cli (the clip described by one"
                      f" ffmpeg run, the frame taken and fitted by another) against {hand / n:.2f} s"
                      " a clip for one ffmpeg run by hand that writes the full-size frame.")

    targets += output_targets(stats) + check_targets(checks_path)
    target_table = ["| Target | Measured | Result |", "|---|--:|---|"]
    for text, measured, ok in targets:
        target_table.append(f"| {text} | {measured} | **{verdict(ok)}** |")

    changes = int(meta.get("source_changes", "0"))
    commit_line = f"`{meta['commit']}` ({meta['commit_subject']})"
    if "program_commit" in meta:
        commit_line += f"; last commit of the program's sources `{meta['program_commit']}`"
    if changes:
        commit_line += (f"; {changes} tracked source file(s) had uncommitted changes,"
                        " which the measured binary may include")
    photo_mb = int(meta["photo_bytes"]) / 1e6
    lines = [
        "# Orvanta benchmark",
        "",
        f"- Date: {meta['date']}",
        f"- Machine: {meta['nproc']} CPUs (nproc), {meta['cpu']}, {meta['memory']} RAM, {meta['kernel']},"
        f" trees on {meta.get('filesystem', '?')}",
        f"- Commit measured: {commit_line}; orvanta-cli built {meta['binary_time']}"
        + (f" ({meta['sources_newer']} source file(s) were newer than it)"
           if int(meta.get("sources_newer", "0")) else ""),
        f"- Photos: {meta['photo_count']} JPEGs in {meta['photo_folders']} folders, "
        f"{meta['photo_size']} px (first photo), {photo_mb:.0f} MB in all "
        f"({photo_mb / int(meta['photo_count']):.2f} MB each on average), "
        "made from Debian's mate-backgrounds nature/ wallpapers (bench/make_photo.sh)",
        f"- Big tree: {int(meta['many_count']):,} small pictures (320 px) in "
        f"{int(meta['many_folders']):,} folders, their t_ thumbnails present",
        f"- Mixed tree: {meta['mixed_count']} pictures ({meta['mixed_kinds']}) made from the photos:"
        " PNGs of 1600 px, GIFs of 800 px, BMPs of 1200 px, portrait JPEGs of 3000 px turned by"
        " their EXIF orientation, three PNGs of 5000 px (bench/make_mixed.sh)",
        f"- Peers (Debian versions): libjpeg-turbo-progs {meta['version_libjpeg-turbo-progs']}, "
        f"libvips-tools {meta['version_libvips-tools']}, llgal {meta['version_llgal']}, "
        f"imagemagick {meta['version_imagemagick']}, ffmpeg {meta.get('version_ffmpeg', '?')}",
        f"- Dated tree: {int(meta.get('dated_count', '0')):,} small pictures (320 px) in 150 folders"
        " with a camera's metadata (date taken, camera, exposure, a 160 px preview); the photos"
        " carry the same tags, a caption on every third",
        f"- Movies: {meta['movie_count']} one-minute 1080p H.264 clips (30 frames/s) made by ffmpeg"
        " from its test source",
        f"- Runs: {meta['runs']} of each, round-robin; the measuring took {meta['measure_seconds']} s, "
        f"the whole script {meta['total_seconds']} s",
        "",
        *table,
        "",
        "Targets:",
        "",
        *target_table,
        "",
        "Notes:",
        "",
        "- Wall seconds: median of the runs, measured around `/usr/bin/time -v`; x floor: the median"
        " divided by the floor's median of the same benchmark run (x floor 2 at a time: by the"
        " median of djpeg run two at a time). CPU s: median of user + system time of the command"
        " and its children; x floor CPU: divided by the floor's. Pictures/s: pictures / median.",
        "- Peak memory: the highest \"Maximum resident set size\" of `/usr/bin/time -v` over the runs"
        " (the largest single process of the command).",
        "- llgal and the from-scratch orvanta-cli run each work on a fresh copy of the photo tree;"
        " copying is not timed. The pages-only run follows on the copy the from-scratch run made."
        " The big tree's gallery exists before each timed run (when the tree is new, its first"
        " gallery is made before them and shown on a line of its own), so every run rewrites the"
        " same 100,000 pages. Every tree is in the file system cache: this machine pages out files"
        " nobody touched for a minute (DAMON), so each tree is read once, untimed, just before the"
        " runs that read it.",
        "- djpeg, convert and llgal are run once per photo / folder; vipsthumbnail handles all photos"
        " in one process; orvanta-cli makes the whole gallery in one process.",
        f"- The machine is shared: other work (builds, tests) may still have been running. Load"
        f" average {meta['loadavg_start']} at the start, {meta['loadavg_end']} at the end."
        + (" The script held the build lock while measuring." if meta.get("locked") == "yes"
           else ""),
    ]
    fs = meta.get("filesystem", "")
    if "discard" in fs.split(" ")[-1].split(","):
        lines.append(
            f"- The file system of the trees ({fs}) is mounted with `discard`: truncating or"
            " deleting a file waits for the disk to discard its blocks, so rewriting pages that"
            " exist costs much more than writing new ones.")
    if movie_note:
        lines.append(movie_note)
    lines += output_notes(stats, meta)
    if partial:
        lines.append(f"- A partial run (BENCH_ONLY): only the rows {meta['only'].strip()}.")
    lines += [f"- {n}" for n in extra_notes]
    text = "\n".join(lines) + "\n"
    with open(results_path, "w", encoding="utf-8") as f:
        f.write(text)
    sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
