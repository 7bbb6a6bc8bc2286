"""Starts Orca with every line of its debug log written as it comes (Orca
opens the log with a block buffer, so its last lines would wait), its
settings in a folder of the caller's, its speech only to the log when no
speech server runs.
  /usr/bin/python3 scripts/orca-logged.py <log> <settings-folder>"""
import builtins
import runpy
import sys

log, settings = sys.argv[1:3]
plain_open = builtins.open


def line_buffered_log(file, mode="r", *args, **kwargs):
    if file == log:
        return plain_open(file, mode, 1, encoding="utf-8")
    return plain_open(file, mode, *args, **kwargs)


builtins.open = line_buffered_log
sys.argv = ["orca", "--replace", "--user-prefs", settings, "--debug-file", log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
