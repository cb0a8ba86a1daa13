#!/usr/bin/python3
"""End-to-end journeys: zentolo.exe under Wine in a virtual display, driven
only with real input (xdotool keystrokes and clicks at window coordinates)
and observed only from outside (the probe program reads window texts, list
lines, check states and the clipboard through window messages).

Every step waits for a condition (a text appeared, a window exists), never on
a fixed sleep alone.

Usage: journeys.py ZENTOLO.EXE PROBE.EXE (inside a display, see gui-run.sh)
"""
import json
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
WINE_RUN = os.path.join(HERE, '..', '..', 'scripts', 'wine-run.sh')
EXE, PROBE = sys.argv[1], sys.argv[2]
failures = []
passed = 0
closed_at = None


def xdo(*args):
    return subprocess.run(['xdotool'] + [str(a) for a in args], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, check=False).stdout.decode().strip()


def probe(*args):
    # Wine now and then fails to start a program at all; the observer tries again.
    for attempt in range(3):
        run = subprocess.run([WINE_RUN, PROBE] + list(args), stdout=subprocess.PIPE, check=False)
        if run.returncode == 0:
            break
        time.sleep(0.2)
    else:
        raise AssertionError('the probe did not run')
    out = run.stdout.decode('utf-8')
    state = {'children': [], 'windows': [], 'messages': [], 'focus': -1, 'clipboard': None}
    for line in out.splitlines():
        line = line.strip()
        if not line:
            continue
        item = json.loads(line)
        kind = item['kind']
        if kind == 'main':
            state['main'] = item
        elif kind == 'child' and 'window_children' not in state:
            state['children'].append(item)
        elif kind == 'focus':
            state['focus'] = item['index']
            state['focus_class'] = item['class']
            state['focus_root'] = item['root']
            state['window_children'] = True  # children after this belong to other windows
        elif kind == 'window':
            state['windows'].append(item)
        elif kind == 'message':
            state['messages'].append(item['text'])
        elif kind == 'clipboard':
            state['clipboard'] = item['text']
        elif kind == 'none':
            state['none'] = True
    return state


def child(state, text=None, cid=None, cls=None, nth=0):
    found = [c for c in state['children']
             if (text is None or c['text'] == text) and (cid is None or c['id'] == cid)
             and (cls is None or c['class'].lower() == cls.lower())]
    return found[nth] if len(found) > nth else None


def wait_until(what, predicate, timeout=15):
    deadline = time.time() + timeout
    state = None
    while time.time() < deadline:
        state = probe()
        try:
            if predicate(state):
                return state
        except (KeyError, IndexError, TypeError):
            pass
        time.sleep(0.1)
    raise AssertionError('timed out waiting for: ' + what)


def check(name, condition):
    global passed
    if condition:
        passed += 1
        print('ok:', name)
    else:
        failures.append(name)
        print('FAIL:', name)


class Program:
    def __init__(self):
        self.process = subprocess.Popen([WINE_RUN, EXE])
        self.window = None
        deadline = time.time() + 60
        while time.time() < deadline and not self.window:
            ids = xdo('search', '--onlyvisible', '--name', 'Zentolo by Ferlan | Vessilo').split()
            self.window = ids[0] if ids else None
            time.sleep(0.1)
        if not self.window:
            raise AssertionError('the main window did not appear')
        xdo('windowfocus', '--sync', self.window)
        wait_until('CALC shown', lambda s: s['main']['h'] == 390)

    def click(self, x, y):
        xdo('mousemove', '--window', self.window, x, y, 'click', 1)

    def type(self, text):
        xdo('type', '--delay', 40, text)

    def key(self, *keys):
        xdo('key', '--delay', 40, *keys)

    def wait_exit(self, timeout=30):
        return self.process.wait(timeout=timeout)


def input_text(s):
    return child(s, cid=140)['text']


def display(s):
    return child(s, cid=142)['text']


def tape(s):
    return child(s, cid=141)['lines']


