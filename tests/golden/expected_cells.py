"""Expected cell texts of every golden case, as Excel (en-US) shows them.

One entry per case: the fixture it copies, the name the copy gets, and for each worksheet in
workbook order (chart sheets left out) the rows of the sheet's used range, first row and column
of the range first. make_golden.py turns these tables into the expected CSV and TXT files;
crosscheck_libreoffice.py compares them with LibreOffice's own export. How each text was derived
is explained in README.md beside this file.
"""

CR = "\r"
LF = "\n"
TAB = "\t"

TEXT_CELLS = {
    "Text": [
        ["Case", "Text"],
        ["plain", "Hello"],
        ["repeated", "Hello"],
        ["comma", "Smith, John"],
        ["quotes", 'She said "hi"'],
        ["line break", "first line" + LF + "second line"],
        ["cr lf", "one" + CR + LF + "two"],
        ["carriage return", "c" + CR + "d"],
        ["tab", "a" + TAB + "b"],
        ["spaces", "  two  spaces  "],
        ["accents", "Crème brûlée à São Paulo"],
        ["CJK", "東京都の天気"],
        ["emoji", "Party \U0001F389 time \U0001F600"],
        ["mixed", 'Zoë said "你好", then left'],
        ["markup", "<b>not bold</b> & 'apos'"],
        ["escape-like", "_x0041_ stays"],
        ["rich", "Bold plain italic red"],
        ["rich multi-line", "Total: 42" + LF + 'see "note", below'],
        ["number text", "007"],
        ["formula-like", "=1+2"],
        ["trailing space", "end "],
    ],
    "Données": [
        ["Ville", "Pays", "Population"],
        ["Zürich", "Schweiz", "421878"],
        ["København", "Danmark", "644431"],
        ["Kraków", "Polska", "779966"],
        ["Москва", "Россия", "13010112"],
        ["Αθήνα", "Ελλάδα", "643452"],
        ["القاهرة", "مصر", "9539673"],
        ["北京", "中国", "21893095"],
        ["서울", "대한민국", "9586195"],
    ],
}

NUMBER_FORMATS = {
    "General": [
        ["Case", "Value"],
        ["integer", "42"],
        ["negative", "-17"],
        ["zero", "0"],
        ["one decimal", "3.5"],
        ["tenth", "0.1"],
        ["negative half", "-0.5"],
        ["negative decimal", "-1234.5678"],
        ["pi", "3.141592654"],
        ["two thirds", "0.666666667"],
        ["fifteen decimals", "0.123456789"],
        ["seven digits and decimals", "1234567.891"],
        ["ten digits and a half", "1234567891"],
        ["hundred thousand", "100000"],
        ["eleven digits", "12345678901"],
        ["eleven nines", "99999999999"],
        ["twelve digits", "1.23457E+11"],
        ["twelve nines", "1E+12"],
        ["ten to the twentieth", "1E+20"],
        ["huge", "1.5E+300"],
        ["small", "0.001234"],
        ["tiny", "1.5E-09"],
    ],
    "Formats": [
        ["Format", "Shown"],
        ["0.00", "3.14"],
        ["0.00", "-2.50"],
        ["0.00", "0.00"],
        ["0.00", "1234567.89"],
        ["0.00", "abc"],
        ["#,##0", "1,234,568"],
        ["#,##0", "-1,234"],
        ["#,##0", "999"],
        ["#,##0", "0"],
        ["#,##0", "1,234,567,890,123"],
        ["#,##0", "0"],
        ["0%", "26%"],
        ["0.00%", "12.34%"],
        ["0.00%", "-5.25%"],
        ["0.00%", "150.00%"],
        ["euro", "€ 1,234.50"],
        ["euro", "-€ 1,234.50"],
        ["euro", "€ 0.00"],
        ["dollar", "$1,234.50"],
        ["dollar", "($100.00)"],
        ["# ?/?", "1 1/4"],
        ["# ?/?", "3 1/3"],
        ["# ?/?", "2 3/4"],
        ["# ?/?", "-1 1/2"],
        ["@", "00123"],
        ["@", "42"],
    ],
}

DATE_HEADER = ["Case", "m/d/yyyy", "d-mmm-yy", "h:mm:ss AM/PM", "[h]:mm", "m/d/yyyy h:mm", "General"]

DATES_1900 = {
    "Dates": [
        DATE_HEADER,
        ["day 1", "1/1/1900", "1-Jan-00", "12:00:00 AM", "24:00", "1/1/1900 0:00", "1"],
        ["day 59", "2/28/1900", "28-Feb-00", "12:00:00 AM", "1416:00", "2/28/1900 0:00", "59"],
        ["day 60", "2/29/1900", "29-Feb-00", "12:00:00 AM", "1440:00", "2/29/1900 0:00", "60"],
        ["day 61", "3/1/1900", "1-Mar-00", "12:00:00 AM", "1464:00", "3/1/1900 0:00", "61"],
        ["noon 1 Jan 2000", "1/1/2000", "1-Jan-00", "12:00:00 PM", "876636:00", "1/1/2000 12:00",
         "36526.5"],
        ["evening 15 Mar 2023", "3/15/2023", "15-Mar-23", "6:00:00 PM", "1080018:00",
         "3/15/2023 18:00", "45000.75"],
        ["time only", "1/0/1900", "0-Jan-00", "4:30:00 AM", "4:30", "1/0/1900 4:30", "0.1875"],
        ["time with seconds", "1/0/1900", "0-Jan-00", "12:15:20 PM", "12:15", "1/0/1900 12:15",
         "0.510648148"],
        ["36 hours", "1/1/1900", "1-Jan-00", "12:00:00 PM", "36:00", "1/1/1900 12:00", "1.5"],
        ["last day", "12/31/9999", "31-Dec-99", "12:00:00 AM", "71003160:00", "12/31/9999 0:00",
         "2958465"],
        ["formula DATE(2023;3;15)+0.75", "3/15/2023", "15-Mar-23", "6:00:00 PM", "1080018:00",
         "3/15/2023 18:00", "03/15/23"],
    ],
}

