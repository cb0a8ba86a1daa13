#!/usr/bin/python3
"""Compares a printed PDF with the text that was sent to the printer.

The PDF's pages (pdftotext, one form feed between pages) must hold the text's
lines in order, page by page as the program lays them out at the printer's
300 dots per inch on A4 (a line goes to the next page when it would end below
the bottom margin), with no line lost, split or repeated, and "Pagina N di M"
at the foot of every page when there are several; the document title is the
job name. The minute of "Stampato il ..." may differ: only its form counts.

Usage: print_check.py EXPECTED.txt PRINTED.pdf JOBNAME
"""
import re
import subprocess
import sys


def words(line):
    """pdftotext -layout widens runs of blanks: compare with single blanks."""
    line = re.sub(r'\s+', ' ', line).strip()
    return re.sub(r'^Stampato il \S+ \d\d/\d\d/\d{4} alle \d\d:\d\d$', 'Stampato il (data e ora)', line)

DPI, VERTRES = 300, 3508  # what the Wine printer reports for A4


def page_slices(lines):
    top, pitch, bottom = DPI // 2, 20 * DPI // 72, VERTRES - DPI // 2
    pages, y = [], top
    for i, line in enumerate(lines):
        if i == 0 or (y + pitch > bottom and y > top):
            pages.append([])
            y = top
        pages[-1].append(line)
        y += pitch
    return pages


def main():
    expected_path, pdf, job = sys.argv[1:4]
    text = open(expected_path, encoding='utf-8').read()
    lines = [l[:-1] if l.endswith('\r') else l for l in text.split('\n')]
    if lines and lines[-1] == '':
        lines.pop()
    want = [[words(l) for l in page if l.strip()] for page in page_slices(lines)]
    if len(want) > 1:
        for n, page in enumerate(want, 1):
            page.append('Pagina %d di %d' % (n, len(want)))

    out = subprocess.run(['pdftotext', '-layout', pdf, '-'], stdout=subprocess.PIPE, check=True)
    printed = out.stdout.decode('utf-8').replace('\u00ad', '-').split('\f')
    if printed and printed[-1].strip() == '':
        printed.pop()
    got = [[words(l) for l in page.split('\n') if l.strip()] for page in printed]

    info = subprocess.run(['pdfinfo', pdf], stdout=subprocess.PIPE, check=True).stdout.decode()
    title = next((l.split(':', 1)[1].strip() for l in info.splitlines() if l.startswith('Title:')), '')

    ok = True
    if title != job:
        print('title %r, want %r' % (title, job))
        ok = False
    if len(got) != len(want):
        print('%d pages, want %d' % (len(got), len(want)))
        ok = False
    for n, (g, w) in enumerate(zip(got, want), 1):
        if g != w:
            k = next((i for i, (a, b) in enumerate(zip(g, w)) if a != b), min(len(g), len(w)))
            print('page %d differs at line %d:\n got  %r\n want %r' % (n, k + 1, g[k:k + 3], w[k:k + 3]))
            ok = False
    print('%s: %d pages, %d lines checked' % (pdf, len(got), sum(len(p) for p in want)))
    sys.exit(0 if ok else 1)


if __name__ == '__main__':
    main()
