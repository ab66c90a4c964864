#!/usr/bin/env python3
"""Writes variants of examples/FRAME1.ANL for the reader tests, into tests/data/:

frame1_kn_mms.ANL
    The same frame input in millimetres ("UNIT MMS KN"): joint coordinates, section depths, floor
    loads and material constants in mm and kN, the printed joint table in mm, and the reaction table
    headed "KN   MMS " with FY in kN and the moments in kN mm. Every moment is the printed kN m value
    times 1000, so it reads back to exactly the value FRAME1 gives (the reader divides by 1000), and
    every figure of the batch tool's output is the same as FRAME1's.
frame1_kip_feet.ANL
    The same in feet and kips ("UNIT FEET KIP", reactions headed "KIP  FEET"). Coordinates carry six
    decimals of a foot, which round back to FRAME1's whole millimetres. Reactions are written with five
    decimals instead of the usual two, so that they convert back to FRAME1's kN and kN m to within
    about 1e-5 kN (a foot and a kip have no short decimal in metres and kN).
frame1_kns_mms_24_cases.ANL
    24 load cases, each LOAD command with a TITLE, in "UNIT KNS MMS" (force before length) with the
    reaction table headed "KNS  MMS ". Cases 1 to 6 are FRAME1's; 7 to 24 are wind and factored
    combinations of the effects those six contain (dead load: case 6; live load: case 1 - case 6;
    earthquake in X: (case 2 - case 3) / 1.6, likewise in Z from cases 4 and 5; wind: 0.75 x the
    earthquake). Factored earthquake moments exceed 100 kN m, so a moment such as -114181.88 kN mm
    fills its field and runs into the number before it ("-18.75-114181.88"). The table is paged
    again, and page and echo numbers follow on.
frame1_no_design.ANL
    FRAME1 without its concrete design: no "START CONCRETE DESIGN" (nor the commented-out one), no
    column or beam design blocks.

Run by hand after a change to FRAME1 or to this script; the tests read the files it wrote.

    python3 tests/data/make_listing_variants.py
"""
import os
import re
import struct
from decimal import Decimal, ROUND_HALF_EVEN

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
LISTING = os.path.join(ROOT, "examples", "FRAME1.ANL")

KIP_KN = Decimal("4.4482216")
FOOT_M = Decimal("0.3048")

ECHO = re.compile(r"^( *)(\d+)\. (.*)$")
NUMBER = re.compile(r"(?<![\w.])-?\d+(?:\.\d+)?(?:E[-+]?\d+)?")
PAGE = re.compile(r"(-- PAGE NO\.) *\d+$")
# A reaction line: joint in 7 columns (blank on continuation lines), load in 5, six fields of 10.
REACTION = re.compile(r"^([ \d]{7})([ \d]{4}\d)" + r"([ \d.-]{10})" * 6 + "$")


class Units:
    """A unit system of the listing: its words, and how many of its units make a metre and a kN."""

    def __init__(self, command, heading, per_metre, per_kn, decimals):
        self.command = command          # the UNIT command, "MMS KN"
        self.heading = heading          # force and length as the reaction heading prints them
        self.per_metre = per_metre
        self.per_kn = per_kn
        self.decimals = decimals        # of the reaction table's values

    def length(self, metres):
        return metres * self.per_metre

    def force(self, kn):
        return kn * self.per_kn

    def moment(self, knm):
        return knm * self.per_kn * self.per_metre


KN_MMS = Units("MMS KN", "KN   MMS ", Decimal(1000), Decimal(1), 2)
KNS_MMS = Units("KNS MMS", "KNS  MMS ", Decimal(1000), Decimal(1), 2)
KIP_FEET = Units("FEET KIP", "KIP  FEET", 1 / FOOT_M, 1 / KIP_KN, 5)


def read_frame1():
    with open(LISTING, "rb") as f:
        text = f.read().decode("latin-1")
    assert text.endswith("\r\n")
    return text[:-2].split("\r\n")


def write(name, lines):
    path = os.path.join(HERE, name)
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("latin-1"))
    print("wrote", os.path.relpath(path, ROOT))


def plain(d, places=6):
    """A number of the echoed input: whole numbers without a point, else at most `places` decimals."""
    d = Decimal(d).quantize(Decimal(1).scaleb(-places), ROUND_HALF_EVEN)
    if d == d.to_integral_value():
        return str(int(d))
    return format(d.normalize(), "f")


