"""A screen reader's ear on the accessibility bus: registers for every object,
focus and window event, as Orca does, and counts what arrives.

  a11y_listener.py listen <ready-file>
      counts until SIGTERM, then prints the events by kind and source
  a11y_listener.py drive <program> <seconds>
      starts the program, sets the interval to 1 ms and presses Старт through
      the bus, listens for the given time, presses Стоп and prints the events
      per listed nick (the counter's rise)
Run it with the system python (/usr/bin/python3, which has pyatspi)."""
import collections
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

counts = collections.Counter()
started = time.monotonic()


def on_event(event):
    try:
        source = f"{event.source.getRoleName()} {event.source.name!r}"
    except Exception:  # the source went while the event travelled
        source = "gone"
    counts[f"{event.type} on {source}"] += 1


def listen():
    pyatspi.Registry.registerEventListener(on_event, "object:", "focus:", "window:")


def report(seconds, per=None, what=""):
    total = sum(counts.values())
    print(f"listener: {total} events in {seconds:.1f} s = {total / seconds:.0f} events/s")
    if per:
        print(f"listener: {per} {what}: {total / per:.2f} events each")
    for kind, n in counts.most_common(12):
        print(f"  {n:9d}  {kind}")


def stop_on_term():
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: pyatspi.Registry.stop() or False)


def find(node, role, name):
    if node.getRole() == role and node.name == name:
        return node
    if node.getRole() == pyatspi.ROLE_LIST:
        return None
    for child in node:
        found = child is not None and find(child, role, name)
        if found:
            return found
    return None


def press(node):
    action = node.queryAction()
    action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))


def drive(program, seconds):
    process = subprocess.Popen([program], stderr=subprocess.DEVNULL)
    try:
        form = None
        for _ in range(200):
            apps = [a for a in pyatspi.Registry.getDesktop(0)
                    if a is not None and a.get_process_id() == process.pid and a.childCount]
            if apps:
                form = apps[0][0]
                break
            time.sleep(0.05)
        if form is None:
            sys.exit("the program never appeared on the accessibility bus")
        interval = find(form, pyatspi.ROLE_TEXT, "Интервал добавления (м/c):")
        counter = find(form, pyatspi.ROLE_TEXT, "Записей:")
        interval.queryEditableText().setTextContents("1")
        listen()
        counts.clear()
        begin = time.monotonic()
        ended = []

        def halt():
            press(find(form, pyatspi.ROLE_PUSH_BUTTON, "Стоп"))
            ended.append(time.monotonic())
            # What is still on its way counts too: a flood would arrive late.
            GLib.timeout_add(1000, pyatspi.Registry.stop)
            return False

        press(find(form, pyatspi.ROLE_PUSH_BUTTON, "Старт"))
        GLib.timeout_add(int(seconds * 1000), halt)
        pyatspi.Registry.start()
        elapsed = ended[0] - begin
        nicks = int(counter.queryText().getText(0, -1))
        report(elapsed, nicks, "nicks listed")
    finally:
        process.kill()
        process.wait()


if sys.argv[1] == "listen":
    listen()
    stop_on_term()
    open(sys.argv[2], "w").close()
    pyatspi.Registry.start()
    report(time.monotonic() - started)
else:
    drive(sys.argv[2], float(sys.argv[3]))
