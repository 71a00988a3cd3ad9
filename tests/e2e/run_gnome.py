#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The game as a Wayland client of GNOME's mutter, headless on an 800 x 600 monitor (scripts/headless-session): played
# through the accessibility bus and with real keys and clicks from mutter's remote-desktop interface, while mutter's
# log says where it put each window, what above what, and where the focus went. Prints a line per window: "CELL".
import os, re, shutil, subprocess, sys, time

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run_e2e as e2e
from run_e2e import children, descendants, find, heard, labels, rms, wait_for
from run_wayland import NO_STATE, counter, on, press

NAMES, IDS = {}, {}  # mutter's window: the game's, and back
shown = lambda program: {w.name for w in children(program.app)}  # noqa: E731


def game(name, settings=None, without=()):  # a Wayland client of mutter's: (program, its first window)
    return on(os.environ["PLINKARD_MUTTER_WAYLAND_DISPLAY"], name, settings or {}, without)


def mutter(*command):  # scripts/mutter-input: keys and clicks
    return subprocess.run([os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "mutter-input"),
                           *map(str, command)], capture_output=True, text=True, check=True).stdout


def stacked():  # {mutter's window: frame (x, y, width, height)}, bottom first, and the game's window it focuses
    *frames, focus = mutter("windows").splitlines()
    return {w: tuple(map(int, f)) for w, *f in map(str.split, frames) if f}, NAMES.get(focus.split()[1])


def placed(program, title, owner=None):  # mutter's frame: wholly on the screen and above its owner
    _, _, width, height = e2e.extents(program.window(title))

    def mapped():  # its log seldom names windows: of those mapped since, the one of this size (or with its frame)
        frames = stacked()[0]
        if new := sorted((abs(f[2] - width) + abs(f[3] - height), w) for w, f in frames.items() if f and w not in NAMES):
            NAMES[new[0][1]], IDS[title] = title, new[0][1]
        return title in map(NAMES.get, frames) and frames
    frames = wait_for(f"mutter to show {title!r}", mapped)
    (x, y, w, h), (ox, oy, ow, oh) = frames[IDS[title]], frames[IDS[owner]] if owner else (0, 0, 800, 600)
    assert 0 <= x and 0 <= y and x + w <= 800 and y + h <= 600, f"{title!r} not wholly on the screen: {x, y, w, h}"
    assert not owner or list(frames).index(IDS[title]) > list(frames).index(IDS[owner]), f"{title!r} under {owner!r}"
    off = abs(2 * x + w - 2 * ox - ow) / ow, abs(2 * y + h - 2 * oy - oh) / oh  # its middle from the owner's or screen's
    where = f"{'over' if max(off) < 1 else 'beside'} {owner}" if owner else "centred" if max(off) < 0.01 else "off centre"
    print(f"CELL {title}: {'above ' + owner if owner else 'alone'}, wholly on screen at ({x}, {y}) {w} x {h}, {where}")
    return x, y, w, h


def close(program, title, owner="Plinkard", does=lambda: "closes it"):  # Alt+F4, as GNOME users close a window
    wait_for(f"mutter to focus {title!r}", lambda: stacked()[1] == title)
    mutter("key", "Alt", "F4")
    wait_for(f"{title!r} to close", lambda: title not in shown(program))
    effect = does()
    owner and wait_for(f"mutter to focus {owner!r} after {title!r}", lambda: stacked()[1] == owner)
    if owner == "Plinkard":
        mutter("key", "F3")
        answer_pause(program)
    print(f"CELL {title}: the close box {effect}" + (f"; focus back on {owner}" if owner else "") +
          (", where F3 pauses" if owner == "Plinkard" else ""))


def answer_pause(program):  # with Enter, once the box has the keyboard
    box = program.window("Paused", 5)
    wait_for("the box to have the keyboard", lambda: box.getState().contains(pyatspi.STATE_ACTIVE))
    mutter("key", "Return")
    wait_for("the pause to end", lambda: "Paused" not in shown(program))


def runs(main):  # the clock goes on
    clock = lambda: next(n for n in labels(main) if re.fullmatch(r"\d+:\d+:\d+", n))  # noqa: E731
    return wait_for("the clock to run", lambda before=clock(): clock() != before and "goes on with play", 3)


