#!/usr/bin/env python3
"""make_many.py PICTURE THUMBNAIL OUTPUT FOLDERS PER_FOLDER

Builds a tree of FOLDERS folders holding PER_FOLDER copies of one small
picture each, every picture with its ready-made "t_" thumbnail. Each folder
gets one real copy of the picture and of the thumbnail; the other names are
hard links to those copies (a file system allows only so many links to one
file). The tree is built beside OUTPUT and renamed into place when complete.
"""
import os
import shutil
import sys


def main() -> int:
    picture, thumbnail, output = sys.argv[1:4]
    folders, per_folder = int(sys.argv[4]), int(sys.argv[5])
    partial = output + ".part"
    shutil.rmtree(partial, ignore_errors=True)
    os.makedirs(partial)
    for f in range(folders):
        folder = os.path.join(partial, f"dir{f:04d}")
        os.mkdir(folder)
        first = os.path.join(folder, "pic000.jpg")
        first_thumb = os.path.join(folder, "t_pic000.jpg")
        shutil.copyfile(picture, first)
        shutil.copyfile(thumbnail, first_thumb)
        for p in range(1, per_folder):
            os.link(first, os.path.join(folder, f"pic{p:03d}.jpg"))
            os.link(first_thumb, os.path.join(folder, f"t_pic{p:03d}.jpg"))
    os.rename(partial, output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
