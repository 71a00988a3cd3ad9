#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The real game as a Wayland client: played through the accessibility bus on the session's headless
# weston, and with xdotool's keys and clicks on a weston nested in the Xvfb, at scale 1 and 2.
import os, re, shutil, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run_e2e as e2e
from run_e2e import Program, children, descendants, extents, find, labels, wait_for, xdotool

NAVY, DIALOG, FIELD = b"\x00\x00\x80", b"\xef\xef\xef", (167, 220, 224)
PANEL_TOP, GAME = 249, (376, 322)  # the panel's place in the window and the window's size, in pixels
NO_STATE = {"Change Speed": "0", "Extra Points": "0"}  # every hit scores 100, a penguin too


def on(display, name, settings, without=()):
    program = Program(name, settings, {"WAYLAND_DISPLAY": display, "DISPLAY": ""}, without)
    maps = open(f"/proc/{program.process.pid}/maps").read()
    assert "libqwayland" in maps and "libqxcb" not in maps, "not the Wayland platform plugin"
    return program


def press(acc):
    acc.queryAction().doAction(0)


def counter(main, caption):  # the label beside "Score:" or "Misses:"
    names = labels(main)
    return int(names[names.index(caption) + 1])


def shoot_until_hit(main, shoot):  # targets move, so a shot may miss: retry until the score rises
    panel = {"New Game", "Settings", "High Scores", "Exit"}
    before = counter(main, "Score:")

    def hit():
        target = next((a for a in descendants(main) if a.getRoleName() == "push button" and a.name not in panel), None)
        if target is not None:
            shoot(target)
        time.sleep(0.2)
        return counter(main, "Score:") > before

    wait_for("a hit", hit, 20)


def headless():
    display = os.environ["PLINKARD_WAYLAND_DISPLAY"]
    program = on(display, "headless", NO_STATE)
    main = program.window("Plinkard")
    press(find(main, "push button", "New Game"))
    press(find(main, "radio button", "Too Hard"))
    shoot_until_hit(main, press)
    press(find(main, "check box", "Music On/Off"))
    press(find(main, "push button", "Exit"))
    assert program.process.wait(10) == 0, "Exit did not end the game with status 0"
    stored = open(os.path.join(program.config, "Brindlecot.ini")).read()
    assert re.search(r"MIDI(%20| )ON-OFF=0", stored), stored
    missing = on(display, "headless-missing", {}, without=("scores.dat",))
    press(find(missing.window("Error!"), "push button", "OK"))
    assert missing.process.wait(10) == 1, "the game went on without scores.dat"


