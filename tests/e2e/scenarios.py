#!/usr/bin/python3
"""End-to-end scenarios: the built program under a real X server, driven over the accessibility
bus and the keyboard as a user with a screen reader would drive it.

    scenarios.py BINARY [NAME ...]

Each scenario runs in a child process of its own, with its own X server, buses, HOME and files.
"""

import os
import re
import subprocess
import sys
import time

from driver import (Failure, Session, check, checked, cp1257, find, find_all, focused, press, press_action,
                    set_text, set_value, text, value, wait)

MAIN = "Sonarix - Untitled.dic"
EMPTY_LIST = ("Pole, mida küsida! Sisesta EDITORiga eelnevalt sõnad või ava eelnevalt salvestatud "
              "fail.")


def button(window, name):
    """A push button by its caption; the toolbar's keyed buttons are not meant."""
    def one():
        hits = [b for b in find_all(window, "push button", name) if b.parent.getRoleName() != "tool bar"]
        return hits[0] if len(hits) == 1 else None
    return wait(one, f"one button {name!r} in {window.name!r}")


def labels(window):
    return [label.name for label in find_all(window, "label")]


def skip_intro(s):
    s.window("Sonarix")
    s.keys("space")
    return s.window(re.compile("(Sonarix|Tolkrix) - "))


def alerts(s):
    return [w for w in s.windows() if w.getRoleName() == "alert"]


def message(s):
    """The message box that is up: (box, title, its texts)."""
    box = wait(lambda: next(iter(alerts(s)), None), "a message box")
    return box, box.name, [label.name for label in find_all(box, "label") if label.name]


def close_message(s):
    s.keys("Return")
    wait(lambda: not alerts(s), "the message box to close")


def open_through_dialog(s, main, path):
    """File > Open..., the path typed into the dialog's file name box, Enter."""
    press(find(main, "menu item", "File"))
    s.click(find(main, "menu item", "Open..."))
    dialog = s.window("Open")
    name = find(dialog, "text", "File name:")
    set_text(name, path)
    s.keys("Return")
    return dialog


# ---- 1. start-up --------------------------------------------------------------------------------
def startup(s):
    s.start()
    intro = s.window("Sonarix")
    seen = []

    def handed_over():
        if MAIN in s.titles():
            return True
        for name in labels(intro):
            if name not in ("Author:     Orvandel", "") and (not seen or seen[-1] != name):
                seen.append(name)
    wait(handed_over, "the intro to hand over by itself")
    # The banner steps through its texts before the main window opens on its own.
    check([t for t in seen if t in ("Sonarix ver 1.3.9", "Made by", "Orvandel")],
          ["Sonarix ver 1.3.9", "Made by", "Orvandel"], "banner texts before the hand-over")
    s.gone("Sonarix")
    main = s.window(MAIN)

    # The options' start states.
    for name, on in (("Võõrkeelt", True), ("Eesti keelt", False), ("Tavaline", True),
                     ("Valikvastustega", False), ("Ajapiirang vastamiseks", False)):
        check(checked(find(main, None, name)), on, name + " checked")
    bar = find(main, "scroll bar", "Ajapiirang sekundites")
    check(bar.getState().contains(s.atspi.STATE_ENABLED), False, "limit bar enabled before the tick")
    check(value(bar), 0.0, "limit at start")

    press(find(main, "check box", "Ajapiirang vastamiseks"))
    wait(lambda: "  0 minutit ja  0 sekundit." in labels(main), "the limit text for 0 s")
    # The bar's value is the limit in seconds, whichever way it is set.
    for how, expected, text_ in (
            (lambda: press_action(bar, "Increase"), 1, "  0 minutit ja  1 sekundit."),
            (lambda: set_value(bar, 150), 150, "  2 minutit ja  30 sekundit."),
            (lambda: (s.focus(main), grab(bar), s.keys("Up")), 151, "  2 minutit ja  31 sekundit."),
            (lambda: s.keys("Down", "Down"), 149, "  2 minutit ja  29 sekundit."),
            (lambda: set_value(bar, 300), 300, "  5 minutit ja  0 sekundit.")):
        how()
        wait(lambda: text_ in labels(main), f"the limit text {text_!r} (labels: {labels(main)})")
        check(value(bar), float(expected), "limit bar value")

    # A test of the empty list is refused with the stop message.
    s.click(find(main, "push button", "Test"))
    _, title, texts = message(s)
    check(title, "Sonarix", "message title")
    check(EMPTY_LIST in texts, True, f"refusal text among {texts}")
    close_message(s)
    check("Test" in s.titles(), False, "quiz opened on an empty list")


