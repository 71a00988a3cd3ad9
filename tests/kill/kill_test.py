#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Catches a settings file left incomplete by a SIGKILL during play, Okay or Exit, or a hang when the sound server dies.
import os, random, re, shutil, subprocess, sys, tempfile, threading, time

# Centres of the controls in twips from the window's top left; 15 make a pixel.
SETTINGS, EXIT, MUSIC, FIELD, CHANGE_SPEED, OKAY = (3382, 4575), (5250, 4575), (2475, 4230), (60, 3705), (255, 1470), (3547, 2220)


def xdo(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True).stdout.split()


def find(title, timeout=15.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
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
    path, failures = os.path.join(config, "Brindlecot.ini"), []
    complete = lambda: os.path.exists(path) and len(re.findall(r"^[^=\[\n]+=", open(path, "rb").read().decode("latin-1"), re.M)) == 8

    def start(extra={}):
        for _ in range(3):  # now and then Xvfb refuses a new client: the screen's fault, not the game's
            proc = subprocess.Popen([binary], env=env | extra, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if (wid := find("Plinkard")) or proc.poll() is None:
                return proc, wid

    for n in range(-1, 100):  # -1: Okay, then Exit, store every setting once
        proc, wid = start()
        moment = "first" if n < 0 else rng.choice(["play", "okay", "exit"])
        if moment in ("first", "okay"):
            click(wid, SETTINGS)
        window = find("Settings", 10) if moment in ("first", "okay") else wid
        if moment != "play" and window is not None:
            click(window, MUSIC if moment == "exit" else CHANGE_SPEED)
            if n >= 0:  # the kill races the click: before, during or after the handler's writes
                threading.Timer(rng.uniform(0, 0.12), lambda p=proc: p.poll() is None and p.kill()).start()
            click(window, EXIT if moment == "exit" else OKAY)
        if moment == "first":
            click(wid, EXIT)
            proc.wait(10)
            old = open(path, "rb").read()
        time.sleep(rng.uniform(0.15, 0.4))
        proc.kill()
        proc.wait()
        if wid is None or not complete():
            failures.append(f"kill {n} during {moment}: " + ("no window" if wid is None else "the file is not complete"))
        open(path, "wb").write(old)
    pulse = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--load=module-null-sink",
                              f"--load=module-native-protocol-unix auth-anonymous=1 socket={config}/pulse"],
                             env=env | {"XDG_RUNTIME_DIR": config}, stderr=subprocess.DEVNULL)
    time.sleep(1)
    proc, wid = start({"PULSE_SERVER": f"unix:{config}/pulse"})
    click(wid, FIELD)
    pulse.kill()  # the sound server goes away under the running game; it must still answer
    pulse.wait()
    for spot in (FIELD, MUSIC, MUSIC, SETTINGS):
        click(wid, spot)
    if find("Settings", 10) is None or proc.poll() is not None:
        failures.append("the game stopped answering after its sound server went away")
    proc.kill()
    shutil.rmtree(config, ignore_errors=True)
    print("\n".join("FAIL " + f for f in failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
