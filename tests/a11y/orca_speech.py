"""Runs Orca and the program, its list holding 100 000 nicks, presses keys as
a blind user would, and checks what Orca speaks: its debug log records every
utterance as SPEECH OUTPUT. Each step waits for Orca to fall silent, as a
user hears a step out, presses its keys and waits for its phrases; a box
that Tab reaches must be read once, with its whole value. A failed step
prints what Orca's log says it did meanwhile. After each step exactly one
control says it is focused (a selector with its edit field, the list with
its table and entry), the one the step names where it names one. How fast
Orca answers is measured by scripts/bench-a11y.sh, not here: a loaded
machine must not fail this test.
  orca_speech.py <quillmark-longlist> [ru|en]   (on a display a window manager manages)"""
import os
import re
import subprocess
import sys
import time

import pyatspi

program = sys.argv[1]
language = sys.argv[2] if len(sys.argv) > 2 else "ru"
here = os.path.dirname(os.path.abspath(__file__))
work = os.path.dirname(program)
log_path = os.path.join(work, "orca.log")
NICK = r"[A-Z]{6}"
LISTED = 100_000

# (keys, phrases Orca must speak ("!" before those it must not, "~" before a
# window's name: see window_named, "+" before one it must say five times at
# least), a box's value
# that must be read exactly once and whole: Orca is then given time to read it
# again, as it used to; the name of the control that must have the focus).
# Keys "click:N" click the list's Nth row in sight instead.
STEPS = {"ru": [
    ([], [r"^Quillmark — генератор ников frame\.$",
          r"^Клавиши: Ctrl\+N — новый ник, Ctrl\+плюс и Ctrl\+минус — длина ника, Ctrl\+Z — вернуть стёртый "
          r"список, F1 — помощь, Ctrl\+I — о программе\.$"], None),
    # A pick from a selector's list, told once; after it, its list's entry is not focused.
    (["Tab", "alt+Down", "Up", "Return"], [r"^Первая буква: editable combo box\.$", "!^Гласная$"], None, "Гласная"),
    # Where-am-I on it names no shortcut: Down only moves in its open list.
    (["KP_Enter"], [r"editable combo box\.$", "!Вниз|Down"], None, "Гласная"),
    # The length box is told by its frame's caption alone.
    (["Tab"] * 4, [r"^Длина ника: panel\.$", r"^read only text\.$", "!^Длина ника read"], "6", ""),
    (["Insert+KP_Enter"], [r"^Quillmark — генератор ников$"], None),  # Orca's "read title"
    (["ctrl+n"], [rf"^{NICK}\.$"], None),
    (["ctrl+plus"], [r"^длина ника 7\.$", "!unselected|deleted"], None),  # the focused box rewritten
    # Into the generator group, which holds the long list.
    (["shift+Tab"] * 6, [r"^Настрой генератор: panel\.$", r"^Сохранить push button\.$"], None, "Сохранить"),
    (["space"], [rf"^сохранено ников: {LISTED + 1}, файл {re.escape(work)}/NIK\.log\.$"], None),
    # Where-am-I as Orca is back from a box: the focus, not a selector or the list.
    # The program runs from a folder without the help page: the box names
    # the page's folder too.
    (["F1"], [r"Читай файл !!!PleaseReadMe!!!\.html, там обо всём узнаеш\.\s+/usr/share/doc/quillmark\.$"], None),
    (["Return"], ["~Quillmark — генератор ников"], None),
    (["KP_Enter"], [r"^Сохранить push button Сохраняет список в папку с программой\.$", "!combo box|table|^сохранено"],
     None, "Сохранить"),
    (["shift+Tab"], [r"^Записей: read only text\.$"], f"{LISTED + 1}"),
    (["shift+Tab"] * 2, [r"^Сам ник: read only text\.$", "!^Сам ник: panel"], NICK),
    # Into the group onto Стереть with Where-am-I right behind: the key is
    # Orca's, and nothing is erased.
    (["Tab", "KP_Enter"], [r"^Стереть push button\.$", r"^Стереть push button Очищает список\.$"], None),
    # Keypad Enter right behind the Return that closes a box, before the
    # window is active again: Orca declines every key then, and still nothing
    # is pressed (the next step finds the list whole).
    (["F1"], [r"Читай файл !!!PleaseReadMe!!!\.html"], None),
    (["delay:40", "Return", "KP_Enter"], ["!^список стёрт"], None, "Стереть"),
    (["F1"], [r"Читай файл !!!PleaseReadMe!!!\.html"], None),
    (["delay:60", "Return", "KP_Enter"], ["!^список стёрт"], None, "Стереть"),
    (["F1"], [r"Читай файл !!!PleaseReadMe!!!\.html"], None),
    (["delay:30", "Return", "KP_Enter"], ["!^список стёрт"], None, "Стереть"),
    (["Tab"], [r"^Записей: read only text\.$"], f"{LISTED + 1}"),
    (["shift+Tab", "space"], [r"^список стёрт, записей: 0\.$"], None),
    # Back by the list's menu: the result, then the list, not the window and group again.
    (["shift+Tab"] * 5 + ["Menu"], [r"^Вернуть стёртое\.$"], None),
    (["Return"], [rf"^список возвращён, в нём {LISTED + 1} запись\.$", "!Quillmark|panel"], None, "Список ников"),
    (["Tab"], [r"^Интервал добавления \(м/c\): text\.$"], "250"),
    # The list says how long it is, on entry and on Where-am-I.
    (["shift+Tab"], [r"^Список ников\.$", r"^list\.$", rf"^в списке {LISTED + 1} запись\.$"], None, "Список ников"),
    (["KP_Enter"], [r"^Список ников\.$", r"^list\.$", rf"^в списке {LISTED + 1} запись\.$"], None),
    (["End"], [rf"^{NICK}\.$"], None),
    (["KP_Enter"], [rf"^{LISTED + 1} of {LISTED + 1}\.$", "!Nesting level"], None),
    (["ctrl+c"], [rf"^скопировано: {NICK}\.$"], None),
    (["shift+F10"], [r"^меню списка\.$", r"^Копировать\.$", "!frame"], None),
    # Chosen from the menu, the copy is told, then the nick the focus comes back to: the nick once.
    (["Return"], [r"^скопировано\.$", rf"^{NICK}\.$", "!^скопировано: |Quillmark|panel"], None),
    (["Menu"], [r"^меню списка\.$", r"^Копировать\.$", "!frame"], None),
    (["Escape"], [rf"^{NICK}\.$", "!Quillmark|panel"], None, "Список ников"),
    (["Tab"], [r"^Интервал добавления \(м/c\): text\.$"], "250"),
    (["shift+Tab"], [r"^Список ников\.$", rf"^в списке {LISTED + 1} запись\.$", rf"^{NICK}\.$"], None, "Список ников"),
    (["Tab", "0", "Tab", "space"], [r"^таймер включён, но при интервале 0 мс ники не добавляются\.$"], None),
    (["Tab", "space"], [rf"^таймер остановлен, в списке {LISTED + 1} запись\.$"], None),  # none added at 0
    (["shift+Tab"] * 2 + ["5", "Home", "minus", "Tab", "space"], [r"^Интервал не изменён: -5 мс меньше нуля\."], None),
    (["Return"], [r"^Старт push button\.$", "!нтервал не изменён"], None, "Старт"),
    # A click on a nick from elsewhere enters the list as Tab does: the list, its size, the nick clicked
    # (the list scrolled to its end: a reader asks its table what lies at the point).
    (["click:2"], [r"^Список ников\.$", rf"^в списке {LISTED + 1} запись\.$", "{nick}"], None, "Список ников"),
    (["Tab"] * 2, [r"^Старт push button\.$"], None, "Старт"),
    (["ctrl+i"], [r"^О программе Quillmark dialog На сайте"], None),
    (["Tab"], [r"^TOR\(E\)N link\.$"], None),
    # Back and forth between the windows: each named, neither read out again.
    (["alt+Tab"], ["~Quillmark — генератор ников", "!Клавиши"], None),
    (["alt+Tab"], ["~О программе Quillmark", "!На сайте"], None),
    (["Escape"], ["~Quillmark — генератор ников", "!Клавиши"], None),
    # A review of the window reads the nicks the list shows, though the focus is elsewhere.
    (["KP_Subtract"], [r"^Entering flat review\.$"], None, "Старт"),
    (["KP_Add", "KP_Add"], [rf"+^{NICK}$"], None, "Старт"),
], "en": [
    ([], [r"^Quillmark — nickname generator frame\.$",
          r"^Keys: Ctrl\+N — new nick, Ctrl\+plus and Ctrl\+minus — nick length, Ctrl\+Z — bring back the "
          r"erased list, F1 — help, Ctrl\+I — about the program\.$"], None),
    (["F1"], [r"Read the file !!!PleaseReadMe!!!\.html, it tells you all about it\.\s+/usr/share/doc/quillmark\.$"],
     None),
    (["Return"], ["~Quillmark — nickname generator"], None),
    (["KP_Enter"], [r"^Close push button", "!combo box|table"], None, "Close"),
    (["Tab"] * 5, [r"^Nick length: panel\.$", r"^read only text\.$", "!^Nick length read"], "6", ""),
    (["ctrl+plus"], [r"^nick length 7\.$"], None),
    (["shift+Tab"] * 6, [r"^Set up the generator: panel\.$", r"^Save push button\.$"], None, "Save"),
    (["space"], [rf"^nicks saved: {LISTED:,}, file {re.escape(work)}/NIK\.log\.$"], None),
    (["shift+Tab"], [r"^Entries: read only text\.$"], f"{LISTED}"),
    (["shift+Tab", "space"], [r"^list erased, entries: 0\.$"], None),
    (["ctrl+z"], [rf"^list brought back, {LISTED} entries\.$"], None),
    (["shift+Tab"] * 4, [r"^Interval between nicks \(ms\): text\.$"], "250"),
    (["shift+Tab"], [r"^List of nicks\.$", r"^list\.$", rf"^{LISTED} entries in the list\.$"], None, "List of nicks"),
    (["Home"], [rf"^{NICK}\.$"], None),
    (["ctrl+c"], [rf"^copied: {NICK}\.$"], None),
    (["Menu"], [r"^list menu\.$", r"^Copy\.$", "!frame"], None),
    (["Escape"], [rf"^{NICK}\.$", "!Quillmark|panel"], None, "List of nicks"),
    (["Tab", "0", "Tab", "space"], [r"^timer on, but at an interval of 0 ms no nicks are added\.$"], None),
    (["Tab", "space"], [rf"^timer stopped, {LISTED} entries in the list\.$"], None),
    (["shift+Tab"] * 2 + ["5", "Home", "minus", "Tab", "space"], [r"^Interval unchanged: -5 ms is less than zero\."], None),
    (["Return"], [r"^Start push button\.$", "!nterval unchanged"], None, "Start"),
    (["click:1"], [r"^List of nicks\.$", rf"^{LISTED} entries in the list\.$", "{nick}"], None, "List of nicks"),
    (["Tab"] * 2, [r"^Start push button\.$"], None, "Start"),
    (["ctrl+i"], [r"^About Quillmark dialog On the site"], None),
    (["Escape"], ["~Quillmark — nickname generator"], None),
]}[language]
# The program speaks the language an English or a Russian desktop asks for;
# Orca itself stays in the C locale.
program_env = dict(os.environ, LC_ALL="en_US.UTF-8" if language == "en" else "C.UTF-8")


