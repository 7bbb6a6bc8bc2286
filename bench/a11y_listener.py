"""A screen reader's ear on the accessibility bus: registers for every object,
focus and window event, as Orca does, and counts what arrives.

  a11y_listener.py listen <ready-file>
      counts until SIGTERM, then prints the events by kind and source
  a11y_listener.py drive <program> <seconds> [<orca-pid> <orca-log>]
      starts the program, sets the interval to 1 ms and presses Старт through
      the bus, listens for the given time, presses Стоп and prints the events
      per listed nick (the counter's rise); with a running Orca also Orca's
      CPU share during the run, how long Orca takes to answer Where-am-I
      (keypad Enter) halfway through, and when its log falls silent after Стоп
  a11y_listener.py long <quillmark-longlist> <entries> <orca-pid> <orca-log>
      starts the window with that many entries listed and, Orca reading it,
      times Orca's answers (from the key to what it speaks) to the focus
      entering the generator group, Where-am-I there, the list (until it
      says its size), its last entry and Where-am-I on it, and, before that,
      reads the rows the list shows without the focus, over the bus and by
      Orca's review of the window; then visits 20 000 entries one by one over
      the bus, as a reader walking the list would, and prints the entry
      interfaces the program holds and its resident memory at each stage
Run it with the system python (/usr/bin/python3, which has pyatspi)."""
import collections
import datetime
import os
import re
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