def calc_journey(p):
    p.type('1.000 + 22%')
    p.key('Return')
    s = wait_until('1.220,00', lambda s: display(s) == '1.220,00')
    check('CALC: 1.000 + 22% gives 1.220,00 with its tape line',
          tape(s) == ['1.000 + 22% = 1.220,00'] and input_text(s) == '')
    p.type('/4')
    p.key('Return')
    s = wait_until('305,00', lambda s: display(s) == '305,00')
    check('CALC: /4 continues from the result', tape(s)[-1] == '1220/4 = 305,00')
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
    s = wait_until('clipboard', lambda s: s['clipboard'] == '67,10')
    check('CALC: COPIA puts the last result on the clipboard', True)
    p.click(295, 321)  # TASTI
    s = wait_until('keypad', lambda s: s['main']['h'] == 555)
    for x, y in ((72, 366), (189, 440), (423, 477), (306, 440)):  # 7 2 + 3
        p.click(x, y)
    s = wait_until('keypad typed', lambda s: input_text(s) == '72+3')
    p.key('Return')
    s = wait_until('75,00', lambda s: display(s) == '75,00')
    check('CALC: the keypad keys an expression', tape(s)[-1] == '72+3 = 75,00')
    p.click(295, 321)
    wait_until('keypad hidden', lambda s: s['main']['h'] == 390)
    # Double-click the newest line, wherever the list has scrolled it.
    s = probe()
    tape_list = child(s, cid=141)
    row = len(tape_list['lines']) - 1 - tape_list['top']
    y = tape_list['y'] + 2 + row * tape_list['itemHeight'] + tape_list['itemHeight'] // 2
    xdo('mousemove', '--window', p.window, 100, y, 'click', '--repeat', 2, '--delay', 80, 1)
    s = wait_until('tape pick-up', lambda s: input_text(s) == '75,00')
    check('CALC: double-click on a tape line takes its result back', True)
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
    s = wait_until('rate 10', lambda s: child(s, cid=150)['text'] == 'IVA 10,00%  \u25be')
    check('CALC: the rate menu picks 10 %', True)


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
    s = wait_until('recalled', lambda s: input_text(s) == '99,50*2+1.200,50')
    check('tape: Up recalls the expression entered last', True)
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
    check('tape: the spreadsheet copy is tab-separated, expression then result',
          rows[-1] == '' and all(r.count('\t') == 1 for r in rows[:-1])
          and rows[3] == 'Scorporo 10,00% su 13,00 (IVA 1,18)\t11,82')
    p.click(100, 283)  # the input line, then the column pasted with Ctrl+V
    p.key('ctrl+v')
    s = wait_until('column pasted', lambda s: input_text(s).count('+') == 4)
    check('tape: a pasted column becomes the sum of its amounts',
          input_text(s) == '1.200,50+99,50+13,00+11,82+1.399,50')
    p.key('Return')
    wait_until('summed', lambda s: display(s) == '2.724,32')
    p.type('123456789012345*1000000000000000000000000000000')
    p.key('Return')
    s = wait_until('a long result', lambda s: tape(s)[-1].startswith('123456789012345*'))
    check('tape: past 10^15 the 15 digits and zeros, none of them hidden on the display',
          display(s).replace('\r\n', '') == '123.456.789.012.345' + '.000' * 10 + ',00')
    s = probe()
    top_line = tape(s)[child(s, cid=141)['top']]
    p.click(100, tape_list['y'] + 8)  # the line at the top, selected: Ctrl+C copies it
    p.key('ctrl+c')
    s = wait_until('line copied', lambda s: s['clipboard'] == top_line)
    check('tape: Ctrl+C on the tape copies the selected line', True)
    p.click(213, 321)  # PULISCI
    wait_until('cleared again', lambda s: tape(s) == [] and display(s) == '0,00')


