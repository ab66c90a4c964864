#!/usr/bin/env python3
"""Writes two listings of the small 2 x 2 frame (tests/data/small_2x2.ANL) for the tests of load cases:

primary_cases.ANL   the primary cases only: 1 dead, 2 live, 3 wind X, 4 seismic X, with their load types;
combined_cases.ANL  the same primary cases defined but not in the reaction table, which holds instead the
                    combinations the program builds from them (101-109 service, 110-122 factored), each
                    defined by LOAD COMB with its factors and its reactions added up here.

Footings sized and designed from either must come out the same. Run from the repository's root."""
import re

HERE = "tests/data/"
# Reactions of the primary cases at joints 1-4: FX, FY, FZ, MX, MY, MZ (kN, kN m), one decimal so that
# every combination below has an exact two-decimal text.
PRIMARY = {
    1: {1: (1.2, 310.5, -0.8, 3.2, 0.0, -2.1), 2: (-1.1, 325.4, -0.9, 3.0, 0.0, 2.2),
        3: (1.0, 298.7, 1.0, -3.3, 0.0, -2.0), 4: (-1.3, 316.2, 0.9, -3.1, 0.0, 2.1)},
    2: {1: (0.4, 118.3, -0.2, 1.1, 0.0, -0.7), 2: (-0.5, 126.8, -0.3, 1.0, 0.0, 0.8),
        3: (0.3, 112.6, 0.4, -1.2, 0.0, -0.6), 4: (-0.4, 121.9, 0.2, -1.0, 0.0, 0.7)},
    3: {1: (-12.4, -18.6, 0.1, 0.3, 0.0, 28.4), 2: (-13.1, 19.2, 0.2, 0.2, 0.0, 29.6),
        3: (-12.0, -17.9, -0.1, -0.3, 0.0, 27.8), 4: (-12.8, 18.8, -0.2, -0.2, 0.0, 29.1)},
    4: {1: (-21.5, -34.2, 0.3, 0.5, 0.0, 46.8), 2: (-22.6, 35.7, 0.4, 0.4, 0.0, 48.9),
        3: (-20.9, -33.1, -0.3, -0.5, 0.0, 45.7), 4: (-22.1, 34.6, -0.4, -0.4, 0.0, 47.9)},
}
DEFINITIONS = ["LOAD 1 LOADTYPE DEAD TITLE DL", "LOAD 2 LOADTYPE LIVE TITLE LL",
               "LOAD 3 LOADTYPE WIND TITLE WL X", "LOAD 4 LOADTYPE SEISMIC TITLE EQ X"]


def combinations():
    """The program's set, in its order: service, IS 875 Part 5; factored, IS 456 Table 18."""
    out = []
    out.append(("DL + IL", {1: 1, 2: 1}))
    for name, n in (("WLX", 3), ("EQX", 4)):
        out.append(("DL + " + name, {1: 1, n: 1}))
        out.append(("DL - " + name, {1: 1, n: -1}))
    for name, n in (("WLX", 3), ("EQX", 4)):
        out.append(("DL + IL + " + name, {1: 1, 2: 1, n: 1}))
        out.append(("DL + IL - " + name, {1: 1, 2: 1, n: -1}))
    out.append(("1.5 (DL + IL)", {1: 1.5, 2: 1.5}))
    for name, n in (("WLX", 3), ("EQX", 4)):
        out.append(("1.2 (DL + IL + %s)" % name, {1: 1.2, 2: 1.2, n: 1.2}))
        out.append(("1.2 (DL + IL - %s)" % name, {1: 1.2, 2: 1.2, n: -1.2}))
    for name, n in (("WLX", 3), ("EQX", 4)):
        out.append(("1.5 (DL + %s)" % name, {1: 1.5, n: 1.5}))
        out.append(("1.5 (DL - %s)" % name, {1: 1.5, n: -1.5}))
    for name, n in (("WLX", 3), ("EQX", 4)):
        out.append(("0.9 DL + 1.5 " + name, {1: 0.9, n: 1.5}))
        out.append(("0.9 DL - 1.5 " + name, {1: 0.9, n: -1.5}))
    return [(101 + k, title, parts) for k, (title, parts) in enumerate(out)]


def row(joint, load, r):
    return "%7s%5d%10.2f%10.2f%10.2f%10.2f%10.2f%10.2f" % (joint or "", load, *r)


def table(cases):
    lines = []
    for joint in (1, 2, 3, 4):
        for k, (n, r) in enumerate(cases(joint)):
            lines.append(row(joint if k == 0 else 0, n, r))
        lines.append("")
    return lines


def listing(commands, rows):
    base = open(HERE + "small_2x2.ANL", encoding="latin-1").read().replace("\r\n", "\n").split("\n")
    start = next(i for i, l in enumerate(base) if "PERFORM ANALYSIS" in l)
    head = next(i for i, l in enumerate(base) if l.startswith("  JOINT  LOAD"))
    end = next(i for i, l in enumerate(base) if "END OF LATEST ANALYSIS" in l)
    echo = int(re.match(r"\s*(\d+)\.", base[start]).group(1))
    added = ["%6d. %s" % (echo + k, c) for k, c in enumerate(commands)]
    shift = len(commands)

    def renumber(line):
        m = re.match(r"(\s*)(\d+)\.( .*)$", line)
        return "%s%d.%s" % (m.group(1), int(m.group(2)) + shift, m.group(3)) if m else line

    out = (base[:start] + added + [renumber(l) for l in base[start:head + 2]] + rows +
           [renumber(l) for l in base[end:]])
    return "\r\n".join(out)


def main():
    primary = table(lambda j: [(n, PRIMARY[n][j]) for n in (1, 2, 3, 4)])
    with open(HERE + "primary_cases.ANL", "w", encoding="latin-1", newline="") as f:
        f.write(listing(DEFINITIONS, primary))

    combs = combinations()
    commands = list(DEFINITIONS)
    for n, title, parts in combs:
        commands.append("LOAD COMB %d %s" % (n, title))
        commands.append(" ".join("%d %g" % (c, fac) for c, fac in parts.items()))

    def added(j):
        return [(n, tuple(round(sum(fac * PRIMARY[c][j][k] for c, fac in parts.items()), 2) for k in range(6)))
                for n, _, parts in combs]

    with open(HERE + "combined_cases.ANL", "w", encoding="latin-1", newline="") as f:
        f.write(listing(commands, table(added)))


main()
