#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end smoke: the built program under a real X server, driven over the accessibility bus
# and the keyboard, for what only a real process shows: real timers, the real file dialogs'
# nested loops, bytes on disk, the exit status, and names and roles as a screen reader gets them.
#   scenarios.py BINARY [NAME ...]
# A failing scenario leaves a screenshot e2e-NAME.png (in $E2E_SHOTS or the current folder).
# Dictionary files are written and compared as bytes, by Python's own cp1257 codec and CR LF.

import os
import sys
import tempfile
import time
import traceback
from contextlib import closing
from pathlib import Path

from driver import DEADLINE, Session, check, find, find_all, press, set_text


# The file dialog of that title: the path typed into its name box, then Enter.
def file_dialog(s, title, path):
    set_text(find(s.window(title), "text", "File name:"), path)
    s.keys("Return")
    s.gone(title)


# The program started on a word list: the intro hands over by itself, and the import window takes
# the words. Open asks about them, unsaved: its Yes brings up the real Save As dialog, whose choice
# is written, and then the real Open dialog, from one handler. A one-second limit then runs out with
# nothing typed, and the empty answer counts as wrong. Exit ends the program, quiz and all, with 0.
def smoke(s, home):
    saved, other = os.path.join(home, "uus.dic"), os.path.join(home, "sõnad.dic")
    Path(home, "words.csv").write_text("eesti;english\nöö;night\n")
    Path(other).write_bytes("maja\r\nhouse\r\nkoer\r\ndog\r\n".encode("cp1257"))
    s.start(home, "words.csv")
    s.window("Sonarix")
    press(find(s.window("Sõnade import"), "push button", "Impordi"))
    main = s.window("Sonarix - words.csv")
    press(find(main, "menu item", "File"), "ShowMenu")
    s.click(find(main, "menu item", "Open..."))
    s.click(find(s.window("Save"), "push button", "Yes"))
    file_dialog(s, "Save As", saved)
    file_dialog(s, "Open", other)
    main = s.window("Tolkrix - sõnad.dic")
    check(Path(saved).read_bytes(), "öö\r\nnight\r\n".encode("cp1257"), "saved file")
    press(find(main, "check box", "Ajapiirang vastamiseks"), "Toggle")
    press(find(main, "scroll bar", "Ajapiirang sekundites"), "Increase")
    find(main, "label", "  0 minutit ja  1 sekundit.")
    press(find(main, "push button", "Test"))
    notice = s.window("Vale Vastus")
    said = [label.name for label in find_all(notice, "label")][-2:]
    check(said in (["maja on", "house"], ["koer on", "dog"]), True, f"notice ending {said}")
    press(find(notice, "push button", "Jätkan"))
    s.gone("Vale Vastus")
    press(find(main, "push button", "Exit", skip="tool bar"))  # the tool bar has one too
    check(s.program.wait(timeout=DEADLINE), 0, "exit status")


SCENARIOS = {sc.__name__: sc for sc in (smoke,)}


def main(binary, names):
    start, failed = time.monotonic(), []
    with closing(Session(os.path.abspath(binary))) as s:
        s.start_buses()
        for name in names or SCENARIOS:
            try:
                SCENARIOS[name](s, tempfile.mkdtemp(prefix=name + "-", dir=s.dir))
            except Exception:
                traceback.print_exc()
                shot = os.path.join(os.environ.get("E2E_SHOTS", os.getcwd()), f"e2e-{name}.png")
                s.run("import", "-window", "root", shot, check=False, timeout=20)
                print("screenshot:", shot)
                failed.append(name)
            s.stop(s.program)
    print(f"{len(failed)} failed {failed}; {time.monotonic() - start:.1f} s")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
