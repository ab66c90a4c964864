"""Prints every sheet and non-empty cell of an .xlsx workbook, read with openpyxl.

One line per sheet: "sheet<TAB>name"; one line per cell: "row<TAB>column<TAB>n<TAB>value" for numbers
(value as Python's shortest repr) or "row<TAB>column<TAB>s<TAB>text" for texts.
"""
import sys

import openpyxl


def main(path):
    book = openpyxl.load_workbook(path)
    for ws in book.worksheets:
        print("sheet\t" + ws.title)
        for row in ws.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                if cell.data_type == "n":
                    print("%d\t%d\tn\t%r" % (cell.row, cell.column, float(cell.value)))
                else:
                    print("%d\t%d\ts\t%s" % (cell.row, cell.column, cell.value))


if __name__ == "__main__":
    main(sys.argv[1])
