#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The screenshots software centres show (the metainfo names them under the project's URL): the real program on the
# private screen of scripts/headless-session, a game in play, the settings window and the high-score table. By default
# the installed package's, so that the settings window shows the paths a player sees.
# Usage: scripts/headless-session tools/make_screenshots.py [PROGRAM (/usr/games/plinkard)] [FOLDER (docs/screenshots)]
import os, subprocess, sys, tempfile, time

import pyatspi

# The end-to-end suite's way of finding and waiting for controls.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from run_e2e import descendants, extents, find, wait_for, xdotool  # noqa: E402

SCALE = 2  # as on a high-DPI desktop: software centres show the pictures large, and the game draws sharp there
PANEL = {"New Game", "Settings", "High Scores", "Exit"}
# Spared: the penguins end the game with a message, these cost points or change the level.
SPARED = {"penguin", "bomb", "skull", "egg", "kitten", "light-bulb", "fish-bowl", "snail", "tortoise", "shoe", "duck",
          "shooting-star", "rabbit", "rocket", "race-car", "lightning", "jet"}


def click(acc):  # the accessibility tree gives the places before scaling
    x, y, w, h = extents(acc)
    xdotool("mousemove", (x + w // 2) * SCALE, (y + h // 2) * SCALE, "click", "1")


def targets(main):  # the shown ones worth shooting here
    return [a for a in descendants(main) if a.getRoleName() == "push button" and a.name not in PANEL | SPARED]


def main():
    binary = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "/usr/games/plinkard")
    out = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "docs/screenshots")
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as config:
        env = dict(os.environ, XDG_CONFIG_HOME=config, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_SCALE_FACTOR=str(SCALE))
        env.pop("QT_QPA_PLATFORM", None)
        game = subprocess.Popen([binary], cwd=config, env=env)
        try:
            app = wait_for("the program in the accessibility tree", lambda: next(
                a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == game.pid), 15)
            window = lambda title: wait_for(f"the window {title!r}", lambda: next(
                w for w in (app.getChildAtIndex(i) for i in range(app.childCount)) if w.name == title), 10)

            def snap(title, name):
                window(title)
                wid = wait_for(title, lambda: xdotool("search", "--all", "--onlyvisible", "--pid", game.pid,
                                                      "--name", f"^{title}$").split())[0]
                time.sleep(0.5)  # the last paint
                # Without dates, so that the same picture gives the same bytes.
                subprocess.run(["import", "-window", wid, "-strip", "-define", "png:exclude-chunks=date,time",
                                os.path.join(out, name)], check=True)
                print(os.path.join(out, name))

            main_window = window("Plinkard")
            time.sleep(1.5)  # the first targets
            for _ in range(5):  # a few hits, so the score and the magazine show play; a target may move away
                shot = wait_for("a target", lambda: targets(main_window), 10)
                click(shot[0])
                time.sleep(0.6)
            wait_for("a field with several targets", lambda: len(targets(main_window)) >= 4, 15)
            snap("Plinkard", "play.png")
            click(find(main_window, "push button", "Settings"))
            snap("Settings", "settings.png")
            click(find(window("Settings"), "push button", "Cancel"))
            click(wait_for("the panel again", lambda: find(main_window, "push button", "High Scores")))
            snap("High Scores", "scores.png")
            click(find(window("High Scores"), "push button", "Close"))
            click(wait_for("the panel again", lambda: find(main_window, "push button", "Exit")))
            game.wait(10)
        finally:
            if game.poll() is None:
                game.kill()
                game.wait()


if __name__ == "__main__":
    main()
