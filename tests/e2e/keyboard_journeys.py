"""The keyboard across the tabs: every Tab stop, typing fast on the keyboard
and the keypad, and keys that used to go astray."""
import time

from driver import *  # noqa: F401,F403 (the journeys' shared vocabulary)


def keyboard_journey(p):
    # Every tab stop of every tab, each tab with the header's five tab buttons
    # ("—" and "×" are clicked, not tabbed to).
    tabs = [('CALC', 53, 390, 16), ('DATE', 140, 405, 15), ('INTERESSI', 232, 465, 18),
            ('PROPORZIONI', 336, 534, 16), ('OPZIONI', 435, 507, 13)]
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
    s = check('keyboard: Space toggles a checkbox and the input line has the focus again', lambda s: s['children'][s['focus']]['id'] == 140)
    p.key(*['Tab'] * 6, 'space')
    wait_until('not topmost', lambda s: child(s, cid=147)['checked'] == 0)
    p.key(*['Tab'] * 7)  # the tape, to the checkbox, then CALC
    s = wait_until('on CALC button', lambda s: s['children'][s['focus']]['id'] == 110)
    p.key('Tab', 'space')  # DATE
    s = wait_until('DATE by Space', lambda s: s['main']['h'] == 405)
    check('keyboard: Space on a tab button switches tabs',
          s['children'][s['focus']] == child(s, cls='Edit', nth=1))  # "Dal"


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
    s = wait_until('split', lambda s: 'TOTALE: 10.000,00' in child(s, cls='Edit', nth=20)['text'])
    check('typing: typed fields replace their defaults and Enter splits',
          [c['text'] for c in s['children'][total_index:total_index + 12] if c['class'] == 'Edit'][:4]
          == ['10000', '1/2', '1/4', '1/4']
          and '1) Peso 0,50  \u2192  ' in child(s, cls='Edit', nth=20)['text'])
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
    s = check('typing: in a date field the keypad\'s decimal key types a slash', lambda s: edit_state(s, nth=2)[0] == '10/12/2026')
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
    s = wait_until('OPZIONI by Ctrl+Tab', lambda s: s['main']['h'] == 507)
    p.key('ctrl+Tab')
    s = check('typing: Ctrl+Tab wraps round from OPZIONI to CALC', lambda s: s['main']['h'] == 390)


def nothing_lost_journey(p):
    """Keys that used to go astray: Ctrl+A, the VAT-rate button from the
    keyboard, a held Space on a button, typing after a minimise."""
    p.click(53, 56)
    wait_until('CALC', lambda s: s['main']['h'] == 390 and focused(s).get('id') == 140)
    p.type('12+3')
    p.key('ctrl+a')
    p.type('7')
    s = check('nothing lost: Ctrl+A selects the whole input line', lambda s: input_text(s) == '7')
    p.key('Escape', 'shift+Tab', 'shift+Tab', 'shift+Tab', 'shift+Tab')
    wait_until('on the rate button', lambda s: focused(s).get('id') == 150)
    p.key('space')
    s = wait_until('menu by Space', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    check('nothing lost: Space on the rate button opens its menu and keeps the focus there',
          focused(s).get('id') == 150)
    p.key('Down', 'Down', 'Return')  # 5%
    s = wait_until('5 %', lambda s: child(s, cid=150)['text'] == 'IVA 5,00%  \u25be')
    s = check('nothing lost: a rate picked with the keys, then the input line has the focus', lambda s: focused(s).get('id') == 140)
    p.key('shift+Tab', 'shift+Tab', 'shift+Tab', 'shift+Tab')
    wait_until('on the rate button again', lambda s: focused(s).get('id') == 150)
    p.key('alt+Down')
    wait_until('menu by Alt+Down', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Down', 'Return')  # 10%
    s = check('nothing lost: Alt+Down opens the menu too', lambda s: child(s, cid=150)['text'] == 'IVA 10,00%  \u25be')
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
