#!/usr/bin/env python3
"""Two real copies of the program on one puzzle, under a virtual screen.

Copy A opens the puzzle and letters are typed into it. Copy B is started on the same puzzle, by
its path and then through a symbolic link: each time B must exit with status 0 at once, A must
come to the front, and A's recovery journal must be left as it was. Then A is killed; a copy
started through the link must offer A's letters back.

    two_copies_test.py QUOTEWELL QWL SAMPLE.QWL
"""

import glob
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from virtual_screen import Failure, VirtualScreen, wait_for as shared_wait_for  # noqa: E402

TIMEOUT = 15.0


def wait_for(what, probe, timeout=TIMEOUT):
    return shared_wait_for(what, probe, timeout)


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    for tool in ("Xvfb", "xdotool", "xwininfo"):
        if not shutil.which(tool):
            print("SKIP: %s is missing" % tool)
            return 77
    quotewell, qwl, sample = sys.argv[1:4]
    work = tempfile.mkdtemp(prefix="qw-copies-")
    for folder in ("home", "config", "state", "tmp", "puzzles", "links"):
        os.makedirs(os.path.join(work, folder))
    puzzle = os.path.join(work, "puzzles", "Two.QWL")
    link = os.path.join(work, "links", "Link.QWL")
    shutil.copyfile(sample, puzzle)
    os.symlink(puzzle, link)
    journals = os.path.join(work, "state", "quotewell", "recovery")
    log = open(os.path.join(work, "quotewell.log"), "w+b")

    screen = VirtualScreen()
    env = dict(os.environ, DISPLAY=screen.display, HOME=os.path.join(work, "home"),
               XDG_CONFIG_HOME=os.path.join(work, "config"), XDG_STATE_HOME=os.path.join(work, "state"),
               TMPDIR=os.path.join(work, "tmp"), QT_QPA_PLATFORM="xcb")
    env.pop("XDG_RUNTIME_DIR", None)

    def xdotool(*args):
        return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True).stdout.split()

    def find(title):
        ids = xdotool("search", "--onlyvisible", "--name", title)
        return ids[0] if ids else None

    def focus(window):
        xdotool("windowfocus", window)
        wait_for("the keyboard focus", lambda: xdotool("getwindowfocus") == [window])

    def topmost():
        """The id of the highest named top-level window; xwininfo lists the top of the stack first."""
        tree = subprocess.run(["xwininfo", "-root", "-children"], env=env, capture_output=True, text=True).stdout
        named = [line.split()[0] for line in tree.splitlines() if line.startswith("     0x") and '"' in line]
        return int(named[0], 16) if named else None

    def journal():
        files = glob.glob(os.path.join(journals, "*.json"))
        return open(files[0]).read() if len(files) == 1 else None

    def start(path):
        return subprocess.Popen([quotewell, path], env=env, stdout=log, stderr=subprocess.STDOUT)

    a = None
    try:
        a = start(puzzle)
        window = wait_for("copy A's window", lambda: find("^Quotewell - Two.QWL$"))
        focus(window)
        xdotool("type", "--delay", "50", "abc")
        before = wait_for("copy A's journal", journal)

        for how, path in (("the same path", puzzle), ("a symbolic link", link)):
            # Another top-level window over A, so A's coming forward shows in the stacking order.
            cover = subprocess.Popen(["xmessage", "-name", "cover", "cover"], env=env) if shutil.which("xmessage") else None
            if cover:
                wait_for("the cover window", lambda: find("^cover$"))
                xdotool("windowraise", find("^cover$"))
                wait_for("the cover over copy A", lambda: topmost() == int(find("^cover$")))
            b = start(path)
            try:
                status = b.wait(TIMEOUT)
            except subprocess.TimeoutExpired:
                b.kill()
                raise Failure("copy B started by %s did not hand the puzzle over" % how)
            if status != 0:
                raise Failure("copy B started by %s exited with status %d" % (how, status))
            if a.poll() is not None:
                raise Failure("copy A is gone after copy B started by %s" % how)
            if journal() != before:
                raise Failure("copy B started by %s touched copy A's journal" % how)
            wait_for("copy A to come to the front", lambda: topmost() == int(window))
            if cover:
                cover.kill()
                cover.wait()

        a.send_signal(signal.SIGKILL)
        a.wait()
        a = start(link)
        # The main window is named "Quotewell" too until the puzzle is shown, before the question.
        window = wait_for("the main window", lambda: find("^Quotewell - Link.QWL$"))
        question = wait_for("the recovery question", lambda: find("^Quotewell$"))
        focus(question)
        xdotool("key", "Return")
        wait_for("the question to close", lambda: find("^Quotewell$") is None)
        focus(window)
        xdotool("key", "ctrl+s")
        wait_for("the save", lambda: journal() is None)
        dump = json.loads(subprocess.run([qwl, "dump", puzzle], check=True, capture_output=True,
                                         text=True).stdout)
        entered = "".join(clue["entered"] for clue in dump["clues"]).replace(" ", "")
        if sorted(entered) != sorted("ABC"):
            raise Failure("after the kill, the link brought back %r instead of A, B and C" % entered)
    except Failure as failure:
        log.seek(0)
        print("FAIL: %s\nThe program said:\n%s" % (failure, log.read().decode(errors="replace")))
        return 1
    finally:
        if a and a.poll() is None:
            a.kill()
            a.wait()
        screen.close()
        log.close()
        shutil.rmtree(work, ignore_errors=True)
    print("two copies: B handed over by path and by link and exited 0; A came forward; A's journal "
          "survived, and after a kill the link offered A's letters")
    return 0


if __name__ == "__main__":
    sys.exit(main())