def date_journey(p):
    p.click(140, 56)
    s = wait_until('DATE shown', lambda s: s['main']['h'] == 405)
    p.type('131066')
    p.key('Tab')
    s = wait_until('quick date', lambda s: child(s, text='13/10/1966') is not None)
    check('DATE: 131066 then Tab gives 13/10/1966', True)
    p.type('311226')  # "Al", its text selected: Tab skipped the calendar button
    p.key('Return')
    s = wait_until('counted', lambda s: child(s, text='Giorni: 21994  |  lavorativi: 15217  |  feste: 724') is not None)
    check('DATE: Enter in "Al" completes the date and counts', child(s, text='31/12/2026') is not None)
    p.click(364, 138)  # "▦" of "Al"
    s = wait_until('calendar', lambda s: any(w['class'] == 'ZentoloCalendarV06' for w in s['windows']))
    cal = [w for w in s['windows'] if w['class'] == 'ZentoloCalendarV06'][0]
    check('DATE: the calendar opens under its button', cal['y'] >= 152)
    # Weeks start on Monday and December 2026 on a Tuesday: the 15th is in the
    # third week, second column (columns of 32 pixels, rows of 17).
    xdo('mousemove', cal['x'] + 18 + 32, cal['y'] + 52 + 17 * 2, 'click', 1)
    s = wait_until('picked', lambda s: not any(w['class'] == 'ZentoloCalendarV06' for w in s['windows']))
    al = child(s, cls='Edit', nth=2)['text']  # after the input line and "Dal"
    check('DATE: a clicked day is written as gg/mm/aaaa, weeks starting on Monday', al == '15/12/2026')
    p.click(364, 138)
    wait_until('calendar again', lambda s: any(w['class'] == 'ZentoloCalendarV06' for w in s['windows']))
    p.key('Escape')
    s = wait_until('escaped', lambda s: not any(w['class'] == 'ZentoloCalendarV06' for w in s['windows']))
    al_index = s['children'].index(child(s, cls='Edit', nth=2))
    check('DATE: Escape closes the calendar and gives the focus back to its field',
          s['focus'] == al_index and child(s, cls='Edit', nth=2)['text'] == al)
    p.click(23, 172)  # "Aggiungi giorni"
    p.click(197, 243)  # "Fine mese"
    s = wait_until('checks', lambda s: child(s, text='Fine mese')['checked'] == 1)
    p.click(88, 287)
    s = wait_until('scadenza', lambda s: child(s, text='Scadenza: sabato 31/12/1966  (60 giorni)') is not None)
    check('DATE: add-days with "Fine mese"', True)
    p.click(23, 172)
    p.click(197, 243)
    p.click(88, 287)
    wait_until('count again', lambda s: any(c['text'].startswith('Giorni: ') for c in s['children']))
    p.click(249, 287)  # VERIFICA GIORNI
    s = wait_until('report', lambda s: any(w['class'] == 'ZentoloDayDetailV062' for w in s['windows']))
    report = [w for w in s['windows'] if w['class'] == 'ZentoloDayDetailV062'][0]
    xdo('mousemove', report['x'] + 81, report['y'] + 420, 'click', 1)  # COPIA REPORT
    s = wait_until('report copied', lambda s: (s['clipboard'] or '').startswith('PERIODO: 14/10/1966'))
    check('DATE: VERIFICA GIORNI and COPIA REPORT', 'QUADRATURA: ' in s['clipboard'])
    xdo('mousemove', report['x'] + 323, report['y'] + 420, 'click', 1)  # CHIUDI
    wait_until('report closed', lambda s: not any(w['class'] == 'ZentoloDayDetailV062' for w in s['windows']))


def registry_value(name):
    out = subprocess.run([WINE_RUN, 'reg', 'query', 'HKCU\\Software\\Ferlan\\Zentolo', '/v', name],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=False).stdout.decode('utf-8', 'replace')
    return out.split()[-1] if name in out else None


