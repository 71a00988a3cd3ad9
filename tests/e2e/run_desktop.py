#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The game under a real window manager (--wm mutter or xfwm4) on an 800 x 600 screen: each window and box is above the
# window it opens on, transient for it, focused, wholly on the screen and centred over it (the first ones over the
# screen); its close box, pressed through the manager, does what that window's close box does; then F3 pauses again.
# --scheme breeze-dark: every program under KDE's dark scheme. The panel's indicators measured under dark schemes.
import os, re, shutil, subprocess, sys, time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run_e2e as e2e
from run_e2e import Program, click_on, counter, extents, find, runs, wait_for, xdotool

WIDTH, HEIGHT, NAVY, ARGS = 800, 600, (0, 0, 128), dict(zip(sys.argv[1::2], sys.argv[2::2]))
SCHEMES = {"breeze-dark": {"XDG_CURRENT_DESKTOP": "KDE", "KDE_SESSION_VERSION": "5", "KDE_FULL_SESSION": "true"},
           "adwaita-dark": {"XDG_CURRENT_DESKTOP": "GNOME", "NO_AT_BRIDGE": "1"}}  # GTK's own tree kept off the bus


def start(name, settings=(), scheme=ARGS.get("--scheme")):  # from another folder, with no sound server,
    folder, config = os.path.join(e2e.ROOT, name + "-J\udcf6rg"), os.path.join(e2e.ROOT, name + "-config")
    shutil.copytree(os.path.dirname(e2e.BINARY), folder)
    os.symlink(folder, os.path.join(e2e.ROOT, name))  # through a link to a folder whose name is not UTF-8
    scores = ["", "", ""] + [str(90 - 5 * i) for i in range(10)] + ["", ""] + [f"Player {i}" for i in range(10)]
    open(os.path.join(folder, "scores.dat"), "w").write("\r\n".join(scores))
    schemes = os.path.join(os.path.dirname(os.path.abspath(__file__)), "schemes")  # the files Qt reads a scheme from
    shutil.copytree(os.path.join(schemes, scheme), config) if scheme else os.makedirs(config)
    open(os.path.join(config, "Brindlecot.ini"), "w").write("[Plinkard]\n" + "".join(f"{k}={v}\n" for k, v in settings))
    return Program(name, {}, dict(SCHEMES.get(scheme, {}), PULSE_SERVER="unix:/nonexistent/socket"), cwd=e2e.ROOT)


def prop(name, wid=None):  # an X property: its window ids or extents; a state's names
    out = subprocess.run(["xprop", *(["-id", str(wid)] if wid else ["-root"]), name], capture_output=True, text=True)
    return out.stdout if "STATE" in name else [int(n, 0) for n in re.findall(r"0x\w+|\d+", out.stdout.split(")")[-1])]


def settle(what, faults):  # faults() lists what is wrong; until nothing is, for at most 50 tries
    for _ in range(50):
        try:
            if not (found := faults()):
                return
        except (ValueError, IndexError, TypeError) as error:  # a window not listed, framed or shown yet
            found = [error]
        time.sleep(0.1)
    raise AssertionError(f"{what}: {found}")


class Window:  # one of the program's windows as the window manager holds it
    def __init__(self, program, title, owner=None):
        self.program, self.title, self.owner = program, title, owner
        self.id = int(wait_for(f"the window {title!r}", lambda: program.xdotool(title).split())[0])

    def frame(self):  # left, top, right, bottom from xwininfo's client area, which a reparenting manager leaves right
        info = subprocess.run(["xwininfo", "-id", str(self.id)], capture_output=True, text=True).stdout
        x, y, w, h = (int(re.search(rf"{k}: +(-?\d+)", info)[1]) for k in ("X", "Y", "Width", "Height"))
        left, right, top, bottom = prop("_NET_FRAME_EXTENTS", self.id)
        return x - left, y - top, x + w + right, y + h + bottom, top - bottom

    def check(self, *over, focus=True):  # as the head says; `over`: other windows it must be above
        def faults():
            stack, (l, t, r, b, title) = prop("_NET_CLIENT_LIST_STACKING"), self.frame()
            ol, ot, or_, ob, _ = self.owner.frame() if self.owner else (0, 0, WIDTH, HEIGHT, 0)
            return [fault for fault, found in (
                ("under its owner", any(stack.index(self.id) < stack.index(w.id) for w in (self.owner, *over) if w)),
                ("asking to stay above every window", "ABOVE" in prop("_NET_WM_STATE", self.id)),
                ("not transient for its owner", self.owner and prop("WM_TRANSIENT_FOR", self.id) != [self.owner.id]),
                (f"{l, t, r, b} off the screen", min(l, t, WIDTH - r, HEIGHT - b) < 0),  # a first window's frame is
                (f"{l, t, r, b} off the middle of {ol, ot, or_, ob}",  # not known before the manager draws it
                 max(abs(l + r - ol - or_), abs(t + b - ot - ob)) > 6 + (0 if self.owner else title)),
                ("without the focus", focus and prop("_NET_ACTIVE_WINDOW")[:1] != [self.id])) if found]
        settle(self.title, faults)
        return self

    def close(self, how="alt+F4"):  # by its close box through the manager (Alt+F4), a key or a button
        xdotool("windowactivate", "--sync", self.id, "key", how) if how in ("alt+F4", "Escape", "Return") else click_on(
            find(self.program.window(self.title), "push button", how))
        wait_for(f"{self.title!r} to close", lambda: not self.program.xdotool(self.title).split())