def grab(acc):
    acc.queryComponent().grabFocus()
    wait(lambda: focused(acc), f"focus on {acc.name!r}")


def intro_by_key(s):
    s.start()
    intro = s.window("Sonarix")
    check(labels(intro), ["Sonarix ver 1.3.9", "Author:     Orvandel"], "intro labels")
    s.keys("k")
    seen = set()

    def handed_over():
        seen.update(labels(intro) if "Sonarix" in s.titles() else [])
        return MAIN in s.titles()
    wait(handed_over, "the main window after a key")
    # Handed over at once: the banner never got to "Made by".
    check(seen <= {"Sonarix ver 1.3.9", "Author:     Orvandel"}, True, f"banner texts {seen}")
    check("Sonarix" in s.titles(), False, "intro still up after a key")


# ---- 2. files -----------------------------------------------------------------------------------
def files(s):
    good = os.path.join(s.home, "sõnad.dic")
    with open(good, "wb") as f:
        f.write(cp1257("õun", "apple", "ex}naine", "ex-wife", "tänav", "street"))
    odd = os.path.join(s.home, "odd.dic")
    with open(odd, "wb") as f:
        f.write(cp1257("maja", "house", "koer"))
    missing = os.path.join(s.home, "missing.dic")

    s.start()
    main = skip_intro(s)
    open_through_dialog(s, main, missing)
    _, title, texts = message(s)
    check(texts, ["ERROR 53: Seda faili pole." + missing], "missing file message")
    close_message(s)
    # Open starts again: the dialog is back.
    dialog = s.window("Open")
    set_text(find(dialog, "text", "File name:"), odd)
    s.keys("Return")
    _, title, texts = message(s)
    check(texts, ["ERROR 62 occurred."], "odd-line file message")
    close_message(s)
    dialog = s.window("Open")
    set_text(find(dialog, "text", "File name:"), good)
    s.keys("Return")
    main = s.window("Tolkrix - sõnad.dic")

    press(find(main, "push button", "Editor"))
    editor = s.window("Editor")
    check([i.name for i in find(editor, "list", "Eesti keeles:")], ["õun", "ex-naine", "tänav"], "Estonian list")
    set_text(find(editor, "text", "Võõrkeeles:"), "night")
    set_text(find(editor, "text", "Eesti keeles:"), "öö")
    press(find(editor, "push button", "Lisa"))
    wait(lambda: "Sõnu:  4" in labels(editor), "the count 4")
    press(find(editor, "push button", "Lõpeta"))
    s.gone("Editor")

    # Exit with unsaved words asks first; Yes writes the file and ends the program.
    press(button(main, "Exit"))
    prompt = s.window("Save")
    check(good in labels(prompt), True, f"prompt shows the file among {labels(prompt)}")
    press(find(prompt, "push button", "Yes"))
    check(s.exited(), 0, "exit status")
    with open(good, "rb") as f:
        check(f.read(), cp1257("õun", "apple", "ex}naine", "ex}wife", "tänav", "street", "öö", "night"),
              "saved file")


# ---- 3. quiz ------------------------------------------------------------------------------------
PAIRS = {"maja": "house", "koer": "dog", "kass": "cat"}


def start_with_list(s, pairs):
    path = os.path.join(s.home, "quiz.dic")
    with open(path, "wb") as f:
        f.write(cp1257(*[w for pair in pairs.items() for w in pair]))
    s.start(path)
    s.window("Sonarix")
    s.keys("space")
    return s.window("Tolkrix - quiz.dic")


def question(quiz):
    return find_all(quiz, "label")[0].name


