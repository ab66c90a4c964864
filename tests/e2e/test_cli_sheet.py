"""End-to-end checks of the footing drawing the batch tool writes for FRAME1 with a combined pair, a
hand-resized and a disabled footing: the DXF read back by an independent reader (ezdxf) and the PDF read
back by poppler (texts, their sizes and places), the plan and schedule on two sheets, then the typical
sections and the bar bending schedule on sheets of their own."""
import json
import os
import re
import shutil
import subprocess
import tempfile

import ezdxf

from cli_support import check, failures, finish, FRAME1, run


# Sizes of DejaVu Sans as poppler reports them: a word box is 1.164 times the font size across.
LINE_HEIGHT = 1.164
SMALLEST_POINTS = 10.0


SHEET = {"firm": "KAVERI STRUCTURAL CONSULTANTS", "client": "RIVERSIDE HEALTH TRUST",
         "project": "OFFICE BLOCK AT SITE 7", "title": "FOOTING LAYOUT AND SCHEDULE", "number": "S-101",
         "revision": "B", "date": "2026-12-08", "drawnBy": "KMR", "designedBy": "AVS", "checkedBy": "PSV",
         "approvedBy": "GNR", "paper": "A3", "northRotation": 30,
         "revisions": [{"revision": "A", "date": "2026-10-01", "description": "For comment"},
                       {"revision": "B", "date": "2026-12-08", "description": "Footing C1 added"}]}


def project_file(path):
    doc = {"format": "plintova-project", "version": 1, "listing": "FRAME1.ANL", "sbc": 200, "depth": 1.5,
           "disabled": [40], "combined": [{"joints": [21, 20], "length": 4.1}],
           "resized": [{"joint": 22, "length": 2.7}], "designed": True, "sheet": SHEET}
    with open(path, "w") as f:
        json.dump(doc, f, indent=1)


def mark_of(f):
    return ("F" if f["CombNo"] == 0 else "R") + str(f["GroupRank"])


def close(a, b, tolerance=0.5):
    return abs(a - b) <= tolerance


def layouts_of(doc):
    return [doc.layouts.get(name) for name in doc.layout_names() if name != "Model"]


def dxf_sound(doc, what):
    """What every DXF must be: an audit with no error and no fix, texts upright or turned 90 degrees and at
    least 2.5 mm high on paper (model space at the drawing's scale, layouts at 1:1), every dimension a
    DIMENSION entity whose figures are at least as high, and each sheet a layout on paper of its real size."""
    auditor = doc.audit()
    check(not auditor.has_errors, "%s: the DXF audit reports no error: %r" % (what, [e.message for e in auditor.errors]))
    check(not auditor.fixes, "%s: the DXF audit makes no fix: %r" % (what, [e.message for e in auditor.fixes][:5]))
    msp = doc.modelspace()
    scale = doc.dimstyles.get("PLAN").dxf.dimscale
    for space, least in [(msp, 2.5 * scale)] + [(layout, 2.5) for layout in layouts_of(doc)]:
        texts = list(space.query("TEXT"))
        bad = [(t.dxf.text, t.dxf.rotation) for t in texts if t.dxf.rotation not in (0, 90)]
        check(not bad, "%s: every text at 0 or 90 degrees: %r" % (what, bad[:5]))
        small = [(t.dxf.text, t.dxf.height) for t in texts if t.dxf.height < least - 1e-6]
        check(not small, "%s: every text at least 2.5 mm on paper: %r" % (what, small[:5]))
        check(not list(space.query('TEXT[layer=="DIMENSION"]')), "%s: dimension figures only in DIMENSIONs" % what)
        dims = list(space.query("DIMENSION"))
        check(dims or space.name != "Sheet 1", "%s: dimensions are DIMENSION entities" % what)
        for dim in dims:
            style = doc.dimstyles.get(dim.dxf.dimstyle)
            check(style.dxf.dimtxt * style.dxf.dimscale >= least - 1e-6, "%s: dimension figures legible" % what)
            check(dim.dxf.text.isdigit(), "%s: a dimension states its figure: %r" % (what, dim.dxf.text))
            measured = abs(dim.get_measurement()) * style.dxf.dimlfac
            check(abs(measured - float(dim.dxf.text)) <= 0.51, "%s: dimension %s measures %.1f" % (what, dim.dxf.text, measured))
    for layout in layouts_of(doc):
        paper = layout.dxf_layout.dxf
        check((paper.paper_width, paper.paper_height) in ((420, 297), (594, 420), (841, 594)),
              "%s: %s on real paper: %r" % (what, layout.name, (paper.paper_width, paper.paper_height)))
        frames = [e for e in layout.query("LWPOLYLINE[layer==\"TITLE\"]") if e.closed]
        inside = all(0 <= x <= paper.paper_width and 0 <= y <= paper.paper_height
                     for e in frames for x, y in e.get_points("xy"))
        check(frames and inside, "%s: %s framed within its paper" % (what, layout.name))


