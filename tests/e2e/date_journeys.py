"""DATE driven with real keys and clicks: quick dates, the calendar, the
count and its report, deadlines by rule, what an office files."""
import datetime

from driver import *  # noqa: F401,F403 (the journeys' shared vocabulary)


def date_journey(p):
    p.click(140, 56)
    s = wait_until('DATE shown', lambda s: s['main']['h'] == 405)
    p.type('131066')
    p.key('Tab')
    s = check('DATE: 131066 then Tab gives 13/10/1966', lambda s: child(s, text='13/10/1966') is not None)
    p.type('311226')  # "Al", its text selected: Tab skipped the calendar button
    p.key('Return')
    s = wait_until('counted', lambda s: child(s, text='Giorni: 21994  |  lavorativi: 15196  |  feste: 745') is not None)
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
    p.click(250, 243)  # "Fine mese"
    s = wait_until('checks', lambda s: child(s, text='Fine mese')['checked'] == 1)
    p.click(88, 287)
    s = check('DATE: add-days with "Fine mese"', lambda s: child(s, text='Scadenza: sabato 31/12/1966  (60 giorni, fine mese, civile)') is not None)
    p.click(23, 172)
    p.click(250, 243)
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


def deadline_journey(p):
    """A court term counted with the keyboard: the rule from its menu, kept in the registry."""
    scadenza = lambda s: next((c['text'] for c in s['children'] if c['text'].startswith('Scadenza:')), '')
    p.click(23, 172)  # "Aggiungi giorni"
    wait_until('add days', lambda s: child(s, text='Aggiungi giorni anzich\u00e9 differenza')['checked'] == 1)
    p.click(120, 138)  # "Dal"
    p.key('ctrl+a')
    p.type('20.07.26')
    p.key('Tab')
    check('deadlines: 20.07.26 becomes 20/07/2026 on leaving the field', lambda s: child(s, text='20/07/2026') is not None)
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
          scadenza(s) == 'Scadenza: sabato 19/09/2026  (30 giorni + 31 di sospensione feriale, processuale)\r\n'
          '\u2192 luned\u00ec 21/09/2026 (sabato)')
    p.key('ctrl+a')
    p.type('6 mesi')
    p.click(120, 138)
    p.key('ctrl+a')
    p.type('300722')
    p.key('Return')
    s = wait_until('six months', lambda s: '6 mesi' in scadenza(s))
    check('deadlines: 6 months from 30/07/2022 are lengthened by the suspension',
          scadenza(s) == 'Scadenza: gioved\u00ec 02/03/2023  (6 mesi + 31 di sospensione feriale, processuale)')
    p.click(407, 243)  # the rule's button, back to "Civile"
    wait_until('rule menu again', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Return')
    s = wait_until('Civile', lambda s: child(s, cid=212)['text'] == 'Civile  \u25be' and 'civile' in scadenza(s))
    check('deadlines: back to Civile, Termini = 0, the shown deadline computed again',
          registry_value('Termini') == '0x0' and scadenza(s) == 'Scadenza: luned\u00ec 30/01/2023  (6 mesi, civile)')
    p.click(23, 172)
    wait_until('difference', lambda s: child(s, text='Aggiungi giorni anzich\u00e9 differenza')['checked'] == 0)
    p.click(88, 287)  # a count again: the result takes one line
    wait_until('one line', lambda s: s['main']['h'] == 405 and any(c['text'].startswith('Giorni: ')
                                                                     for c in s['children']))


def deadline_office_journey(p):
    """What an office files: today by Ctrl+;, a rule change that recomputes a
    count, the prospect of a deadline, and the result copied."""
    result = lambda s: child(s, cls='Edit', nth=4)['text']  # after the input line, "Dal", "Al", "Giorni"
    p.click(120, 138)  # "Dal"
    p.key('ctrl+a', 'ctrl+semicolon')
    today = datetime.date.today().strftime('%d/%m/%Y')
    s = wait_until('today', lambda s: child(s, cls='Edit', nth=1)['text'] == today)
    check('office: Ctrl+; writes today\'s date, the caret after it', child(s, cls='Edit', nth=1)['sel'][0] == 10)
    p.key('ctrl+a')
    p.type('15/07/2026')
    p.key('Tab')
    p.type('14/10/2026')
    p.key('Return')
    wait_until('count', lambda s: result(s) == 'Giorni: 91  |  lavorativi: 65  |  feste: 2')
    p.click(407, 243)  # the rule's button
    wait_until('rule menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Return')
    s = wait_until('recomputed', lambda s: 'sospensione' in result(s))
    check('office: Processuale recomputes the shown count without August',
          result(s) == 'Giorni: 91  |  lavorativi: 65  |  feste: 2  |  al netto della sospensione: 60')
    p.click(23, 172)  # "Aggiungi giorni"
    p.click(120, 138)
    p.key('ctrl+a')
    p.type('20/07/2026')
    p.click(120, 243)  # "Giorni"
    p.key('ctrl+a')
    p.type('30 giorni')
    p.key('Return')
    s = wait_until('deadline', lambda s: result(s).startswith('Scadenza: sabato 19/09/2026'))
    p.click(249, 287)  # VERIFICA GIORNI
    s = wait_until('prospect', lambda s: any(w['class'] == 'ZentoloDayDetailV062' for w in s['windows']))
    report = [w for w in s['windows'] if w['class'] == 'ZentoloDayDetailV062'][0]
    xdo('mousemove', report['x'] + 81, report['y'] + 420, 'click', 1)  # COPIA REPORT
    s = wait_until('prospect copied', lambda s: (s['clipboard'] or '').startswith('TERMINE:'))
    check('office: VERIFICA GIORNI after a deadline shows its prospect',
          s['clipboard'].split('\r\n') == [
              'TERMINE: 30 giorni da luned\u00ec 20/07/2026',
              'Regola: processuale (art. 155 c.p.c.; sospensione feriale L. 742/1969)',
              'Primo giorno contato: marted\u00ec 21/07/2026',
              'Sospensione feriale: 01/08/2026 \u2013 31/08/2026 (31 giorni non contati)',
              'Ultimo giorno del termine: sabato 19/09/2026',
              'Giorni non utili: sabato 19/09/2026, domenica 20/09/2026', 'SCADENZA: luned\u00ec 21/09/2026', '',
              'Calcolato il ' + today])
    xdo('mousemove', report['x'] + 450, report['y'] + 420, 'click', 1)  # CHIUDI, after CALENDARIO…
    wait_until('prospect closed', lambda s: not any(w['class'] == 'ZentoloDayDetailV062' for w in s['windows']))
    xdo('mousemove', '--window', p.window, 100, 322, 'click', 3)  # the result, right button
    wait_until('result menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Return')  # "Copia"
    s = wait_until('result copied', lambda s: (s['clipboard'] or '').startswith('Scadenza:'))
    check('office: "Copia" on the result copies it whole',
          s['clipboard'] == 'Scadenza: sabato 19/09/2026  (30 giorni + 31 di sospensione feriale, processuale)\r\n'
          '\u2192 luned\u00ec 21/09/2026 (sabato)')
    p.click(407, 243)  # back to "Civile", to the difference and to the defaults
    wait_until('rule menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Return')
    wait_until('Civile', lambda s: child(s, cid=212)['text'] == 'Civile  \u25be')
    p.click(23, 172)
    p.click(88, 287)
    wait_until('one line', lambda s: s['main']['h'] == 405 and result(s).startswith('Giorni: '))
    # TERMINI…: a judgment picked from the act's menu with F4, its dates typed, Enter in Pratica.
    terms = lambda s: next((w for w in s['windows'] if w['class'] == 'ZentoloTerminiV08'), None)
    listed = lambda s: next((c['text'] for c in terms(s)['children'] if c['text'].startswith('Regola:')), '')
    p.click(404, 287)
    wait_until('terms window', lambda s: terms(s) is not None)
    p.key('shift+Tab', 'F4')
    wait_until('act menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Down', 'Return', 'Tab')
    p.type('020525')
    p.key('Tab')
    p.type('100625')
    p.key('Tab', 'Tab')
    p.type('Rossi')
    p.key('Return')
    s = wait_until('terms', lambda s: terms(s) and 'cassazione' in listed(s))
    check('terms: a judgment served, its three appeal terms', listed(s).split('\r\n')[1:] == [
        'Appello, termine lungo (art. 327 c.p.c.): mercoled\u00ec 03/12/2025',
        'Appello, termine breve (art. 325 c.p.c.): gioved\u00ec 10/07/2025',
        'Ricorso per cassazione, termine breve (art. 325 c.p.c.): marted\u00ec 09/09/2025'])
    p.key('Escape')
    wait_until('terms closed', lambda s: terms(s) is None)