def statistics(quiz):
    return [n for n in labels(quiz) if re.match("(Aeg|Vastatud|Õigeid|Valesid|Vastata):", n)]


def quiz_typed(s):
    main = start_with_list(s, PAIRS)
    press(find(main, "push button", "Test"))
    quiz = s.window("Test")
    answer = find(quiz, "text", "Vastus")
    asked = []

    def answer_with(word_for):
        word = wait(lambda: question(quiz) if question(quiz) in PAIRS else None, "a question")
        asked.append(word)
        set_text(answer, word_for(word))
        s.focus(quiz)
        grab(answer)
        s.keys("Return")
        return word

    answer_with(lambda w: "  " + PAIRS[w] + " ")  # blanks around a right answer do not count
    wait(lambda: "Vastatud:  1" in labels(quiz), "one answer counted")
    check(statistics(quiz), ["Aeg:  0", "Vastatud:  1", "Õigeid:  1", "Vastata:  2", "Valesid:  0"],
          "statistics after a right answer")
    wrong = answer_with(lambda w: PAIRS[w].upper())
    notice = s.window("Vale Vastus")
    check(labels(notice)[-2:], [wrong + " on", PAIRS[wrong]], "notice texts")
    # Answers in the foreign language: the quiz window steps aside while the notice is up.
    check("Test" in s.titles(), False, "quiz window hidden behind the notice")
    s.focus(notice)
    s.keys("Return")  # "Jätkan" has the focus
    s.gone("Vale Vastus")
    quiz = s.window("Test")
    check(statistics(quiz), ["Aeg:  0", "Vastatud:  2", "Õigeid:  1", "Vastata:  1", "Valesid:  1"],
          "statistics after a wrong answer")
    answer = find(quiz, "text", "Vastus")
    answer_with(lambda w: PAIRS[w])
    check(sorted(asked), sorted(PAIRS), "every pair asked once")
    results = s.window("Tulemus")
    s.gone("Test")
    check(labels(results), ["Kokku:  3", "Õigeid:  2", "Valesid:  1", "Õigeid vastuseid oli  67%"],
          "results")
    check(MAIN in s.titles() or "Tolkrix - quiz.dic" in s.titles(), False, "main window hidden under the results")
    press(find(results, "push button", "Lõpetan"))
    s.window("Tolkrix - quiz.dic")
    s.gone("Tulemus")


def quiz_choice_by_keyboard(s):
    pairs = {"maja": "house", "koer": "dog"}
    main = start_with_list(s, pairs)
    # The options and the Test button by keyboard: Tab to "Tavaline", Down to the other choice.
    s.focus(main)
    grab(find(main, "radio button", "Tavaline"))
    s.keys("Down")
    wait(lambda: checked(find(main, "radio button", "Valikvastustega")), "Valikvastustega selected")
    grab(find(main, "push button", "Test"))
    s.keys("space")
    quiz = s.window("Test")
    check(find_all(quiz, "text", "Vastus"), [], "answer box shown in a choice test")
    for n in (1, 2):
        word = wait(lambda: question(quiz) if question(quiz) in pairs else None, "a question")
        right = pairs[word]
        choices = find_all(quiz, "label")[1:6]
        check(right in [c.name for c in choices], True, f"right answer among {[c.name for c in choices]}")
        s.focus(quiz)
        # Tab through the choices until the focused one is right, then Enter.
        for _ in range(12):
            hit = next((c for c in find_all(quiz, "label") if focused(c)), None)
            if hit is not None and hit.name == right:
                break
            s.keys("Tab")
        else:
            raise Failure("Tab never reached the right choice")
        s.keys("Return")
        if n == 1:
            wait(lambda: "Vastatud:  1" in labels(quiz), "one answer counted")
    results = s.window("Tulemus")
    check(labels(results), ["Kokku:  2", "Õigeid:  2", "Valesid:  0", "Õigeid vastuseid oli  100%"],
          "results")
    check("Vale Vastus" in s.titles(), False, "a notice after right answers")
    s.focus(results)
    s.keys("Tab", "space")  # "Uus test" has the focus; Tab moves on to "Lõpetan"
    s.window("Tolkrix - quiz.dic")
    s.gone("Tulemus")


