#!/usr/bin/python3
"""End-to-end journeys: zentolo.exe under Wine in a virtual display, driven
only with real input (xdotool keystrokes and clicks at window coordinates)
and observed only from outside (the probe program reads window texts, list
lines, check states and the clipboard through window messages).

Every step waits for a condition (a text appeared, a window exists), never on
a fixed sleep alone.

The journeys of each tab are in their own files; this one runs them in
order, then OPZIONI and a restart that must find the settings kept.

Usage: journeys.py ZENTOLO.EXE PROBE.EXE (inside a display, see gui-run.sh)
"""
import subprocess
import sys
import time

import driver
from calc_journeys import bookkeeper_journey, calc_journey, rounding_journey, tape_journey, vat_menu_journey
from date_journeys import date_journey, deadline_journey, deadline_office_journey
from driver import WINE_RUN, Program, check, child, failures, probe, registry_value, tape, wait_until, xdo
from finance_journeys import added_values_journey, finance_journey, official_rates_journey
from keyboard_journeys import keyboard_journey, nothing_lost_journey, typing_journey


def options_journey(p):
    p.click(435, 56)
    s = wait_until('OPZIONI', lambda s: s['main']['h'] == 507)
    p.key('End', *['BackSpace'] * 8)
    p.type('10')
    p.key('Tab', 'End', 'BackSpace')
    p.type('3')
    p.key('Tab')
    p.type('29/02')  # the patron saint's day: not a day of every year
    p.key('Tab', 'space')  # "Conserva il nastro alla chiusura"
    p.key('Tab', 'Tab', 'space')  # past "Cassa previdenziale": "Ritenuta d'acconto 20%" off
    p.key('Tab', 'Tab', 'space')  # past "Regime forfettario": SALVA IMPOSTAZIONI
    s = wait_until('refused', lambda s: child(s, text='Festa patronale non valida (gg/mm).') is not None)
    check('OPZIONI: 29/02 refused as a patron saint\'s day, nothing saved',
          registry_value('Patrono') != '29/02')
    p.key(*['shift+Tab'] * 5)
    p.type('7.12')
    p.key(*['Tab'] * 5, 'space')
    s = wait_until('saved', lambda s: child(s, text='Impostazioni salvate.') is not None)
    check('OPZIONI: saved with the keyboard, the patron saint\'s day as gg/mm, the tape to be kept',
          child(s, cid=215)['text'] == '07/12' and registry_value('Patrono') == '07/12'
          and child(s, cid=217)['checked'] == 1 and registry_value('ConservaNastro') == '0x1'
          and registry_value('FatturaRitenuta') == '0x0')
    driver.closed_tape = tape(s)
    # Dragged by its header to where it will open next time.
    xdo('mousemove', '--window', p.window, 200, 20, 'mousedown', 1)
    for step in range(1, 11):
        xdo('mousemove', '--window', p.window, 200 + 10 * step, 20 + 7 * step)
        time.sleep(0.05)
    xdo('mouseup', 1)
    s = wait_until('dragged', lambda s: s['main']['x'] > 0)
    driver.closed_at = (s['main']['x'], s['main']['y'])
    xdo('windowfocus', '--sync', p.window)
    p.key('alt+F4')
    check('closing with Alt+F4 exits with 0', p.wait_exit() == 0)


def main():
    subprocess.run([WINE_RUN, 'reg', 'delete', 'HKCU\\Software\\Ferlan\\Zentolo', '/f'],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    journeys = [calc_journey, vat_menu_journey, rounding_journey, tape_journey, bookkeeper_journey, date_journey, deadline_journey,
                deadline_office_journey, finance_journey, official_rates_journey, added_values_journey, keyboard_journey,
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
        s = wait_until('OPZIONI again', lambda s: s['main']['h'] == 507)
        check('restart: the settings were kept',
              child(s, text='10,00') is not None and child(s, text='3', cls='Edit') is not None
              and child(s, cid=215)['text'] == '07/12'
              and child(s, cid=150)['text'] == 'IVA 10,00%  \u25be')
        check('restart: the window opens where it was closed',
              (s['main']['x'], s['main']['y']) == driver.closed_at and driver.closed_at[0] > 0)
        p.click(53, 56)
        wait_until('CALC again', lambda s: s['main']['h'] == 390)
        s = probe()
        check('restart: the tape is as it was left', tape(s) == driver.closed_tape and tape(s) != [])
        p.type('100')
        p.click(183, 97)
        s = wait_until('VAT at 10 %', lambda s: len(tape(s)) > len(driver.closed_tape))
        check('restart: the VAT key uses 10 % and 3 decimals',
              tape(s)[-1] == '+IVA 10,00% su 100,000 = 110,000')
        p.click(459, 18)
        check('closing with "\u00d7" exits with 0', p.wait_exit() == 0)
    except AssertionError as e:
        failures.append('restart: %s' % e)
        print('FAIL: restart', e)
    # The next program started in this prefix opens at the corner again.
    subprocess.run([WINE_RUN, 'reg', 'delete', 'HKCU\\Software\\Ferlan\\Zentolo', '/f'],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    print('%d passed, %d failed' % (driver.passed, len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
