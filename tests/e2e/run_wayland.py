#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The real game as a Wayland client: played through the accessibility bus, and with xdotool's keys and clicks, on
# a weston nested in the Xvfb, at scale 1 and 2.
import itertools, os, subprocess, sys, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run_e2e as e2e
from run_e2e import Program, children, counter, extents, find, press, wait_for, xdotool

NAVY, DIALOG, PANEL_TOP, WIDTH = b"\x00\x00\x80", b"\xef\xef\xef", 249, 376  # the panel's place, the game's width
NO_STATE = {"Change Speed": "0", "Extra Points": "0"}  # every hit scores 100, a penguin too


def on(display, name, settings=NO_STATE):  # the game as a Wayland client: (program, its window)
    program = Program(name, settings, {"WAYLAND_DISPLAY": display, "DISPLAY": ""})
    maps = open(f"/proc/{program.process.pid}/maps").read()
    assert "libqwayland" in maps and "libqxcb" not in maps, "not the Wayland platform plugin"
    return program, program.window("Plinkard")




def hit(main, shoot):
    e2e.shoot_until("a hit", main, lambda before=counter(main, "Score:"): counter(main, "Score:") > before, shoot)


class Nested:  # weston in a window of the Xvfb (400 x 384 logical pixels), which takes xdotool's input
    def __init__(self, scale):
        self.scale, ini = scale, os.path.join(e2e.ROOT, "weston.ini")
        open(ini, "w").write("[shell]\npanel-position=none\n")
        self.process = subprocess.Popen(["weston", "--backend=x11-backend.so", "--use-pixman", f"--socket=wl-nested{scale}",
                                         "--width=400", "--height=384", f"--scale={scale}", "--idle-time=0",
                                         f"--config={ini}"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        e2e.PROGRAMS.append(self)  # stopped with the programs
        wait_for("weston", lambda: os.path.exists(os.path.join(os.environ["XDG_RUNTIME_DIR"], f"wl-nested{scale}")))

    def shot(self, name=None):  # the Xvfb's screen as rows of RGB bytes; PLINKARD_SHOTS=FOLDER keeps them
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True).stdout
        if name and os.environ.get("PLINKARD_SHOTS"):
            subprocess.run(["convert", "ppm:-", f"{os.environ['PLINKARD_SHOTS']}/{name}-scale{self.scale}.png"], input=data)
        _, size, _, pixels = data.split(b"\n", 3)
        width = int(size.split()[0]) * 3
        return [pixels[i:i + width] for i in range(0, len(pixels), width)]

    def panel(self, name=None):  # the panel's first row and its left and right ends, in device pixels
        for y, row in enumerate(self.shot(name)):
            if (x := row.find(NAVY * 20)) >= 0 and x % 3 == 0:
                return x // 3, y, row.rfind(NAVY) // 3

    def origin(self):  # the game's top left corner, in logical pixels
        x, y, _ = wait_for("the game on screen", self.panel)
        return x // self.scale, y // self.scale - PANEL_TOP

    def point(self, x, y, *then):  # weston moves its pointer by differences, but takes the place where it enters
        xdotool("mousemove", 1020, 760, "mousemove", x * self.scale, y * self.scale, *then)


def keys_and_clicks(scale):  # the same run at scale 1 and 2
    nested = Nested(scale)
    program, main = on(f"wl-nested{scale}", f"nested{scale}")
    x, y = nested.origin()
    hit(main, lambda t: nested.point(x + extents(t)[0] + 16, y + extents(t)[1] + 16, "click", 1))  # extents: in the window
    nested.point(x + 215, y + PANEL_TOP + 14, "click", 1)  # "Easy": the panel takes the focus for F3
    light = lambda name=None: sum(row.count(DIALOG) for row in nested.shot(name))  # title bars and boxes
    bare = light()
    xdotool("key", "F3")
    box = program.window("Paused")
    covered = wait_for("the box drawn", lambda: (n := light("paused")) > bare + 10000 and n)
    nested.point(x + 10, y + 10, "click", 1)  # the main window behind the box
    time.sleep(0.5)
    assert light() > covered - 500, "the main window hid \"Paused\""
    press(find(box, "push button", "OK"))
    wait_for("the box to close", lambda: "Paused" not in (w.name for w in children(program.app)))
    if scale == 2:
        left, top, right = nested.panel("game")
        rows = [row[left * 3:right * 3] for row in nested.shot()[top:top + 100]]
        assert max(abs(a - b) for row in rows for a, b in zip(row, row[3:])) > 200, "blurred: drawn at 1 and stretched"
        spots = itertools.cycle((x + 20 + 50 * i, y + 20 + 60 * j) for i in range(7) for j in range(4))

        def centred():  # the crosshair's dark pixels in the 48 x 48 device pixels around the pointer, where no target is
            spot = next(spots)
            nested.point(*spot)
            time.sleep(0.2)
            rows = [r[(spot[0] * 2 - 24) * 3:(spot[0] * 2 + 24) * 3] for r in nested.shot("pointer")[spot[1] * 2 - 24:][:48]]
            dark = [(i // 3, j) for j, r in enumerate(rows) for i in range(0, len(r), 3) if max(r[i:i + 3]) < 60]
            return dark and all(abs((min(p) + max(p)) / 2 - 24) <= 1 for p in zip(*dark))

        wait_for("the crosshair centred on the pointer", centred, 10)
    misses = counter(main, "Misses:")
    nested.point(x + WIDTH - 38, y - 15, "click", 1)  # the maximize button of the title bar Qt draws
    time.sleep(1)
    assert program.process.poll() is None, "a maximize ended the game"
    left, _, right = nested.panel("maximized")
    assert abs((right - left + 1) / scale - WIDTH) <= 1 and abs((left + right) / scale - 400) <= 2, f"{left}..{right}"
    nested.point(5, 200, "click", 1)  # the room around the game: nothing to miss there
    nested.point(400 - 40, 15, "click", 1)  # restore
    wait_for("the game at its size again", lambda: nested.panel()[0] < left)
    assert counter(main, "Misses:") == misses, "a click beside the game counted as a miss"


def at(scale):
    session = lambda: keys_and_clicks(scale)
    session.__name__ = f"keys_and_clicks_at_scale_{scale}"
    return session


if __name__ == "__main__":
    e2e.main((at(1), at(2)))