def utterances():
    """What Orca spoke, in order."""
    if not os.path.exists(log_path):
        return []
    with open(log_path, encoding="utf-8", errors="replace") as f:
        # Read on: an utterance of a say-all ends in None, and one of a text
        # with a line break (the help box's folder) runs over lines.
        return re.findall(r"^\d\d:\d\d:\d\d\.\d+ - SPEECH OUTPUT: '(.*?)' ?(?:\[?\{|None$)", f.read(), re.M | re.S)


def said(since):
    return utterances()[since:]


def wait_for(condition, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end and not condition():
        time.sleep(0.05)
    return condition()


def wait_until_silent():
    """Until Orca's log has not grown for half a second: it has done the step."""
    sizes = []

    def silent():
        sizes.append(os.path.getsize(log_path))
        return len(sizes) > 10 and len(set(sizes[-10:])) == 1

    wait_for(silent, 5)


def logged_since(offset):
    with open(log_path, encoding="utf-8", errors="replace") as f:
        f.seek(offset)
        return f.read()


def what_orca_did(offset):
    """The events Orca took up or let go since `offset` in its log, and why."""
    return re.findall(r"^.*(?:EVENT MANAGER: (?:Dequeued )?(?:window:|object:state-changed:(?:focused|active)|focus:)|"
                      r"Ignoring|lacks state|Event is for active|can be active|SPEECH OUTPUT|locusOfFocus from).{,150}",
                      logged_since(offset), re.M)[-60:]


def window_named(name, said_since, offset):
    """Whether Orca named the window the focus came back to, or was told of
    its activation and let it pass as the window it already had: Orca 43
    looks up the active window again for a key that comes while it has no
    window, and a key's release can come between the closed window's
    deactivation and this one's activation (Orca's log says "Event is for
    active window")."""
    if any(re.match(rf"{re.escape(name)} (frame|dialog)\b", u) for u in said(said_since)):
        return True
    return any(name == told and "Event is for active window" in block for block, told in re.findall(
        r"(PROCESS OBJECT EVENT window:activate v+\n.*?OBJECT EVENT: window:activate \(0, 0, (.*?)\)\n.*?"
        r"\^+ PROCESS OBJECT EVENT window:activate)", logged_since(offset), re.S))


def focused_controls(pid):
    """The controls that say they are focused, as (role, name): a selector's
    edit field counts with the selector, the list's table with the list (whose
    entries are not visited one by one)."""
    def walk(node, control):
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            found.add(control or (node.getRoleName(), node.name))
        if node.getRole() in (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST) and not control:
            control = (node.getRoleName(), node.name)
        if node.getRole() != pyatspi.ROLE_TABLE:
            for child in filter(None, node):
                walk(child, control)

    found = set()
    for application in filter(None, pyatspi.Registry.getDesktop(0)):
        if application.get_process_id() == pid:
            for window in filter(None, application):
                walk(window, None)
    return sorted(found)


def click_entry(pid, row):
    """Clicks the list's entry in the given row in sight with the mouse, as a
    sighted hand does, and returns its nick. Without the focus the list's
    table holds the rows in sight."""
    for application in filter(None, pyatspi.Registry.getDesktop(0)):
        if application.get_process_id() == pid:
            nicks = pyatspi.findDescendant(application, lambda n: n.getRole() == pyatspi.ROLE_LIST and
                                           n.name in ("Список ников", "List of nicks"))
            entry = nicks[0][row]
            x, y, width, height = entry.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            subprocess.run(["xdotool", "mousemove", "--sync", str(x + width // 2), str(y + height // 2),
                            "click", "1"], check=True)
            return entry.name
    raise RuntimeError("the program is not on the accessibility bus")


failures = []
orca = subprocess.Popen(["/usr/bin/python3", os.path.join(here, "../../scripts/orca-logged.py"), log_path,
                         os.path.join(work, "orca-settings")],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
app = None
try:
    # Orca may first wait for another run's Orca to end (scripts/orca-logged.py).
    if not wait_for(lambda: "Screen reader on." in said(0), 60):
        print("FAIL Orca did not start")
        sys.exit(1)
    app = subprocess.Popen([program, str(LISTED)], cwd=work, env=program_env, stderr=subprocess.DEVNULL)
    start = 0
    for keys, phrases, value, *focus in STEPS:
        if keys:
            # A user hears the last step out before the next key.
            wait_until_silent()
            start = len(utterances())
        logged = os.path.getsize(log_path)
        began = time.monotonic()
        if keys and keys[0].startswith("click:"):
            # "{nick}" in a phrase is the nick clicked.
            nick = click_entry(app.pid, int(keys[0][6:]))
            phrases = [p.replace("{nick}", rf"^{re.escape(nick)}\.$") for p in phrases]
        elif keys:
            # "delay:N" first: N ms between the keys, as a quick hand presses them.
            delay = keys[0][6:] if keys[0].startswith("delay:") else "100"
            subprocess.run(["xdotool", "key", "--delay", delay, *[k for k in keys if not k.startswith("delay:")]],
                           check=True)
        absent = [p[1:] for p in phrases if p.startswith("!")]  # must not be spoken
        windows = [p[1:] for p in phrases if p.startswith("~")]
        often = [p[1:] for p in phrases if p.startswith("+")]
        phrases = [p for p in phrases if p[0] not in "!~+"]
        ok = wait_for(lambda: all(any(re.search(p, u) for u in said(start)) for p in phrases) and
                      all(sum(bool(re.search(p, u)) for u in said(start)) >= 5 for p in often) and
                      all(window_named(w, start, logged) for w in windows), 10 if keys else 40)
        if absent:
            wait_until_silent()
            ok = ok and not any(re.search(p, u) for p in absent for u in said(start))
        if value is not None:
            wait_until_silent()
        spoken = [u for u in said(start) if not u.endswith(" ")]  # key echoes end in a blank
        if value is not None:
            # Orca says a box's value, then "selected" (Tab selects it all).
            values = [u for u in spoken if re.fullmatch(rf"({value})( selected)?\.?", u)]
            cut = [u for u in spoken if re.fullmatch(r"\S+ selected\.", u) and u not in values]
            ok = ok and len(values) == 1 and not cut
        controls = focused_controls(app.pid)
        ok = ok and len(controls) == 1 and (not focus or controls[0][1] == focus[0])
        print(("ok   " if ok else "FAIL ") + f"{' '.join(keys) or '(start)'} ({time.monotonic() - began:.1f} s"
              f"): Orca spoke {spoken}; focused: {controls}")
        if not ok:
            failures.append(' '.join(keys) or '(start)')
            print("\n".join("     log: " + line for line in what_orca_did(logged)))
        start = len(utterances())
    closed = subprocess.run(["xdotool", "search", "--name", "^Form2$"], capture_output=True).stdout.strip() == b""
    print(("ok   " if closed else "FAIL ") + "Escape closed the about window")
    if not closed:
        failures.append("about window closed")
finally:
    for name, process in (("the program", app), ("Orca", orca)):
        if process:
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                print(f"note {name} did not end within 10 s of SIGTERM: killed")
                process.kill()
                process.wait()

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
