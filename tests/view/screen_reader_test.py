#!/usr/bin/env python3
"""The real program as a screen reader sees it, through AT-SPI, under a virtual screen.

On its own session bus (dbus-run-session) with Qt's accessibility always on, the program opens a
copy of the sample. As a screen reader would, pyatspi finds the diagram (a table) and the word list
(a list), checks the table's size and the names of some squares, then types letters and moves the
cursor with real key events and checks that the focused accessible's name follows. The status
line is a notification in the status bar: a pointer's hint is read there, and a message of the
window (here: recovery copies cannot be kept) is announced as it shows.

Then it solves the sample through the reader alone: it finds each clue by its text in the word
list, moves the cursor there by keys while reading where the focus is, types the answer, meets the
"completely filled" message with one letter wrong, puts it right, reads the congratulations and
reads the whole diagram back from the table. The highlight is on for this part, turned on from
the keyboard, and the focus names say so.

    screen_reader_test.py QUOTEWELL QWL SAMPLE.QWL
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from virtual_screen import Failure, VirtualScreen  # noqa: E402

TIMEOUT = 20.0
INNER = "QW_SCREEN_READER_INNER"
# The answers of the sample the test is run on, by the text of their clues.
ANSWERS = {
    "Cards used for telling fortunes": "TAROT",
    "Range within which a voice can be heard": "EARSHOT",
    "Lower, as the regions below": "NETHER",
    "Writing points of pens": "NIBS",
    "Abominable snowman of the Himalayas": "YETI",
    "Wearing shoes, like a working horse": "SHOD",
    "Did better than; surpassed": "OUTDID",
    "At this very moment": "NOW",
}
SLOT = re.compile(r"clue (\w+) letter (\d+), ([^,]+)")
CHARACTERS = {"black square": " ", "comma": ",", "period": "."}


def skip(why):
    print("SKIP: " + why)
    return 77


def outer():
    """Starts this script again on a session bus of its own, with an interpreter that has pyatspi."""
    for tool in ("Xvfb", "xdotool", "dbus-run-session"):
        if not shutil.which(tool):
            return skip("%s is missing" % tool)
    python = None
    for candidate in (sys.executable, "/usr/bin/python3"):
        if candidate and os.path.exists(candidate) and subprocess.run(
                [candidate, "-c", "import pyatspi"], capture_output=True).returncode == 0:
            python = candidate
            break
    if not python:
        return skip("pyatspi is missing")
    env = dict(os.environ, **{INNER: "1"})
    env.pop("DBUS_SESSION_BUS_ADDRESS", None)
    return subprocess.run(["dbus-run-session", "--", python, os.path.abspath(__file__), *sys.argv[1:]],
                          env=env).returncode


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    if os.environ.get(INNER) != "1":
        return outer()
    quotewell, qwl, sample = sys.argv[1:4]
    work = tempfile.mkdtemp(prefix="qw-reader-")
    for folder in ("home", "config", "state", "tmp", "puzzles"):
        os.makedirs(os.path.join(work, folder))
    # A file where the recovery folder belongs: the window says that letters cannot be kept.
    os.makedirs(os.path.join(work, "state", "quotewell"))
    open(os.path.join(work, "state", "quotewell", "recovery"), "w").close()
    puzzle = os.path.join(work, "puzzles", "Reader.QWL")
    shutil.copyfile(sample, puzzle)
    dump = json.loads(subprocess.run([qwl, "dump", puzzle], check=True, capture_output=True, text=True).stdout)
    log = open(os.path.join(work, "quotewell.log"), "w+b")

    screen = VirtualScreen()
    os.environ["DISPLAY"] = screen.display
    env = dict(os.environ, HOME=os.path.join(work, "home"), XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_STATE_HOME=os.path.join(work, "state"), TMPDIR=os.path.join(work, "tmp"),
               QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    env.pop("XDG_RUNTIME_DIR", None)

    app = None
    try:
        # pyatspi joins the accessibility bus as it is imported: the display and bus must be set.
        import pyatspi
        from gi.repository import GLib

        focused = []
        cursor_at = []  # (focused accessible, role of its parent: which pane the cursor is in)

        def on_focus(event):
            if event.detail1 == 1:
                try:
                    focused.append((event.source.name, event.source.getRole()))
                    cursor_at.append((event.source, event.source.parent.getRole()))
                except Exception as error:  # the source may be gone again already
                    focused.append((str(error), None))

        pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
        shown = []  # notifications that showed themselves, as a reader speaks them unasked
        renamed = []

        def on_shown(event):
            try:
                if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
                    shown.append(event.source.name)
            except Exception:
                pass

        def on_renamed(event):
            try:
                renamed.append((event.source.getRole(), event.source.name))
            except Exception:
                pass

        pyatspi.Registry.registerEventListener(on_shown, "object:state-changed:showing")
        pyatspi.Registry.registerEventListener(on_renamed, "object:property-change:accessible-name")
        context = GLib.MainContext.default()

        def wait_for(what, probe, timeout=TIMEOUT):
            end = time.monotonic() + timeout
            last = None
            while time.monotonic() < end:
                while context.iteration(False):
                    pass
                try:
                    last = probe()
                except Exception as error:  # the tree is still being built
                    last = error
                    last_ok = False
                else:
                    last_ok = True
                if last_ok and last:
                    return last
                time.sleep(0.05)
            raise Failure("timed out waiting for %s (last seen: %r)" % (what, last))

        def xdotool(*args):
            return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True).stdout.split()

        app = subprocess.Popen([quotewell, puzzle], env=env, stdout=log, stderr=subprocess.STDOUT)

        def application():
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                child = desktop.getChildAtIndex(i)
                if child is not None and child.get_process_id() == app.pid:
                    return child
            return None

        def pane(role, name):
            found = pyatspi.findDescendant(application(), lambda a: a.getRole() == role and a.name == name)
            return found

        wait_for("the program on the accessibility bus", application)
        diagram = wait_for("the diagram as a table", lambda: pane(pyatspi.ROLE_TABLE, "Diagram"))
        words = wait_for("the word list as a list", lambda: pane(pyatspi.ROLE_LIST, "Word list"))
        table = diagram.queryTable()
        if (table.nRows, table.nColumns) != (dump["rowCount"], dump["columnCount"]):
            raise Failure("the table is %d x %d" % (table.nRows, table.nColumns))
        if words.childCount != dump["clueCount"]:
            raise Failure("the word list has %d items" % words.childCount)

        where = {}  # letter -> (clue label, position)
        for clue in dump["clues"]:
            for position, letter in enumerate(clue["answer"]):
                where[letter] = (clue["label"], position)

        def square(letter, content):
            label, position = where[letter]
            return "Square %d, clue %s letter %d, %s" % (letter, label, position + 1, content)

        def clue_text(index):
            text = dump["clues"][index]["text"].rstrip()
            return "%s. %s%s" % (dump["clues"][index]["label"], text, "" if text[-1:] in ".?!" else ".")

        # Every square by the rules the sample's rows give: letters numbered across, '#'-free rows
        # with a space for black squares and the fixed characters by name.
        names = {",": "comma", ".": "period"}
        letter = 0
        for row, text in enumerate(dump["diagramRows"]):
            for column, ch in enumerate(text):
                if ch == " ":
                    expected = "black square"
                elif ch in dump["fixedChars"]:
                    expected = names[ch]
                else:
                    letter += 1
                    expected = square(letter, "empty")
                got = table.getAccessibleAt(row, column).name
                if got != expected:
                    raise Failure("square at row %d column %d is %r, not %r" % (row, column, got, expected))

        first = dump["clues"][0]["answer"]

        def position(letter):
            """Where a letter lies in the diagram, as an index into the rows joined."""
            return [i for i, ch in enumerate("".join(dump["diagramRows"]))
                    if ch not in " " + dump["fixedChars"]][letter - 1]
        item = words.getChildAtIndex(0)
        if item.childCount != len(first) or item.getChildAtIndex(1).name != square(first[1], "empty"):
            raise Failure("clue A's letters are not the squares' names")

        window = wait_for("the main window", lambda: xdotool("search", "--onlyvisible", "--name",
                                                              "^Quotewell - Reader.QWL$"))[0]
        xdotool("windowfocus", window)
        wait_for("the keyboard focus", lambda: xdotool("getwindowfocus") == [window])

        readings = []

        def expect_focus(what, name, role=pyatspi.ROLE_TABLE_CELL):
            try:
                wait_for(what, lambda: focused and focused[-1] == (name, role))
            except Failure as failure:
                raise Failure("%s; focus went to %r" % (failure, focused[-3:]))
            readings.append(name)

        def press(*keys):
            for key in keys:
                xdotool("key", key)

        # The cursor starts on clue A's first letter in the word list; moving there and back
        # announces it entered from another answer.
        expect_focus("clue A announced", clue_text(0) + " " + square(first[0], "empty"))
        press("t")
        expect_focus("the next letter of A", square(first[1], "empty"))
        press("a")
        expect_focus("the third letter of A", square(first[2], "empty"))
        wait_for("the typed T in the word list",
                 lambda: words.getChildAtIndex(0).name.startswith(clue_text(0) + " 5 letters: T, A, blank"))
        row, column = divmod(position(first[0]), dump["columnCount"])
        wait_for("clue A's first letter in the title strip",
                 lambda: pane(pyatspi.ROLE_LABEL, "Clue A first letter, T"))
        header = [text for text in dump["headerStrings"] if text]
        wait_for("the header as text", lambda: [a for a in pyatspi.findAllDescendants(
            application(), lambda a: all(text in a.name for text in header))])
        wait_for("the typed T in the diagram", lambda: table.getAccessibleAt(row, column).name == square(first[0], "T"))
        press("Left")
        expect_focus("back on the second letter", square(first[1], "A"))
        # Tab takes the cursor to the same square in the diagram; Right there leaves clue A.
        press("Tab")
        wait_for("the diagram's square focused", lambda: focused and focused[-1][0] == square(first[1], "A") and
                 diagram.queryTable().getAccessibleAt(*divmod(position(first[1]), dump["columnCount"])).getState()
                 .contains(pyatspi.STATE_FOCUSED))
        readings.append(focused[-1][0])
        press("Right")
        label, _ = where[first[1] + 1]
        index = ord(label) - ord("A")
        expect_focus("the next square announced with its clue",
                     clue_text(index) + " " + square(first[1] + 1, "empty"))
        # The status line: a notification inside the status bar. The window's message about the
        # recovery copy showed itself; the pointer's hint is read there too.
        line = wait_for("the status line", lambda: pyatspi.findDescendant(
            application(), lambda a: a.getRole() == pyatspi.ROLE_NOTIFICATION))
        if line.parent.getRole() != pyatspi.ROLE_STATUS_BAR:
            raise Failure("the status line is not in the status bar")
        wait_for("the recovery message announced",
                 lambda: [n for n in shown if n.startswith("Unsaved letters are not kept for recovery")])
        x, y, w, h = table.getAccessibleAt(0, 0).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdotool("mousemove", str(x + w // 2), str(y + h // 2))
        hint = "1  " + where[1][0]
        wait_for("the hint over square 1 in the status line", lambda: line.name == hint and
                 (pyatspi.ROLE_NOTIFICATION, hint) in renamed)
        print("read at five cursor positions:\n  " + "\n  ".join(readings))

        # ---- The sample solved through the reader alone, with the highlight on. ----
        press("alt+o", "h")
        try:
            wait_for("the highlight in the focus name", lambda: cursor_at[-1][0].name.endswith(
                ", in the current answer"))
        except Failure as failure:
            raise Failure("%s; focus went to %r" % (failure, focused[-3:]))
        solve_readings = [cursor_at[-1][0].name]

        def go_to(label, position):
            for _ in range(60):
                focus, parent = cursor_at[-1]
                at = SLOT.search(focus.name)
                if parent != pyatspi.ROLE_LIST_ITEM:
                    key = "Tab"
                elif at.group(1) != label:
                    key = "Down" if at.group(1) < label else "Up"
                elif int(at.group(2)) != position:
                    key = "Right" if int(at.group(2)) < position else "Left"
                else:
                    return
                before = len(cursor_at)
                press(key)
                wait_for("the cursor moved by " + key, lambda: len(cursor_at) > before)
            raise Failure("the cursor never reached clue %s letter %d" % (label, position))

        def slot_content(item, position):
            return SLOT.search(item.getChildAtIndex(position - 1).name).group(3)

        todo = []  # (clue item, label, position, letter) still to type
        for text, answer in ANSWERS.items():
            found = [words.getChildAtIndex(i) for i in range(words.childCount)
                     if words.getChildAtIndex(i).name.split(". ", 1)[1].startswith(text + ".")]
            if len(found) != 1:
                raise Failure("no clue reads %r" % text)
            label = found[0].name.split(".", 1)[0]
            todo += [(found[0], label, n + 1, ch) for n, ch in enumerate(answer) if slot_content(found[0], n + 1) != ch]

        def type_at(item, label, position, letter):
            go_to(label, position)
            if len(solve_readings) < 5:
                solve_readings.append(cursor_at[-1][0].name)
            press(letter.lower())
            wait_for("%s typed at clue %s letter %d" % (letter, label, position),
                     lambda: slot_content(item, position) == letter)

        def message(what, text):
            box = wait_for(what, lambda: pyatspi.findDescendant(
                application(), lambda a: a.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC) and a.name == text))
            while box.getRole() not in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
                box = box.parent
            print("%s: %s %r reads %r" % (what, box.getRoleName(), box.name, text))
            return box

        for step in todo[:-1]:
            type_at(*step)
        # The last blank filled wrong: the puzzle is full, not solved.
        item, label, position, letter = todo[-1]
        type_at(item, label, position, "Q" if letter != "Q" else "X")
        message("the filled message", "The puzzle is completely filled.")
        press("Return")
        type_at(item, label, position, letter)
        box = message("the congratulations", "You solved the puzzle!")
        if not pyatspi.findDescendant(box, lambda a: a.name == "Congratulations!"):
            raise Failure("the congratulations banner has no name")
        press("Return")
        rows = []
        for row in range(table.nRows):
            line_text = ""
            for column in range(table.nColumns):
                name = table.getAccessibleAt(row, column).name
                at = SLOT.search(name)
                line_text += at.group(3) if at else CHARACTERS[name]
            rows.append(line_text)
        if rows != dump["diagramRows"]:
            raise Failure("the diagram reads %r" % rows)
        print("with the highlight on:\n  " + "\n  ".join(solve_readings))
    except Failure as failure:
        log.seek(0)
        print("FAIL: %s\nThe program said:\n%s" % (failure, log.read().decode(errors="replace")))
        return 1
    finally:
        if app and app.poll() is None:
            app.kill()
            app.wait()
        screen.close()
        log.close()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
