#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs wirtal with the Orca screen reader and checks what Orca says, as a blind learner hears it.

    scripts/orca-check.py BINARY PROGRAM-FOLDER

It needs a D-Bus session with the accessibility bus and an X display with a window manager;
scripts/atspi-check.sh --orca provides them. Orca runs with a debug file, whose "SPEECH OUTPUT"
lines are what it would say; the learner's steps are keys typed into the program's window and, to
reach a page, presses of its buttons over AT-SPI. Each check waits for a phrase to be said (up to
DEADLINE seconds), so the check does not depend on how fast the machine is. Exit codes: 0 every
check passed, 1 a check failed, 77 Orca is not installed or no AT-SPI bus can be reached."""
import importlib.util
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

DEADLINE = 30.0  # seconds for the program to appear, and for each phrase to be said
WHOLE_RUN = 240  # seconds for everything: a hung bus call must not hang the test suite
ORCA = "/usr/bin/orca"

# Orca opens its debug file with a block buffer: the last lines would wait for more. Run it with
# that file line-buffered, so each line is there as soon as it is said.
ORCA_LAUNCHER = r"""
import builtins, runpy, sys
target, orca = sys.argv[1], sys.argv[2]
real_open = builtins.open
def line_open(file, mode="r", *args, **kwargs):
    if file == target and "w" in mode:
        return real_open(file, mode, buffering=1, encoding="utf-8")
    return real_open(file, mode, *args, **kwargs)
