#!/usr/bin/env python3
"""The comparison for velmarto-score --table: the same table from Python's big integers.

Usage: score_table.py dealer|non-dealer   (prints the same bytes as velmarto-score --table)
"""
import sys

UNITS = "点万億兆京垓杼穣溝澗正載極"
FU_COUNTS = [20, 25] + list(range(30, 201, 10))


def myriad(value):
    digits = str(value)
    out = []
    for i, digit in enumerate(digits):
        out.append(digit)
        position = len(digits) - 1 - i
        if position % 4 == 0:
            out.append(UNITS[position // 4])
    return "".join(out)


def round_up(value):
    return (value + 99) // 100 * 100


def main():
    dealer = sys.argv[1:] == ["dealer"]
    multiples = (6, 2) if dealer else (4, 2, 1)
    header = "飜\t符\t点数\t子の支払い（オール）" if dealer else "飜\t符\t点数\t親の支払い\t子の支払い"
    rows = [header]
    for han in range(1, 120):
        for fu in FU_COUNTS:
            base = fu << (han + 2)
            cells = [str(han), str(fu)] + [myriad(round_up(base * m)) for m in multiples]
            rows.append("\t".join(cells))
    sys.stdout.write("\n".join(rows) + "\n")


main()
