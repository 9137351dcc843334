#!/usr/bin/env python3
"""Kills the real program with SIGKILL at random moments while letters are typed into it.

Each round starts the program on a copy of a sample puzzle under a virtual screen. When the last
kill left a recovery journal, the program must ask whether to restore; the test answers Yes,
saves, reads the saved file and checks that every letter typed more than a second before the kill
came back, in order, with nothing else changed. Then it types random letters, from where the
recovered ones end, and kills the program after a random time.

    kill_test.py QUOTEWELL QWL SAMPLE.QWL

QW_KILL_ROUNDS sets the number of kills (default 20), QW_KILL_SEED the seed.
"""

import glob
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from virtual_screen import Failure, VirtualScreen, wait_for as shared_wait_for  # noqa: E402

GUARANTEE = 1.0   # seconds: letters typed longer ago than this before a kill must survive it
TIMEOUT = 15.0    # seconds to wait for a window, a question or a save
KEY_GAP = 0.06    # seconds between typed letters, about fifteen a second
LONGEST_ROUND = 2.2


def wait_for(what, probe, timeout=TIMEOUT):
    return shared_wait_for(what, probe, timeout, step=0.02)


class Session:
    def __init__(self, quotewell, qwl, sample, work):
        self.quotewell, self.qwl, self.sample = quotewell, qwl, sample
        self.puzzle = os.path.join(work, "puzzles", "Kill.QWL")
        self.journals = os.path.join(work, "state", "quotewell", "recovery")
        self.log = open(os.path.join(work, "quotewell.log"), "ab")
        for folder in ("home", "config", "state", "tmp", "puzzles"):
            os.makedirs(os.path.join(work, folder), exist_ok=True)
        self.screen = VirtualScreen()
        # The puzzle must not lie under the temporary folder, or the program would move it.
        self.env = dict(os.environ, DISPLAY=self.screen.display, HOME=os.path.join(work, "home"),
                        XDG_CONFIG_HOME=os.path.join(work, "config"),
                        XDG_STATE_HOME=os.path.join(work, "state"), TMPDIR=os.path.join(work, "tmp"),
                        QT_QPA_PLATFORM="xcb")
        self.app = None
        self.window = None

    def xdotool(self, *args):
        done = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        return done.stdout.split()

    def find(self, title):
        ids = self.xdotool("search", "--onlyvisible", "--name", title)
        return ids[0] if ids else None

    def reset(self):
        shutil.copyfile(self.sample, self.puzzle)

    def start(self):
        self.app = subprocess.Popen([self.quotewell, self.puzzle], env=self.env, stdout=self.log,
                                    stderr=subprocess.STDOUT)
        self.window = wait_for("the main window", lambda: self.find("^Quotewell - Kill.QWL$"))

    def kill(self):
        if self.app and self.app.poll() is None:
            self.app.send_signal(signal.SIGKILL)
            self.app.wait()
        self.app = None

    def focus(self, window):
        self.xdotool("windowfocus", window)
        wait_for("the keyboard focus", lambda: self.xdotool("getwindowfocus") == [window])

    def journal_files(self):
        return glob.glob(os.path.join(self.journals, "*.json"))

    def recover(self):
        """Answers Yes to the question and saves; the save removes the journal."""
        question = wait_for("the recovery question", lambda: self.find("^Quotewell$"))
        self.focus(question)
        self.xdotool("key", "Return")
        wait_for("the question to close", lambda: self.find("^Quotewell$") is None)
        self.focus(self.window)
        self.xdotool("key", "ctrl+s")
        wait_for("the save", lambda: not self.journal_files())

    def entered(self):
        """The entered letters in word-list order, as the puzzle file holds them."""
        dump = json.loads(subprocess.run([self.qwl, "dump", self.puzzle], check=True,
                                         capture_output=True, text=True).stdout)
        return "".join(clue["entered"] for clue in dump["clues"])

    def type_until_killed(self, rng, seconds):
        """Types random letters until the program is killed; returns (typed, kill time)."""
        typed = []
        stop = threading.Event()

        def typist():
            while not stop.is_set():
                letter = rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
                self.xdotool("key", letter.lower())
                typed.append((time.monotonic(), letter))
                stop.wait(KEY_GAP)

        thread = threading.Thread(target=typist)
        thread.start()
        time.sleep(seconds)
        killed_at = time.monotonic()
        self.kill()
        stop.set()
        thread.join()
        return [(t, letter) for t, letter in typed if t <= killed_at], killed_at

    def close(self):
        self.kill()
        self.screen.close()
        self.log.close()

    def output(self):
        with open(self.log.name, errors="replace") as log:
            return log.read()


