# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the built program from outside, over the accessibility bus, as a screen reader does.
# One Session owns a private X server, session bus and accessibility bus for the whole run; each
# scenario starts the program in it with a HOME of its own. Every process is ended by its own id.

import contextlib
import os
import shutil
import signal
import subprocess
import tempfile
import time
from subprocess import DEVNULL, PIPE

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


# Used as contextlib.closing(Session(binary)), so that close() ends whatever start_buses() got to start.
class Session:
    def __init__(self, binary):
        self.binary, self.procs, self.program = binary, [], None
        self.dir = tempfile.mkdtemp(prefix="sonarix-e2e-")  # private (0700), so the runtime folder too
        self.env = dict(PATH=os.environ.get("PATH", os.defpath), HOME=self.dir, XDG_RUNTIME_DIR=self.dir,
                        LC_ALL="C.UTF-8", QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")

    # Quiet unless told otherwise, in a process group of its own for stop() to end.
    def _spawn(self, args, env=None, stdout=DEVNULL, stderr=DEVNULL, **kw):
        self.procs.append(subprocess.Popen(args, env=env or self.env, stdout=stdout, stderr=stderr, text=True,
                                           start_new_session=True, **kw))
        return self.procs[-1]

    # Xvfb and dbus-daemon say on their standard output where they are to be reached.
    def start_buses(self):
        x = self._spawn("Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp".split(), stdout=PIPE)
        self.env["DISPLAY"] = ":" + x.stdout.readline().strip()
        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        # The launcher starts the accessibility bus; its children end with its process group.
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        ask = "dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress"
        address = wait(lambda: self.run(*ask.split()).stdout, "the accessibility bus")
        # The one variable this process takes on: pyatspi reads it at its first call, before anything
        # (a caller's DISPLAY, WAYLAND_DISPLAY or session bus) that could lead it to another bus.
        os.environ["AT_SPI_BUS_ADDRESS"] = address.strip()

    # Starts the program in home, its output with ours; waits until it is on the accessibility bus.
    def start(self, home, *args):
        self.program = self._spawn([self.binary, *args], dict(self.env, HOME=home), cwd=home, stdout=None, stderr=None)
        self.app = wait(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                      if a and a.get_process_id() == self.program.pid), None), "the program on the bus")

    # A short command on this session's display and buses, its output kept from ours.
    def run(self, *args, check=True, **kw):
        return subprocess.run([str(a) for a in args], env=self.env, capture_output=True, text=True, check=check, **kw)

    # Ends proc with its process group, unless that was done already.
    def stop(self, proc):
        if proc in self.procs:
            self.procs.remove(proc)
            with contextlib.suppress(ProcessLookupError):  # one that ended by itself
                os.killpg(proc.pid, signal.SIGTERM)
            proc.wait(timeout=10)

    def close(self):
        while self.procs:
            self.stop(self.procs[-1])
        shutil.rmtree(self.dir, ignore_errors=True)

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


def set_text(acc, value):
    acc.queryEditableText().setTextContents(value)
    wait(lambda: acc.queryText().getText(0, -1) == value, f"{acc.name!r} to read {value!r}")
