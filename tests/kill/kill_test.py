#!/usr/bin/env python3
"""The real program killed with SIGKILL at random moments: during play, during the
settings window's Okay and during Exit. Afterwards the settings file must be the
old or the new complete version, and the next start must show the window.

Usage: kill_test.py PATH-TO-PLINKARD [KILLS]   (skips with 77 without a display)
"""
import configparser
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

SKIP = 77
TWIP = 15  # twips per pixel at 96 dpi


def xdotool(*args):
    out = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    return out.stdout.strip()


def find_window(title, timeout=15.0, proc=None):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and (proc is None or proc.poll() is None):
        ids = xdotool("search", "--onlyvisible", "--name", f"^{title}$").split()
        if ids:
            return ids[-1]
        # Without a sound device a box comes first; it only informs.
        for box in xdotool("search", "--onlyvisible", "--name", "^Sound Test$").split():
            xdotool("windowfocus", "--sync", box)
            xdotool("key", "--window", box, "Return")
        time.sleep(0.03)
    return None


def origin(wid):
    geo = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", wid).splitlines() if "=" in line)
    if "X" not in geo:
        return None  # the window is gone: the program was killed meanwhile
    return int(geo["X"]), int(geo["Y"])


def click(wid, left_twips, top_twips, width_twips, height_twips, at_box=False):
    where = origin(wid)
    if where is None:
        return
    x0, y0 = where
    x = x0 + (left_twips + (120 if at_box else width_twips // 2)) // TWIP
    y = y0 + (top_twips + height_twips // 2) // TWIP
    xdotool("mousemove", x, y, "click", "1")


# Controls in window coordinates (twips): the panel starts at 3735 in the main window.
PANEL = 3735
SETTINGS_BUTTON = (2985, PANEL + 675, 795, 330)
EXIT_BUTTON = (4935, PANEL + 675, 630, 330)
MUSIC_BOX = (2355, PANEL + 375, 1380, 240)
SOUNDS_BOX = (3795, PANEL + 375, 1440, 240)
# In the settings window: the check boxes sit in a frame at (45, -15).
CHANGE_SPEED_BOX = (45 + 90, -15 + 1350, 2355, 270)
EXTRA_POINTS_BOX = (45 + 90, -15 + 1635, 2310, 270)
OKAY_BUTTON = (3150, 2055, 795, 330)


class Game:
    def __init__(self, binary, config):
        self.binary = binary
        self.env = dict(os.environ, XDG_CONFIG_HOME=config, HOME=config)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.proc = None
        self.wid = None
        self.display_refusals = 0

    def start(self):
        begin = time.monotonic()
        for _ in range(3):
            log = tempfile.TemporaryFile()
            self.proc = subprocess.Popen([self.binary], env=self.env, stdout=subprocess.DEVNULL, stderr=log)
            self.wid = find_window("Plinkard", proc=self.proc)
            if self.wid is not None or self.proc.poll() is None:
                break
            # Now and then Xvfb refuses a new client; that is the screen's fault, not the game's.
            log.seek(0)
            if b"could not connect to display" not in log.read():
                break
            self.display_refusals += 1
        self.startup = time.monotonic() - begin
        if os.environ.get("PLINKARD_KILL_VERBOSE"):
            print(f"start took {self.startup:.2f} s", flush=True)
        return self.wid is not None and self.proc.poll() is None

    def arm_kill(self, delay):
        # The kill races the click: it may land before, during or after the handler's writes.
        if delay is not None:
            proc = self.proc
            threading.Timer(delay, lambda: proc.poll() is None and proc.send_signal(signal.SIGKILL)).start()

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGKILL)
        if self.proc:
            self.proc.wait()

    def wait_exit(self, timeout=10):
        try:
            self.proc.wait(timeout=timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def open_settings(self):
        click(self.wid, *SETTINGS_BUTTON)
        dialog = find_window("Settings", timeout=10)
        # Mapped is not yet placed and painted: give it a moment before clicking into it.
        time.sleep(0.1)
        return dialog


def ini_file(config):
    return os.path.join(config, "Brindlecot.ini")


def read_bytes(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def parsed(data):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str
    parser.read_string(data.decode("utf-8"))
    return {s: dict(parser[s]) for s in parser.sections()}


def okay_action(game, kill_after=None):
    dialog = game.open_settings()
    if dialog is None:
        return False
    click(dialog, *CHANGE_SPEED_BOX, at_box=True)
    click(dialog, *EXTRA_POINTS_BOX, at_box=True)
    game.arm_kill(kill_after)
    click(dialog, *OKAY_BUTTON)
    return True


def exit_action(game, kill_after=None):
    click(game.wid, *MUSIC_BOX, at_box=True)
    click(game.wid, *SOUNDS_BOX, at_box=True)
    game.arm_kill(kill_after)
    click(game.wid, *EXIT_BUTTON)
    return True


FIELD_SPOT = (0, 3690, 120, 30)  # a strip of the field that no target cell covers


def sound_server_goes_away(binary, failures):
    """A private sound server killed under a running game: silence, and the game goes on answering."""
    if shutil.which("pulseaudio") is None:
        return
    runtime = tempfile.mkdtemp(prefix="plinkard-pulse.")
    socket_path = os.path.join(runtime, "native")
    pulse = subprocess.Popen(
        ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
         f"--load=module-native-protocol-unix auth-anonymous=1 socket={socket_path}",
         "--load=module-null-sink sink_name=going_sink"],
        env=dict(os.environ, XDG_RUNTIME_DIR=runtime, HOME=runtime),
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    config = tempfile.mkdtemp(prefix="plinkard-kill.")
    game = Game(binary, config)
    game.env["PULSE_SERVER"] = f"unix:{socket_path}"
    try:
        deadline = time.monotonic() + 10
        while not os.path.exists(socket_path) and time.monotonic() < deadline:
            time.sleep(0.05)
        if not game.start():
            failures.append("sound server: the window did not appear")
            return
        for _ in range(3):
            click(game.wid, *FIELD_SPOT)
        time.sleep(0.3)
        pulse.send_signal(signal.SIGKILL)
        pulse.wait()
        # Shots, the music switched off and on again, then the settings window must still open.
        for _ in range(5):
            click(game.wid, *FIELD_SPOT)
        click(game.wid, *MUSIC_BOX, at_box=True)
        click(game.wid, *MUSIC_BOX, at_box=True)
        if game.open_settings() is None or game.proc.poll() is not None:
            failures.append("sound server: the game stopped answering after its sound server went away")
        else:
            print("sound server killed during play: the game went on answering")
    finally:
        game.kill()
        if pulse.poll() is None:
            pulse.kill()
            pulse.wait()
        shutil.rmtree(config, ignore_errors=True)
        shutil.rmtree(runtime, ignore_errors=True)


def main():
    if len(sys.argv) < 2 or not os.access(sys.argv[1], os.X_OK):
        print("skipped: no program to start")
        return SKIP
    if not os.environ.get("DISPLAY") or shutil.which("xdotool") is None:
        print("skipped: needs a display and xdotool")
        return SKIP
    binary = sys.argv[1]
    kills = int(sys.argv[2]) if len(sys.argv) > 2 else 100
    rng = random.Random(int(os.environ.get("PLINKARD_KILL_SEED", "20261206")))
    config = tempfile.mkdtemp(prefix="plinkard-kill.")
    path = ini_file(config)
    game = Game(binary, config)
    failures = []
    try:
        # The versions: every setting stored once (Okay, then Exit), then what Okay and Exit make of that.
        assert game.start(), "the program did not start"
        assert okay_action(game)
        time.sleep(0.3)
        click(game.wid, *EXIT_BUTTON)
        assert game.wait_exit(), "Exit did not end the program"
        old = read_bytes(path)
        assert old is not None and len(parsed(old).get("Plinkard", {})) == 8, f"first version: {old!r}"

        assert game.start()
        assert okay_action(game)
        time.sleep(0.5)
        game.kill()
        after_okay = read_bytes(path)
        with open(path, "wb") as f:
            f.write(old)

        assert game.start()
        exit_action(game)
        assert game.wait_exit()
        after_exit = read_bytes(path)
        assert after_okay != old and after_exit != old, "the actions changed nothing"
        versions = {"play": [old], "okay": [old, after_okay], "exit": [old, after_exit]}

        plan = ["play"] * (kills * 4 // 10) + ["okay"] * (kills * 3 // 10)
        plan += ["exit"] * (kills - len(plan))
        rng.shuffle(plan)
        counts = {}
        starts = []
        for n, moment in enumerate(plan):
            with open(path, "wb") as f:
                f.write(old)
            started = game.start()
            starts.append(game.startup)
            if not started:
                failures.append(f"kill {n}: the window did not appear after the kill during {plan[n - 1]}")
                game.kill()
                continue
            if moment == "play":
                time.sleep(rng.uniform(0.0, 0.4))
            elif moment == "okay":
                if not okay_action(game, kill_after=rng.uniform(0.0, 0.12)):
                    failures.append(f"kill {n}: the settings window did not open")
            else:
                exit_action(game, kill_after=rng.uniform(0.0, 0.12))
            time.sleep(0.15)
            game.kill()
            data = read_bytes(path)
            if data is None:
                failures.append(f"kill {n} ({moment}): the settings file is gone")
                continue
            try:
                parsed(data)
            except (configparser.Error, UnicodeDecodeError) as e:
                failures.append(f"kill {n} ({moment}): the settings file does not parse: {e}")
                continue
            if data not in versions[moment]:
                failures.append(f"kill {n} ({moment}): neither the old nor the new version: {parsed(data)}")
                continue
            which = "new" if data != old else "old"
            counts[(moment, which)] = counts.get((moment, which), 0) + 1
        if not game.start():
            failures.append("the window did not appear after the last kill")
        game.kill()
        print("kills:", ", ".join(f"{m} -> {w}: {c}" for (m, w), c in sorted(counts.items())))
        print(f"slowest start: {max(starts):.2f} s of {len(starts)}; the screen refused a start {game.display_refusals} times")
    finally:
        game.kill()
        shutil.rmtree(config, ignore_errors=True)
    sound_server_goes_away(binary, failures)
    for f in failures:
        print("FAIL", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