def dxf_checks(path, d):
    doc = ezdxf.readfile(path)
    dxf_sound(doc, "FRAME1")
    check(doc.header.get("$INSUNITS") == 4, "model space in millimetres")
    msp = doc.modelspace()
    layers = {layer.dxf.name for layer in doc.layers}
    for name in ("GRID", "GRID-TEXT", "FOOTING", "PEDESTAL", "COLUMN", "MARK", "DIMENSION", "SCHEDULE", "NOTES",
                 "TITLE", "SECTION", "REBAR", "HATCH"):
        check(name in layers, "layer %s exists" % name)
    sheets = layouts_of(doc)
    check([layout.name for layout in sheets][:2] == ["Sheet 1", "Sheet 2"] and len(sheets) >= 3,
          "a layout for each sheet: %r" % doc.layout_names())
    check(list(msp.query("DIMENSION")), "the plan's dimensions in model space")

    # Every footing outline: a closed polyline, as its corners (X right, Z downward as -Y).
    outlines = []
    for e in msp.query('LWPOLYLINE[layer=="FOOTING"]'):
        points = [(x, y) for x, y in e.get_points("xy")]
        check(e.closed and len(points) == 4, "footing outline closed with four corners: %r" % points)
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        outlines.append((min(xs), min(ys), max(xs), max(ys)))

    def outline_at(left, bottom, right, top):
        return any(close(o[0], left) and close(o[1], bottom) and close(o[2], right) and close(o[3], top)
                   for o in outlines)

    built = [f for f in d["footings"] if f["CombNo"] in (0, -1)]
    check(len(outlines) == len(built) + len(d["combined"]),
          "one outline per footing built: %d for %d + %d" % (len(outlines), len(built), len(d["combined"])))
    for f in built:
        hl, hb = f["SizeL"] * 500, f["SizeB"] * 500
        check(outline_at(f["PosX"] - hl, -f["PosZ"] - hb, f["PosX"] + hl, -f["PosZ"] + hb),
              "footing of joint %d at its place and size" % f["JointNo"])
    by_joint = {f["JointNo"]: f for f in d["footings"]}
    for n, c in enumerate(d["combined"], 1):
        a, b = by_joint[c["joints"][0]], by_joint[c["joints"][1]]
        along_x = c["CfAxis"] == 1
        lo = (a["PosX"] if along_x else a["PosZ"]) - c["Cant1"] * 1000
        hi = (b["PosX"] if along_x else b["PosZ"]) + c["Cant2"] * 1000
        found = [o for o in outlines if (close(o[0], lo) and close(o[2], hi) if along_x else
                                         close(o[1], -hi) and close(o[3], -lo))]
        check(len(found) == 1, "combined footing %d from cantilever to cantilever: %r" % (n, found))
        if found:
            o = found[0]
            across = (o[3] - o[1]) if along_x else (o[2] - o[0])
            check(close(across, c["CfWidth"] * 1000), "combined footing %d as wide as designed" % n)
            check(o[0] <= a["PosX"] <= o[2] and o[1] <= -a["PosZ"] <= o[3], "combined footing %d holds its columns" % n)
    disabled = [f for f in d["footings"] if f["CombNo"] == -100]
    check(len(disabled) == 1, "FRAME1 run with one disabled footing")
    for f in disabled:
        check(not any(o[0] < f["PosX"] < o[2] and o[1] < -f["PosZ"] < o[3] for o in outlines),
              "no outline at the disabled footing of joint %d" % f["JointNo"])

    # Every mark is a text on its footing's layer, near the footing.
    marks = [(t.dxf.text, t.dxf.insert) for t in msp.query('TEXT[layer=="MARK"]')]
    mark_texts = [m for m, _ in marks]
    for f in built:
        want = mark_of(f)
        near = [p for m, p in marks if m == want and abs(p[0] - f["PosX"]) < 3000 and abs(p[1] + f["PosZ"]) < 3000]
        check(near, "mark %s of joint %d near its footing" % (want, f["JointNo"]))
    for n in range(1, len(d["combined"]) + 1):
        check(mark_texts.count("C%d" % n) == 1, "mark C%d once" % n)
    check(len(marks) == len(built) + len(d["combined"]), "one mark per footing built: %d" % len(marks))

    # Every schedule row's mark and depth (mm) on the SCHEDULE layer of the sheet that holds the schedule
    # (sheet 2: the plan takes sheet 1 whole), on one line of the table.
    layout = sheets[1] if len(sheets) > 1 else msp
    cells = [(t.dxf.text, t.dxf.insert[1]) for t in layout.query('TEXT[layer=="SCHEDULE"]')]
    for row in d["schedule"]:
        depth = str(round(row["Depth"] * 1000))
        ys = [y for text, y in cells if text == row["mark"]]
        check(len(ys) == 1, "schedule row %s once: %r" % (row["mark"], ys))
        if ys:
            check(any(text == depth and close(y, ys[0], 1) for text, y in cells),
                  "schedule row %s with depth %s" % (row["mark"], depth))
    check(not list(msp.query('TEXT[layer=="TITLE"]')), "no title block in model space")
    section_checks(sheets[1:], d)
    grid_names = {t.dxf.text for t in msp.query('TEXT[layer=="GRID-TEXT"]')}
    check({"1", "9", "A", "E"} <= grid_names, "grid names 1-9 and A-E: %r" % sorted(grid_names))
    title = " ".join(t.dxf.text for t in sheets[0].query('TEXT[layer=="TITLE"]')) if sheets else ""
    for value in ("OFFICE BLOCK AT SITE 7", "S-101", "KMR", "PSV", "FRAME1.ANL", "KAVERI", "For comment"):
        check(value in title, "title block of the DXF names %s" % value)


