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

DEADLINE = float(os.environ.get("E2E_DEADLINE", "20"))  # seconds; an ASan build is slower
atspi = None  # pyatspi, imported once the buses are up


# Polls predicate until it returns something true, and returns that.
def wait(predicate, what):
    end, last = time.monotonic() + DEADLINE, None
    while time.monotonic() < end:
        try:
            value = predicate()
            if value:
                return value
        except Exception as error:  # the tree changes under us while windows come and go
            last = error
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}" + (f" (last error: {last!r})" if last else ""))


def check(actual, expected, what):
    if actual != expected:
        raise AssertionError(f"{what}: expected {expected!r}, got {actual!r}")


class Session:
    def __init__(self, binary):
        self.binary, self.procs, self.app_proc = binary, [], None
        self.dir = tempfile.mkdtemp(prefix="sonarix-e2e-")
        os.makedirs(os.path.join(self.dir, "run"), mode=0o700)
        self.env = {k: v for k, v in os.environ.items() if k in ("PATH", "LANG")}
        self.env.update(HOME=self.dir, XDG_RUNTIME_DIR=os.path.join(self.dir, "run"), LC_ALL="C.UTF-8")
        try:
            self._start_buses()
        except BaseException:
            self.close()
            raise

    def _spawn(self, args, env, **kw):
        self.procs.append(subprocess.Popen(args, env=env, start_new_session=True, **kw))
        return self.procs[-1]

    def _start_buses(self):
        global atspi
        read, write = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write), "-noreset", "-screen", "0", "1024x768x24", "-nolisten",
                     "tcp"], self.env, pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            self.env["DISPLAY"] = ":" + pipe.readline().strip()
        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"], self.env,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        # The launcher starts the accessibility bus; its children end with its process group.
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], self.env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
        # This process talks to the same buses, which pyatspi reads when it is imported.
        for key in ("AT_SPI_BUS_ADDRESS", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE", "WAYLAND_DISPLAY"):
            os.environ.pop(key, None)
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS")})
        import pyatspi
        atspi = pyatspi
        wait(lambda: subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                                     "org.a11y.Bus.GetAddress"], env=self.env, capture_output=True).returncode == 0,
             "the accessibility bus")

    # Starts the program in home; waits until it is on the accessibility bus.
    def start(self, home, *args):
        env = dict(self.env, HOME=home, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        with open(os.path.join(home, "program.log"), "w") as log:
            self.app_proc = self._spawn([self.binary, *args], env, cwd=home, stdout=log, stderr=subprocess.STDOUT)
        self.app = wait(lambda: next((a for a in atspi.Registry.getDesktop(0)
                                      if a and a.get_process_id() == self.app_proc.pid), None), "the program on the bus")

    # Waits for the program to end by itself; returns its exit status.
    def exited(self):
        wait(lambda: self.app_proc.poll() is not None, "the program to end")
        return self.app_proc.returncode

    def stop(self, proc=None):
        proc = proc or self.app_proc
        if proc in self.procs:
            self.procs.remove(proc)
            with contextlib.suppress(ProcessLookupError):  # a program that ended by itself
                os.killpg(proc.pid, signal.SIGTERM)
            proc.wait(timeout=10)

    def close(self):
        while self.procs:
            self.stop(self.procs[-1])
        shutil.rmtree(self.dir, ignore_errors=True)

    def screenshot(self, name):
        path = os.path.join(os.environ.get("E2E_SHOTS", os.getcwd()), f"e2e-{name}.png")
        subprocess.run(["import", "-window", "root", path], env=self.env, capture_output=True, timeout=20)
        print("screenshot:", path)

    def titles(self):
        return [w.name for w in self.app if w and showing(w)]

    # The showing top-level window of that title.
    def window(self, title):
        return wait(lambda: next((w for w in self.app if w and showing(w) and w.name == title), None),
                    f"a window titled {title!r}")

    def gone(self, title):
        wait(lambda: title not in self.titles(), f"{title!r} to close")

    # Real key presses to the window that has the keyboard focus.
    def keys(self, *names):
        subprocess.run(["xdotool", "key", "--delay", "40", *names], env=self.env, check=True, capture_output=True)

    # A real click in the middle of a control, for those that open a modal dialog: their
    # action over the bus would not return until the dialog closes.
    def click(self, acc):
        e = acc.queryComponent().getExtents(atspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", "--sync", str(e.x + e.width // 2), str(e.y + e.height // 2),
                        "click", "1"], env=self.env, check=True, capture_output=True)


def showing(acc):
    return acc.getState().contains(atspi.STATE_SHOWING)


# Every showing control under root with that role name ("push button", ...) and name.
def find_all(root, role, name=None):
    found = []
    for child in root:
        if child is not None and showing(child):
            found += [child] if child.getRoleName() == role and name in (None, child.name) else []
            found += find_all(child, role, name)
    return found


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


# A dictionary file's bytes, by Python's own codec: each line ends in CR LF.
def cp1257(*lines):
    return "".join(line + "\r\n" for line in lines).encode("cp1257")
