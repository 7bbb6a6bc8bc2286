"""Runs Orca and the program, presses keys as a blind user would, and checks
what Orca speaks: its debug log records every utterance as SPEECH OUTPUT.
Each step waits for its phrase and then for Orca to fall silent; a box that
Tab reaches must be read once, with its whole value.
  orca_speech.py <program> [ru|en]    (on a display a window manager already manages)"""
import os
import re
import subprocess
import sys
import time

program = sys.argv[1]
language = sys.argv[2] if len(sys.argv) > 2 else "ru"
here = os.path.dirname(os.path.abspath(__file__))
work = os.path.dirname(program)
log_path = os.path.join(work, "orca.log")
NICK = r"[A-Z]{6}"

# (keys, phrases Orca must speak, a box's value that must be read exactly once
# and whole: Orca is then given time to read it again, as it used to)
STEPS = {"ru": [
    ([], [r"^Quillmark — генератор ников frame\.$",
          r"^Клавиши: Ctrl\+N — новый ник, Ctrl\+плюс и Ctrl\+минус — длина ника, F1 — помощь, "
          r"Ctrl\+I — о программе\.$"], None),
    (["Tab"] * 5, [r"^Длина ника read only text\.$"], "6"),
    (["Insert+KP_Enter"], [r"^Quillmark — генератор ников$"], None),  # Orca's "read title"
    (["ctrl+n"], [rf"^{NICK}\.$"], None),
    (["ctrl+plus"], [r"^длина ника 7\.$"], None),
    (["shift+Tab"] * 6, [r"^Сохранить push button\.$"], None),
    (["space"], [rf"^сохранено ников: 1, файл {re.escape(work)}/NIK\.log\.$"], None),
    (["shift+Tab"], [r"^Записей: read only text\.$"], "1"),
    (["shift+Tab"] * 2, [r"^Сам ник read only text\.$"], NICK),
    (["shift+Tab"] * 3, [r"^Интервал добавления \(м/c\): text\.$"], "250"),
    (["Tab", "space"], [r"^таймер запущен, интервал 250 мс\.$"], None),
    (["Tab", "space"], [r"^таймер остановлен, записей: \d+\.$"], None),
    (["ctrl+i"], [r"^О программе Quillmark dialog "], None),
    (["Tab"], [r"^TOR\(E\)N link\.$"], None),
    (["Escape"], [r"^Quillmark — генератор ников frame\.$"], None),
], "en": [
    ([], [r"^Quillmark — nickname generator frame\.$",
          r"^Keys: Ctrl\+N — new nick, Ctrl\+plus and Ctrl\+minus — nick length, F1 — help, "
          r"Ctrl\+I — about the program\.$"], None),
    (["Tab"] * 5, [r"^Nick length read only text\.$"], "6"),
    (["ctrl+plus"], [r"^nick length 7\.$"], None),
    (["shift+Tab"] * 6, [r"^Save push button\.$"], None),
    (["space"], [rf"^nicks saved: 0, file {re.escape(work)}/NIK\.log\.$"], None),
    (["shift+Tab"] * 3, [r"^The nick itself read only text\."], None),
    (["shift+Tab"] * 3, [r"^Adding interval \(ms\): text\.$"], "250"),
    (["Tab", "space"], [r"^timer started, interval 250 ms\.$"], None),
    (["Tab", "space"], [r"^timer stopped, entries: \d+\.$"], None),
    (["ctrl+i"], [r"^About Quillmark dialog "], None),
    (["Escape"], [r"^Quillmark — nickname generator frame\.$"], None),
]}[language]
# The program speaks the language an English or a Russian desktop asks for;
# Orca itself stays in the C locale.
program_env = dict(os.environ, LC_ALL="en_US.UTF-8" if language == "en" else "C.UTF-8")

def utterances():
    if not os.path.exists(log_path):
        return []
    with open(log_path, encoding="utf-8", errors="replace") as f:
        return re.findall(r"SPEECH OUTPUT: '(.*?)' ?\{", f.read())


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


failures = []
orca = subprocess.Popen(["/usr/bin/python3", os.path.join(here, "../../scripts/orca-logged.py"), log_path,
                         os.path.join(work, "orca-settings")],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
app = None
try:
    # Orca may first wait for another run's Orca to end (scripts/orca-logged.py).
    if not wait_for(lambda: "Screen reader on." in utterances(), 60):
        print("FAIL Orca did not start")
        sys.exit(1)
    app = subprocess.Popen([program], cwd=work, env=program_env, stderr=subprocess.DEVNULL)
    start = 0
    for keys, phrases, value in STEPS:
        began = time.monotonic()
        if keys:
            subprocess.run(["xdotool", "key", "--delay", "100", *keys], check=True)
        ok = wait_for(lambda: all(any(re.search(p, u) for u in utterances()[start:]) for p in phrases),
                      10 if keys else 40)
        if value is not None:
            wait_until_silent()
        spoken = [u for u in utterances()[start:] if not u.endswith(" ")]  # key echoes end in a blank
        if value is not None:
            # Orca says a box's value, then "selected" (Tab selects it all).
            values = [u for u in spoken if re.fullmatch(rf"({value})( selected)?\.?", u)]
            cut = [u for u in spoken if re.fullmatch(r"\S+ selected\.", u) and u not in values]
            ok = ok and len(values) == 1 and not cut
        print(("ok   " if ok else "FAIL ") + f"{' '.join(keys) or '(start)'} ({time.monotonic() - began:.1f} s): "
              f"Orca spoke {spoken}")
        if not ok:
            failures.append(' '.join(keys) or '(start)')
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
