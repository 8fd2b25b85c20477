#!/usr/bin/env bash
# Creates the benchmark datasets under $ZELVARON_BENCH_DIR/data (default /tmp/zelvaron-bench).
# The content depends only on this script: every byte comes from SHAKE-128 over a fixed label
# and every choice from a seeded generator, so two machines get identical trees.
#
#   big/daten/zufall.bin    1 GiB, incompressible
#   big/text/bericht.txt    256 MiB of word text (compressible about 3:1)
#   small/                  20,000 files of 1-16 KiB in 393 directories, 4 levels deep, below
#                           three top-level directories; some names with blanks and umlauts
#   mixed/                  2,000 files, sizes log-distributed from 0 bytes to 8 MiB, in 100
#                           directories; half word text, half incompressible
#   empty/                  an empty directory
#
# A dataset that is complete (its stamp file exists) is left as it is.
set -euo pipefail

root=${ZELVARON_BENCH_DIR:-/tmp/zelvaron-bench}
mkdir -p "$root/data"

exec python3 - "$root/data" <<'PY'
import hashlib
import math
import os
import random
import shutil
import sys

DATA = sys.argv[1]
VERSION = "2"
MIB = 1 << 20


def stream(label, size):
    """Incompressible bytes: SHAKE-128 of the label and the chunk number."""
    chunk = 0
    while size > 0:
        n = min(size, MIB)
        yield hashlib.shake_128(f"{label}/{chunk}".encode()).digest(n)
        size -= n
        chunk += 1


def vocabulary():
    rng = random.Random(7)
    syllables = ["ba", "ber", "ch", "da", "de", "ein", "en", "er", "ge", "hal", "ich", "in", "ka",
                 "keit", "la", "lich", "ma", "mit", "na", "ne", "or", "pe", "ra", "re", "sch",
                 "sa", "se", "st", "te", "ter", "to", "ung", "ver", "wa", "zu", "ä", "ö", "ü", "ß"]
    words = set()
    while len(words) < 4096:
        words.add("".join(syllables[int(rng.random() * len(syllables))]
                          for _ in range(1 + int(rng.random() * 4))))
    return sorted(words)


WORDS = vocabulary()


def text_bytes(label, size):
    """Word text with a skewed word frequency and lines of about 80 characters."""
    out = bytearray()
    chunk = 0
    while len(out) < size:
        raw = hashlib.shake_128(f"{label}/text/{chunk}".encode()).digest(1 << 16)
        chunk += 1
        words = []
        for i in range(0, len(raw), 2):
            x = raw[i] | raw[i + 1] << 8
            words.append(WORDS[(x * x) >> 20])  # small indices are the frequent words
            if raw[i] < 24:
                words.append("\n")
        out += " ".join(words).replace(" \n ", "\n").encode()
    return bytes(out[:size])


def write_file(path, chunks):
    with open(path, "wb") as f:
        for c in chunks:
            f.write(c)


def done(name):
    return os.path.exists(os.path.join(DATA, f".{name}.v{VERSION}"))


def mark(name):
    open(os.path.join(DATA, f".{name}.v{VERSION}"), "w").close()


def fresh(name):
    path = os.path.join(DATA, name)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def make_big():
    base = fresh("big")
    os.makedirs(os.path.join(base, "daten"))
    os.makedirs(os.path.join(base, "text"))
    write_file(os.path.join(base, "daten", "zufall.bin"), stream("big", 1024 * MIB))
    pool = text_bytes("big", 16 * MIB)
    with open(os.path.join(base, "text", "bericht.txt"), "wb") as f:
        # A pool far larger than the 32 KiB deflate window, read from shifting offsets.
        for i in range(16):
            f.write(pool[i * 4096:] + pool[:i * 4096])


DIR_NAMES = ["Ordner", "Bücher", "Fotos 2023", "Projekte", "Rechnungen", "Übersicht", "alt", "Musik"]
FILE_NAMES = ["bericht", "notiz", "Größe", "März daten", "Köln straße", "liste", "brief", "tabelle",
              "entwurf", "übung"]
FILE_EXTS = [".txt", ".dat", ".doc", ".csv", ".ini"]


def tree(base, fanout, count):
    """The first `count` directories of a tree with fanout[i] children per level i, level by
    level; they are created below base."""
    dirs = []
    level = [""]
    for depth, n in enumerate(fanout):
        nxt = []
        for parent in level:
            for j in range(n):
                name = f"{DIR_NAMES[(j + depth) % len(DIR_NAMES)]} {depth}{j}"
                nxt.append(os.path.join(parent, name) if parent else name)
        dirs += nxt
        level = nxt
    dirs = dirs[:count]
    for d in dirs:
        os.makedirs(os.path.join(base, d))
    return dirs


def file_name(rng, i):
    stem = FILE_NAMES[int(rng.random() * len(FILE_NAMES))]
    return f"{stem} {i:05d}{FILE_EXTS[i % len(FILE_EXTS)]}"


def make_small():
    base = fresh("small")
    dirs = tree(base, [3, 5, 5, 4], 393)  # 3 + 15 + 75 + 300
    rng = random.Random(20000)
    pool = b"".join(stream("small", 4 * MIB))
    for i in range(20000):
        size = 1024 + int(rng.random() * 15 * 1024)
        offset = int(rng.random() * (len(pool) - size))
        path = os.path.join(base, dirs[i % len(dirs)], file_name(rng, i))
        write_file(path, [pool[offset:offset + size]])


def make_mixed():
    base = fresh("mixed")
    dirs = tree(base, [4, 6, 4], 100)  # 4 + 24 + 72
    rng = random.Random(2000)
    top = math.log(8 * MIB + 1)
    # Evenly spread over the logarithm, then shuffled: the total is fixed (about 1 GB).
    sizes = [int(math.exp((i + 0.5) / 2000 * top)) - 1 for i in range(2000)]
    rng.shuffle(sizes)
    text_pool = text_bytes("mixed", 16 * MIB)
    for i, size in enumerate(sizes):
        path = os.path.join(base, dirs[i % len(dirs)], file_name(rng, i))
        if i % 2 == 0:
            offset = int(rng.random() * (len(text_pool) - 8 * MIB))
            write_file(path, [text_pool[offset:offset + size]])
        else:
            write_file(path, stream(f"mixed/{i}", size))


for name, make in [("big", make_big), ("small", make_small), ("mixed", make_mixed)]:
    if done(name):
        continue
    print(f"make-datasets: creating {name} in {DATA}", flush=True)
    make()
    mark(name)
os.makedirs(os.path.join(DATA, "empty"), exist_ok=True)
PY
