#!/usr/bin/env python3
"""Slices the public-domain passages in texts/ into the replay set of letter pools.

Each text file starts with a line of candidate sources (AUTHOR WORK, 18 to 26 letters) separated by
'|', then the passage. A window starts every STRIDE words and takes whole words until it holds
between 150 and 200 letters (the target cycles through that range); it is kept with the first
candidate source whose letters it holds, with at most 9.5 letters an answer on average (published
acrostics rarely go beyond), and with a U to spare for every Q (the composer warns otherwise).
Writes pools.tsv: source TAB quotation, one per line.

Usage: make_pools.py [STRIDE]
"""
import collections
import pathlib
import sys

here = pathlib.Path(__file__).parent
stride = int(sys.argv[1]) if len(sys.argv) > 1 else 5


def letters(text):
    return [c.upper() for c in text if c.isalpha()]


rows = []
for path in sorted((here / "texts").glob("*.txt")):
    head, body = path.read_text().split("\n", 1)
    sources = head.split("|")
    words = body.split()
    targets = list(range(150, 201, 7))
    for n, start in enumerate(range(0, len(words), stride)):
        target = targets[n % len(targets)]
        taken, count = [], 0
        for w in words[start:]:
            k = len(letters(w))
            if count + k > 200:
                break
            taken.append(w)
            count += k
            if count >= target:
                break
        if count < 150:
            break
        pool = collections.Counter(letters(" ".join(taken)))
        for s in sources:
            need = collections.Counter(letters(s))
            if need - pool or count > 9.5 * len(letters(s)) or pool["Q"] > pool["U"] - need["U"]:
                continue
            rows.append(f"{s}\t{' '.join(taken)}")
            break

(here / "pools.tsv").write_text("\n".join(rows) + "\n")
print(len(rows), "pools")
