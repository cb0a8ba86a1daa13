#!/usr/bin/python3
"""Writes the seed inputs of the fuzz targets into tests/fuzz/corpus/: the
examples of the program's own tables, encoded the way fuzz_text.h decodes
them. Run it again after changing the encoding; `make fuzz` grows the corpora
from these seeds."""
import os
import struct

ALPHABET = '0123456789.,+-*/()% \t\u20ac\u00d7\u00f7\u2212/'
END = b'\xff'


def text(t):
    out = bytearray()
    for c in t:
        if c in ALPHABET:
            out.append(ALPHABET.index(c))
        else:
            out += bytes([0xF0]) + struct.pack('<H', ord(c))
    return bytes(out) + END


def write(target, name, data):
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def main():
    numbers = ['1.234,56', '1.000 + 22%', '(40+35)/3', '200-10%', '3\u22125', '50%%', '1.000\u00d72',
               '7\u00f72', '\u20ac 1.000', '--5', '5/0', '1,2,3', '0,125', '999,999']
    for i, t in enumerate(numbers):
        for d in (-1, 0, 2, 6):
            write('number', 'seed-%02d-%d' % (i, d), struct.pack('<d', 1234567.891 * (i + 1)) +
                  bytes([d + 1]) + text(t))
    dates = [(0, '21/11/2026', '31/12/2026', '60'), (1, '21/11/2026', '', '60'),
             (5, '21/11/2026', '', '30+30'), (2, '25/04/2027', '25/04/2027', ''),
             (0, '131066', '31/12/2026', ''), (1, '01/01/1600', '', '-1'),
             (0, '01/01/2000', '07/09/2410', ''), (4, '31/01/2028', '', '10')]
    for i, (flags, a, b, days) in enumerate(dates):
        write('dates', 'seed-%02d' % i, bytes([flags]) + text(a) + text(b) + text(days))
    # Each with the claim ledger's movements (1 + flags % 6 of them), its Al and its lawsuit.
    finance = [(0, '10000', '2,40', '8,00', '60', '01/07/2026', '31/08/2026', '1000', ['40', '30', '30'],
                ['01/01/2025 10.000', '31/12/2025', '']),
               (1, '10000', '2,40', '8,00', '60', '01/06/2026', '31/07/2026', '100', ['1', '1', '1'],
                ['31/01/2021 10.000', '01/07/2023 (3.000)', '31/07/2025', '15/06/2023']),
               (3, '10000', '2,40', '8,00', '100.000', 'x', 'y', '0,05', ['1', '1', '1'],
                ['01/01/2024\t1.000', '31/12/2024;-2.000', '10/01/2025 400', '20/02/2025 \u20ac 1.000,00', '30/06/2026',
                 '']),
               (16, '1', '1000', '100', '1', '31/12/2026', '01/01/2027', '1', ['1'] * 6,
                ['31/08/2019 10.000', '30/09/2020', '']),
               (4, '0', '0', '', '', '01/01/2026', '01/01/2026', '9.000.000.000.000', ['1', '2', '0'],
                ['010124 1.000', '29/02/2024 1.000', '31/03/2024 1.000', '01/04/2024 -500', '', '31/12/2025',
                 '11/12/2014'])]
    for i, (flags, c, r, m, n, a, b, total, weights, ledger) in enumerate(finance):
        write('finance', 'seed-%02d' % i, bytes([flags]) + text(c) + text(r) + text(m) + text(n) +
              text(a) + text(b) + b''.join(text(x) for x in ledger) + text(total) +
              b''.join(text(w) for w in weights))

    # The pasted columns and cells, the kept tape and the added rows of "nothing silently wrong".
    pastes = ['12,50\r\n7\r\n3,20\r\n', '\t12,50\r\n', '10\n-\n5\n(12,30)\n\u20ac\u00a01,00',
              '100\n(12,30) \u20ac\n\u20ac (5,00)\n-\u20ac 10,00\n\u20ac -', '10%\n100', '100\n2-10%',
              '(12,30)', '\u20ac\u00a01.000,00\r\n', '12,30 \u20ac', '\u2013', '1)\n(2', '1E+23\n1E+23',
              'Affitto\t1.200,00 \u20ac\r\nLuce\t-85,40\r\n', 'Importo\r\n1\r\n2']
    for i, t in enumerate(pastes):
        write('paste', 'seed-%02d' % i, bytes([1]) + text(t))
    tapes = [b'1 = 1,00\r\n2 = 2,00\r\n', b'\xef\xbb\xbf1 = 1,00\n', b'12,50\t= 12,50\r\n',
             b'1 = 1,00\r\n\xff damaged', '\u20ac 5 \u00d7 2 = 10,00\r\n'.encode()]
    for i, t in enumerate(tapes):
        write('tape', 'seed-%02d' % i, t)
    rows = ['L 01/01/2027 1,60;R 01/07/2027 2,40;F 09/2026 104,1', 'F 08/2026 103,7;F 09/2026 104,1',
            'L 01/01/2026 1,60;L 01/01/2027 1,60', 'L 01/01/2027;;garbage;L 01/01/2027 1,60',
            'L 01/01/2027 1,60;L 01/01/2029 1,50;R 01/01/2027 2,40;F 09/2026 104,1;X 1;F 10/2026 2000']
    for i, t in enumerate(rows):
        write('rows', 'seed-%02d' % i, text(t))


if __name__ == '__main__':
    main()
