"""What every journey uses: real input through xdotool, the program's state
read from outside through the probe, waits on conditions and the tally of
checks. The program and the probe are the command line's two arguments."""
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
closed_at = None  # where the first program was closed, for the restart
closed_tape = None  # the tape when it was closed, kept for the restart


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
        elif kind == 'child' and state['windows']:
            state['windows'][-1].setdefault('children', []).append(item)
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
    seen = ''
    try:
        seen = ' (input %r, display %r, tape ending %r)' % (input_text(state), display(state), tape(state)[-2:])
    except (KeyError, IndexError, TypeError):
        pass
    raise AssertionError('timed out waiting for: ' + what + seen)


def check(name, condition, timeout=15):
    """Counts one check. A condition given as a predicate on the probed window is
    waited for, and the state it held in is returned; one that never holds fails
    the journey there, as a wait does."""
    global passed
    state = None
    if callable(condition):
        state = wait_until(name, condition, timeout)
        condition = True
    if condition:
        passed += 1
        print('ok:', name)
    else:
        failures.append(name)
        print('FAIL:', name)
    return state


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


def set_clipboard(text):
    """The clipboard holds `text`, as if another program had copied it."""
    subprocess.run([WINE_RUN, PROBE, 'clip', text.encode('utf-8').hex()], stdout=subprocess.DEVNULL, check=True)


def input_text(s):
    return child(s, cid=140)['text']


def display(s):
    return child(s, cid=142)['text']


def tape(s):
    return child(s, cid=141)['lines']


def registry_value(name):
    out = subprocess.run([WINE_RUN, 'reg', 'query', 'HKCU\\Software\\Ferlan\\Zentolo', '/v', name],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=False).stdout.decode('utf-8', 'replace')
    return out.split()[-1] if name in out else None


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


def edit_state(s, cid=None, nth=None):
    c = child(s, cid=cid) if cid is not None else child(s, cls='Edit', nth=nth)
    return c['text'], c['sel']


def focused(s):
    return s['children'][s['focus']] if s['focus'] >= 0 else {}