def quiz_timeout(s):
    main = start_with_list(s, {"maja": "house", "koer": "dog"})
    press(find(main, "check box", "Ajapiirang vastamiseks"))
    bar = find(main, "scroll bar", "Ajapiirang sekundites")
    press_action(bar, "Increase")
    wait(lambda: "  0 minutit ja  1 sekundit." in labels(main), "a limit of 1 s")
    press(find(main, "push button", "Test"))
    quiz = s.window("Test")
    asked = question(quiz)
    # Nothing typed: the limit runs out and the empty answer counts as wrong.
    notice = s.window("Vale Vastus")
    check(labels(notice)[-2:], [asked + " on", {"maja": "house", "koer": "dog"}[asked]], "notice texts")
    # The limit switched off while the notice is up: its clocks stay stopped when it closes.
    press(find(main, "check box", "Ajapiirang vastamiseks"))
    wait(lambda: not checked(find(main, "check box", "Ajapiirang vastamiseks")), "the limit off")
    press(find(notice, "push button", "Jätkan"))
    s.gone("Vale Vastus")
    quiz = s.window("Test")
    check(statistics(quiz)[1:], ["Vastatud:  1", "Õigeid:  0", "Vastata:  1", "Valesid:  1"],
          "statistics after a time-out")
    press(find(quiz, "push button", "Close"))
    s.gone("Test")
    s.window("Tolkrix - quiz.dic")


# ---- 4. editor ----------------------------------------------------------------------------------
def editor(s):
    s.start()
    main = skip_intro(s)
    press(find(main, "push button", "Editor"))
    ed = s.window("Editor")
    check(labels(ed)[-1], "Sõnu:  0", "count of an empty list")
    foreign, estonian = find(ed, "text", "Võõrkeeles:"), find(ed, "text", "Eesti keeles:")
    # Typed as a user does: foreign word, Enter, Estonian word, Enter.
    s.focus(ed)
    for f, e in (("dog", "koer"), ("house", "maja"), ("ex-wife", "endine naine"), ("apple", "õun")):
        set_text(foreign, f)
        grab(foreign)
        s.keys("Return")
        wait(lambda: focused(estonian), "the focus to move to the Estonian box")
        set_text(estonian, e)
        s.keys("Return")
        wait(lambda: text(foreign) == "" and focused(foreign), "the pair added")
    check(labels(ed)[-1], "Sõnu: 4", "count after an addition by Enter")
    set_text(foreign, "cat")
    set_text(estonian, "kass")
    press(find(ed, "push button", "Lisa"))
    wait(lambda: labels(ed)[-1] == "Sõnu:  5", "the count 5 after Lisa")

    def rows():
        return [(f.name, e.name) for f, e in zip(find(ed, "list", "Võõrkeeles:"), find(ed, "list", "Eesti keeles:"))]
    by_estonian = [("endine naine", "ex-wife"), ("kass", "cat"), ("koer", "dog"), ("maja", "house"), ("õun", "apple")]
    for button, expected in (
            ("Eesti keeles A-Z", [(f, e) for e, f in by_estonian]),
            ("Eesti keeles Z-A", [(f, e) for e, f in reversed(by_estonian)]),
            ("Võõrkeeles A-Z", [("apple", "õun"), ("cat", "kass"), ("dog", "koer"), ("ex-wife", "endine naine"),
                                ("house", "maja")]),
            ("Võõrkeeles Z-A", [("house", "maja"), ("ex-wife", "endine naine"), ("dog", "koer"), ("cat", "kass"),
                                ("apple", "õun")])):
        press(find(ed, "push button", button))
        wait(lambda: rows() == expected, f"rows after {button}: {expected} (have {rows()})")

    # Select "dog" in the foreign list: both halves come into the boxes; Kustuta removes the pair.
    dog = next(i for i in find(ed, "list", "Võõrkeeles:") if i.name == "dog")
    press(dog)
    wait(lambda: (text(foreign), text(estonian)) == ("dog", "koer"), "the selected pair in the boxes")
    press(find(ed, "push button", "Kustuta"))
    wait(lambda: labels(ed)[-1] == "Sõnu:  4", "the count 4 after Kustuta")
    check(rows(), [("house", "maja"), ("ex-wife", "endine naine"), ("cat", "kass"), ("apple", "õun")], "rows after Kustuta")
    press(find(ed, "push button", "Lõpeta"))
    s.gone("Editor")

    # Save of an untitled list asks for a name.
    path = os.path.join(s.home, "uus.dic")
    press(find(main, "menu item", "File"))
    s.click(find(main, "menu item", "Save"))
    dialog = s.window(re.compile("Save As|Save"))
    set_text(find(dialog, "text", "File name:"), path)
    s.keys("Return")
    s.window("Sonarix - " + path)
    with open(path, "rb") as f:
        check(f.read(), cp1257("maja", "house", "endine naine", "ex}wife", "kass", "cat", "õun", "apple"),
              "saved file")