def exponent(d):
    """A small or large number as the analysis program echoes it: -1.77636E-015."""
    mantissa, exp = ("%.5E" % Decimal(d)).split("E")
    mantissa = mantissa.rstrip("0").rstrip(".")
    return "%sE%s%03d" % (mantissa, exp[0], abs(int(exp)))


def number_text(d):
    """A constant of the echoed input to six significant digits."""
    d = Decimal(d)
    if d != 0 and (abs(d) < Decimal("0.001") or abs(d) >= 10**7):
        return exponent(d)
    return plain(Decimal("%.6g" % d))


def convert_numbers(text, convert):
    """Every number of `text` replaced by convert(index, Decimal) (None keeps it)."""
    count = [0]

    def one(m):
        new = convert(count[0], Decimal(m.group(0)))
        count[0] += 1
        return m.group(0) if new is None else new

    return NUMBER.sub(one, text)


def echo_body(line):
    m = ECHO.match(line)
    return m.group(3) if m else None


def with_body(line, body):
    m = ECHO.match(line)
    return "%s%s. %s" % (m.group(1), m.group(2), body)


def wrapped(line, body, width=79):
    """Echo lines of `body` no wider than `width`, broken after a ";" (numbered as `line` for now)."""
    m = ECHO.match(line)
    prefix = "%s%s. " % (m.group(1), m.group(2))
    out, current = [], ""
    for piece in re.findall(r"[^;]+;?", body):
        piece = piece.strip()
        if current and len(prefix) + len(current) + 1 + len(piece) > width:
            out.append(prefix + current)
            current = ""
        current = (current + " " + piece).strip()
    return out + [prefix + current]


def in_units(lines, u):
    """FRAME1's input and printed tables in the unit system u (reactions are done separately)."""
    out, in_joints, joint_value, in_joint_table = [], False, 0, False
    pressure = u.per_kn / u.per_metre ** 2
    for line in lines:
        body = echo_body(line)
        if body is not None:
            in_joint_table = False
            if body == "UNIT METER KN":
                line = with_body(line, "UNIT " + u.command)
            elif body == "JOINT COORDINATES":
                in_joints = True
            elif body == "MEMBER INCIDENCES":
                in_joints = False
            elif in_joints:
                # number, X, Y, Z of each joint, whatever the lines; a negative exponent stays one.
                def coordinate(_, d):
                    nonlocal joint_value
                    index = joint_value % 4
                    joint_value += 1
                    if index == 0:
                        return None
                    return exponent(u.length(d)) if "E" in str(d) else plain(u.length(d))

                # Longer numbers make longer lines: wrapped at the input width as the echo would be.
                out += wrapped(line, convert_numbers(body, coordinate))
                continue
            elif re.match(r"^E \d", body):
                line = with_body(line, "E " + number_text(Decimal(body[2:]) * pressure))
            elif body.startswith("DENSITY "):
                line = with_body(line, "DENSITY " + number_text(Decimal(body[8:]) * pressure / u.per_metre))
            elif " PRIS " in body:
                head, pris = body.split(" PRIS ")
                line = with_body(line, head + " PRIS " + re.sub(
                    r"(YD|ZD) ([\d.]+)", lambda m: m.group(1) + " " + number_text(u.length(Decimal(m.group(2)))), pris))
            elif body.startswith("YRANGE "):
                words = body.split()
                words[1] = number_text(u.length(Decimal(words[1])))
                words[2] = number_text(u.length(Decimal(words[2])))
                words[4] = number_text(Decimal(words[4]) * pressure)
                line = with_body(line, " ".join(words))
        elif line.strip() == "JOINT        X         Y         Z":
            in_joint_table = True
        elif in_joint_table:
            m = re.match(r"^( *\d+)((?: +-?\d+\.\d+){3})$", line)
            if m:
                xyz = [u.length(Decimal(v)) for v in m.group(2).split()]
                line = m.group(1) + "".join("%10.3f" % v for v in xyz)
        out.append(line)
    first = echo_index(out, "JOINT COORDINATES")
    return relabel_echo(out, first, int(ECHO.match(out[first]).group(2)))