# Start, a miss clicked and heard; each window opened, put, closed with Alt+F4 and the focus looked for; Exit saving.
def windows():
    program, main = game("windows", {"MIDI ON-OFF": "0"})
    x, y, w, h = placed(program, "Plinkard")
    _, _, inner_w, inner_h = e2e.extents(main)  # Qt draws a title bar on a frame as wide on all sides
    side = (w - inner_w) // 2
    shot = rms(heard(1, lambda: mutter("click", x + side + 51, y + h - side - inner_h + 120)))  # where no target is
    assert shot > 0.001 and counter(main, "Misses:") == 1, f"a real click: heard {shot}, {counter(main, 'Misses:')}"
    opens = lambda owner, button: lambda: press(find(program.window(owner), "push button", button))  # noqa: E731
    for title, opening, owner in (("Paused", lambda: mutter("key", "F3"), "Plinkard"),
                                  ("High Scores", opens("Plinkard", "High Scores"), "Plinkard"),
                                  ("Settings", opens("Plinkard", "Settings"), "Plinkard"),
                                  ("Colors", opens("Settings", "Colors"), "Settings"),
                                  ("Choose Color", opens("Colors", "Choose the field's colour"), "Colors"),
                                  ("Colors", None, "Settings"),
                                  ("Select File", opens("Settings", "Browse for the music"), "Settings"),
                                  ("Settings", None, "Plinkard")):
        if opening:
            opening()
            placed(program, title, owner)
        if title not in ("Settings", "Colors") or not opening:
            close(program, title, owner, lambda: runs(main) if owner == "Plinkard" else "cancels")
    press(find(main, "check box", "Sounds On/Off"))
    press(find(main, "push button", "Exit"))
    assert program.process.wait(10) == 0, "Exit did not end the game with status 0"
    assert re.search(r"WAVE(%20| )ON-OFF=0", open(os.path.join(program.config, "Brindlecot.ini")).read()), "not saved"


# The question of the winning score over the pause (a hit just before it) and its close box; after "No" the name box,
# in a folder whose table any score enters. A penguin's box. At start, the boxes for no sound server and no score file.
def boxes():
    shutil.copytree(os.path.dirname(e2e.BINARY), folder := os.path.join(e2e.ROOT, "boxes"))
    lines = open(os.path.join(folder, "scores.dat"), newline="").read().split("\r\n")
    open(os.path.join(folder, "scores.dat"), "w", newline="").write("\r\n".join(lines[:3] + ["0"] * 10 + lines[13:]))
    os.makedirs(folder + "-config")  # as Program writes it for a new folder
    open(os.path.join(folder + "-config", "Brindlecot.ini"), "w").write("[Plinkard]\nWinning Score=50\nMIDI ON-OFF=0\n"
                                                                       "Change Speed=0\nExtra Points=0\n")
    program, main = game("boxes")
    placed(program, "Plinkard")
    while not {"Paused", "You made it!"} <= shown(program):  # F3 before the next half-second tick asks
        press(wait_for("a target", lambda: next(a for a in descendants(main) if a.getRoleName() == "push button"
                                                 and a.name not in ("New Game", "Settings", "High Scores", "Exit"))))
        mutter("key", "F3")
        time.sleep(1)
        if {"Paused", "You made it!"} - shown(program) == {"Paused"}:
            press(find(program.window("You made it!"), "push button", "Yes"))
            press(find(main, "push button", "New Game"))
        elif {"Paused", "You made it!"} - shown(program) == {"You made it!"}:
            answer_pause(program)
    placed(program, "Paused", "Plinkard")
    placed(program, "You made it!", "Paused")
    mutter("key", "Alt", "F4")
    time.sleep(0.5)
    assert "You made it!" in shown(program), "the close box answered the question"
    print("CELL You made it!: the close box answers nothing, as the design has it: only Yes and No do")
    press(find(program.window("You made it!"), "push button", "No"))
    placed(program, "High Score!", "Paused")
    close(program, "High Score!", "Paused")
    answer_pause(program)
    program.process.kill()
    program, main = game("penguin", {"MIDI ON-OFF": "0"})
    placed(program, "Plinkard")
    press(find(main, "radio button", "Too Hard"))
    wait_for("a penguin hit", lambda: [press(p) for p in [find(main, "push button", "penguin")] if p] and time.sleep(0.2)
             or "Oops!" in shown(program), 20)
    placed(program, "Oops!", "Plinkard")
    close(program, "Oops!", "Plinkard", lambda: counter(main, "Score:") == 0 and "starts a new game")
    program.process.kill()
    program = e2e.Program("silent", {}, {"WAYLAND_DISPLAY": os.environ["PLINKARD_MUTTER_WAYLAND_DISPLAY"], "DISPLAY": "",
                                          "PULSE_SERVER": "unix:/no"})
    placed(program, "Sound Test")
    close(program, "Sound Test", "Plinkard", lambda: placed(program, "Plinkard") and "goes on to the game")
    close(program, "Plinkard", None, lambda: program.process.wait(10) == 0 and "ends the game as Exit does")
    assert re.search(r"^WAVE=.*mchgun.wav$", open(os.path.join(program.config, "Brindlecot.ini")).read(), re.M)
    program, box = game("missing", {}, ("scores.dat",))
    placed(program, "Error!")
    close(program, "Error!", None, lambda: program.process.wait(10) == 1 and "ends the game, storing nothing")


if __name__ == "__main__":  # inside a session (which names its sound server) mutter's input is there, or it failed
    if not shutil.which("mutter") or os.environ.get("PLINKARD_SOUND_SERVER") and not os.environ.get("PLINKARD_MUTTER_INPUT"):
        sys.exit(print("skipped: mutter is not installed (scripts/install-deps all) or did not start") or 77)
    e2e.main((windows, boxes), ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "PULSE_SERVER", "PLINKARD_MUTTER_INPUT"))
