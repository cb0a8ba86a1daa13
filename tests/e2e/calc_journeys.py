"""CALC driven with real keys and clicks: expressions, the VAT keys and their
menu, rounding, the tape and its copies."""
import time

from driver import *  # noqa: F401,F403 (the journeys' shared vocabulary)


def calc_journey(p):
    p.type('1.000 + 22%')
    p.key('Return')
    s = wait_until('1.220,00', lambda s: display(s) == '1.220,00')
    check('CALC: 1.000 + 22% gives 1.220,00 with its tape line',
          tape(s) == ['1.000 + 22% = 1.220,00'] and input_text(s) == '')
    p.type('/4')
    p.key('Return')
    s = wait_until('305,00', lambda s: display(s) == '305,00')
    check('CALC: /4 continues from the result as shown', tape(s)[-1] == '1220,00/4 = 305,00')
    p.type('5/0')
    p.key('Return')
    s = wait_until('5/0 typed', lambda s: input_text(s) == '5/0')
    time.sleep(0.3)
    s = probe()
    check('CALC: an unreadable line stays and changes nothing',
          input_text(s) == '5/0' and display(s) == '305,00' and len(tape(s)) == 2)
    p.key('Escape')
    wait_until('line emptied', lambda s: input_text(s) == '')
    p.click(183, 97)  # "+ IVA" on the last result
    s = wait_until('372,10', lambda s: display(s) == '372,10')
    check('CALC: "+ IVA" on the last result', tape(s)[-1] == '+IVA 22,00% su 305,00 = 372,10')
    p.click(412, 97)  # "Solo IVA"
    s = wait_until('Solo IVA', lambda s: tape(s)[-1].startswith('Solo IVA'))
    check('CALC: "Solo IVA"', tape(s)[-1] == 'Solo IVA 22,00% su 372,10 = 81,86')
    p.click(293, 97)  # "- IVA"
    s = wait_until('Scorporo', lambda s: tape(s)[-1].startswith('Scorporo'))
    check('CALC: "- IVA" shows the net and the VAT, which add up to the gross',
          tape(s)[-1] == 'Scorporo 22,00% su 81,86 = 67,10 (IVA 14,76)' and display(s) == '67,10')
    p.click(49, 321)  # COPIA
    s = check('CALC: COPIA puts the last result on the clipboard', lambda s: s['clipboard'] == '67,10')
    p.click(295, 321)  # TASTI
    s = wait_until('keypad', lambda s: s['main']['h'] == 666)
    for x, y in ((72, 514), (72, 366), (189, 440), (423, 477), (306, 440), (189, 514)):  # ( 7 2 + 3 )
        p.click(x, y)
    s = wait_until('keypad typed', lambda s: input_text(s) == '(72+3)')
    p.click(423, 514)  # "="
    s = wait_until('75,00', lambda s: display(s) == '75,00')
    check('CALC: the keypad keys an expression and "=" calculates it', tape(s)[-1] == '(72+3) = 75,00')
    p.click(295, 321)
    wait_until('keypad hidden', lambda s: s['main']['h'] == 390)
    # Double-click the newest line, wherever the list has scrolled it.
    s = probe()
    tape_list = child(s, cid=141)
    row = len(tape_list['lines']) - 1 - tape_list['top']
    y = tape_list['y'] + 2 + row * tape_list['itemHeight'] + tape_list['itemHeight'] // 2
    xdo('mousemove', '--window', p.window, 100, y, 'click', '--repeat', 2, '--delay', 80, 1)
    s = check('CALC: double-click on a tape line takes its result back', lambda s: input_text(s) == '75,00')
    p.key('Escape')
    p.click(213, 321)  # PULISCI
    s = wait_until('cleared', lambda s: display(s) == '0,00' and tape(s) == [])
    check('CALC: PULISCI clears display and tape', input_text(s) == '')


