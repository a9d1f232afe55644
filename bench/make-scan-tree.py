#!/usr/bin/env python3
"""Fills a folder with the scan benchmark's tree: 1,000,000 entries, of which 50,000 folders
(50 on top, 999 below each) and 950,000 files, 1 % of them further names of a file elsewhere.
One file in 20 holds data; the others have a size but no blocks, so the tree stays small on
disk while every file still has to be asked for its size."""
import os
import sys

TOP, BELOW, FILES, LINK_EVERY, DATA_EVERY = 50, 999, 950_000, 100, 20

root = sys.argv[1]
leaves = []
for t in range(TOP):
    top = os.path.join(root, f"t{t:02d}")
    os.mkdir(top)
    for b in range(BELOW):
        leaf = os.path.join(top, f"f{b:03d}")
        os.mkdir(leaf)
        leaves.append(leaf)

block = b"v" * 16384
flags = os.O_CREAT | os.O_WRONLY | os.O_EXCL
for k in range(FILES):
    folder = leaves[k % len(leaves)]
    name = f"file{k}"
    if k % LINK_EVERY == LINK_EVERY - 1:
        # A further name for a file made earlier, in another folder.
        other = k - LINK_EVERY // 2
        os.link(os.path.join(leaves[other % len(leaves)], f"file{other}"), os.path.join(folder, name))
        continue
    fd = os.open(os.path.join(folder, name), flags, 0o644)
    if k % DATA_EVERY == 0:
        os.write(fd, block[: (k * 37) % 16384])
    else:
        os.ftruncate(fd, (k * 7919) % 65536)
    os.close(fd)