def check_round(before, after, typed, killed_at):
    """Returns (letters lost, age in seconds of the oldest lost letter at the kill)."""
    if not after.startswith(before):
        raise Failure("letters saved before the round changed: %r became %r" % (before, after))
    back = after[len(before):].rstrip()
    letters = "".join(letter for _, letter in typed)
    if not letters.startswith(back):
        raise Failure("recovered %r, but %r was typed" % (back, letters))
    if after[len(before) + len(back):].strip():
        raise Failure("letters appeared that were not typed: %r" % after)
    lost = typed[len(back):]
    oldest = killed_at - lost[0][0] if lost else 0.0
    if oldest > GUARANTEE:
        raise Failure("lost %d letters, the oldest typed %.2f s before the kill" % (len(lost), oldest))
    return len(lost), oldest


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            print("SKIP: %s is missing (scripts/setup.sh installs it)" % tool)
            return 77
    rounds = int(os.environ.get("QW_KILL_ROUNDS", "20"))
    seed = int(os.environ.get("QW_KILL_SEED", str(random.randrange(1 << 31))))
    rng = random.Random(seed)
    work = tempfile.mkdtemp(prefix="qw-kill-")
    session = Session(*sys.argv[1:4], work)
    started = time.monotonic()
    worst_lost, worst_age, journaled, total_typed, n = 0, 0.0, 0, 0, 0
    try:
        session.reset()
        letter_count = len(session.entered())
        saved = ""
        session.start()
        for n in range(1, rounds + 1):
            # Room for a whole round of typing, and the cursor where the saved letters end.
            if len(saved) + LONGEST_ROUND / KEY_GAP + 5 > letter_count:
                session.kill()
                session.reset()
                saved = ""
                session.start()
            session.focus(session.window)
            time.sleep(0.1)
            typed, killed_at = session.type_until_killed(rng, rng.uniform(0.2, LONGEST_ROUND))
            total_typed += len(typed)
            had_journal = bool(session.journal_files())
            session.start()
            if had_journal:
                journaled += 1
                session.recover()
            after = session.entered()
            lost, age = check_round(saved, after, typed, killed_at)
            worst_lost, worst_age = max(worst_lost, lost), max(worst_age, age)
            saved = after
            if not had_journal and saved:
                # Nothing was recovered, so the cursor is back on the first letter.
                session.kill()
                session.reset()
                saved = ""
                session.start()
    except Failure as failure:
        session.close()
        print("FAIL (seed %d, round %d): %s\nThe program said:\n%s" % (seed, n, failure, session.output()))
        return 1
    finally:
        session.close()
        log = session.output()
        shutil.rmtree(work, ignore_errors=True)
    if "recovery journal" in log:
        print("FAIL: the program reported journal trouble:\n" + log)
        return 1
    # The test command shows these two lines from CTest's log.
    print("kill test: %d kills (seed %d), %d with a journal to restore, %d letters typed, %.0f s" %
          (rounds, seed, journaled, total_typed, time.monotonic() - started))
    print("kill test: at most %d letters lost per kill, the oldest typed %.0f ms before it (limit %.0f ms)" %
          (worst_lost, worst_age * 1000, GUARANTEE * 1000))
    return 0


if __name__ == "__main__":
    sys.exit(main())