def pause(main):  # F3 where the focus is: the pause box over the main window
    xdotool("key", "F3")
    return Window(main.program, "Paused", main).check()


# The main window, "Paused" (Escape and its close box answer OK), Settings and Colors (their close boxes store nothing;
# play resumes as after Cancel), "You made it!" (Escape and its close box do nothing, the clock runs behind it, Return
# is Yes), "High Score!" (closed: a new game), High Scores; then the question behind the pause, the name box and the
# table over it. The main window's close box stores as Exit does: the switches, and the paths with the program's folder.
def game_windows():
    program = start("windows", (("Winning Score", 50), ("Change Speed", 0), ("Extra Points", 0), ("MIDI ON-OFF", 0)))
    Window(program, "Sound Test").check().close()
    main, acc = Window(program, "Plinkard").check(), program.window("Plinkard")
    click_on(find(acc, "radio button", "Too Easy"))  # targets that stay: a slow machine's shots hit
    pause(main).close()
    pause(main).close("Escape")
    stored = open(ini := os.path.join(program.config, "Brindlecot.ini"), errors="surrogateescape").read()
    click_on(find(acc, "push button", "Settings"))
    settings = Window(program, "Settings", main).check()
    click_on(find(program.window("Settings"), "push button", "Colors"))
    Window(program, "Colors", settings).check(main).close()
    settings.check().close()
    assert open(ini, errors="surrogateescape").read() == stored, "the close box stored the settings"
    pause(main).close("Return")
    for answer in ("No", "Return"):  # after "No" the name box, whose close box starts a new game; Return is "Yes"
        e2e.shoot_until("the question", acc, lambda: program.xdotool("You made it!").split())
        question = Window(program, "You made it!", main).check()
        xdotool("key", "Escape", "key", "alt+F4")
        runs(acc)
        question.check().close(answer)
        answer == "No" and (Window(program, "High Score!", main).check().close(), wait_for("a new game", lambda: counter(acc, "Score:") == 0))
        pause(main).close("Return")
    for _ in range(3):  # the question, re-armed as the table closes, comes behind F3 unless the machine is slow
        click_on(find(acc, "push button", "High Scores"))
        Window(program, "High Scores", main).check().close()
        xdotool("key", "F3")
        if "Paused" in wait_for("a box", lambda: [t for t in ("Paused", "You made it!") if program.xdotool(t).split()]):
            break
        Window(program, "You made it!", main).close("Return")
    paused = Window(program, "Paused", main).check(focus=False)  # the question takes the focus
    question = Window(program, "You made it!", paused).check(main)
    question.close("No")
    name = Window(program, "High Score!", paused).check(main)
    xdotool("type", "Ann")
    name.close("Okay")
    Window(program, "High Scores", paused).check(main).close("Close")
    paused.check().close("OK")
    pause(main).close("Return")
    main.close()
    stored = open(ini, errors="surrogateescape").read()
    assert program.process.wait(5) == 0 and "MIDI ON-OFF=0\n" in stored and \
        f"MIDI={os.path.realpath(program.folder)}/snot.mid\n" in stored, stored


def contrast(*colours):
    lum = [sum(w * (v / 3295 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4) for w, v in
               zip((0.2126, 0.7152, 0.0722), colour)) for colour in colours]
    return (max(lum) + 0.05) / (min(lum) + 0.05)


def pixels(x, y, w, h):  # the colours in a rectangle, the most common but navy first
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], capture_output=True).stdout
    seen = [tuple(data[3 * (WIDTH * j + i):][:3]) for j in range(y, y + h) for i in range(x, x + w)]
    return [max(set(seen) - {NAVY}, key=seen.count)] + seen


# Under KDE's and GTK's dark schemes a box follows the scheme and stays readable; the panel stays navy, each option's
# circle and check box's box stands out from it by 3 : 1, and a dot or tick from them as much (measured until a window
# manager's opening animation is over).
def dark_schemes():
    for scheme in SCHEMES:
        program = start(scheme, (("MIDI ON-OFF", 0),), scheme)
        text = extents(find(program.window("Sound Test"), "label", "Your system cannot play sounds."))
        settle(f"{scheme}: the box", lambda: [] if contrast((box := pixels(*text))[0], (0, 0, 0)) < 2 and max(
            contrast(box[0], c) for c in box[1:]) >= 4.5 else box[:1])
        Window(program, "Sound Test").close()
        for control in e2e.descendants(program.window("Plinkard")):
            if control.getRoleName() in ("radio button", "check box"):  # the indicator: the square at its left
                x, y, _, h = extents(control)
                middle = [1 + h * j + i for j in range(h // 3, h - h // 3) for i in range(h // 3, h - h // 3)]
                faults = lambda seen: [] if NAVY in seen and contrast(seen[0], NAVY) >= 3 and (max(  # noqa: E731
                    contrast(seen[0], seen[i]) for i in middle) >= 3) == (control.name in ("Easy", "Sounds On/Off")) \
                    else seen[:1]
                settle(f"{scheme}: {control.name}", lambda: faults(pixels(x, y, h, h)))


if __name__ == "__main__":
    os.environ.update(PLINKARD_WM=ARGS["--wm"], PLINKARD_SCREEN=f"{WIDTH}x{HEIGHT}")  # what headless-session starts
    e2e.main((game_windows, dark_schemes), ("PLINKARD_WM_STARTED", "DBUS_SESSION_BUS_ADDRESS"))
