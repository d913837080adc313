"""Drives the real program from outside, over the accessibility bus, as a screen reader does.

A Session owns a private X server, session bus and accessibility bus, starts the program with its
own HOME and XDG folders, and ends every process it started by its id, whatever happened.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

DEADLINE = float(os.environ.get("E2E_DEADLINE", "20"))  # seconds; an ASan build is slower
POLL = 0.05


class Failure(AssertionError):
    pass


def wait(predicate, what, timeout=None):
    """Polls predicate until it returns something true, and returns that."""
    end = time.monotonic() + (timeout or DEADLINE)
    last = None
    while True:
        try:
            value = predicate()
            if value:
                return value
        except Exception as error:  # the tree changes under us while windows come and go
            last = error
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what + (f" (last error: {last!r})" if last else ""))
        time.sleep(POLL)


def check(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}: expected {expected!r}, got {actual!r}")


class Session:
    def __init__(self, binary, name):
        self.binary = binary
        self.name = name
        self.dir = tempfile.mkdtemp(prefix="sonarix-e2e-")
        self.home = os.path.join(self.dir, "home")
        self.run = os.path.join(self.dir, "run")
        os.makedirs(self.home)
        os.makedirs(self.run, mode=0o700)
        self.groups = []  # process groups we started, each led by a process we started
        self.app_proc = None
        self.env = None

    # ---- start and stop ------------------------------------------------------------------
    def _spawn(self, args, env, **kw):
        proc = subprocess.Popen(args, env=env, start_new_session=True, **kw)
        self.groups.append(proc)
        return proc

    def __enter__(self):
        try:
            self._start_buses()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, kind, error, tb):
        if kind is not None:
            self.screenshot()
        self.close()
        return False

    def _start_buses(self):
        base = {k: v for k, v in os.environ.items() if k in ("PATH", "LANG")}
        base.update(HOME=self.home, XDG_RUNTIME_DIR=self.run, LC_ALL="C.UTF-8")
        read, write = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write), "-noreset", "-screen", "0", "1024x768x24",
                     "-nolisten", "tcp"], base, pass_fds=(write,),
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            display = pipe.readline().strip()
        if not display:
            raise Failure("Xvfb gave no display")
        base["DISPLAY"] = ":" + display
        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"], base,
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        base["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        # The launcher starts the accessibility bus and registers it on the session bus; its own
        # children share its process group and end with it.
        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], base,
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = base
        # This process talks to the same buses (pyatspi is imported only now, for that reason).
        for key in ("AT_SPI_BUS_ADDRESS", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE", "WAYLAND_DISPLAY"):
            os.environ.pop(key, None)
        os.environ.update(DISPLAY=base["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=base["DBUS_SESSION_BUS_ADDRESS"])
        import pyatspi  # noqa: E402  (needs the buses above)

        self.atspi = pyatspi
        wait(lambda: self._a11y_bus_up(), "the accessibility bus")

    def _a11y_bus_up(self):
        out = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                              "/org/a11y/bus", "org.a11y.Bus.GetAddress"], env=self.env,
                             capture_output=True, text=True)
        return out.returncode == 0 and "unix:" in out.stdout

    def start(self, *args, cwd=None):
        """Starts the program; returns its accessible application once it is on the bus."""
        env = dict(self.env)
        env.update(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                   XDG_DATA_HOME=os.path.join(self.home, ".local/share"),
                   XDG_CACHE_HOME=os.path.join(self.home, ".cache"))
        self.log = open(os.path.join(self.dir, "program.log"), "w")
        self.app_proc = self._spawn([self.binary, *args], env, cwd=cwd or self.home,
                                    stdout=self.log, stderr=subprocess.STDOUT)
        self.app = wait(self._find_app, "the program on the accessibility bus")
        return self.app

    def _find_app(self):
        desktop = self.atspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == self.app_proc.pid:
                return app
        return None

    def exited(self, timeout=None):
        """Waits for the program to end by itself; returns its exit status."""
        wait(lambda: self.app_proc.poll() is not None, "the program to end", timeout)
        return self.app_proc.returncode

    def close(self):
        for proc in reversed(self.groups):
            try:
                os.killpg(proc.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        for proc in reversed(self.groups):
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(proc.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                proc.wait()
            if proc.stdout:
                proc.stdout.close()
        self.groups = []
        if os.environ.get("E2E_KEEP"):
            print("kept", self.dir)
        else:
            shutil.rmtree(self.dir, ignore_errors=True)

    def screenshot(self):
        out = os.environ.get("E2E_SHOTS", os.getcwd())
        if not self.env:
            return
        path = os.path.join(out, f"e2e-{self.name}.png")
        subprocess.run(["import", "-window", "root", path], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)
        print("screenshot:", path)

    # ---- finding ---------------------------------------------------------------------------
    def windows(self):
        return [w for w in self.app if w is not None and showing(w)]

    def window(self, title, timeout=None):
        """The showing top-level window whose title matches (a string is matched whole)."""
        pattern = re.compile(title if isinstance(title, re.Pattern) else re.escape(title) + r"\Z")

        def found():
            for w in self.windows():
                if pattern.match(w.name):
                    return w
        return wait(found, f"a window titled {title!r} (showing: {self.titles()})", timeout)

    def gone(self, title, timeout=None):
        wait(lambda: title not in self.titles(), f"the window {title!r} to close (showing: {self.titles()})",
             timeout)

    def titles(self):
        try:
            return [w.name for w in self.windows()]
        except Exception:
            return []

    # ---- the keyboard and the pointer ---------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True)

    def keys(self, *names):
        """Real key presses to the window that has the keyboard focus."""
        self.xdotool("key", "--delay", "40", *names)

    def focus(self, window):
        """Hands the keyboard focus to a window, as a window manager would on a click."""
        ids = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(self.app_proc.pid),
                              "--name", "^" + re.escape(window.name) + "$"], env=self.env,
                             capture_output=True, text=True).stdout.split()
        if len(ids) == 1:
            self.xdotool("windowfocus", "--sync", ids[0])
            wait(lambda: window.getState().contains(self.atspi.STATE_ACTIVE), f"{window.name!r} active")
            return
        raise Failure(f"{len(ids)} X windows titled {window.name!r}")

    def click(self, acc):
        """A real pointer click in the middle of a control, for items that open a modal dialog
        (pressing those over the bus blocks until the dialog closes)."""
        x, y, w, h = extents(acc)
        self.xdotool("mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")


# ---- the accessible tree ---------------------------------------------------------------------
def showing(acc):
    import pyatspi
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def extents(acc):
    import pyatspi
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def find_all(root, role=None, name=None, visible=True):
    """Every control under root with that role name ("push button", "label", ...) and name."""
    found = []

    def walk(acc):
        for child in acc:
            if child is None or (visible and not showing(child)):
                continue
            if (role is None or child.getRoleName() == role) and (name is None or child.name == name):
                found.append(child)
            walk(child)
    walk(root)
    return found


def find(root, role, name, timeout=None):
    """Waits for exactly one showing control of that role and name under root."""
    def one():
        hits = find_all(root, role, name)
        if len(hits) > 1:
            raise Failure(f"{len(hits)} controls {role} {name!r}")
        return hits[0] if hits else None
    return wait(one, f"{role} {name!r} in {root.name!r}", timeout)


def press(acc):
    """The control's default action over the bus (a push button's Press)."""
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for wanted in ("Press", "ShowMenu", "Toggle"):
        if wanted in names:
            action.doAction(names.index(wanted))
            return
    raise Failure(f"{acc.name!r} has no press action, only {names}")


def press_action(acc, name):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index(name))


def text(acc):
    t = acc.queryText()
    return t.getText(0, t.characterCount)


def set_text(acc, value):
    acc.queryEditableText().setTextContents(value)
    wait(lambda: text(acc) == value, f"{acc.name!r} to read {value!r}")


def value(acc):
    return acc.queryValue().currentValue


def set_value(acc, number):
    acc.queryValue().currentValue = number


def focused(acc):
    import pyatspi
    return acc.getState().contains(pyatspi.STATE_FOCUSED)


def checked(acc):
    import pyatspi
    return acc.getState().contains(pyatspi.STATE_CHECKED)


def cp1257(*lines):
    """A dictionary file's bytes, by Python's own codec: each line ends in CR LF."""
    return "".join(line + "\r\n" for line in lines).encode("cp1257")