class Orca:
    """What a running Orca does, read from /proc and from its debug log."""

    def __init__(self, pid, log):
        self.pid, self.log = pid, log

    def cpu_seconds(self):
        with open(f"/proc/{self.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def log_size(self):
        return os.path.getsize(self.log)

    def spoke_since(self, offset):
        """Whether Orca spoke (not a key's echo) after that point of its log."""
        with open(self.log, "rb") as f:
            f.seek(offset)
            return any(b"SPEECH OUTPUT: '" in line and b"' {" not in line for line in f)


def drive(program, seconds, orca=None):
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
            stop_source.append(GLib.timeout_add(1000, pyatspi.Registry.stop))
            return False

        figures = {}
        if orca:
            cpu_at_start = orca.cpu_seconds()

            def ask_where_am_i():
                asked, offset = time.monotonic(), orca.log_size()
                subprocess.run(["xdotool", "key", "KP_Enter"], check=True)

                def answered():
                    if orca.spoke_since(offset):
                        figures["answer"] = time.monotonic() - asked
                        return False
                    return time.monotonic() - asked < seconds / 2

                GLib.timeout_add(10, answered)
                return False

            def watch_silence():
                size = orca.log_size()
                if size != figures.get("size"):
                    figures["size"], figures["grew"] = size, time.monotonic()
                return time.monotonic() - ended[0] < 5 if ended else True

            GLib.timeout_add(int(seconds * 500), ask_where_am_i)

        def halt_and_watch():
            if orca:
                figures["cpu"] = (orca.cpu_seconds() - cpu_at_start) / (time.monotonic() - begin)
            halt()
            if orca:
                GLib.source_remove(stop_source[0])
                GLib.timeout_add(50, watch_silence)
                GLib.timeout_add(5000, pyatspi.Registry.stop)
            return False

        press(find(form, pyatspi.ROLE_PUSH_BUTTON, "Старт"))
        GLib.timeout_add(int(seconds * 1000), halt_and_watch)
        stop_source = []
        pyatspi.Registry.start()
        elapsed = ended[0] - begin
        nicks = int(counter.queryText().getText(0, -1))
        report(elapsed, nicks, "nicks listed")
        print(f"listener: {nicks / elapsed:.0f} nicks/s listed")
        if orca:
            print(f"orca: {100 * figures['cpu']:.1f} % CPU during the run")
            answer = figures.get("answer")
            print("orca: Where-am-I answered in " + (f"{answer:.3f} s" if answer is not None else "no time: never"))
            print(f"orca: log silent {max(0.0, figures['grew'] - ended[0]):.3f} s after Стоп")
    finally:
        process.kill()
        process.wait()


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        fields = dict(line.split(":", 1) for line in f)
    return int(fields["VmRSS"].split()[0]), int(fields["VmHWM"].split()[0])


def long_list(program, entries, orca):
    """Orca's answers and the program's memory with a long list."""
    process = subprocess.Popen([program, str(entries)], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                               stderr=subprocess.DEVNULL)

    # The list's own bytes: whole 64 Ki-entry chunks of 8-byte words.
    listed_mib = -(-entries // 65536) * 0.5

    def memory():
        rss, hwm = resident_kib(process.pid)
        return (f"resident {rss / 1024:.1f} MiB, {rss / 1024 - listed_mib:.1f} MiB beyond the list's "
                f"{listed_mib:.1f} MiB (peak {hwm / 1024:.1f} MiB)")

    def held():
        process.stdin.write("held\n")
        process.stdin.flush()
        return int(process.stdout.readline().split()[1])

    def spoken():
        with open(orca.log, encoding="utf-8", errors="replace") as f:
            return [(int(h) * 3600 + int(m) * 60 + float(sec), u) for h, m, sec, u in
                    re.findall(r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*?)' ?(?:\{|None$)", f.read(),
                               re.M)]

    def answer(key, phrase, what):
        before = len(spoken())
        now = datetime.datetime.now()
        sent = now.hour * 3600 + now.minute * 60 + now.second + now.microsecond / 1e6
        subprocess.run(["xdotool", "key", *key.split()], check=True)
        end = time.monotonic() + 300
        while time.monotonic() < end:
            heard = [t for t, u in spoken()[before:] if re.search(phrase, u)]
            if heard:
                print(f"orca: {what}: answered in {heard[0] - sent:.3f} s")
                time.sleep(1)
                return
            time.sleep(0.02)
        print(f"orca: {what}: no answer in 300 s")

    try:
        # The list is filled before the window shows (10 M take several seconds).
        started, app = time.monotonic(), None
        while app is None:
            if time.monotonic() - started > 600:
                sys.exit("the window never came up")
            time.sleep(0.2)
            app = next((a for a in pyatspi.Registry.getDesktop(0)
                        if a is not None and a.get_process_id() == process.pid and a.childCount), None)
        time.sleep(3)
        print(f"program: {entries} entries listed, {memory()}, entry interfaces held {held()}")
        table = find(app[0], pyatspi.ROLE_LIST, "Список ников")[0]
        began = time.monotonic()
        shown = [entry.name for entry in table]
        print(f"program: without the focus the list shows {len(shown)} entries, read over the bus in "
              f"{time.monotonic() - began:.3f} s")
        answer("KP_Subtract", r"^Entering flat review\.$", "flat review on")
        answer("KP_Add KP_Add", rf"^{re.escape(shown[0])}$" if shown else "^$",
               "the review's say-all: the list's first nick in sight")
        answer("KP_Subtract", r"^Leaving flat review\.$", "flat review off")
        answer("shift+Tab", r"^Сохранить push button", "focus into the generator group (Сохранить)")
        answer("KP_Enter", r"^Сохранить push button ", "Where-am-I on Сохранить")
        for _ in range(6):
            subprocess.run(["xdotool", "key", "shift+Tab"], check=True)
            time.sleep(0.3)
        answer("shift+Tab", rf"^в списке {entries} запис(ь|и|ей)\.$", "focus onto the list, told its size")
        answer("End", r"^[A-Z]{6}\.$", "End: the last entry")
        answer("KP_Enter", rf"^{entries} of {entries}\.$", "Where-am-I on the last entry")
        print(f"program: after Orca's reading, {memory()}, entry interfaces held {held()}")
        table = find(app[0], pyatspi.ROLE_LIST, "Список ников")[0]  # made anew with the focus
        walk = min(entries, 20_000)
        began = time.monotonic()
        names = sum(1 for i in range(walk) if table[i].name)
        took = time.monotonic() - began
        print(f"program: a reader visited {walk} entries ({names} named) in {took:.1f} s; {memory()}, "
              f"entry interfaces held {held()}")
    finally:
        process.kill()
        process.wait()


if sys.argv[1] == "listen":
    listen()
    stop_on_term()
    open(sys.argv[2], "w").close()
    pyatspi.Registry.start()
    report(time.monotonic() - started)
elif sys.argv[1] == "long":
    long_list(sys.argv[2], int(sys.argv[3]), Orca(int(sys.argv[4]), sys.argv[5]))
else:
    drive(sys.argv[2], float(sys.argv[3]), Orca(int(sys.argv[4]), sys.argv[5]) if len(sys.argv) > 5 else None)
