#!/usr/bin/env python3
"""Writes the support reactions, joint positions and column sizes of examples/FRAME1.ANL as the two plain
tables the program imports: tests/data/FRAME1.csv and tests/data/FRAME1.tsv.

FRAME1.csv is what a spreadsheet writes: every row complete, LF line ends. FRAME1.tsv holds the same
data the other way the format allows: a byte-order mark, CRLF line ends, the columns in another order
and case, no y column, and the coordinates and column size only on each joint's first row.

Reaction values are copied as printed, so both tables hold the same decimals as the listing.

    python3 tests/data/make_frame1_table.py            # from the repository root
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
LISTING = os.path.join(ROOT, "examples", "FRAME1.ANL")

ECHO = re.compile(r"^\s*\d+\. (.*)$")


def echoed_commands(lines):
    """The input commands echoed into the listing, in order, with continued lines (" -") joined."""
    commands, pending = [], ""
    for line in lines:
        m = ECHO.match(line)
        if not m:
            continue
        text = m.group(1).rstrip()
        if text.endswith(" -"):
            pending += text[:-2] + " "
            continue
        commands.append(pending + text)
        pending = ""
    return commands


def section(commands, title):
    """Numbers of the data commands after `title`, up to the next command that starts with a letter."""
    start = commands.index(title) + 1
    numbers = []
    for c in commands[start:]:
        if re.match(r"^[A-Za-z*]", c):
            break
        numbers += c.replace(";", " ").split()
    return [float(n) for n in numbers]


def metres_to_mm(v):
    return int(round(v * 1000))  # halves to even, as the listing's coordinates


def joints_of(commands):
    v = section(commands, "JOINT COORDINATES")
    return {int(v[i]): tuple(metres_to_mm(c) for c in v[i + 1:i + 4]) for i in range(0, len(v), 4)}


def members_of(commands):
    v = section(commands, "MEMBER INCIDENCES")
    return {int(v[i]): (int(v[i + 1]), int(v[i + 2])) for i in range(0, len(v), 3)}


def rotated_members(commands):
    """Members listed in BETA 90 MEMB lists, ranges expanded, with the number of times each is listed."""
    times = {}
    for c in commands:
        if not c.startswith("BETA 90 MEMB"):
            continue
        words = c[len("BETA 90 MEMB"):].split()
        i = 0
        while i < len(words):
            first = last = int(words[i])
            if i + 2 < len(words) and words[i + 1] == "TO":
                last = int(words[i + 2])
                i += 3
            else:
                i += 1
            for m in range(first, last + 1):
                times[m] = times.get(m, 0) + 1
    return times


def column_sections(lines):
    """Printed cross section (first, second dimension in mm) of every column design block."""
    sections, member = {}, None
    for line in lines:
        m = re.search(r"C O L U M N   N O\.\s+(\d+)", line)
        if m:
            member = int(m.group(1))
            continue
        m = re.search(r"CROSS SECTION:\s*([\d.]+) mm X\s*([\d.]+) mm", line)
        if m and member is not None:
            sections[member] = (int(round(float(m.group(1)))), int(round(float(m.group(2)))))
            member = None
    return sections


def reactions_of(lines):
    """Reaction lines by joint in printed order: (load, FX, FY, FZ, MX, MZ) as printed texts."""
    start = next(i for i, l in enumerate(lines) if "SUPPORT REACTIONS -UNIT KN   METE" in l)
    supports, joint = {}, None
    for line in lines[start:]:
        if "END OF LATEST ANALYSIS RESULT" in line:
            break
        fields = [line[0:7], line[7:12]] + [line[12 + 10 * k:22 + 10 * k] for k in range(6)]
        try:
            [float(f) for f in fields[2:]]
            int(fields[1])
        except ValueError:
            continue  # headings, dashes, blank lines, page headers
        if fields[0].strip():
            joint = int(fields[0])
            supports[joint] = []
        supports[joint].append(tuple(fields[k].strip() for k in (1, 2, 3, 4, 5, 7)))
    return supports


def column_on(joint, joints, members, sections, rotated):
    """(b along X, d along Z) of the lowest column standing on the joint, as the listing reader holds its
    section: dimensions exchanged for a member rotated by 90 degrees."""
    x, y, z = joints[joint]
    above = []
    for m, (a, b) in members.items():
        other = b if a == joint else a if b == joint else None
        if other is None or m not in sections:
            continue
        ox, oy, oz = joints[other]
        if ox == x and oz == z and oy > y:
            above.append((oy, m))
    if not above:
        return None
    m = min(above)[1]
    d1, d2 = sections[m]
    if rotated.get(m, 0) % 2 == 1:
        d1, d2 = d2, d1
    return d2, d1  # dimension 2 lies along X, dimension 1 along Z


def main():
    with open(LISTING, encoding="latin-1") as f:
        lines = [l.rstrip("\r\n") for l in f]
    commands = echoed_commands(lines)
    joints = joints_of(commands)
    members = members_of(commands)
    sections = column_sections(lines)
    rotated = rotated_members(commands)
    supports = reactions_of(lines)

    csv = ["joint,x,y,z,case,fx,fy,fz,mx,mz,column_b,column_d"]
    tsv = ["Joint\tCase\tFY\tMX\tMZ\tFX\tFZ\t X \tZ\tColumn_B\tColumn_D"]
    for joint, rows in supports.items():
        x, y, z = joints[joint]
        b, d = column_on(joint, joints, members, sections, rotated)
        for position, (case, fx, fy, fz, mx, mz) in enumerate(rows):
            csv.append(",".join(str(v) for v in (joint, x, y, z, case, fx, fy, fz, mx, mz, b, d)))
            first = position == 0
            tsv.append("\t".join(str(v) for v in (joint, case, fy, mx, mz, fx, fz, x if first else "",
                                                   z if first else "", b if first else "", d if first else "")))
    with open(os.path.join(HERE, "FRAME1.csv"), "w", newline="") as f:
        f.write("\n".join(csv) + "\n")
    with open(os.path.join(HERE, "FRAME1.tsv"), "w", newline="", encoding="utf-8-sig") as f:
        f.write("\r\n".join(tsv) + "\r\n")
    print("%d supports, %d rows" % (len(supports), len(csv) - 1), file=sys.stderr)


if __name__ == "__main__":
    main()