def reaction_rows(lines):
    """FRAME1's reactions: {joint: [(load, [FX, FY, FZ, MX, MY, MZ] as Decimal)]} in order."""
    rows, joint = {}, None
    for line in lines:
        m = REACTION.match(line)
        if not m:
            continue
        if m.group(1).strip():
            joint = int(m.group(1))
            rows[joint] = []
        rows[joint].append((int(m.group(2)), [Decimal(v) for v in m.groups()[2:]]))
    return rows


def field(d, places):
    """A value of the reaction table in its field of ten; a longer one runs into the field before."""
    return format(Decimal(d).quantize(Decimal(1).scaleb(-places), ROUND_HALF_EVEN), "f").rjust(10)


def reaction_line(joint, load, values, u):
    converted = [u.force(v) for v in values[:3]] + [u.moment(v) for v in values[3:]]
    return ("%7s" % (joint or "")) + "%5d" % load + "".join(field(v, u.decimals) for v in converted)


def convert_reactions(lines, u):
    """The reaction table in u: its heading words and every value, line for line."""
    out, joint = [], None
    for line in lines:
        m = REACTION.match(line)
        if m:
            if m.group(1).strip():
                joint = int(m.group(1))
            values = [Decimal(v) for v in m.groups()[2:]]
            line = reaction_line(joint if m.group(1).strip() else None, int(m.group(2)), values, u)
        line = line.replace("SUPPORT REACTIONS -UNIT KN   METE", "SUPPORT REACTIONS -UNIT " + u.heading)
        out.append(line)
    return out


def renumber_pages(lines):
    page = 0
    out = []
    for line in lines:
        if PAGE.search(line):
            page += 1
            line = PAGE.sub(lambda m: "%s%5d" % (m.group(1), page), line)
        out.append(line)
    return out


def echo_index(lines, text):
    return next(i for i, l in enumerate(lines) if echo_body(l) == text)


def index_of(lines, pred, start=0):
    return next(i for i in range(start, len(lines)) if pred(lines[i]))


def relabel_echo(lines, start, number):
    """Gives the echo lines from index `start` on the numbers number, number + 1, ..."""
    out = lines[:start]
    for line in lines[start:]:
        m = ECHO.match(line)
        if m and len(m.group(1)) + len(m.group(2)) == 6:
            line = "%6d. %s" % (number, m.group(3))
            number += 1
        out.append(line)
    return out


# --- the 24 load cases ---------------------------------------------------------------------------------

TITLES = {
    7: "DL + LL + WL X", 8: "DL + LL - WL X", 9: "DL + LL + WL Z", 10: "DL + LL - WL Z",
    11: "DL + WL X", 12: "DL - WL X", 13: "DL + WL Z", 14: "DL - WL Z",
    15: "1.5 (DL + LL)", 16: "1.2 (DL + LL + EQX)", 17: "1.2 (DL + LL - EQX)",
    18: "1.2 (DL + LL + EQZ)", 19: "1.2 (DL + LL - EQZ)",
    20: "1.5 (DL + EQX)", 21: "1.5 (DL - EQX)", 22: "1.5 (DL + EQZ)", 23: "1.5 (DL - EQZ)",
    24: "0.9 DL + 1.5 EQX",
}
# How each case is made from the earlier ones, as the echoed LOAD commands say.
LOADING = {
    7: ["REPEAT LOAD", "1 1.0", "WIND LOAD X 1 TYPE 1"], 8: ["REPEAT LOAD", "1 1.0", "WIND LOAD X -1 TYPE 1"],
    9: ["REPEAT LOAD", "1 1.0", "WIND LOAD Z 1 TYPE 1"], 10: ["REPEAT LOAD", "1 1.0", "WIND LOAD Z -1 TYPE 1"],
    11: ["REPEAT LOAD", "6 1.0", "WIND LOAD X 1 TYPE 1"], 12: ["REPEAT LOAD", "6 1.0", "WIND LOAD X -1 TYPE 1"],
    13: ["REPEAT LOAD", "6 1.0", "WIND LOAD Z 1 TYPE 1"], 14: ["REPEAT LOAD", "6 1.0", "WIND LOAD Z -1 TYPE 1"],
    15: ["REPEAT LOAD", "1 1.5"], 16: ["REPEAT LOAD", "2 1.2"], 17: ["REPEAT LOAD", "3 1.2"],
    18: ["REPEAT LOAD", "4 1.2"], 19: ["REPEAT LOAD", "5 1.2"],
    20: ["REPEAT LOAD", "6 1.5", "1893 LOAD X 1.5"], 21: ["REPEAT LOAD", "6 1.5", "1893 LOAD X -1.5"],
    22: ["REPEAT LOAD", "6 1.5", "1893 LOAD Z 1.5"], 23: ["REPEAT LOAD", "6 1.5", "1893 LOAD Z -1.5"],
    24: ["REPEAT LOAD", "6 0.9", "1893 LOAD X 1.5"],
}


