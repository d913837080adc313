# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the built program from outside, over the accessibility bus, as a screen reader does.
# The run has a private X server and buses; each scenario starts the program with a HOME of its
# own and ends it by its process group.

import contextlib
import os
import signal
import subprocess
import sys
import time

import pyatspi

DEADLINE = float(os.environ.get("E2E_DEADLINE", "20"))  # seconds; an ASan build is slower


# Polls predicate until it returns something true, and returns that.
def wait(predicate, what):
    end, last = time.monotonic() + DEADLINE, None
    while time.monotonic() < end:
        try:
            if value := predicate():
                return value
        except Exception as error:  # the tree changes under us while windows come and go
            last = error
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}" + (f" (last error: {last!r})" if last else ""))


def check(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what}: expected {expected!r}, got {actual!r}")


# Runs this script again on a session bus of its own, where the accessibility bus starts on
# demand; the caller's display and accessibility bus are left out.
def in_private_session():
    if os.environ.pop("SONARIX_E2E_SESSION", None) is None:
        for key in ("DISPLAY", "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS"):
            os.environ.pop(key, None)
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv],
                   dict(os.environ, SONARIX_E2E_SESSION="1"))


# The run's X server, which says on its standard output which display it took, and the
# environment the program gets on it. Used as contextlib.closing(Session(...)).
class Session:
    def __init__(self, binary, folder):
        self.binary, self.program = binary, None
        self.x = subprocess.Popen("Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp".split(),
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.env = dict(PATH=os.environ["PATH"], DBUS_SESSION_BUS_ADDRESS=os.environ["DBUS_SESSION_BUS_ADDRESS"],
                        DISPLAY=":" + self.x.stdout.readline().strip(), XDG_RUNTIME_DIR=folder, LC_ALL="C.UTF-8",
                        QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        os.environ["DISPLAY"] = self.env["DISPLAY"]  # where pyatspi looks for the bus first

    def close(self):
        self.x.terminate()
        self.x.wait(timeout=10)

    # Starts the program in home, its output with ours; waits until it is on the accessibility bus.
    def start(self, home, *args):
        self.program = subprocess.Popen([self.binary, *args], env=dict(self.env, HOME=home), cwd=home,
                                        start_new_session=True)
        self.app = wait(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                      if a and a.get_process_id() == self.program.pid), None), "the program on the bus")

    # A short command on this session's display and buses, its output kept from ours.
    def run(self, *args, check=True, **kw):
        return subprocess.run([str(a) for a in args], env=self.env, capture_output=True, text=True, check=check, **kw)

    # Ends the program with its process group, unless it ended by itself.
    def stop(self):
        with contextlib.suppress(ProcessLookupError):
            os.killpg(self.program.pid, signal.SIGTERM)
        self.program.wait(timeout=10)

    # The showing top-level windows by title.
    def windows(self):
        return {w.name: w for w in self.app if w and showing(w)}

    def window(self, title):
        return wait(lambda: self.windows().get(title), f"a window titled {title!r}")

    def gone(self, title):
        wait(lambda: title not in self.windows(), f"{title!r} to close")

    # Real key presses to the window that has the keyboard focus.
    def keys(self, *names):
        self.run("xdotool", "key", "--delay", 40, *names)

    # A real click in the middle of a control, for those that open a modal dialog: their
    # action over the bus would not return until the dialog closes.
    def click(self, acc):
        e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.run("xdotool", "mousemove", "--sync", e.x + e.width // 2, e.y + e.height // 2, "click", 1)


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


# Every showing control under root with that role name ("push button", ...) and name.
def find_all(root, role, name=None):
    for child in root:
        if child is not None and showing(child):
            if child.getRoleName() == role and name in (None, child.name):
                yield child
            yield from find_all(child, role, name)


# Waits for the one showing control of that role and name under root, whose parent's role
# is not skip (the toolbar's buttons share captions with the window's).
def find(root, role, name, skip=""):
    hits = lambda: [c for c in find_all(root, role, name) if c.parent.getRoleName() != skip]
    return wait(lambda: hits()[0] if len(hits()) == 1 else None, f"one {role} {name!r} in {root.name!r}")


# The control's action over the bus: Press, Toggle, ShowMenu, Increase...
def press(acc, action="Press"):
    actions = acc.queryAction()
    actions.doAction([actions.getName(i) for i in range(actions.nActions)].index(action))


def labels(window):
    return [label.name for label in find_all(window, "label")]


def set_text(acc, value):
    acc.queryEditableText().setTextContents(value)
    wait(lambda: acc.queryText().getText(0, -1) == value, f"{acc.name!r} to read {value!r}")