def view_titles(d):
    """The views the sections show: one per schedule row with its count and, under the title, its sizes in mm
    as the schedule gives them (the pedestal X x Z); a combined footing's plan besides."""
    titles = []
    mm = lambda metres: str(round(metres * 1000))
    for row in d["schedule"]:
        mark = row["mark"]
        kind = {"F": "TYPICAL SECTION", "R": "SECTION ALONG L", "C": "LONGITUDINAL SECTION"}[mark[0]]
        titles.append("%s: %s (%d %s)" % (mark, kind, row["NOs"], "NO" if row["NOs"] == 1 else "NOS"))
        titles.append("FOOTING %s x %s x %s DEEP, PEDESTAL %s x %s (X x Z)" % (
            mm(row.get("L", row.get("Size"))), mm(row.get("B", row.get("Size"))), mm(row["Depth"]),
            mm(row["pedestalX"]), mm(row["pedestalZ"])))
        if mark[0] == "C":
            titles.append("%s: PLAN OF STEEL" % mark)
    return titles


def section_checks(layouts, d):
    """The sheets after the schedule's: every view's title on SECTION, bars on REBAR, cut concrete on HATCH,
    every bar mark of the bar bending schedule in its table and in its row's legend."""
    texts = [t.dxf.text for layout in layouts for t in layout.query('TEXT[layer=="SECTION"]')]
    sizes = {}
    for title in view_titles(d):
        if title.startswith("FOOTING "):
            sizes[title] = sizes.get(title, 0) + 1
        else:
            check(sum(t.startswith(title) for t in texts) == 1, "the DXF draws %s once" % title)
    # Rows of one size show the same sizes line, one per row.
    for line, n in sizes.items():
        check(texts.count(line) == n, "the DXF gives %s under %d title(s)" % (line, n))
    for layer in ("REBAR", "HATCH"):
        check(sum(len(layout.query('*[layer=="%s"]' % layer)) for layout in layouts) > 100,
              "the sections' %s layer holds their entities" % layer)
    table = {t.dxf.text for layout in layouts for t in layout.query('TEXT[layer=="SCHEDULE"]')}
    for bar in d["barBendingSchedule"]["bars"]:
        check(bar["mark"] in table, "bar mark %s in the DXF's bar bending schedule" % bar["mark"])
        check(any(t.startswith(bar["mark"] + " ") for t in texts), "bar mark %s in its section's legend" % bar["mark"])