class Nested:  # weston in a window of the Xvfb, which takes xdotool's input
    def __init__(self, scale):
        self.scale, ini = scale, os.path.join(e2e.ROOT, "weston.ini")
        open(ini, "w").write("[shell]\npanel-position=none\n")
        self.weston = subprocess.Popen(["weston", "--backend=x11-backend.so", "--use-pixman", "--socket=wl-nested",
                                        "--width=512", "--height=384", f"--scale={scale}", "--idle-time=0",
                                        f"--config={ini}"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("weston", lambda: os.path.exists(os.path.join(os.environ["XDG_RUNTIME_DIR"], "wl-nested")))

    def shot(self):  # the Xvfb's screen as rows of RGB bytes
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True).stdout
        _, size, _, pixels = data.split(b"\n", 3)
        width = int(size.split()[0]) * 3
        return [pixels[i:i + width] for i in range(0, len(pixels), width)]

    def panel(self):  # the panel's first row and its left and right ends, in device pixels
        for y, row in enumerate(self.shot()):
            if (x := row.find(NAVY * 20)) >= 0 and x % 3 == 0:
                return x // 3, y, row.rfind(NAVY) // 3
        return None

    def origin(self):  # the game's top left corner, in logical pixels of the output
        x, y, _ = wait_for("the game on screen", self.panel)
        return x // self.scale, y // self.scale - PANEL_TOP

    def keep(self, name):  # PLINKARD_SHOTS=FOLDER keeps pictures of the screen to look at
        if folder := os.environ.get("PLINKARD_SHOTS"):
            subprocess.run(["import", "-window", "root", os.path.join(folder, f"{name}-scale{self.scale}.png")])

    def point(self, x, y, *then):  # weston moves its pointer by differences: both start from the corner
        xdotool("mousemove", 1, 1, "mousemove", 0, 0, "mousemove", x * self.scale, y * self.scale, *then)

    def click(self, x, y):
        self.point(x, y, "click", "1")

    def close(self):
        self.weston.terminate()
        self.weston.wait(10)


def keys_and_clicks():
    nested = Nested(1)
    try:
        program = on("wl-nested", "nested", NO_STATE)
        main = program.window("Plinkard")
        x, y = nested.origin()
        # On Wayland every window stands at (0, 0): extents are the window's own coordinates.
        shoot_until_hit(main, lambda t: nested.click(x + extents(t)[0] + 16, y + extents(t)[1] + 16))
        nested.click(x + 215, y + PANEL_TOP + 14)  # "Easy": the panel takes the focus for F3
        xdotool("key", "F3")
        box = program.window("Paused")
        nested.keep("paused")
        covered = sum(row.count(DIALOG) for row in nested.shot())
        nested.click(x + 10, y + 10)  # the main window behind the box
        time.sleep(0.5)
        assert sum(row.count(DIALOG) for row in nested.shot()) > covered - 500, "the main window hid \"Paused\""
        press(find(box, "push button", "OK"))
        wait_for("the box to close", lambda: "Paused" not in (w.name for w in children(program.app)))
        nested.click(x + GAME[0] - 38, y - 15)  # the maximize button of the title bar Qt draws
        time.sleep(1)
        nested.keep("maximized")
        left, _, right = nested.panel()
        assert program.process.poll() is None, "a maximize ended the game"
        assert abs(right - left + 1 - GAME[0]) <= 1 and abs(left + right - 511) <= 2, (left, right)
        nested.click(512 - 40, 15)  # restore
        wait_for("the game at its size again", lambda: nested.panel()[0] < left)
    finally:
        nested.close()


def high_dpi():
    nested = Nested(2)
    try:
        program = on("wl-nested", "scale2", NO_STATE)
        program.window("Plinkard")
        left, top, right = wait_for("the panel", nested.panel)
        nested.keep("game")
        assert right - left + 1 == 2 * GAME[0], "not drawn at scale 2"
        rows = nested.shot()
        steps = max(abs(a - b) for row in rows[top:top + 100] for a, b in zip(row[left * 3:right * 3], row[left * 3 + 3:right * 3 + 3]))
        assert steps > 200, "the panel is blurred: drawn at scale 1 and stretched"
        x, y = nested.origin()
        spot = (x + 40, y + 150)  # the field's left side, which targets leave now and then
        dark = lambda b: [(i // 3, j) for j, row in enumerate(b) for i in range(0, len(row), 3) if max(row[i:i + 3]) < 60]

        def centred():
            nested.point(*spot)
            time.sleep(0.3)
            nested.keep("pointer")
            rows = nested.shot()[spot[1] * 2 - 40:spot[1] * 2 + 40]
            pts = dark([row[(spot[0] * 2 - 40) * 3:(spot[0] * 2 + 40) * 3] for row in rows])
            xs, ys = [p[0] for p in pts], [p[1] for p in pts]
            return pts and abs((min(xs) + max(xs)) / 2 - 40) <= 1 and abs((min(ys) + max(ys)) / 2 - 40) <= 1

        wait_for("the crosshair centred on the pointer", centred, 10)
    finally:
        nested.close()


if __name__ == "__main__":
    if not all(os.environ.get(v) for v in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "PLINKARD_WAYLAND_DISPLAY")):
        session = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "headless-session")
        os.execv(session, [session, sys.executable, *sys.argv])
    e2e.ROOT, e2e.BINARY = tempfile.mkdtemp(prefix="plinkard-wl-"), os.path.abspath(sys.argv[sys.argv.index("--binary") + 1])
    try:
        passed = [e2e.run(s) for s in (headless, keys_and_clicks, high_dpi) if s.__name__ in os.environ.get("ONLY", s.__name__)]
    finally:
        shutil.rmtree(e2e.ROOT, ignore_errors=True)
    sys.exit(0 if all(passed) else 1)
