#!/usr/bin/env python3
"""Writes a classic-form world file (stdin) in the newer form (stdout), the rooms kept
and given what the newer form adds: every room's flag line gets flag words 2 to 4 (one
room in three sets a bit of word 2, one in seven a bit of word 3), one room in two gets
a trigger line after its "S" and one in five a second one. For timing the newer form's
load road on the same rooms as the classic one."""
import sys


def main():
    room = -1
    texts_left = 0  # tilde-terminated texts still to pass before the flag line
    out = sys.stdout
    for line in sys.stdin:
        body = line.rstrip("\r\n")
        ending = line[len(body):]
        if texts_left == 0 and body.startswith("#"):
            room += 1
            texts_left = 2  # name, description
        elif texts_left > 0:
            if "~" in body:
                texts_left -= 1
                if texts_left == 0:
                    out.write(line)
                    texts_left = -1  # the next line is the flag line
                    continue
        elif texts_left == -1:
            zone, bits, sector = body.split()
            word2 = "b" if room % 3 == 0 else "0"
            word3 = "c" if room % 7 == 0 else "0"
            line = f"{zone} {bits} {word2} {word3} 0 {sector}{ending}"
            texts_left = 0
        elif body == "S":
            out.write(line)
            if room % 2 == 0:
                out.write(f"T {1000 + room % 500}{ending}")
            if room % 5 == 0:
                out.write(f"T {2000 + room % 300}{ending}")
            continue
        out.write(line)


if __name__ == "__main__":
    main()
