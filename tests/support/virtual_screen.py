"""What the end-to-end tests of the real program share: a virtual screen of their own and waiting
for a condition with a deadline."""

import os
import subprocess
import time


class Failure(Exception):
    pass


def wait_for(what, probe, timeout=15.0, step=0.05):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = probe()
        if value:
            return value
        time.sleep(step)
    raise Failure("timed out waiting for " + what)


class VirtualScreen:
    """An Xvfb server on a display number it picks itself (-displayfd), so tests run side by side."""

    def __init__(self):
        read_end, write_end = os.pipe()
        # Without -noreset the server starts over whenever its last client is killed.
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1000x700x24", "-nolisten", "tcp",
             "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        # Kept open while the server runs: it may write again, and a closed pipe kills it.
        self.pipe = os.fdopen(read_end)
        number = self.pipe.readline().strip()
        if not number:
            self.close()
            raise Failure("Xvfb did not start")
        self.display = ":" + number

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.process.wait()
        self.pipe.close()
