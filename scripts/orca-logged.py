"""Starts Orca with every line of its debug log written as it comes (Orca
opens the log with a block buffer, so its last lines would wait), its
settings in a folder of the caller's, its speech only to the log when no
speech server runs.
  /usr/bin/python3 scripts/orca-logged.py <log> <settings-folder>"""
import builtins
import fcntl
import os
import runpy
import sys

log, settings = sys.argv[1:3]
plain_open = builtins.open


def line_buffered_log(file, mode="r", *args, **kwargs):
    if file == log:
        return plain_open(file, mode, 1, encoding="utf-8")
    return plain_open(file, mode, *args, **kwargs)


builtins.open = line_buffered_log

# Orca runs once per user: a second Orca, even in another D-Bus session,
# replaces the first. Runs side by side (a test suite beside a benchmark)
# take turns instead; the lock goes with this process.
try:
    turn = open(os.path.join(os.environ.get("XDG_RUNTIME_DIR") or "/tmp",
                             f"quillmark-orca-{os.getuid()}.lock"), "a")
    fcntl.flock(turn, fcntl.LOCK_EX)
except OSError:
    pass
sys.argv = ["orca", "--replace", "--user-prefs", settings, "--debug-file", log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