def deadline_journey(p):
    """A court term counted with the keyboard: the rule from its menu, kept in the registry."""
    scadenza = lambda s: next((c['text'] for c in s['children'] if c['text'].startswith('Scadenza:')), '')
    p.click(23, 172)  # "Aggiungi giorni"
    wait_until('add days', lambda s: child(s, text='Aggiungi giorni anzich\u00e9 differenza')['checked'] == 1)
    p.click(120, 138)  # "Dal"
    p.key('ctrl+a')
    p.type('20.07.26')
    p.key('Tab')
    wait_until('Dal rewritten', lambda s: child(s, text='20/07/2026') is not None)
    check('deadlines: 20.07.26 becomes 20/07/2026 on leaving the field', True)
    p.click(120, 243)  # "Giorni"
    p.key('ctrl+a')
    p.type('30')
    p.key('Tab', 'Tab')  # "Fine mese", then the rule's button
    wait_until('on the rule button', lambda s: focused(s).get('id') == 212)
    p.key('space')
    wait_until('rule menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Return')
    wait_until('Processuale', lambda s: child(s, cid=212)['text'] == 'Processuale  \u25be')
    check('deadlines: the rule picked from its menu is kept as Termini = 1', registry_value('Termini') == '0x1')
    p.key('shift+Tab', 'shift+Tab', 'Return')  # Enter in "Giorni"
    s = wait_until('court term', lambda s: scadenza(s) != '')
    check('deadlines: 30 days from 20/07/2026 skip August and move off the Saturday',
          scadenza(s) == 'Scadenza: sabato 19/09/2026  (30 giorni + 31 di sospensione feriale)\r\n'
          '\u2192 luned\u00ec 21/09/2026 (sabato)')
    p.key('ctrl+a')
    p.type('6 mesi')
    p.click(120, 138)
    p.key('ctrl+a')
    p.type('300722')
    p.key('Return')
    s = wait_until('six months', lambda s: '6 mesi' in scadenza(s))
    check('deadlines: 6 months from 30/07/2022 are lengthened by the suspension',
          scadenza(s) == 'Scadenza: gioved\u00ec 02/03/2023  (6 mesi + 31 di sospensione feriale)')
    p.click(407, 243)  # the rule's button, back to "Civile"
    wait_until('rule menu again', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Return')
    wait_until('Civile', lambda s: child(s, cid=212)['text'] == 'Civile  \u25be')
    check('deadlines: back to Civile, Termini = 0', registry_value('Termini') == '0x0')
    p.click(23, 172)
    wait_until('difference', lambda s: child(s, text='Aggiungi giorni anzich\u00e9 differenza')['checked'] == 0)
    p.click(88, 287)  # a count again: the result takes one line
    wait_until('one line', lambda s: s['main']['h'] == 405 and any(c['text'].startswith('Giorni: ')
                                                                     for c in s['children']))


def official_rates_journey(p):
    """Legal interest over three years of rates, picked from the source's menu with the keyboard."""
    result = lambda s: next((c['text'] for c in s['children'] if c['text'].startswith('Interessi: ')), '')
    p.click(232, 56)
    wait_until('INTERESSI', lambda s: s['main']['h'] >= 465)
    p.click(184, 128)  # capital
    p.key('ctrl+a')
    p.type('12.500')
    p.key('Tab', 'Tab', 'Tab', 'Tab')  # the rate, the surcharge's checkbox and field, the source's button
    wait_until('on the source button', lambda s: focused(s).get('id') == 213)
    p.key('space')
    wait_until('source menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Return')
    s = wait_until('Legale', lambda s: child(s, cid=213)['text'] == 'Legale  \u25be')
    rate = child(s, cls='Edit', nth=5)  # after the input line, DATE's three fields and the capital
    check('official rates: the rate field shows "da tabella", disabled, and Tassi = 1',
          rate['text'] == 'da tabella' and registry_value('Tassi') == '0x1')
    p.click(120, 240)  # "Dal"
    p.key('ctrl+a')
    p.type('01/03/2024')
    p.key('Tab')
    p.key('ctrl+a')
    p.type('30/11/2026')
    p.key('Return')
    s = wait_until('694,14', lambda s: result(s).startswith('Interessi: 694,14 \u20ac'))
    check('official rates: 12.500 at the legal rates from 01/03/2024 to 30/11/2026 give 694,14',
          '13.194,14' in result(s))
    formula = child(s, cls='Edit', nth=10)['text'].split('\r\n')  # the formula box
    check('official rates: the formula has a line per rate and the total',
          [line[-8:] for line in formula] == ['261,13 \u20ac', '250,00 \u20ac', '183,01 \u20ac', '694,14 \u20ac'])
    p.click(410, 198)  # the source's button: back to the typed rate
    wait_until('source menu again', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Return')
    s = wait_until('Inserito', lambda s: child(s, cid=213)['text'] == 'Inserito  \u25be')
    check('official rates: "Tasso inserito" gives the typed rate back, Tassi = 0',
          child(s, cls='Edit', nth=5)['text'] == '2,40' and registry_value('Tassi') == '0x0')
    p.click(112, 321)
    s = wait_until('typed rate', lambda s: result(s).startswith('Interessi: 825,21'))
    check('official rates: a typed rate over several half-years says so on the result',
          result(s).endswith('\r\nPeriodo su pi\u00f9 semestri: i tassi ufficiali possono cambiare.'))


def finance_journey(p):
    p.click(232, 56)
    wait_until('INTERESSI', lambda s: s['main']['h'] == 465)
    p.click(112, 321)
    s = wait_until('interest', lambda s: any(c['text'].startswith('Interessi: ') for c in s['children']))
    check('INTERESSI: default inputs',
          child(s, text='Interessi: 40,11 \u20ac    |    Capitale + interessi: 10.040,11 \u20ac') is not None)
    p.key('ctrl+a')
    p.click(184, 128)  # capital field
    p.key('End', *['BackSpace'] * 8)
    p.type('20000')
    p.click(112, 321)
    s = wait_until('interest 2', lambda s: child(s, text='Interessi: 80,22 \u20ac    |    Capitale + interessi: 20.080,22 \u20ac') is not None)
    check('INTERESSI: a capital typed over the default', True)
    p.click(336, 56)
    wait_until('PROPORZIONI', lambda s: s['main']['h'] == 455)
    for _ in range(3):
        p.click(303, 202)
    wait_until('six rows', lambda s: s['main']['h'] == 534)
    p.click(356, 241)
    s = wait_until('split', lambda s: 'TOTALE: 1.000,00 \u20ac' in child(s, cls='Edit', nth=18)['text'])
    report = child(s, cls='Edit', nth=18)['text']
    check('PROPORZIONI: six rows split', '6) Peso 0,00  \u2192  0,00 \u20ac' in report)
    p.click(236, 132)  # the total
    p.key('End', *['BackSpace'] * 8)
    p.type('100')
    p.click(170, 369)  # the last weight, row 6
    p.key('End', 'BackSpace')
    p.type('1')
    p.click(356, 241)
    s = wait_until('split 2', lambda s: 'TOTALE: 100,00 \u20ac' in child(s, cls='Edit', nth=18)['text'])
    check('PROPORZIONI: total and a weight typed over the defaults',
          '6) Peso 1,00  \u2192  0,99 \u20ac' in child(s, cls='Edit', nth=18)['text'])


def tab_cycle(p, tab_x, height):
    """Tab from the tab's focus control round to it again: the stops visited."""
    p.click(tab_x, 56)
    # At least its designed height: a long result may have made it taller.
    s = wait_until('tab shown', lambda s: s['main']['h'] >= height and s['focus'] >= 0)
    start = s['focus']
    visited = [s['children'][start]]
    for _ in range(40):
        before = s['focus']
        p.key('Tab')
        s = wait_until('focus moved', lambda s: s['focus'] != before)
        if s['focus'] == start:
            break
        visited.append(s['children'][s['focus']])
    return visited


def keyboard_journey(p):
    # Every tab stop of every tab, each tab with the header's seven buttons.
    tabs = [('CALC', 53, 390, 18), ('DATE', 140, 405, 16), ('INTERESSI', 232, 465, 18),
            ('PROPORZIONI', 336, 534, 17), ('OPZIONI', 435, 365, 10)]
    for name, x, height, stops in tabs:
        visited = tab_cycle(p, x, height)
        check('keyboard: Tab visits the %d stops of %s and wraps' % (stops, name),
              len(visited) == stops and all(c['visible'] for c in visited)
              and len({c['index'] for c in visited}) == stops)
        if name == 'CALC':
            check('keyboard: CALC starts in the input line, then the tape, then COPIA',
                  [c['id'] for c in visited[:3]] == [140, 141, 143])
    p.click(53, 56)
    s = wait_until('CALC', lambda s: s['main']['h'] == 390 and s['children'][s['focus']]['id'] == 140)
    start = s['focus']
    p.key('shift+Tab')
    s = wait_until('back', lambda s: s['focus'] != start)
    check('keyboard: Shift+Tab goes back to "Solo IVA"', s['children'][s['focus']]['id'] == 153)
    p.key(*['Tab'] * 7)  # the input line, the tape, four buttons, the checkbox
    s = wait_until('on the checkbox', lambda s: s['children'][s['focus']]['id'] == 147)
    p.key('space')
    s = wait_until('topmost', lambda s: child(s, cid=147)['checked'] == 1)
    s = wait_until('typing goes on', lambda s: s['children'][s['focus']]['id'] == 140)
    check('keyboard: Space toggles a checkbox and the input line has the focus again', True)
    p.key(*['Tab'] * 6, 'space')
    wait_until('not topmost', lambda s: child(s, cid=147)['checked'] == 0)
    p.key(*['Tab'] * 9)  # the tape, to the checkbox, then "—", "×", CALC
    s = wait_until('on CALC button', lambda s: s['children'][s['focus']]['id'] == 110)
    p.key('Tab', 'space')  # DATE
    s = wait_until('DATE by Space', lambda s: s['main']['h'] == 405)
    check('keyboard: Space on a tab button switches tabs',
          s['children'][s['focus']] == child(s, cls='Edit', nth=1))  # "Dal"


def edit_state(s, cid=None, nth=None):
    c = child(s, cid=cid) if cid is not None else child(s, cls='Edit', nth=nth)
    return c['text'], c['sel']


def typing_journey(p):
    """Typing as a bookkeeper does: fast, on the keyboard and the keypad."""
    p.key('ctrl+Prior')
    s = wait_until('Ctrl+PgUp from DATE to CALC', lambda s: s['main']['h'] == 390)
    check('typing: Ctrl+PgUp goes back to CALC, the input line focused',
          s['children'][s['focus']]['id'] == 140)
    p.type('45')
    p.key('KP_Decimal')
    p.type('20')
    p.key('KP_Multiply')
    p.type('1')
    p.key('KP_Decimal')
    p.type('859')
    p.key('Return')
    s = wait_until('litres by price', lambda s: tape(s)[-1].startswith('45,20*1,859'))
    check('typing: the keypad\'s decimal key types a comma (45,20 × 1,859 = 84,03)',
          display(s) == '84,03')
    p.click(60, 97)  # the VAT menu, dismissed
    wait_until('menu open', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Escape')
    wait_until('menu closed', lambda s: not any(w['class'] == '#32768' for w in s['windows']))
    p.type('2')
    p.click(100, 130)  # a single click on the tape
    p.type('+3')
    s = wait_until('typed after the menu and the tape', lambda s: input_text(s) == '2+3')
    check('typing: after the VAT menu and a click on the tape the keys reach the input line',
          s['children'][s['focus']]['id'] == 140)
    p.key('Escape', 'ctrl+Next', 'ctrl+Next', 'ctrl+Next')
    s = wait_until('PROPORZIONI by Ctrl+PgDn', lambda s: s['main']['h'] >= 455 and s['focus'] >= 0
                   and s['children'][s['focus']]['id'] == 0)
    total_index = s['focus']
    p.type('10000')
    p.key('Tab')
    p.type('1/2')
    p.key('Tab')
    p.type('1/4')
    p.key('Tab')
    p.type('1/4')
    p.key('Return', 'Return')
    s = wait_until('split', lambda s: 'TOTALE: 10.000,00' in child(s, cls='Edit', nth=18)['text'])
    check('typing: typed fields replace their defaults and Enter splits',
          [c['text'] for c in s['children'][total_index:total_index + 12] if c['class'] == 'Edit'][:4]
          == ['10000', '1/2', '1/4', '1/4']
          and '1) Peso 0,50  \u2192  ' in child(s, cls='Edit', nth=18)['text'])
    p.key('ctrl+shift+Tab', 'ctrl+shift+Tab')
    s = wait_until('DATE by Ctrl+Shift+Tab', lambda s: s['main']['h'] >= 405 and s['main']['h'] < 455)
    dal = edit_state(s, nth=1)
    check('typing: a tab shown from the keyboard selects its first field\'s text',
          dal[1] == [0, len(dal[0])])
    p.key('F4')
    s = wait_until('calendar by F4', lambda s: any(w['class'] == 'ZentoloCalendarV06' for w in s['windows']))
    p.key('Right', 'Down', 'Return')
    s = wait_until('picked by keys', lambda s: not any(w['class'] == 'ZentoloCalendarV06' for w in s['windows']))
    check('typing: F4, arrows and Enter in the calendar pick a day a week and a day later',
          edit_state(s, nth=1)[0] != dal[0] and s['children'][s['focus']]['class'] == 'Edit')
    p.key('Tab', 'KP_1', 'KP_0', 'KP_Decimal', 'KP_1', 'KP_2', 'KP_Decimal', 'KP_2', 'KP_0', 'KP_2', 'KP_6')
    s = wait_until('keypad date', lambda s: edit_state(s, nth=2)[0] == '10/12/2026')
    check('typing: in a date field the keypad\'s decimal key types a slash', True)
    p.key('Return')
    wait_until('counted', lambda s: any(c['text'].startswith('Giorni: ') for c in s['children']))
    p.click(249, 287)  # VERIFICA GIORNI
    s = wait_until('report', lambda s: any(w['class'] == 'ZentoloDayDetailV062' for w in s['windows'])
                   and s['focus_root'] == 'ZentoloDayDetailV062')
    check('typing: the report window opens with the report focused', s['focus_class'].lower() == 'edit')
    xdo('key', '--delay', 40, 'ctrl+c')
    s = wait_until('report copied by Ctrl+C', lambda s: (s['clipboard'] or '').startswith('PERIODO: '))
    check('typing: Ctrl+C with nothing selected copies the whole report', 'QUADRATURA: ' in s['clipboard'])
    # Away to the report window and back, by clicks: on CALC the typing goes on
    # in the input line, elsewhere the focus is where it was.
    report = [w for w in s['windows'] if w['class'] == 'ZentoloDayDetailV062'][0]
    # Both windows open at the work area's corner: the report is dragged aside by its band.
    xdo('mousemove', report['x'] + 200, report['y'] + 20, 'mousedown', 1)
    for step in range(1, 11):
        xdo('mousemove', report['x'] + 200 + 60 * step, report['y'] + 20)
        time.sleep(0.05)
    xdo('mouseup', 1)
    s = wait_until('report dragged aside', lambda s: [w for w in s['windows']
                   if w['class'] == 'ZentoloDayDetailV062'][0]['x'] >= 500)
    report = [w for w in s['windows'] if w['class'] == 'ZentoloDayDetailV062'][0]
    p.click(53, 56)  # CALC
    wait_until('CALC again', lambda s: s['main']['h'] == 390)
    p.type('7')
    xdo('mousemove', report['x'] + 200, report['y'] + 20, 'click', 1)
    wait_until('report active', lambda s: s['focus_root'] == 'ZentoloDayDetailV062')
    p.click(300, 240)  # the display: nothing there takes the focus
    p.type('8')
    s = wait_until('typed after coming back', lambda s: input_text(s) == '78')
    check('typing: back in the window on CALC, the digits reach the input line',
          s['children'][s['focus']]['id'] == 140)
    p.key('Escape')
    p.click(129, 321)  # STAMPA: the print dialog, or the box saying there is no printer
    wait_until('a dialog', lambda s: any(w['class'] == '#32770' for w in s['windows']))
    for _ in range(3):  # answered with Enter, and any warning after it
        p.key('Return')
        try:
            wait_until('no dialog', lambda s: not any(w['class'] == '#32770' for w in s['windows']), 3)
            break
        except AssertionError:
            pass
    p.type('9')
    s = wait_until('typed after the print dialog', lambda s: input_text(s) == '9')
    check('typing: after the print dialog the digits reach the input line',
          s['children'][s['focus']]['id'] == 140)
    p.key('Escape')
    p.click(140, 56)  # DATE: "Dal" has the focus
    wait_until('DATE again', lambda s: s['main']['h'] >= 405 and s['main']['h'] < 455)
    xdo('mousemove', report['x'] + 100, report['y'] + 100, 'click', 1)
    wait_until('report focused', lambda s: s['focus_root'] == 'ZentoloDayDetailV062')
    p.key('Escape')
    s = wait_until('report closed by Escape',
                   lambda s: not any(w['class'] == 'ZentoloDayDetailV062' for w in s['windows']))
    check('typing: Escape closes the report and the focus goes back where it was',
          s['focus'] >= 0 and s['children'][s['focus']] == child(s, cls='Edit', nth=1))
    p.key('ctrl+Tab', 'ctrl+Tab', 'ctrl+Tab')  # DATE to OPZIONI
    s = wait_until('OPZIONI by Ctrl+Tab', lambda s: s['main']['h'] == 365)
    p.key('ctrl+Tab')
    s = wait_until('Ctrl+Tab wraps to CALC', lambda s: s['main']['h'] == 390)
    check('typing: Ctrl+Tab wraps round from OPZIONI to CALC', True)


def focused(s):
    return s['children'][s['focus']] if s['focus'] >= 0 else {}


def nothing_lost_journey(p):
    """Keys that used to go astray: Ctrl+A, the VAT-rate button from the
    keyboard, a held Space on a button, typing after a minimise."""
    p.click(53, 56)
    wait_until('CALC', lambda s: s['main']['h'] == 390 and focused(s).get('id') == 140)
    p.type('12+3')
    p.key('ctrl+a')
    p.type('7')
    s = wait_until('Ctrl+A replaced', lambda s: input_text(s) == '7')
    check('nothing lost: Ctrl+A selects the whole input line', True)
    p.key('Escape', 'shift+Tab', 'shift+Tab', 'shift+Tab', 'shift+Tab')
    wait_until('on the rate button', lambda s: focused(s).get('id') == 150)
    p.key('space')
    s = wait_until('menu by Space', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    check('nothing lost: Space on the rate button opens its menu and keeps the focus there',
          focused(s).get('id') == 150)
    p.key('Down', 'Down', 'Return')  # 5%
    s = wait_until('5 %', lambda s: child(s, cid=150)['text'] == 'IVA 5,00%  \u25be')
    s = wait_until('back to the input line', lambda s: focused(s).get('id') == 140)
    check('nothing lost: a rate picked with the keys, then the input line has the focus', True)
    p.key('shift+Tab', 'shift+Tab', 'shift+Tab', 'shift+Tab')
    wait_until('on the rate button again', lambda s: focused(s).get('id') == 150)
    p.key('alt+Down')
    wait_until('menu by Alt+Down', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Down', 'Return')  # 10%
    s = wait_until('10 %', lambda s: child(s, cid=150)['text'] == 'IVA 10,00%  \u25be')
    check('nothing lost: Alt+Down opens the menu too', True)
    p.key('shift+Tab', 'shift+Tab', 'shift+Tab')
    s = wait_until('on "+ IVA"', lambda s: focused(s).get('id') == 151)
    lines = len(tape(s))
    xdo('keydown', 'space')
    time.sleep(1.2)  # the key repeats
    xdo('keyup', 'space')
    s = wait_until('one press', lambda s: len(tape(s)) > lines)
    time.sleep(0.3)
    s = probe()
    check('nothing lost: a held Space presses "+ IVA" once and types no blanks',
          len(tape(s)) == lines + 1 and input_text(s) == '')
    p.click(140, 56)  # DATE
    wait_until('DATE', lambda s: s['main']['h'] >= 405)
    p.click(100, 243)  # "Giorni"
    p.key('ctrl+a')
    p.type('45')
    s = wait_until('45 typed', lambda s: focused(s).get('text') == '45')
    giorni = s['focus']
    p.click(418, 18)  # "—"
    wait_until('minimised', lambda s: s['main']['h'] < 100)
    s = probe('restore')
    xdo('windowfocus', '--sync', p.window)
    p.type('6')
    s = wait_until('typed after the restore', lambda s: s['children'][giorni]['text'] == '456')
    check('nothing lost: after "—" and a restore the digits reach the field that had the focus',
          s['focus'] == giorni)


def options_journey(p):
    p.click(435, 56)
    s = wait_until('OPZIONI', lambda s: s['main']['h'] == 365)
    p.key('End', *['BackSpace'] * 8)
    p.type('10')
    p.key('Tab', 'End', 'BackSpace')
    p.type('3')
    p.key('Tab', 'space')  # SALVA IMPOSTAZIONI
    s = wait_until('saved', lambda s: child(s, text='Impostazioni salvate.') is not None)
    check('OPZIONI: saved with the keyboard', True)
    # Dragged by its header to where it will open next time.
    xdo('mousemove', '--window', p.window, 200, 20, 'mousedown', 1)
    for step in range(1, 11):
        xdo('mousemove', '--window', p.window, 200 + 10 * step, 20 + 7 * step)
        time.sleep(0.05)
    xdo('mouseup', 1)
    s = wait_until('dragged', lambda s: s['main']['x'] > 0)
    global closed_at
    closed_at = (s['main']['x'], s['main']['y'])
    xdo('windowfocus', '--sync', p.window)
    p.key('alt+F4')
    check('closing with Alt+F4 exits with 0', p.wait_exit() == 0)


def main():
    subprocess.run([WINE_RUN, 'reg', 'delete', 'HKCU\\Software\\Ferlan\\Zentolo', '/f'],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    journeys = [calc_journey, vat_menu_journey, rounding_journey, tape_journey, date_journey, deadline_journey,
                finance_journey, official_rates_journey, keyboard_journey,
                typing_journey, nothing_lost_journey, options_journey]
    p = Program()
    for journey in journeys:
        try:
            journey(p)
        except AssertionError as e:
            failures.append('%s: %s' % (journey.__name__, e))
            print('FAIL:', journey.__name__, e)
    if p.process.poll() is None:
        p.process.kill()
    try:
        p = Program()
        s = wait_until('restart', lambda s: True)
        p.click(435, 56)
        s = wait_until('OPZIONI again', lambda s: s['main']['h'] == 365)
        check('restart: the settings were kept',
              child(s, text='10,00') is not None and child(s, text='3', cls='Edit') is not None
              and child(s, cid=150)['text'] == 'IVA 10,00%  \u25be')
        check('restart: the window opens where it was closed',
              (s['main']['x'], s['main']['y']) == closed_at and closed_at[0] > 0)
        p.click(53, 56)
        wait_until('CALC again', lambda s: s['main']['h'] == 390)
        p.type('100')
        p.click(183, 97)
        s = wait_until('VAT at 10 %', lambda s: tape(s) != [])
        check('restart: the VAT key uses 10 % and 3 decimals',
              tape(s) == ['+IVA 10,00% su 100,000 = 110,000'])
        p.click(459, 18)
        check('closing with "\u00d7" exits with 0', p.wait_exit() == 0)
    except AssertionError as e:
        failures.append('restart: %s' % e)
        print('FAIL: restart', e)
    # The next program started in this prefix opens at the corner again.
    subprocess.run([WINE_RUN, 'reg', 'delete', 'HKCU\\Software\\Ferlan\\Zentolo', '/f'],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    print('%d passed, %d failed' % (passed, len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
