#!/usr/bin/env python3
"""Write OUTPUT as the linked setup IMAGE followed by SIZE_MB MiB of filler.

The filler is pseudo-random but fixed (SHAKE-128 over a constant seed and a
block counter), so every build produces the same bytes. Windows ignores data
after the last PE section, so the result still runs.
"""
import argparse
import hashlib
import os
import shutil

SEED = b"Tarvenix Pellucor demo setup payload"
BLOCK = 1024 * 1024


def filler_block(index: int) -> bytes:
    return hashlib.shake_128(SEED + index.to_bytes(8, "little")).digest(BLOCK)


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("image")
    parser.add_argument("size_mb", type=int)
    parser.add_argument("output")
    args = parser.parse_args()
    if args.size_mb < 0:
        parser.error("size_mb must not be negative")

    partial = args.output + ".partial"
    with open(args.image, "rb") as image, open(partial, "wb") as out:
        out.write(image.read())
        for index in range(args.size_mb):
            out.write(filler_block(index))
    shutil.copymode(args.image, partial)
    os.replace(partial, args.output)


if __name__ == "__main__":
    main()
