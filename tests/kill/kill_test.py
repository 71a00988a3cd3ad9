#!/usr/bin/env python3
"""Catches a settings file left half-written: the real program is killed with SIGKILL at random moments
(play, the settings window's Okay, Exit); the file must then still hold all eight settings, and the
next start must show the window. Then its sound server is killed under it: the game must go on.

Usage: kill_test.py PATH-TO-PLINKARD [KILLS]   (skips with 77 without a display)
"""
import configparser, os, random, shutil, subprocess, sys, tempfile, threading, time

PANEL = 3735  # twips; 15 make a pixel
SETTINGS, EXIT, MUSIC = (2985, PANEL + 675, 795, 330), (4935, PANEL + 675, 630, 330), (2355, PANEL + 375, 240, 240)
CHANGE_SPEED, OKAY, FIELD = (135, 1335, 240, 270), (3150, 2055, 795, 330), (0, 3690, 120, 30)


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True).stdout.strip()


def find(title, timeout=15.0, proc=None):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and (proc is None or proc.poll() is None):
        for box in xdotool("search", "--onlyvisible", "--name", "^Sound Test$").split():
            xdotool("key", "--window", box, "Return")  # no sound device: a box that only informs
        ids = xdotool("search", "--onlyvisible", "--name", f"^{title}$").split()
        if ids:
            time.sleep(0.1)  # mapped is not yet placed
            return ids[-1]
        time.sleep(0.03)
    return None


def click(wid, left, top, width, height):
    geo = dict(l.split("=", 1) for l in xdotool("getwindowgeometry", "--shell", wid).splitlines() if "=" in l)
    if "X" in geo:  # else the window is gone: killed meanwhile
        xdotool("mousemove", int(geo["X"]) + (left + width // 2) // 15, int(geo["Y"]) + (top + height // 2) // 15, "click", "1")


def start(binary, env):
    for _ in range(3):  # now and then Xvfb refuses a new client: the screen's fault, not the game's
        proc = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wid = find("Plinkard", proc=proc)
        if wid is not None or proc.poll() is None:
            break
    return proc, wid


def complete(path):
    parser = configparser.ConfigParser(interpolation=None)
    try:
        parser.read_string(open(path, encoding="utf-8").read())
        return len(parser["Plinkard"]) == 8
    except (OSError, KeyError, configparser.Error, UnicodeDecodeError):
        return False


def main():
    if len(sys.argv) < 2 or not os.environ.get("DISPLAY") or not shutil.which("xdotool"):
        print("skipped: needs the program, a display and xdotool")
        return 77
    binary, kills, rng = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 100, random.Random(20261206)
    config = tempfile.mkdtemp(prefix="plinkard-kill.")
    env = {k: v for k, v in os.environ.items() if k != "QT_QPA_PLATFORM"} | {"XDG_CONFIG_HOME": config, "HOME": config}
    path, failures = os.path.join(config, "Brindlecot.ini"), []
    proc, wid = start(binary, env)  # every setting stored once: Okay, then Exit
    click(wid, *SETTINGS)
    click(find("Settings"), *OKAY)
    time.sleep(0.3)
    click(wid, *EXIT)
    proc.wait(10)
    assert complete(path), "Okay and Exit did not store the eight settings"
    old = open(path, "rb").read()
    for n in range(kills):
        open(path, "wb").write(old)
        proc, wid = start(binary, env)
        if wid is None:
            failures.append(f"kill {n}: the window did not appear")
        moment = rng.choice(["play", "okay", "exit"])
        if wid is not None and moment != "play":
            window, change, button = wid, MUSIC, EXIT
            if moment == "okay":
                click(wid, *SETTINGS)
                window, change, button = find("Settings", 10), CHANGE_SPEED, OKAY
            if window is not None:
                click(window, *change)
                # The kill races the click: before, during or after the handler's writes.
                threading.Timer(rng.uniform(0, 0.12), lambda p=proc: p.poll() is None and p.kill()).start()
                click(window, *button)
        time.sleep(rng.uniform(0.15, 0.4))
        proc.kill()
        proc.wait()
        if not complete(path):
            failures.append(f"kill {n} during {moment}: the settings file is not complete")
    if shutil.which("pulseaudio"):  # the sound server goes away under a running game
        pulse = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                                  f"--load=module-native-protocol-unix auth-anonymous=1 socket={config}/pulse",
                                  "--load=module-null-sink"], env=env | {"XDG_RUNTIME_DIR": config},
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        proc, wid = start(binary, env | {"PULSE_SERVER": f"unix:{config}/pulse"})
        click(wid, *FIELD)
        pulse.kill()
        pulse.wait()
        for spot in [FIELD, MUSIC, MUSIC]:
            click(wid, *spot)
        click(wid, *SETTINGS)
        if find("Settings", 10) is None or proc.poll() is not None:
            failures.append("the game stopped answering after its sound server went away")
        proc.kill()
        proc.wait()
    shutil.rmtree(config, ignore_errors=True)
    print("\n".join("FAIL " + f for f in failures) or f"{kills} kills: the settings file was complete each time")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