def combinations(cases):
    """Reactions of cases 7..24 of one joint from its cases 1..6 (lists of six Decimals, in kN, kN m)."""
    c = {n: v for n, v in cases}

    def mix(*terms):
        return [sum(f * c_[i] for f, c_ in terms) for i in range(6)]

    d, dl_ll = c[6], c[1]
    ex = [(a - b) / Decimal("1.6") for a, b in zip(c[2], c[3])]
    ez = [(a - b) / Decimal("1.6") for a, b in zip(c[4], c[5])]
    wx = [Decimal("0.75") * v for v in ex]
    wz = [Decimal("0.75") * v for v in ez]
    one, half, six, nine, tw = Decimal(1), Decimal("1.5"), Decimal("1.2"), Decimal("0.9"), Decimal(-1)
    made = {
        7: mix((one, dl_ll), (one, wx)), 8: mix((one, dl_ll), (tw, wx)),
        9: mix((one, dl_ll), (one, wz)), 10: mix((one, dl_ll), (tw, wz)),
        11: mix((one, d), (one, wx)), 12: mix((one, d), (tw, wx)),
        13: mix((one, d), (one, wz)), 14: mix((one, d), (tw, wz)),
        15: mix((half, dl_ll)), 16: mix((six, c[2])), 17: mix((six, c[3])),
        18: mix((six, c[4])), 19: mix((six, c[5])),
        20: mix((half, d), (half, ex)), 21: mix((half, d), (-half, ex)),
        22: mix((half, d), (half, ez)), 23: mix((half, d), (-half, ez)),
        24: mix((nine, d), (half, ex)),
    }
    # Forces to the hundredth of a kN and moments to the hundredth of a kN mm, as they are printed.
    out = []
    for n in range(7, 25):
        v = made[n]
        out.append((n, [x.quantize(Decimal("0.01"), ROUND_HALF_EVEN) for x in v[:3]] +
                    [x.quantize(Decimal("0.00001"), ROUND_HALF_EVEN) for x in v[3:]]))
    return out


def twenty_four_cases(frame1, u):
    lines = in_units(frame1, u)
    rows = reaction_rows(frame1)

    # The LOAD commands: FRAME1's six, then the eighteen combinations, each with its title.
    first = echo_index(lines, "LOAD 1 LOADTYPE NONE  TITLE DEAD + LIVE")
    last = echo_index(lines, "PERFORM ANALYSIS")
    commands = [echo_body(l) for l in lines[first:last]]
    for n in range(7, 25):
        commands.append("LOAD %d LOADTYPE NONE  TITLE %s" % (n, TITLES[n]))
        commands += LOADING[n]
    wind = ["DEFINE WIND LOAD", "TYPE 1", "INT 1.2E-006 1.5E-006 HEIG 5000 15000", "EXP 1 JOINT 1 TO 200"]
    start = int(ECHO.match(lines[first]).group(2))
    block = ["%6d. %s" % (start + i, c) for i, c in enumerate(wind + commands)]
    lines = lines[:first] + block + lines[last:]
    lines = relabel_echo(lines, first + len(block), start + len(block))
    lines = [l.replace("TOTAL PRIMARY LOAD CASES =     6", "TOTAL PRIMARY LOAD CASES =    24") for l in lines]
    lines = [with_body(l, "LOAD LIST 1 TO 24") if echo_body(l) == "LOAD LIST 1 TO 6" else l for l in lines]

    # The reaction table again, 24 lines a joint, paged every 60 lines with its heading repeated.
    top = index_of(lines, lambda l: "SUPPORT REACTIONS -UNIT" in l) - 2   # its page header
    end = index_of(lines, lambda l: "END OF LATEST ANALYSIS RESULT" in l)
    page_header = lines[top]
    heading = [l.replace("KN   METE", u.heading) for l in lines[top + 1:top + 7]]
    closing = lines[end - 3:end]                                           # a blank line, page header
    body = []
    for joint, cases in rows.items():
        for n, (load, values) in enumerate(cases + combinations(cases)):
            body.append(reaction_line(joint if n == 0 else None, load, values, u))
        body.append("")
    table, on_page = [page_header] + heading, 7
    for line in body:
        if on_page == 60:
            table += [page_header] + heading
            on_page = 7
        table.append(line)
        on_page += 1
    lines = lines[:top] + table + closing + lines[end:]
    return renumber_pages(lines)


