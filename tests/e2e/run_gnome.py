#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The game as a Wayland client of GNOME's mutter, headless on an 800 x 600 monitor (scripts/headless-session): played
# through the accessibility bus and with real keys and clicks from mutter's remote-desktop interface, while mutter's
# log says where it put each window, what above what, and where the focus went. Prints a line per window: "CELL".
import os, re, shutil, subprocess, sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run_e2e as e2e
from run_e2e import children, counter, find, heard, press, rms, runs, wait_for
from run_wayland import on

NAMES, IDS = {}, {}  # mutter's window: the game's, and back
shown = lambda program: {w.name for w in children(program.app)}  # noqa: E731


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
    print(f"CELL {title}: {'above ' + owner if owner else 'alone'}, wholly on screen at ({x}, {y}) {w} x {h}, the owner's"
          f" middle {ox + ow // 2, oy + oh // 2}, its {x + w // 2, y + h // 2}")
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


# Start, a miss clicked and heard; each window opened, put, closed with Alt+F4 and the focus looked for; Exit saving.
def windows():
    program, main = on(os.environ["PLINKARD_MUTTER_WAYLAND_DISPLAY"], "windows", {"MIDI ON-OFF": "0"})
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


if __name__ == "__main__":  # inside a session (which names its sound server) mutter's input is there, or it failed
    if not shutil.which("mutter") or os.environ.get("PLINKARD_SOUND_SERVER") and not os.environ.get("PLINKARD_MUTTER_INPUT"):
        sys.exit(print("skipped: mutter is not installed (scripts/install-deps all) or did not start") or 77)
    e2e.main((windows,), ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "PULSE_SERVER", "PLINKARD_MUTTER_INPUT"))
