#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How many accessibility events the running program sends a second.

Starts the built program and, with the keyboard, chooses the preset "großer anziehender
Zyklus" (so that the stocks keep changing), sets the start state 20 prey and 12 predators with
the stock sliders and the pace slider to 1 (5 ms a generation), presses the start button,
waits WARMUP seconds and then counts every AT-SPI event of the program for WINDOW seconds,
then presses stop. Prints the events a second and the ten most
frequent kinds. Needs a display, a session bus and python3-pyatspi; from the source folder:

    xvfb-run -a -s '-screen 0 1600x1000x24' dbus-run-session -- \\
        /usr/bin/python3 tools/a11y/eventrate.py build/raeuber-beute [WINDOW] [WARMUP]
"""

import collections
import os
import re
import subprocess
import sys
import threading
import time

import pyatspi
from gi.repository import GLib

CLIENT_HEIGHT = 678  # pixels; the client area lies at the window's bottom
PREY = (764, 410)  # the centres of the stock sliders and the pace slider in the client area
PREDATORS = (864, 410)
PACE = (992, 410)
START = (992, 598)  # the start and stop buttons' centres
STOP = (992, 514)


def xdo(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                          timeout=30).stdout


def main():
    program = sys.argv[1]
    window_s = float(sys.argv[2]) if len(sys.argv) > 2 else 5.0
    warmup_s = float(sys.argv[3]) if len(sys.argv) > 3 else 3.0
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    proc = subprocess.Popen([program], env=env)
    stamps = []  # (time, event type)
    counting = threading.Event()

    def on_event(event):
        if counting.is_set():
            stamps.append((time.monotonic(), event.type))

    def drive():
        try:
            window = ""
            for _ in range(600):
                window = xdo("search", "--onlyvisible", "--name", "Räuber-Beute Modell").strip()
                if window:
                    break
                time.sleep(0.1)
            window = window.splitlines()[0]
            xdo("windowfocus", "--sync", window)
            geometry = xdo("getwindowgeometry", "--shell", window)
            field = {k: int(v) for k, v in re.findall(r"(\w+)=(\d+)", geometry)}
            left, top = field["X"], field["Y"] + field["HEIGHT"] - CLIENT_HEIGHT

            def click(point):
                xdo("mousemove", "--sync", left + point[0], top + point[1])
                xdo("click", "1")

            xdo("key", "alt")  # the menu bar: from "Beenden" one entry to the right
            xdo("key", "Right")
            xdo("key", "Return")
            # Each slider focused by a click, then to its start and that many steps up.
            for point, steps in ((PREY, 20), (PREDATORS, 12), (PACE, 1)):
                click(point)
                xdo("key", "Home")
                for _ in range(steps):
                    xdo("key", "Right")
            click(START)
            time.sleep(warmup_s)
            counting.set()
            begin = time.monotonic()
            time.sleep(window_s)
            counting.clear()
            elapsed = time.monotonic() - begin
            click(STOP)
            time.sleep(1)
            kinds = collections.Counter(t for _, t in stamps)
            print(f"{len(stamps)} events in {elapsed:.1f} s: {len(stamps) / elapsed:.1f} a second")
            for kind, n in kinds.most_common(10):
                print(f"  {n:6d}  {kind}")
        finally:
            GLib.idle_add(pyatspi.Registry.stop)

    for kind in ("object", "window", "focus"):
        pyatspi.Registry.registerEventListener(on_event, kind)
    threading.Thread(target=drive, daemon=True).start()
    pyatspi.Registry.start()
    proc.terminate()
    proc.wait(timeout=30)


if __name__ == "__main__":
    main()