def vat_menu_journey(p):
    p.click(60, 97)
    s = wait_until('menu open', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    menu = [w for w in s['windows'] if w['class'] == '#32768'][0]
    # The third entry, "10%", of a menu opened at the button's bottom-left corner.
    xdo('mousemove', menu['x'] + 30, menu['y'] + 3 + 18 * 2 + 8, 'click', 1)
    s = check('CALC: the rate menu picks 10 %', lambda s: child(s, cid=150)['text'] == 'IVA 10,00%  \u25be')


def rounding_journey(p):
    """Half a cent goes up, at the rate of 10 % the menu just picked."""
    p.type('0,15')  # the menu closed: the typing goes to the input line
    p.click(412, 97)  # "Solo IVA": 0,015 is 0,01499999... as a double
    s = wait_until('Solo IVA 0,15', lambda s: tape(s)[-1].startswith('Solo IVA 10,00% su 0,15'))
    check('rounding: "Solo IVA" at 10 % on 0,15 shows 0,02', display(s) == '0,02')
    p.type('1,005')
    p.key('Return')
    s = wait_until('1,005', lambda s: tape(s)[-1].startswith('1,005'))
    check('rounding: 1,005 shows 1,01', display(s) == '1,01' and tape(s)[-1] == '1,005 = 1,01')


def tape_journey(p):
    """The tape as a bookkeeper uses it: picked up and recalled with the keys,
    copied as spreadsheet columns and pasted back as a column to sum."""
    p.click(213, 321)  # PULISCI
    wait_until('cleared', lambda s: tape(s) == [])
    for line in ('1.200,50', '99,50', '13'):
        p.type(line)
        p.key('Return')
        wait_until(line, lambda s: tape(s) and tape(s)[-1].startswith(line))
    p.click(293, 97)  # "- IVA" on 13 (at 10 %, the rate the menu picked)
    s = wait_until('scorporo', lambda s: tape(s)[-1].startswith('Scorporo'))
    check('tape: the scorporo writes the net and the VAT', tape(s)[-1] == 'Scorporo 10,00% su 13,00 = 11,82 (IVA 1,18)')
    p.key('Tab', 'End', 'Up', 'Up')  # the tape, its last line, then up to "99,50 = 99,50"
    s = wait_until('tape focused', lambda s: focused(s).get('id') == 141)
    p.key('Return')  # "99,50 = 99,50" into the empty input line
    s = wait_until('picked up', lambda s: input_text(s) == '99,50' and focused(s).get('id') == 140)
    p.type('*2+')
    p.key('Tab', 'Home', 'Return')  # the first line, inserted at the caret
    s = wait_until('built from two lines', lambda s: input_text(s) == '99,50*2+1.200,50')
    check('tape: Enter on a line inserts its result at the caret', focused(s).get('id') == 140)
    p.key('Return')
    s = wait_until('1.399,50', lambda s: display(s) == '1.399,50')
    p.key('Up')
    s = check('tape: Up recalls the expression entered last', lambda s: input_text(s) == '99,50*2+1.200,50')
    p.key('Escape')
    # Right-click on the tape: the spreadsheet copy, two columns a line.
    tape_list = child(s, cid=141)
    p.click(100, tape_list['y'] + 8)
    xdo('mousemove', '--window', p.window, 100, tape_list['y'] + 8, 'click', 3)
    wait_until('tape menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Down', 'Return')  # "Copia per foglio di calcolo"
    s = wait_until('spreadsheet copy', lambda s: (s['clipboard'] or '').count('\t') >= 5)
    rows = s['clipboard'].split('\r\n')
    with open(os.path.join(os.environ.get('TMPDIR', '/tmp'), 'zentolo-tape.tsv'), 'w', encoding='utf-8') as f:
        f.write(s['clipboard'])
    check('tape: the spreadsheet copy is tab-separated, expression then result, a scorporo\'s VAT apart',
          rows[-1] == '' and all(r.count('\t') == (2 if i == 3 else 1) for i, r in enumerate(rows[:-1]))
          and rows[3] == 'Scorporo 10,00% su 13,00\t11,82\t1,18')
    p.click(100, 283)  # the input line, then the column pasted with Ctrl+V
    p.key('ctrl+v')
    s = wait_until('column listed', lambda s: tape(s)[-1].startswith('Totale'))
    check('tape: a column pasted into the empty line is listed, its last cells one a line after the row\'s others',
          tape(s)[-6:] == ['1.200,50  1.200,50 = 1.200,50', '99,50  99,50 = 99,50', '13  13,00 = 13,00',
                           'Scorporo 10,00% su 13,00 \u00b7 11,82  1,18 = 1,18', '99,50*2+1.200,50  1.399,50 = 1.399,50',
                           'Totale n. 5 = 2.713,68'] and display(s) == '2.713,68')
    p.key('ctrl+g')
    s = wait_until('grand total', lambda s: tape(s)[-1].startswith('GT'))
    check('tape: Ctrl+G writes the grand total of the results since PULISCI',
          tape(s)[-1] == 'GT n. 6 = 5.438,00' and display(s) == '5.438,00')
    p.type('123456789012345*1000000000000000000000000000000')
    p.key('Return')
    s = wait_until('a long result', lambda s: tape(s)[-1].startswith('123456789012345*'))
    check('tape: from 10^21 the E form with the 15 digits, on the display and the tape',
          display(s) == '1,23456789012345E+44' and tape(s)[-1].endswith(' = 1,23456789012345E+44'))
    s = probe()
    top_line = tape(s)[child(s, cid=141)['top']]
    p.click(100, tape_list['y'] + 8)  # the line at the top, selected: Ctrl+C copies it
    p.key('ctrl+c')
    s = check('tape: Ctrl+C on the tape copies the selected line', lambda s: s['clipboard'] == top_line)
    p.click(213, 321)  # PULISCI
    wait_until('cleared again', lambda s: tape(s) == [] and display(s) == '0,00')
    p.type('100')
    p.key('F9', 'Tab', 'F7')  # "Solo IVA" from the input line, "+ IVA" from the tape
    s = wait_until('VAT keys', lambda s: len(tape(s)) == 2)
    check('tape: F9 and F7 press "Solo IVA" and "+ IVA" wherever the focus is on CALC',
          tape(s)[0].startswith('Solo IVA 10,00% su 100,00 = 10,00') and tape(s)[1].startswith('+IVA 10,00% su 10,00'))
    p.click(213, 321)
    wait_until('cleared at last', lambda s: tape(s) == [] and display(s) == '0,00')


def bookkeeper_journey(p):
    """A morning of invoices: columns pasted from a spreadsheet, pick-ups that
    add, lines that read true, PULISCI taken back, a long line pointed at."""
    p.type('100')
    p.key('Return')
    wait_until('100,00', lambda s: display(s) == '100,00')
    p.type('0+')  # into a line that is not empty, a column is summed in brackets
    set_clipboard('-5,00\r\n3,00\r\n')
    p.key('ctrl+v')
    wait_until('column pasted', lambda s: input_text(s) == '0+(-5,00+3,00)')
    p.key('Return')
    s = wait_until('-2,00', lambda s: display(s) == '-2,00')
    check('bookkeeper: a column starting with a negative cell sums on its own',
          tape(s)[-1] == '0+(-5,00+3,00) = -2,00')
    set_clipboard('10\n-\n5\n(12,30)\n\u20ac\u00a01,00\n')
    p.key('ctrl+v')
    s = wait_until('3,70', lambda s: display(s) == '3,70')
    check('bookkeeper: a dash is 0, brackets are negative, a no-break space is a blank',
          tape(s)[-6:] == ['10 = 10,00', '- = 0,00', '5 = 5,00', '(12,30) = -12,30', '\u20ac 1,00 = 1,00',
                           'Totale n. 5 = 3,70'])
    p.type('1,22*')
    set_clipboard('100\r\n200\r\n')
    p.key('shift+Insert')
    wait_until('factor and column', lambda s: input_text(s) == '1,22*(100+200)')
    p.key('Return')
    s = check('bookkeeper: Shift+Ins pastes a column that the factor multiplies whole', lambda s: display(s) == '366,00')
    p.type('100')
    p.key('Tab', 'Return')  # the tape's newest line, picked up after the number
    s = wait_until('picked up', lambda s: input_text(s) == '100+366,00')
    check('bookkeeper: a pick-up after a number adds it', focused(s).get('id') == 140)
    p.key('Escape')
    p.type('0,625')
    p.key('Return', 'F7')
    s = wait_until('+ IVA on 0,63', lambda s: tape(s)[-1].startswith('+IVA'))
    p.type('*2')
    p.key('Return')
    s = wait_until('*2', lambda s: tape(s)[-1].endswith('*2 = 1,38'))
    check('bookkeeper: a result used again is the value shown, so every line reads true',
          tape(s)[-2:] == ['+IVA 10,00% su 0,63 = 0,69', '0,69*2 = 1,38'])
    lines = tape(s)
    p.click(213, 321)  # PULISCI
    wait_until('cleared', lambda s: tape(s) == [])
    p.key('ctrl+z')
    s = wait_until('undone', lambda s: tape(s) == lines)
    check('bookkeeper: Ctrl+Z right after PULISCI brings back the tape and the display', display(s) == '1,38')
    # A line longer than the tape: pointing at it shows it whole.
    p.type('+'.join(str(n) for n in range(1, 41)))
    p.key('Return')
    s = wait_until('long line', lambda s: tape(s)[-1].endswith(' = 820,00'))
    tape_list = child(s, cid=141)
    row = len(tape_list['lines']) - 1 - tape_list['top']
    y = tape_list['y'] + 2 + row * tape_list['itemHeight'] + tape_list['itemHeight'] // 2
    xdo('mousemove', '--window', p.window, 150, y)
    time.sleep(0.2)
    xdo('mousemove', '--window', p.window, 152, y)
    s = check('bookkeeper: pointing at a tape line shows it in a tip', lambda s: any(w['class'] == 'tooltips_class32' for w in s['windows']))
    p.click(300, 240)
    p.click(213, 321)
    wait_until('cleared at the end', lambda s: tape(s) == [])
