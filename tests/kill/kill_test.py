#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Catches settings left as a mix of old and new values by a SIGKILL in play, Okay or Exit (a server gone: run_e2e.py).
import os, random, re, shutil, subprocess, sys, tempfile, threading, time

# Centres of the controls in twips from the window's top left; 15 make a pixel.
SETTINGS, EXIT, MUSIC, SOUNDS, FIELD = (3382, 4575), (5250, 4575), (2475, 4230), (3915, 4230), (60, 3705)
CHANGE_SPEED, POINTS, OKAY = (255, 1470), (255, 1755), (3547, 2220)


def xdo(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True).stdout.split()


def find(title, timeout=15.0, alive=lambda: True):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and alive():
        for box in xdo("search", "--onlyvisible", "--name", "^Sound Test$"):  # no sound server: it only informs
            xdo("key", "--window", box, "Return")
        if ids := xdo("search", "--onlyvisible", "--name", f"^{title}$"):
            time.sleep(0.1)  # mapped is not yet placed
            return ids[-1]
        time.sleep(0.03)


def click(window, spot):
    geometry = dict(word.split("=") for word in xdo("getwindowgeometry", "--shell", window or 0) if "=" in word)
    if "X" in geometry:  # else the window is gone: killed meanwhile
        xdo("mousemove", int(geometry["X"]) + spot[0] // 15, int(geometry["Y"]) + spot[1] // 15, "click", 1)


def main():
    if len(sys.argv) < 2 or not os.environ.get("DISPLAY") or not shutil.which("xdotool"):
        return print("skipped: needs the program, a display and xdotool") or 77
    binary, rng = sys.argv[1], random.Random(20261206)
    config = tempfile.mkdtemp(prefix="plinkard-kill.")
    env = {k: v for k, v in os.environ.items() if k != "QT_QPA_PLATFORM"} | {"XDG_CONFIG_HOME": config, "HOME": config}
    path, failures, started = os.path.join(config, "Brindlecot.ini"), [], []
    stored = lambda: dict(re.findall(r"^([^=\[\n]+)=(.*)$", open(path, "rb").read().decode("latin-1"), re.M))

    def start():
        # Now and then Xvfb refuses a new client right after one was killed ("could not connect to display"):
        # the screen's fault, not the game's. Such a start ends at once; another follows after a pause.
        for _ in range(8):
            started.append(subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL))
            if wid := find("Plinkard", alive=lambda p=started[-1]: p.poll() is None):
                return started[-1], wid
            started[-1].kill()
            time.sleep(0.5)
        raise RuntimeError("the game showed no window in eight starts")

    try:
        for n in range(-1, 100):  # -1: Okay, then Exit, store every setting once
            proc, wid = start()
            moment = "first" if n < 0 else rng.choice(["play", "okay", "exit"])
            window = wid if moment in ("play", "exit") else click(wid, SETTINGS) or find("Settings", 10)
            if moment != "play":  # two values change at once: a kill between their writes would show a mix
                click(window, MUSIC if moment == "exit" else CHANGE_SPEED)
                click(window, SOUNDS if moment == "exit" else POINTS)
                if n >= 0:  # the kill races the click: before, during or after the handler's writes
                    threading.Timer(rng.uniform(0, 0.12), lambda p=proc: p.poll() is None and p.kill()).start()
                click(window, EXIT if moment == "exit" else OKAY)
            if moment == "first":
                click(wid, EXIT)
                proc.wait(10)
                old, old_values = open(path, "rb").read(), stored()
                assert len(old_values) == 8, f"the first run stored {sorted(old_values)}"
            time.sleep(rng.uniform(0.15, 0.4))
            proc.kill()
            proc.wait()
            changed = {"okay": ("Change Speed", "Extra Points"), "exit": ("MIDI ON-OFF", "WAVE ON-OFF")}.get(moment, ())
            new_values = old_values | {key: "0" if old_values[key] == "1" else "1" for key in changed}
            if stored() not in (old_values, new_values):
                failures.append(f"kill {n} during {moment}: {stored()} is neither the old nor the new settings")
            open(path, "wb").write(old)
    except Exception as error:  # a start-up that never came or a game that would not close: say so, leave nothing
        failures.append(f"{type(error).__name__}: {error}")
    finally:
        for proc in started:
            proc.kill()
            proc.wait()
        shutil.rmtree(config, ignore_errors=True)
    print("\n".join("FAIL " + f for f in failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