def without_design(frame1):
    start = index_of(frame1, lambda l: echo_body(l) == "*START CONCRETE DESIGN")
    finish = index_of(frame1, lambda l: echo_body(l) == "FINISH")
    lines = frame1[:start] + frame1[finish:]
    return renumber_pages(relabel_echo(lines, start, int(ECHO.match(frame1[start]).group(2))))


# --- checks of what was written ------------------------------------------------------------------------

def single(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def ulp(x):
    """The spacing of single-precision numbers at x."""
    return abs(single(x) - struct.unpack("f", struct.pack("I", struct.unpack("I", struct.pack("f", abs(x)))[0] + 1))[0])


def check_reactions(frame1, lines, force_scale, moment_scale, name):
    """Reads the reactions back as the reader does (value times scale in double, then single) and
    returns the largest difference from FRAME1's beyond one unit of single precision, or -1 when
    every value is FRAME1's exactly."""
    a, b = reaction_rows(frame1), reaction_rows(lines)
    worst = -1.0
    for joint, cases in a.items():
        for (load, va), (_, vb) in zip(cases, b[joint]):
            for k in (1, 3, 5):
                scale = force_scale if k == 1 else moment_scale
                got = single(float(str(vb[k])) * scale[0] / scale[1])
                want = single(float(str(va[k])))
                if got != want:
                    worst = max(worst, 0.0, abs(got - want) - ulp(want))
    print("  %s: largest difference of a reaction from FRAME1's beyond single precision: %g" % (name, worst))
    return worst


def joint_values(lines):
    """The numbers of the echoed joint coordinates, in order."""
    values, inside = [], False
    for line in lines:
        body = echo_body(line)
        if body == "JOINT COORDINATES":
            inside = True
        elif body == "MEMBER INCIDENCES":
            break
        elif inside and body is not None:
            values += [Decimal(m.group(0)) for m in NUMBER.finditer(body)]
    return values


def check_joints(frame1, lines, mm_per_unit):
    """Coordinates in whole millimetres as the reader rounds them (halves to even) are FRAME1's."""
    for i, (a, b) in enumerate(zip(joint_values(frame1), joint_values(lines))):
        if i % 4 == 0:
            assert a == b
        elif "E" not in str(a):
            assert round(float(str(a)) * 1000) == round(float(str(b)) * mm_per_unit), (a, b)


def main():
    frame1 = read_frame1()

    kn_mms = convert_reactions(in_units(frame1, KN_MMS), KN_MMS)
    assert check_reactions(frame1, kn_mms, (1, 1), (1, 1000), "KN MMS") == -1
    check_joints(frame1, kn_mms, 1)
    write("frame1_kn_mms.ANL", kn_mms)

    kip_feet = convert_reactions(in_units(frame1, KIP_FEET), KIP_FEET)
    assert check_reactions(frame1, kip_feet, (4.4482216, 1), (4.4482216 * 0.3048, 1), "KIP FEET") < 2.5e-5
    check_joints(frame1, kip_feet, 304.8)
    write("frame1_kip_feet.ANL", kip_feet)

    cases24 = twenty_four_cases(frame1, KNS_MMS)
    rows = reaction_rows(cases24)
    assert all(len(c) == 24 and [n for n, _ in c] == list(range(1, 25)) for c in rows.values())
    assert min(v[1] for c in rows.values() for _, v in c) > 0, "a case lifts a support"
    assert any(re.search(r"\d-\d{6}\.\d\d", l) for l in cases24), "no moment runs into its neighbour"
    write("frame1_kns_mms_24_cases.ANL", cases24)

    no_design = without_design(frame1)
    assert not any("START CONCRETE DESIGN" in l or "C O L U M N" in l or "B E A M" in l for l in no_design)
    write("frame1_no_design.ANL", no_design)


if __name__ == "__main__":
    main()