builtins.open = line_open
sys.argv = ["orca", "--replace", "--debug-file", target]
runpy.run_path(orca, run_name="__main__")
"""


def skip(reason):
    print(f"SKIP: {reason}")
    sys.exit(77)


if not os.path.exists(ORCA):
    skip("Orca is not installed (Debian package orca; scripts/deps.sh installs it)")
try:
    import pyatspi
except ImportError as e:
    print(f"FAIL: python3-pyatspi cannot be imported ({e}); scripts/deps.sh installs it")
    sys.exit(1)


class Speech:
    """What Orca has said so far, read from its debug file."""

    def __init__(self, path):
        self.path = path
        self.seen = 0  # lines already matched or passed over by a wait

    def lines(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as f:
                text = f.read()
        except FileNotFoundError:
            return []
        # "SPEECH OUTPUT: 'text'", some lines followed by the voice: " {'established': False}".
        return [m.group(1) for m in
                re.finditer(r"SPEECH OUTPUT: '(.*?)'(?: ?\{[^\n]*\})?$", text, re.MULTILINE)]

    def wait(self, pattern, what):
        """Waits until a line said after the last wait matches pattern; returns it or None."""
        end = time.monotonic() + DEADLINE
        regex = re.compile(pattern)
        while time.monotonic() < end:
            said = self.lines()
            for i in range(self.seen, len(said)):
                if regex.search(said[i]):
                    self.seen = i + 1
                    return said[i]
            time.sleep(0.2)
        print(f"     ({what}: nothing matching {pattern!r} was said; said since the last "
              f"check: {self.lines()[self.seen:]!r})")
        return None

    def skip_all(self):
        self.seen = len(self.lines())


# Walking the bus, waiting for what must appear and pressing a button are the tree check's
# (scripts/atspi-dump.py), with the same deadline.
_spec = importlib.util.spec_from_file_location(
    "atspi_dump", os.path.join(os.path.dirname(os.path.abspath(__file__)), "atspi-dump.py"))
atspi_dump = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(atspi_dump)
find_app, nodes, wait_for, press = (atspi_dump.find_app, atspi_dump.nodes, atspi_dump.wait_for,
                                    atspi_dump.press)


def key(name):
    """Types one key into the focused window, as the learner would (an X key event)."""
    subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=False, timeout=10)


class Checks:
    def __init__(self):
        self.failures = []

    def expect(self, condition, text):
        print(("ok   " if condition else "FAIL ") + text)
        if not condition:
            self.failures.append(text)


def check_learning(app, said, c):
    press(app, "Kategoria B")
    line = said.wait(r"^Pytanie 1\b.*\S", "the first question")
    c.expect(line is not None, f"the first learning question is read with its number ({line!r})")
    # N answers NIE and takes the focus there (with autosprawdzanie the check follows at once).
    said.skip_all()
    key("n")
    line = said.wait(r"^NIE\b", "the focus on NIE")
    c.expect(line is not None, f"N moves the focus to NIE, read as it gets there ({line!r})")
    line = said.wait(r"^(Dobrze|Źle, prawidłowa odpowiedź: (TAK|NIE))\.?$", "the check")
    c.expect(line is not None, f"the check's result is read ({line!r})")
    key("Right")
    line = said.wait(r"^Pytanie 2\b", "the next question")
    c.expect(line is not None, f"the next question is read with its number ({line!r})")


def check_exam(app, said, c):
    press(app, "Wylosuj test")
    wait_for("the exam page", lambda: nodes(app, "Nowy Test"))
    said.skip_all()
    press(app, "Nowy Test")
    line = said.wait(r"^Pytanie 1 z 32, [123] punkt", "the first exam question")
    c.expect(line is not None, f"the first exam question is read with its points ({line!r})")
    c.expect(line is not None and "Czas na zapoznanie się z pytaniem: 20 sekund" in line,
             "the reading period is announced with it")
    key("z")
    line = said.wait(r"^Do końca testu: \d+ minut", "the time left")
    c.expect(line is not None, f"Z says the time left ({line!r})")
    press(app, "Przerwij")
    line = said.wait(r"Wynik (NEGATYWNY|POZYTYWNY)\. Punktów \d+ na 74", "the result")
    c.expect(line is not None, f"the test's result is read ({line!r})")
    # The review: a slot button says how the slot went as the focus reaches it.
    slot = wait_for("the slot buttons", lambda: nodes(app, "Pytanie 1", "push button"))
    slot[0].queryComponent().grabFocus()
    line = said.wait(r"bez odpowiedzi|dobrze|źle", "the slot's outcome")
    c.expect(line is not None, f"a slot of the review says right, wrong or unanswered ({line!r})")
    said.skip_all()
    press(app, "zasady egzaminu...")
    line = said.wait(r"dialog", "the rules window")
    c.expect(line is not None, f"the rules window is read as a dialog ({line!r})")


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    binary, folder = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])

    def hung(*_):
        print(f"FAIL: the run took longer than {WHOLE_RUN} s (a bus call hung)")
        raise SystemExit(1)  # through the finally below, which ends the processes

    signal.signal(signal.SIGALRM, hung)
    signal.alarm(WHOLE_RUN)
    try:
        pyatspi.Registry.getDesktop(0).childCount
    except Exception as e:
        skip(f"no AT-SPI bus can be reached here ({e})")
    data = tempfile.mkdtemp(prefix="wirtal-orca-")
    log = os.path.join(data, "orca.log")
    env = dict(os.environ, XDG_DATA_HOME=os.path.join(data, "share"),
               XDG_CONFIG_HOME=os.path.join(data, "config"), HOME=data, LANG="C.UTF-8",
               LC_ALL="C.UTF-8")
    said = Speech(log)
    c = Checks()
    orca = subprocess.Popen([sys.executable, "-c", ORCA_LAUNCHER, log, ORCA], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = None
    try:
        if said.wait(r".", "Orca starting") is None:
            print("FAIL: Orca said nothing after its start")
            return 1
        program = subprocess.Popen(
            [binary], cwd=folder,
            env=dict(env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                     QT_LOGGING_RULES="qt.multimedia*=false"))
        app = wait_for("the program named 'Wirtal 2013' on the AT-SPI bus",
                       lambda: find_app("Wirtal 2013"))
        wait_for("the start page", lambda: nodes(app, "Kategoria B"))
        check_learning(app, said, c)
        check_exam(app, said, c)
    finally:
        if program is not None:
            program.terminate()
            try:
                program.wait(10)
            except subprocess.TimeoutExpired:
                program.kill()
        orca.kill()  # Orca outlives a SIGTERM it is given while it waits for its speech server
        orca.wait()
        if os.environ.get("WIRTAL_ORCA_LOG") and os.path.exists(log):
            shutil.copy(log, os.environ["WIRTAL_ORCA_LOG"])
        shutil.rmtree(data, ignore_errors=True)
    print(f"{len(c.failures)} check(s) failed" if c.failures else "every check passed")
    return 1 if c.failures else 0


if __name__ == "__main__":
    sys.exit(main())