DATES_1904 = {
    "Dates": [
        DATE_HEADER,
        ["day 0", "1/1/1904", "1-Jan-04", "12:00:00 AM", "0:00", "1/1/1904 0:00", "0"],
        ["day 1", "1/2/1904", "2-Jan-04", "12:00:00 AM", "24:00", "1/2/1904 0:00", "1"],
        ["day 59", "2/29/1904", "29-Feb-04", "12:00:00 AM", "1416:00", "2/29/1904 0:00", "59"],
        ["day 60", "3/1/1904", "1-Mar-04", "12:00:00 AM", "1440:00", "3/1/1904 0:00", "60"],
        ["noon 1 Jan 2000", "1/1/2000", "1-Jan-00", "12:00:00 PM", "841548:00", "1/1/2000 12:00",
         "35064.5"],
        ["evening 15 Mar 2023", "3/15/2023", "15-Mar-23", "6:00:00 PM", "1044930:00",
         "3/15/2023 18:00", "43538.75"],
        ["time only", "1/1/1904", "1-Jan-04", "4:30:00 AM", "4:30", "1/1/1904 4:30", "0.1875"],
        ["36 hours", "1/2/1904", "2-Jan-04", "12:00:00 PM", "36:00", "1/2/1904 12:00", "1.5"],
        ["formula DATE(2023;3;15)+0.75", "3/15/2023", "15-Mar-23", "6:00:00 PM", "1044930:00",
         "3/15/2023 18:00", "03/15/23"],
    ],
}

FORMULAS = {
    "Formulas": [
        ["Case", "Result"],
        ["sum", "12.75"],
        ["product", "25"],
        ["division", "0.333333333"],
        ["rounded", "3"],
        ["pi", "3.141592654"],
        ["formatted 0.00", "0.33"],
        ["date", "3/15/2023"],
        ["concatenation", "concat"],
        ["upper", "WIDGET"],
        ["text with comma", "a, b"],
        ["TEXT()", "50%"],
        ["IF()", "big"],
        ["empty text", ""],
        ["comparison", "FALSE"],
        ["TRUE()", "TRUE"],
        ["constant TRUE", "TRUE"],
        ["constant FALSE", "FALSE"],
        ["divide by zero", "#DIV/0!"],
        ["not available", "#N/A"],
        ["text plus number", "#VALUE!"],
        ["unknown function", "#NAME?"],
        ["error passed on", "#DIV/0!"],
    ],
    "Inputs": [
        ["Item", "Amount"],
        ["widget", "10"],
        ["gadget", "2.5"],
        ["gizmo", "0.25"],
    ],
}

LAYOUT = {
    "Sales Data": [
        ["Month", "Sales"],
        ["Jan", "120"],
        ["Feb", "95.5"],
        ["Mar", "143"],
    ],
    # Chart (a chart sheet) sits between Sales Data and Offset and gives no file.
    "Offset": [
        ["Name", "Score", "Passed"],
        ["Ann", "91", "TRUE"],
        ["Bob", "78.5", "FALSE"],
        ["Cy", "", ""],
    ],
    "Gaps": [
        ["a1", "", "c1", "", "e1"],
        ["", "", "", "", ""],
        ["1", "", "3", "", "5"],
        ["", "", "", "", ""],
        ["", "", "", "", ""],
        ["", "", "end", "", ""],
    ],
    "Padded": [
        ["", "", "", "", ""],
        ["", "", "", "", ""],
        ["x", "y", "z", "", ""],
        ["1", "2", "3", "", ""],
        ["", "", "", "", ""],
        ["", "", "", "", ""],
    ],
    "Empty": [],
}

INLINE_STRINGS = {
    "Inline": [
        ["Inline", "Shared", "Number"],
        ["alpha", "alpha", "1"],
        ["with, comma", "with, comma", "2.5"],
        ["Bold then plain", "Bold then plain", "3"],
        ["  padded  ", "  padded  ", ""],
        ["two" + LF + '"lines"', "two" + LF + '"lines"', ""],
        ["日本語 \U0001F38C", "日本語 \U0001F38C", ""],
        ["0042", "0042", "3.5"],
    ],
}

# case folder, fixture file, name of the copy in the case folder, expected sheets
CASES = [
    ("text_cells", "TextCells.xlsx", "TextCells.xlsx", TEXT_CELLS),
    ("number_formats", "NumberFormats.xlsx", "NumberFormats.xlsx", NUMBER_FORMATS),
    ("dates_1900", "Dates1900.xlsx", "Dates1900.xlsx", DATES_1900),
    ("dates_1904", "Dates1904.xlsx", "Dates1904.xlsx", DATES_1904),
    ("formulas", "Formulas.xlsx", "Formulas.xlsx", FORMULAS),
    # The copy's name has a space and an extra dot: the output folder is LayoutBookv2.
    ("layout", "Layout.xlsx", "Layout Book.v2.xlsx", LAYOUT),
    ("inline_strings", "InlineStrings.xlsx", "InlineStrings.xlsx", INLINE_STRINGS),
]
