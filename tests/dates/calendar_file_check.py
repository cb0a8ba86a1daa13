#!/usr/bin/python3
"""Reads the calendar file of a deadline with a calendar library, as the
office's calendar would: the day, the title, the prospect and the reminder,
every line within 75 octets.

Usage: calendar_file_check.py COMMAND... (the reference_cli to run).
"""
import datetime
import subprocess
import sys

import icalendar

PROSPECT = ['TERMINE: 30 giorni da lunedì 20/07/2026',
            'Regola: processuale (art. 155 c.p.c.; sospensione feriale L. 742/1969)',
            'Primo giorno contato: martedì 21/07/2026',
            'Sospensione feriale: 01/08/2026 – 31/08/2026 (31 giorni non contati)',
            'Ultimo giorno del termine: sabato 19/09/2026',
            'Giorni non utili: sabato 19/09/2026, domenica 20/09/2026',
            'SCADENZA: lunedì 21/09/2026', '', 'Calcolato il 08/12/2026']


def terms_problems():
    """The terms of a first hearing: one event each, in one file, with unique UIDs."""
    data = subprocess.run(sys.argv[1:] + ['terms'], input='0\t29/09/2025\t\t0\tRossi; Bianchi, \\ soci\n'.encode(),
                          stdout=subprocess.PIPE, check=True).stdout
    events = icalendar.Calendar.from_ical(data.decode('utf-8')).walk('VEVENT')
    got = [(e.get('DTSTART').dt, str(e.get('SUMMARY')), str(e.get('DESCRIPTION')).split('\n')[1],
            len(e.walk('VALARM'))) for e in events]
    act = 'Prima udienza del luned\u00ec 29/09/2025'
    want = [(datetime.date(2025, m, d), 'Rossi; Bianchi, \\ soci: ' + name, act, 1) for m, d, name in [
        (4, 30, 'Notifica della citazione entro (art. 163-bis c.p.c., 120 giorni liberi)'),
        (6, 20, 'Costituzione del convenuto (art. 166 c.p.c.)'),
        (7, 18, 'Prima memoria integrativa (art. 171-ter n. 1 c.p.c.)'),
        (9, 9, 'Seconda memoria (art. 171-ter n. 2)'), (9, 19, 'Terza memoria (art. 171-ter n. 3)')]]
    problems = ['terms: got %r, want %r' % (g, w) for g, w in zip(got, want) if g != w]
    if len(got) != 5 or len({str(e.get('UID')) for e in events}) != 5:
        problems.append('terms: %d events, want 5 with their own UIDs' % len(got))
    return problems


def main():
    data = subprocess.run(sys.argv[1:] + ['ics'], input='20/07/2026\t30\t1\n'.encode(), stdout=subprocess.PIPE,
                          check=True).stdout
    lines = data.split(b'\r\n')
    failures = []
    if lines[-1] != b'' or any(b'\n' in l for l in lines) or max(len(l) for l in lines) > 75:
        failures.append('lines: CR LF, at most 75 octets')
    calendar = icalendar.Calendar.from_ical(data.decode('utf-8'))
    events = calendar.walk('VEVENT')
    event = events[0] if len(events) == 1 else {}
    summary = 'Scadenza: 30 giorni da lunedì 20/07/2026 (processuale)'
    checks = [
        (str(calendar.get('PRODID')), '-//Zentolo//Scadenze//IT'),
        (event.get('DTSTART').dt if event else None, datetime.date(2026, 9, 21)),
        (event.get('DTEND').dt if event else None, datetime.date(2026, 9, 22)),
        (str(event.get('SUMMARY')), summary),
        (str(event.get('DESCRIPTION')), '\n'.join(PROSPECT)),
    ]
    alarms = event.walk('VALARM') if event else []
    checks += [(len(alarms), 1), (str(alarms[0].get('ACTION')) if alarms else None, 'DISPLAY'),
               (alarms[0].get('TRIGGER').dt if alarms else None, datetime.timedelta(days=-3)),
               (str(alarms[0].get('DESCRIPTION')) if alarms else None, summary)]
    failures += ['got %r, want %r' % (got, want) for got, want in checks if got != want]
    failures += terms_problems()
    for f in failures:
        print(f)
    print('calendar file read back: %d problems' % len(failures))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
