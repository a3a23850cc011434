#!/usr/bin/env python3
"""Prints a spreadsheet file as the tests compare it, read by an independent
reader (openpyxl for .xlsx, xlrd for .xls): "# <sheet>" before each sheet,
then one line per row, cells separated by " | ", each as
  s:<text>  n:<number>[@<format>]  d:<date>[ <time>]  t:<time>  b:<0|1>
and nothing for an empty cell (trailing empty cells dropped). Texts show
line breaks as \\n."""
import datetime
import sys


def numero(v):
    return '%.15g' % v


def testo(v):
    return 's:' + v.replace('\r', '\\r').replace('\n', '\\n')


def momento(v):
    if isinstance(v, datetime.datetime):
        if v.time() == datetime.time(0, 0):
            return 'd:' + v.date().isoformat()
        return 'd:' + v.date().isoformat() + ' ' + v.time().isoformat()
    if isinstance(v, datetime.date):
        return 'd:' + v.isoformat()
    return 't:' + v.isoformat()


def riga(celle):
    while celle and celle[-1] == '':
        celle.pop()
    return ' | '.join(celle)


def xlsx(percorso):
    import openpyxl
    libro = openpyxl.load_workbook(percorso)
    for foglio in libro.worksheets:
        print('# ' + foglio.title)
        for r in foglio.iter_rows():
            celle = []
            for c in r:
                v = c.value
                if v is None:
                    celle.append('')
                elif isinstance(v, bool):
                    celle.append('b:%d' % v)
                elif isinstance(v, (int, float)):
                    f = c.number_format
                    celle.append('n:' + numero(v) + ('' if f == 'General' else '@' + f))
                elif isinstance(v, (datetime.datetime, datetime.date, datetime.time)):
                    celle.append(momento(v))
                else:
                    celle.append(testo(str(v)))
            print(riga(celle))


def xls(percorso):
    import xlrd
    libro = xlrd.open_workbook(percorso, formatting_info=True)
    for foglio in libro.sheets():
        print('# ' + foglio.name)
        for r in range(foglio.nrows):
            celle = []
            for c in foglio.row(r):
                if c.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
                    celle.append('')
                elif c.ctype == xlrd.XL_CELL_TEXT:
                    celle.append(testo(c.value))
                elif c.ctype == xlrd.XL_CELL_BOOLEAN:
                    celle.append('b:%d' % c.value)
                elif c.ctype == xlrd.XL_CELL_DATE:
                    t = xlrd.xldate_as_tuple(c.value, libro.datemode)
                    if t[:3] == (0, 0, 0):
                        celle.append(momento(datetime.time(*t[3:])))
                    else:
                        celle.append(momento(datetime.datetime(*t)))
                else:
                    formato = libro.format_map[libro.xf_list[c.xf_index].format_key].format_str
                    celle.append('n:' + numero(c.value) +
                                 ('' if formato == 'General' else '@' + formato))
            print(riga(celle))


if __name__ == '__main__':
    sys.stdout.reconfigure(encoding='utf-8')
    (xlsx if sys.argv[1].lower().endswith('.xlsx') else xls)(sys.argv[1])
