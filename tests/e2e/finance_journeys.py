"""INTERESSI and PROPORZIONI driven with real keys and clicks: interest at a
typed rate and at the official rates, the split."""

import subprocess

from driver import *  # noqa: F401,F403 (the journeys' shared vocabulary)


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
    rate = child(s, cls='Edit', nth=6)  # after the input line, DATE's three fields and result, and the capital
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
    formula = child(s, cls='Edit', nth=12)['text'].split('\r\n')  # the formula box
    check('official rates: the formula has a line per rate and the total',
          [line[-8:] for line in formula] == ['261,13 \u20ac', '250,00 \u20ac', '183,01 \u20ac', '694,14 \u20ac'])
    p.click(410, 198)  # the source's button: back to the typed rate
    wait_until('source menu again', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Return')
    s = wait_until('Inserito', lambda s: child(s, cid=213)['text'] == 'Inserito  \u25be')
    check('official rates: "Tasso inserito" gives the typed rate back, Tassi = 0',
          child(s, cls='Edit', nth=6)['text'] == '2,40' and registry_value('Tassi') == '0x0')
    s = wait_until('typed rate', lambda s: result(s).startswith('Interessi: 825,21'))  # computed again at once
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
    s = check('INTERESSI: a capital typed over the default', lambda s: child(s, text='Interessi: 80,22 \u20ac    |    Capitale + interessi: 20.080,22 \u20ac') is not None)
    p.click(336, 56)
    wait_until('PROPORZIONI', lambda s: s['main']['h'] == 455)
    for _ in range(3):
        p.click(303, 202)
    wait_until('six rows', lambda s: s['main']['h'] == 534)
    p.click(356, 241)
    s = wait_until('split', lambda s: 'TOTALE: 1.000,00 \u20ac' in child(s, cls='Edit', nth=20)['text'])
    report = child(s, cls='Edit', nth=20)['text']
    check('PROPORZIONI: six rows split', '6) Peso 0,00  \u2192  0,00 \u20ac' in report)
    p.click(236, 132)  # the total
    p.key('End', *['BackSpace'] * 8)
    p.type('100')
    p.click(170, 369)  # the last weight, row 6
    p.key('End', 'BackSpace')
    p.type('1')
    p.click(356, 241)
    s = wait_until('split 2', lambda s: 'TOTALE: 100,00 \u20ac' in child(s, cls='Edit', nth=20)['text'])
    check('PROPORZIONI: total and a weight typed over the defaults',
          '6) Peso 1,00  \u2192  0,99 \u20ac' in child(s, cls='Edit', nth=20)['text'])
    # TABELLA…: a range pasted from a spreadsheet over the tab's weights, the amounts typed, Enter.
    table = lambda s: next((w for w in s['windows'] if w['class'] == 'ZentoloRipartoV08'), None)
    set_clipboard('Unit\u00e0\tGenerale\tScale\r\nRossi\t333,334\t500\r\nBianchi\t333,333\t500\r\n'
                  'Verdi\t333,333\t\u2014\r\n')
    p.click(356, 281)
    s = wait_until('table window', lambda s: table(s) is not None)
    check('table split: an empty Righe takes the tab\'s six weights',
          table(s)['children'][1]['text'].startswith('Quota 1\t40\r\nQuota 2\t30\r\n'))
    p.key('ctrl+a', 'ctrl+v', 'Tab')
    p.type('1.000; 301')
    p.key('Return')
    check('table split: the condominium\'s example to the cent', lambda s: table(s) and any(
        'Verdi  333,333 \u2192 333,33  \u2014 \u2192 0,00  totale 333,33\r\nTOTALE  1.000,00  301,00  totale 1.301,00'
        in c['text'] for c in table(s)['children']))
    p.key('Escape')
    wait_until('table closed', lambda s: table(s) is None)


def added_values_journey(p):
    """A rate the office adds through the source's menu and its dialog, with real keys, then removes."""
    result = lambda s: next((c['text'] for c in s['children'] if c['text'].startswith('Interessi: ')), '')
    dialog = lambda s: next((w for w in s['windows'] if w['text'] == 'Aggiungi valore'), None)
    stored = lambda: subprocess.run([WINE_RUN, 'reg', 'query', 'HKCU\\Software\\Ferlan\\Zentolo', '/v', 'TassiAggiunti'],
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                    check=False).stdout.decode('utf-8', 'replace').partition('REG_SZ')[2].strip()
    p.click(410, 198)  # the source's button
    wait_until('source menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Down', 'Down', 'Return')  # past the three sources and the separator
    s = wait_until('dialog', lambda s: dialog(s) is not None)
    check('added values: "Dal" starts with the one date the table takes next',
          any(c['text'] == '01/01/2027' for c in dialog(s)['children']))
    p.type('01/01/2028')
    p.key('Tab')
    p.type('1,5')
    p.key('Return')
    s = wait_until('refused', lambda s: any(c['text'].startswith('Il valore deve seguire')
                                            for c in dialog(s).get('children', [])))
    check('added values: a legal rate that skips a year is refused in the dialog, which stays open',
          any(c['text'] == "Il valore deve seguire l'ultimo in tabella: dal 01/01/2027." for c in dialog(s)['children']))
    p.key('shift+Tab')
    p.type('01/01/2027')
    p.key('Tab')
    p.type('1,5')
    p.key('Return')
    wait_until('dialog closed', lambda s: dialog(s) is None)
    check('added values: the row is kept as TassiAggiunti', stored() == 'L 01/01/2027 1,50')
    p.click(410, 198)
    wait_until('source menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Return')  # Legale
    p.click(120, 240)  # "Dal"
    p.key('ctrl+a')
    p.type('31/12/2026')
    p.key('Tab', 'ctrl+a')
    p.type('31/12/2027')
    p.key('Return')
    s = wait_until('2027', lambda s: result(s).startswith('Interessi: 187,50'))
    check('added values: 2027 at the added 1,50 %, no "non in tabella", the line marked',
          'non in tabella' not in result(s) and '(tasso aggiunto)' in child(s, cls='Edit', nth=12)['text'])
    p.click(410, 198)
    wait_until('source menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Down', 'Down', 'Down', 'Down', 'Return')  # "Togli valori aggiunti"
    s = wait_until('question', lambda s: any(m.startswith('Togliere tutti i valori aggiunti?') for m in s['messages']))
    check('added values: the question names the rows it removes',
          any(m.endswith('Tasso legale dal 01/01/2027: 1,50%') for m in s['messages']))
    p.key('Return')  # Sì
    s = wait_until('removed', lambda s: 'non in tabella' in result(s))
    check('added values: removed after the question, the result computed again past the table', stored() == '')
    p.click(410, 198)
    wait_until('source menu', lambda s: any(w['class'] == '#32768' for w in s['windows']))
    p.key('Down', 'Return')  # back to "Inserito"
    wait_until('Inserito', lambda s: child(s, cid=213)['text'] == 'Inserito  \u25be')
