#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts wirtal and reads its accessibility tree over AT-SPI, as a screen reader reads it.

    scripts/atspi-dump.py [--check] BINARY PROGRAM-FOLDER

Without --check it prints the tree of the learning page, the statistics and a running exam. With
--check it also checks what a screen reader needs there and prints one "ok"/"FAIL" line per check.
It needs a D-Bus session with the accessibility bus and an X display; scripts/atspi-check.sh
provides both. Exit codes: 0 done (every check passed), 1 a check failed, 77 no AT-SPI bus."""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

DEADLINE = 30.0  # seconds for the program to appear, and for each page to be shown
WHOLE_RUN = 150  # seconds for everything: a hung bus call must not hang the test suite


def skip(reason):
    print(f"SKIP: {reason}")
    sys.exit(77)


try:
    import pyatspi
except ImportError as e:
    print(f"FAIL: python3-pyatspi cannot be imported ({e}); scripts/deps.sh installs it")
    sys.exit(1)


def node_value(node):
    try:
        v = node.queryValue()
    except NotImplementedError:
        return None
    return (v.currentValue, v.minimumValue, v.maximumValue)


def walk(node, depth=0, out=None, limit=4000):
    """Every showing node under node, depth first, as (depth, role, name, node)."""
    out = [] if out is None else out
    if node is None or len(out) >= limit:
        return out
    try:
        if depth > 1 and not node.getState().contains(pyatspi.STATE_SHOWING):
            return out  # what is not on screen is not read
        out.append((depth, node.getRoleName(), node.name or "", node))
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i), depth + 1, out, limit)
    except Exception:  # a node that went away while walking
        pass
    return out


def describe(node):
    text = ""
    value = node_value(node)
    if value is not None:
        text += f" value={value[0]:g} [{value[1]:g}..{value[2]:g}]"
    if node.description:
        text += f" desc={node.description!r}"
    states = node.getState()
    flags = []
    # Qt 6.4 sends no "checkable" state: a check box's role says it.
    if states.contains(pyatspi.STATE_CHECKABLE) or node.getRoleName() == "check box":
        flags.append("checked" if states.contains(pyatspi.STATE_CHECKED) else "unchecked")
    if states.contains(pyatspi.STATE_FOCUSED):
        flags.append("focused")
    return text + (" " + ",".join(flags) if flags else "")


def dump(app):
    for depth, role, name, node in walk(app):
        try:
            extra = describe(node)
        except Exception:
            extra = " (gone)"
        print("  " * depth + f"[{role}] {name!r}{extra}")


def find_app(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            return app
    return None


def nodes(app, name=None, role=None):
    return [n for (_, r, nm, n) in walk(app)
            if (name is None or nm == name) and (role is None or r == role)]


def wait_for(what, condition):
    """Polls the running program (a separate process) until condition() holds."""
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        result = condition()
        if result:
            return result
        time.sleep(0.2)
    print(f"FAIL: {what} did not appear within {DEADLINE:.0f} s")
    raise SystemExit(1)


def press(app, name):
    for n in nodes(app, name):
        try:
            action = n.queryAction()
        except NotImplementedError:
            continue
        for i in range(action.nActions):
            if action.getName(i).lower() in ("press", "click", "activate", "toggle"):
                action.doAction(i)
                return
    print(f"FAIL: no button {name!r} to press")
    raise SystemExit(1)


class Checks:
    def __init__(self, enabled):
        self.enabled = enabled
        self.failures = []

    def expect(self, condition, text):
        if not self.enabled:
            return
        print(("ok   " if condition else "FAIL ") + text)
        if not condition:
            self.failures.append(text)


def check_learning(app, c):
    switch = nodes(app, "Zapamiętuje błędy")
    c.expect(len(switch) == 1 and switch[0].getRoleName() in ("check box", "toggle button"),
             "'Zapamiętuje błędy' is a toggle (check box)")
    if switch:
        # On in a new profile; a press through AT-SPI turns it off, and the name stays.
        checked = lambda: switch[0].getState().contains(pyatspi.STATE_CHECKED)
        c.expect(checked(), "'Zapamiętuje błędy' is checked")
        press(app, "Zapamiętuje błędy")
        end = time.monotonic() + DEADLINE
        while checked() and time.monotonic() < end:
            time.sleep(0.1)
        c.expect(not checked() and switch[0].name == "Zapamiętuje błędy",
                 "a press unchecks 'Zapamiętuje błędy' and keeps its name")
        press(app, "Zapamiętuje błędy")
    progress = nodes(app, "Postęp nauki")
    c.expect(len(progress) == 1 and progress[0].getRoleName() == "progress bar",
             "'Postęp nauki' is a progress bar")
    value = node_value(progress[0]) if progress else None
    c.expect(value is not None and value[1] == 0 and value[2] == 100 and 0 <= value[0] <= 100,
             f"the learning progress has a value in 0..100 ({value})")


def check_statistics(app, c):
    texts = [(n.name or "") + " " + (n.description or "") for n in nodes(app)]
    for figure in ("Poprawne: 0", "Niepoprawne: 0", "Zdane: 0", "Niezdane: 0"):
        c.expect(any(figure in t for t in texts), f"the figure {figure!r} is in the tree")
    c.expect(len(nodes(app, "Wyczyść statystyki", "push button")) == 1,
             "'Wyczyść statystyki' is a button in the tree")


def check_exam(app, c):
    frames = [n for n in nodes(app) if n.getRoleName() in ("frame", "window")]
    c.expect(any((f.name or "").startswith("Wirtal 2013") for f in frames),
             "the main window is a frame named after the program")
    for description in ("Minuty do końca testu", "Sekundy do końca testu"):
        found = [n for n in nodes(app, role="label") if n.description == description]
        c.expect(len(found) == 1 and re.fullmatch(r"\d{1,2}", found[0].name or "") is not None,
                 f"the clock's {description!r} reads its digits "
                 f"({found[0].name if found else None!r})")
    points = [n for n in nodes(app, role="label") if n.description == "Punkty za pytanie"]
    c.expect(len(points) == 1 and re.fullmatch(r"[123] pkt", points[0].name or "") is not None,
             f"the points label reads its points ({points[0].name if points else None!r})")
    gauges = [n for n in nodes(app, role="progress bar") if node_value(n) is not None]
    c.expect(len(gauges) == 1, "one countdown gauge with a value on the exam page")
    if gauges:
        current, low, high = node_value(gauges[0])
        c.expect(gauges[0].name != "" and low == 0 and high in (15, 20, 50) and
                 0 <= current <= high,
                 f"the gauge {gauges[0].name!r} has a value {current:g} in {low:g}..{high:g}")
        c.expect(re.fullmatch(r"\d+ s", gauges[0].description or "") is not None,
                 f"the gauge says its seconds ({gauges[0].description!r})")


def main():
    args = [a for a in sys.argv[1:] if a != "--check"]
    c = Checks("--check" in sys.argv)
    if len(args) != 2:
        print(__doc__)
        return 2
    binary, folder = os.path.abspath(args[0]), os.path.abspath(args[1])
    def hung(*_):
        print(f"FAIL: the run took longer than {WHOLE_RUN} s (a bus call hung)")
        raise SystemExit(1)  # through the finally below, which ends the program

    signal.signal(signal.SIGALRM, hung)
    signal.alarm(WHOLE_RUN)
    try:
        pyatspi.Registry.getDesktop(0).childCount
    except Exception as e:
        skip(f"no AT-SPI bus can be reached here ({e})")
    data = tempfile.mkdtemp(prefix="wirtal-atspi-")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               XDG_DATA_HOME=os.path.join(data, "share"),
               XDG_CONFIG_HOME=os.path.join(data, "config"), HOME=data,
               QT_LOGGING_RULES="qt.multimedia*=false")
    program = subprocess.Popen([binary], cwd=folder, env=env)
    try:
        app = wait_for("the program named 'Wirtal 2013' on the AT-SPI bus",
                       lambda: find_app("Wirtal 2013"))
        c.expect(app.name == "Wirtal 2013", f"the application is named {app.name!r}")
        wait_for("the start page", lambda: nodes(app, "Kategoria B"))
        press(app, "Kategoria B")
        wait_for("the learning page", lambda: nodes(app, "Postęp nauki"))
        print("--- the learning page")
        dump(app)
        check_learning(app, c)

        press(app, "Więcej")
        wait_for("the more page", lambda: nodes(app, "Statystyki"))
        press(app, "Statystyki")
        wait_for("the statistics", lambda: nodes(app, "Wyczyść statystyki"))
        print("--- the statistics")
        dump(app)
        check_statistics(app, c)

        press(app, "Wylosuj test")
        wait_for("the exam page", lambda: nodes(app, "Nowy Test"))
        press(app, "Nowy Test")
        # The draw shows the first question, its points and the clock before it returns.
        wait_for("a running test", lambda: [n for n in nodes(app, role="label")
                                            if re.fullmatch(r"\d pkt", n.name or "")])
        print("--- the exam page, a test running")
        dump(app)
        check_exam(app, c)
    finally:
        program.terminate()
        try:
            program.wait(10)
        except subprocess.TimeoutExpired:
            program.kill()
        shutil.rmtree(data, ignore_errors=True)
    if c.enabled:
        print(f"{len(c.failures)} check(s) failed" if c.failures else "every check passed")
    return 1 if c.failures else 0


if __name__ == "__main__":
    sys.exit(main())