def pdf_words(path):
    """Lines of words with their boxes in points, from pdftotext -bbox-layout."""
    html = subprocess.run(["pdftotext", "-bbox-layout", path, "-"], capture_output=True, text=True).stdout
    pages = []
    for page in re.findall(r"<page .*?</page>", html, re.S):
        lines = []
        for line in re.findall(r"<line .*?</line>", page, re.S):
            words = [(float(a), float(b), float(c), float(e), w) for a, b, c, e, w in re.findall(
                r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>', line)]
            lines.append(words)
        pages.append(lines)
    return pages


def across(line, word):
    """The size of a word across its reading direction. A line of several words reads along its longer
    side. Of single words only figures stand upright on the sheet (dimensions): a single character is
    never wider than its height, and two or more digits are longer than high."""
    x0, y0, x1, y1, text = word
    w, h = x1 - x0, y1 - y0
    if len(line) > 1:
        lw = max(v[2] for v in line) - min(v[0] for v in line)
        lh = max(v[3] for v in line) - min(v[1] for v in line)
        return h if lw >= lh else w
    if len(text) == 1:
        return max(w, h)
    return min(w, h) if text.isdigit() else h


def legible(page, what):
    """No word smaller than the smallest lettering, and none printed over another."""
    words = [w for line in page for w in line]
    for line in page:
        for word in line:
            size = across(line, word) / LINE_HEIGHT
            check(size >= SMALLEST_POINTS - 0.05, "%s: %r at %.1f pt" % (what, word[4], size))
    inset = 0.3
    for i in range(len(words)):
        a = words[i]
        for b in words[i + 1:]:
            if (a[0] + inset < b[2] - inset and b[0] + inset < a[2] - inset and
                    a[1] + inset < b[3] - inset and b[1] + inset < a[3] - inset):
                failures.append("%s: %r over %r" % (what, a[4], b[4]))


def table_lines(pages, mark):
    """The lines of the sheets' schedule tables that begin a row of this mark: the mark and its bars on one
    line."""
    found = []
    for n, page in enumerate(pages, 1):
        words = [w for line in page for w in line]
        for w in words:
            if w[4] != mark:
                continue
            y = (w[1] + w[3]) / 2
            on_row = [v[4] for v in words if v[1] < y < v[3]]
            if "c/c" in on_row or "-" in on_row:
                found.append((n, on_row))
    return found


def pdf_checks(path, d):
    """FRAME1 with a combined and a resized footing: the plan whole on A3 sheet 1 at 1:200, the schedule and
    notes whole on sheet 2."""
    info = subprocess.run(["pdfinfo", path], capture_output=True, text=True).stdout
    pages = pdf_words(path)
    check(len(pages) >= 3, "the plan, the schedule, then sections and bars: %s" % info)
    check("1191 x 842 pts (A3)" in info, "landscape A3: %s" % info)
    texts = [w[4] for page in pages for line in page for w in line]
    built = [f for f in d["footings"] if f["CombNo"] in (0, -1)]
    for f in built:
        check(mark_of(f) in texts, "mark %s on the sheets" % mark_of(f))
    for name in ("C1", "(20)", "(21)", "(22)", "(40)"):
        check(name in texts, "%s on the plan: the combined footing and the joints the schedule names" % name)
    # Every schedule row: its mark, its size and its depth on one line of the table.
    for row in d["schedule"]:
        depth = str(round(row["Depth"] * 1000))
        lines = table_lines(pages[:2], row["mark"])
        check(len(lines) == 1, "schedule row %s once in the table: %r" % (row["mark"], lines))
        if lines:
            check(lines[0][0] == 2 and depth in lines[0][1] and "@" in lines[0][1], "row %s on sheet 2: %r" % lines[0])
    for n, page in enumerate(pages, 1):
        text = " ".join(" ".join(w[4] for w in line) for line in page)
        for value in ("OFFICE BLOCK AT SITE 7", "RIVERSIDE HEALTH TRUST", "KAVERI STRUCTURAL CONSULTANTS",
                      "FOOTING LAYOUT AND SCHEDULE", "S-101", "2026-12-08", "KMR", "AVS", "PSV", "GNR",
                      "For comment", "FRAME1.ANL", "%d OF %d" % (n, len(pages))):
            check(value in text, "sheet %d shows %r" % (n, value))
        legible(page, "sheet %d" % n)
        check(("AS SHOWN" if n > 1 and "TYPICAL SECTIONS" in text else "1:200 (A3)") in text,
              "sheet %d states its scale" % n)
    first = " ".join(w[4] for line in pages[0] for w in line) if pages else ""
    second = " ".join(w[4] for line in pages[1] for w in line) if len(pages) > 1 else ""
    rest = " ".join(w[4] for page in pages[1:] for line in page for w in line)
    for title in set(view_titles(d)):
        check(rest.count(title) == view_titles(d).count(title), "the sections show %s once a row" % title)
    words = set(rest.split())
    for bar in d["barBendingSchedule"]["bars"]:
        check(bar["mark"] in words, "bar mark %s on the sheets after the schedule" % bar["mark"])
    check("BAR BENDING SCHEDULE" in rest and "TYPICAL SECTIONS" in rest and "PCC M10 100 thick" in rest,
          "the sections and the bar bending schedule follow")
    check("TYPICAL SECTIONS" not in first, "sheet 1 keeps to the plan")
    for value in ("SCALE 1:200", "FOOTING SCHEDULE: SEE SHEET 2", "NOTES: SEE SHEET 2"):
        check(value in first, "sheet 1 shows %r" % value)
    for value in ("FOOTING SCHEDULE", "NOTES", "Clear cover to the reinforcement 50 mm", "Load cases used"):
        check(value in second, "sheet 2 shows %r" % value)


with tempfile.TemporaryDirectory() as tmp:
    shutil.copyfile(FRAME1, os.path.join(tmp, "FRAME1.ANL"))
    hand = os.path.join(tmp, "hand.plintova")
    project_file(hand)
    dxf, pdf = os.path.join(tmp, "drawing.dxf"), os.path.join(tmp, "drawing.pdf")
    r = run("--project", hand, "--json", "--dxf", dxf, "--pdf", pdf)
    check(r.returncode == 0, "the drawing is written: %d %s %s" % (r.returncode, r.stdout[:300], r.stderr[:300]))
    d = json.loads(r.stdout)
    check(d["messages"] == [], "no messages: %r" % d["messages"])
    check([f["CombNo"] for f in d["footings"]].count(-1) == 1 and len(d["combined"]) == 1,
          "one resized and one combined footing")
    dxf_checks(dxf, d)
    pdf_checks(pdf, d)

    # A schedule too long for one sheet goes on over sheets of its own, every row once, nothing overlapping,
    # and the DXF has a layout for each sheet.
    many = os.path.join(tmp, "many.plintova")
    with open(many, "w") as f:
        json.dump({"format": "plintova-project", "version": 1, "listing": "FRAME1.ANL", "sbc": 200, "depth": 1.5,
                   "resized": [{"joint": j, "length": 2.7} for j in range(1, 40)], "designed": True}, f)
    long_pdf, long_dxf = os.path.join(tmp, "many.pdf"), os.path.join(tmp, "many.dxf")
    r = run("--project", many, "--json", "--pdf", long_pdf, "--dxf", long_dxf)
    check(r.returncode == 0, "the long schedule is written: %r" % r.stderr)
    rows = [row["mark"] for row in json.loads(r.stdout)["schedule"]]
    pages = pdf_words(long_pdf)
    check(len(pages) >= 2, "more than one sheet for %d schedule rows: %d" % (len(rows), len(pages)))
    texts = [" ".join(w[4] for line in page for w in line) for page in pages]
    check("Continued on sheet 2." in texts[0] and "FOOTING SCHEDULE (CONTINUED)" in texts[1],
          "the schedule names the sheet it goes on to")
    for n, text in enumerate(texts, 1):
        check("%d OF %d" % (n, len(pages)) in text, "sheet %d of %d named" % (n, len(pages)))
        legible(pages[n - 1], "long schedule, sheet %d" % n)
    for mark in rows:
        found = table_lines(pages, mark)
        check(len(found) == 1, "row %s once in the tables: %r" % (mark, found))
    long_doc = ezdxf.readfile(long_dxf)
    dxf_sound(long_doc, "long schedule")
    check(len(layouts_of(long_doc)) == len(pages), "a layout for each of the %d sheets" % len(pages))

    # FRAME1's schedule fits beside the plan on every paper: the plan sheet holds it whole, rather than a
    # larger scale that sends schedule rows to a second sheet.
    for paper, scale in (("A2", "1:100"), ("A1", "1:75")):
        sized = os.path.join(tmp, "sized.plintova")
        with open(sized, "w") as f:
            json.dump({"format": "plintova-project", "version": 1, "listing": "FRAME1.ANL", "sbc": 200,
                       "depth": 1.5, "designed": True, "sheet": dict(SHEET, paper=paper)}, f)
        out = os.path.join(tmp, "sized.pdf")
        r = run("--project", sized, "--pdf", out)
        pages = pdf_words(out)
        text = " ".join(w[4] for line in pages[0] for w in line) if pages else ""
        check(r.returncode == 0 and scale in text and "1 OF %d" % len(pages) in text and "Continued" not in text
              and "FOOTING SCHEDULE: SEE" not in text, "FRAME1 on %s: the schedule beside the plan" % paper)
        os.remove(sized)
        os.remove(out)

    # A DXF or sheet that cannot be written is reported with status 1, and nothing is left behind.
    for option in ("--dxf", "--pdf"):
        r = run("--project", hand, option, os.path.join(tmp, "no-such-folder", "drawing.out"))
        check(r.returncode == 1 and "could not be written" in r.stdout + r.stderr,
              "%s into a missing folder fails with status 1: %d %r" % (option, r.returncode, r.stderr))
    # A plain listing run writes the drawing too, with the default title block.
    plain = os.path.join(tmp, "plain.dxf")
    r = run(os.path.join(tmp, "FRAME1.ANL"), "--sbc", "200", "--depth", "1.5", "--dxf", plain)
    check(r.returncode == 0 and os.path.getsize(plain) > 0, "a listing run writes the DXF: %r" % r.stderr)
    check(sorted(os.listdir(tmp)) == ["FRAME1.ANL", "drawing.dxf", "drawing.pdf", "hand.plintova", "many.dxf",
                                      "many.pdf", "many.plintova", "plain.dxf"],
          "no other file in the folder: %r" % sorted(os.listdir(tmp)))

finish("FAIL: ", most=60)
