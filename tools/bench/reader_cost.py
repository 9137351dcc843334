#!/usr/bin/env python3
"""What a listening screen reader costs a typed letter.

Runs the typed-letter benchmarks of bench_app three times on one virtual screen and one
accessibility bus: with no assistive technology (Qt's bridge stays off); with the bridge on and a
client listening to focus, name, value and state events that only takes them (what the events
themselves cost, Qt's forwarding of every key to the bus included); and with a client that also
reads what gets the focus, as a screen reader does. Prints the medians and the ratios to the
first; the bench's "reader" counter says whether the bridge was on.

    reader_cost.py build/tools/bench/bench_app [REPETITIONS]
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
from virtual_screen import VirtualScreen  # noqa: E402

INNER = "QW_READER_COST_INNER"
FILTER = "BM_TypedLetter(Sample|Stress|StressHighlight)$"


def run(bench, repetitions, listening, context):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
    if listening:
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    with tempfile.TemporaryFile("w+") as out:
        process = subprocess.Popen([bench, "--benchmark_filter=" + FILTER, "--benchmark_repetitions=%d" % repetitions,
                                    "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                                   env=env, stdout=out, stderr=subprocess.DEVNULL)
        while process.poll() is None:
            while context.iteration(False):  # the listener takes its events as they come
                pass
            time.sleep(0.0002)
        out.seek(0)
        report = json.load(out)
    medians = {}
    for b in report["benchmarks"]:
        if b.get("aggregate_name") == "median":
            medians[b["run_name"]] = (b["real_time"], b.get("reader", 0))
    return medians


def main():
    if len(sys.argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        return 2
    if os.environ.get(INNER) != "1":
        if not shutil.which("dbus-run-session") or not shutil.which("Xvfb"):
            print("dbus-run-session and Xvfb are needed", file=sys.stderr)
            return 2
        env = dict(os.environ, **{INNER: "1"})
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        return subprocess.run(["dbus-run-session", "--", "/usr/bin/python3", os.path.abspath(__file__), *sys.argv[1:]],
                              env=env).returncode
    bench = sys.argv[1]
    repetitions = int(sys.argv[2]) if len(sys.argv) == 3 else 9
    screen = VirtualScreen()
    os.environ["DISPLAY"] = screen.display
    try:
        import pyatspi
        from gi.repository import GLib
        heard = [0]
        reading = [False]

        def listen(event):
            # As a screen reader does: what gets the focus is read at once; another object's
            # change is only compared with the focus, which asks the program nothing.
            heard[0] += 1
            if reading[0] and event.type.startswith("object:state-changed:focused") and event.detail1 == 1:
                try:
                    event.source.name, event.source.getRole(), event.source.parent.name
                except Exception:
                    pass

        for kind in ("object:state-changed:focused", "object:property-change:accessible-name",
                     "object:property-change:accessible-value", "object:state-changed:showing", "focus:"):
            pyatspi.Registry.registerEventListener(listen, kind)
        context = GLib.MainContext.default()
        quiet = run(bench, repetitions, False, context)
        taking = run(bench, repetitions, True, context)
        reading[0] = True
        read = run(bench, repetitions, True, context)
        print("%-32s %10s %10s %6s %10s %6s" % ("median, microseconds", "no reader", "events", "ratio",
                                                "read", "ratio"))
        for name, (time_quiet, reader_quiet) in quiet.items():
            (time_taking, reader_taking), (time_read, reader_read) = taking[name], read[name]
            print("%-32s %10.1f %10.1f %6.2f %10.1f %6.2f%s" % (
                name, time_quiet, time_taking, time_taking / time_quiet, time_read, time_read / time_quiet,
                "" if (reader_quiet, reader_taking, reader_read) == (0, 1, 1)
                else "  (the bridge did not go on and off as asked)"))
        print("events heard: %d" % heard[0])
    finally:
        screen.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