# ---- 5. About and the keyboard ------------------------------------------------------------------
def about_and_keyboard(s):
    main = start_with_list(s, {"maja": "house"})
    title = "Tolkrix - quiz.dic"
    s.focus(main)
    s.keys("alt+a")
    about = s.window("About Sonarix")
    s.gone(title)
    texts = labels(about)
    for expected in ("Sonarix", "Version 1.3.9", "Autor Orvandel",
                     "Sonarix on  kõigile tasuta kasutamiseks. Vigadest tuleks teatada autorile. Oodatud on "
                     "ka ettepanekud."):
        check(expected in texts, True, f"{expected!r} among {texts}")
    s.focus(about)
    s.keys("alt+s")
    _, _, texts = message(s)
    check(texts, ["System Information Is Unavailable At This Time"], "System Info message")
    close_message(s)
    s.window("About Sonarix")
    s.focus(about)
    s.keys("Escape")
    s.gone("About Sonarix")
    main = s.window(title)

    # Every window opens and closes from the keyboard. The focus starts on "Editor".
    s.focus(main)
    grab(find(main, "push button", "Editor"))
    s.keys("space")
    s.window("Editor")
    s.keys(*["Tab"] * 5, "space")  # Võõrkeeles, Eesti keeles, Lisa, Kustuta, Asenda, Lõpeta
    s.gone("Editor")
    s.focus(main)
    grab(find(main, "push button", "Test"))
    s.keys("space")
    quiz = s.window("Test")
    grab(find(quiz, "push button", "Close"))
    s.keys("space")
    s.gone("Test")
    s.focus(s.window(title))
    s.keys("alt+f", "o")
    s.window("Open")
    s.keys("Escape")
    s.gone("Open")
    check(s.titles(), [title], "windows after Esc in the Open dialog")
    s.focus(s.window(title))
    s.keys("alt+f", "e")  # Exit with nothing changed: no question
    check(s.exited(), 0, "exit status")


SCENARIOS = [startup, intro_by_key, files, quiz_typed, quiz_choice_by_keyboard, quiz_timeout, editor,
             about_and_keyboard]


def run_one(binary, name):
    scenario = next(sc for sc in SCENARIOS if sc.__name__ == name)
    with Session(binary, name) as s:
        scenario(s)


def main(argv):
    binary = os.path.abspath(argv[1])
    names = argv[2:]
    if len(names) == 1 and os.environ.get("E2E_CHILD"):
        run_one(binary, names[0])
        return 0
    failed = []
    start = time.monotonic()
    for sc in SCENARIOS:
        if names and sc.__name__ not in names:
            continue
        t0 = time.monotonic()
        env = dict(os.environ, E2E_CHILD="1")
        rc = subprocess.run([sys.executable, os.path.abspath(__file__), binary, sc.__name__], env=env,
                            timeout=170).returncode
        print(f"{'ok  ' if rc == 0 else 'FAIL'} {sc.__name__} ({time.monotonic() - t0:.1f} s)", flush=True)
        if rc:
            failed.append(sc.__name__)
    print(f"{len(failed)} failed{': ' + ', '.join(failed) if failed else ''}; {time.monotonic() - start:.1f} s")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
