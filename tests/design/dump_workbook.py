"""Prints every sheet and non-empty cell of an .xlsx workbook, read with openpyxl.

One line per sheet: "sheet<TAB>name"; one line per cell: "row<TAB>column<TAB>n<TAB>value" for numbers
(value as Python's shortest repr) or "row<TAB>column<TAB>s<TAB>text" for texts, the _xHHHH_ escapes of
control characters decoded as spreadsheets decode them. The archive's every entry is checked against its
CRC-32 first; a damaged one ends the script with status 1.

With --details, each sheet's line is followed by its page setup ("setup<TAB>..."), its column widths
("width<TAB>A<TAB>10.7109375") and each cell's line ends with its format: b (bold), i (italic), the font's
colour, the fill's colour and the bottom border's style, "-" where a format has none.
"""
import re
import sys
import zipfile

import openpyxl


def decoded(text):
    return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), text)


def colour(c):
    return c.rgb if c is not None and isinstance(c.rgb, str) else "-"


def format_of(cell):
    font, fill = cell.font, cell.fill
    return "%s%s\t%s\t%s\t%s" % ("b" if font.b else "", "i" if font.i else "", colour(font.color),
                                 colour(fill.fgColor) if fill.fill_type == "solid" else "-",
                                 cell.border.bottom.style or "-")


def main(path, details):
    bad = zipfile.ZipFile(path).testzip()
    if bad is not None:
        sys.exit("damaged entry: " + bad)
    book = openpyxl.load_workbook(path)
    for ws in book.worksheets:
        print("sheet\t" + ws.title)
        if details:
            setup = ws.page_setup
            print("setup\tfreeze=%s\ttitles=%s\t%s\tpaper=%s\tfit=%s:%s,%s\theader=%s\tfooter=%s" % (
                ws.freeze_panes, ws.print_title_rows, setup.orientation, setup.paperSize,
                ws.sheet_properties.pageSetUpPr.fitToPage, setup.fitToWidth, setup.fitToHeight,
                ws.oddHeader.left.text, ws.oddFooter.center.text))
            for letter, dimension in sorted(ws.column_dimensions.items()):
                if dimension.customWidth:
                    print("width\t%s\t%r" % (letter, dimension.width))
        for row in ws.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                if cell.data_type == "n":
                    line = "%d\t%d\tn\t%r" % (cell.row, cell.column, float(cell.value))
                else:
                    line = "%d\t%d\ts\t%s" % (cell.row, cell.column, decoded(cell.value))
                print(line + ("\t" + format_of(cell) if details else ""))


if __name__ == "__main__":
    main(sys.argv[1], "--details" in sys.argv[2:])
