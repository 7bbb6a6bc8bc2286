"""Reads the running program through the accessibility bus, as a screen
reader does, and checks names, roles and actions; presses ДЕЛАТЬ and Save
through their actions and compares the list with NIK.log; moves the list's
selection with a click and a key on the real display and hears it announced."""
import os
import subprocess
import tempfile
import sys
import time

import pyatspi
from gi.repository import GLib

program = sys.argv[1]
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def wait_for(condition, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
        while GLib.MainContext.default().iteration(False):  # deliver the events heard
            pass
    return None


def walk(node):
    yield node
    if node.getRole() == pyatspi.ROLE_LIST:  # the nicks: asked for one by one below
        return
    for child in node:
        if child is not None:
            yield from walk(child)


def find(root, role, name):
    return next((n for n in walk(root) if n.getRole() == role and n.name == name), None)


def decorations(window):
    """Roles of the window's pictures, separators and fillers, and whether they show."""
    return sorted((n.getRoleName(), n.getState().contains(pyatspi.STATE_SHOWING)) for n in walk(window)
                  if n != window and n.getRole() in (pyatspi.ROLE_IMAGE, pyatspi.ROLE_SEPARATOR,
                                                     pyatspi.ROLE_FILLER))


def actions(node):
    action = node.queryAction()
    return [action.getName(i) for i in range(action.nActions)]


def press(node):
    node.queryAction().doAction(actions(node).index("Press"))


def text_of(node):
    return node.queryText().getText(0, -1)


heard = []
pyatspi.Registry.registerEventListener(
    lambda e: heard.append((e.type, e.source.getRoleName(), e.source.name)) if e.source else None,
    "object:state-changed:selected", "focus:")

errors = tempfile.TemporaryFile()
# A desktop session's runtime folder, as every session has (Qt warns without one).
runtime = tempfile.mkdtemp()
app_process = subprocess.Popen([program], stderr=errors, env=dict(os.environ, XDG_RUNTIME_DIR=runtime))
try:
    # A loaded machine or a sanitizer build can take a while to start.
    app = wait_for(lambda: next((a for a in pyatspi.Registry.getDesktop(0) if a is not None
                                 and a.get_process_id() == app_process.pid and a.childCount), None), seconds=40.0)
    if app is None:
        print("FAIL the program never appeared on the accessibility bus")
        sys.exit(1)
    form = app[0]

    # (role, name, description): each button has a Press action, and the
    # picture buttons tell their key; Qt maps a group box to the panel role.
    button, panel, text = pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_PANEL, pyatspi.ROLE_TEXT
    expected = [(button, "ДЕЛАТЬ", "Клавиша: Ctrl+N"), (button, "О ПРОГЕ", "Клавиша: Ctrl+I"),
                (button, "ПОМОЩЬ", "Клавиша: F1"), (button, "Длиннее: длина ника плюс один", "Клавиша: Ctrl++"),
                (button, "Короче: длина ника минус один", "Клавиша: Ctrl+-")]
    expected += [(button, name, None) for name in ["Старт", "Стоп", "Стереть", "Сохранить", "Закрыть"]]
    expected += [(panel, name, None) for name in ["Ники делать тут:", "Сам ник:", "Длина ника:",
                                                  "Настрой буквы (советую оставить так):", "Настрой генератор:"]]
    expected += [(text, name, None) for name in ["Сам ник:", "Интервал добавления (м/c):", "Записей:"]]
    for role, name, description in expected:
        node = find(form, role, name)
        check(node is not None and (role != button or "Press" in actions(node))
              and description in (None, node.description),
              f"{name!r}: {node.getRoleName() if node else 'missing'}, told {node and node.description!r}")

    # A combo box is named after its item; its label comes as "labelled by".
    labels = ["Первая буква:", "Вторая буква:", "Третья буква:", "Четвёртая буква:", "Пятая буква:",
              "Шестая буква:", "Седьмая буква:", "Восьмая буква:", "Девятая буква:", "Десятая буква:"]
    relations = [r for n in walk(form) if n.getRole() == pyatspi.ROLE_COMBO_BOX for r in n.getRelationSet()]
    check(sorted(r.getTarget(0).name for r in relations if r.getRelationType() == pyatspi.RELATION_LABELLED_BY
                 and r.getTarget(0).name in labels) == sorted(labels),
          "each selector is labelled by its own label")

    # Two faces under each of the five picture buttons, the outline (a
    # rectangle and three lines) and the selectors' divider: no more than
    # hidden pictures and separators, so they neither clutter nor speak.
    check(decorations(form) == [("image", False)] * 10 + [("separator", False)] * 5,
          f"the main window's decorations stay silent: {decorations(form)}")

    counter = find(form, pyatspi.ROLE_TEXT, "Записей:")
    nick_list = find(form, pyatspi.ROLE_LIST, "Список ников")
    # Its one child, an unnamed table, holds the entries.
    check(nick_list is not None and nick_list.childCount == 1 and nick_list[0].getRole() == pyatspi.ROLE_TABLE
          and nick_list[0].name == "" and nick_list[0].childCount == 0, "an empty list named 'Список ников'")
    check(text_of(counter) == "0", "the counter starts at 0")

    press(find(form, pyatspi.ROLE_PUSH_BUTTON, "ДЕЛАТЬ"))
    check(wait_for(lambda: text_of(counter) == "1") is not None,
          f"Press on ДЕЛАТЬ counts one nick: {text_of(counter)!r}")
    time.sleep(0.3)
    check(text_of(counter) == "1", "and only one")
    press(find(form, pyatspi.ROLE_PUSH_BUTTON, "ДЕЛАТЬ"))
    wait_for(lambda: text_of(counter) == "2")

    log = os.path.join(os.path.dirname(program), "NIK.log")
    press(find(form, pyatspi.ROLE_PUSH_BUTTON, "Сохранить"))
    wait_for(lambda: os.path.exists(log))
    with open(log, "rb") as f:
        lines = f.read().split(b"\r\n")[:-1]
    # The table shows its entries while the list has the focus.
    x, y, w, h = nick_list.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h - 5), "click", "1"], check=True)
    entries = wait_for(lambda: nick_list[0] if nick_list[0].childCount else None)
    check(entries is not None and entries.childCount == len(lines) == 2,
          f"the focused list has as many entries as NIK.log: {entries and entries.childCount} and {len(lines)}")
    entry = entries[1]
    check(entry is not None and entry.getRole() == pyatspi.ROLE_LIST_ITEM and entry.getIndexInParent() == 1
          and entry.name == lines[1].decode(), f"entry 2 is a list item named {lines[1].decode()!r}")

    # A click on the first entry, then Down: each is told as the entry now
    # selected, named by the nick that the nick box shows.
    nick_box = find(form, pyatspi.ROLE_TEXT, "Сам ник:")
    x, y, w, h = entries[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for keys, nick in [(["mousemove", str(x + w // 2), str(y + h // 2), "click", "1"], lines[0].decode()),
                       (["key", "Down"], lines[1].decode())]:
        heard.clear()
        subprocess.run(["xdotool", *keys], check=True)
        told = wait_for(lambda: {(t, name) for t, role, name in heard if role == "list item"}
                        >= {("object:state-changed:selected", nick), ("focus:", nick)})
        check(told and text_of(nick_box) == nick,
              f"{keys[0]} selects {nick!r}, told as selected and focused: {heard}")

    press(find(form, pyatspi.ROLE_PUSH_BUTTON, "О ПРОГЕ"))
    about = wait_for(lambda: next((w for w in app if w is not None and w.name == "О программе Quillmark"), None))
    check(about is not None, "Press on О ПРОГЕ opens the about window")
    if about is not None:
        check(decorations(about) == [("separator", False)], f"and its outline: {decorations(about)}")
        for name in ["TOR(E)N", "quillmark.example.org"]:
            link = wait_for(lambda: find(about, pyatspi.ROLE_LINK, name))
            check(link is not None and "Press" in actions(link),
                  f"link {name!r} with a Press action")

    # Closed by its X, the program ends at once, and prints nothing on the way.
    press(find(form, pyatspi.ROLE_PUSH_BUTTON, "Закрыть"))
    try:
        status = app_process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        status = None
    errors.seek(0)
    printed = errors.read().decode(errors="replace")
    check(status == 0 and printed == "", f"X ends the program (status {status}), printing nothing: {printed!r}")
finally:
    app_process.kill()
    app_process.wait()

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
