#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The real game driven from outside: xdotool for input, the accessibility tree to read it, the null sink to hear it.
import os, re, shutil, signal, struct, subprocess, sys, tempfile, time, traceback

import pyatspi

ROOT, BINARY, PROGRAMS = "", "", []


def wait_for(what, condition, timeout=5.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            if value := condition():
                return value
        except Exception:  # a control that is going away answers with errors for a moment
            pass
        time.sleep(0.05)
    raise AssertionError(f"timed out after {timeout} s waiting for {what}")


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True, timeout=10).stdout


def extents(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def click_on(acc, dx=None, dy=None):
    x, y, w, h = extents(acc)
    xdotool("mousemove", x + (w // 2 if dx is None else dx), y + (h // 2 if dy is None else dy), "click", "1")


def children(acc):  # the shown ones
    kids = (acc.getChildAtIndex(i) for i in range(acc.childCount))
    return [k for k in kids if k is not None and k.getState().contains(pyatspi.STATE_SHOWING)]


def descendants(acc):
    for child in children(acc):
        yield child
        yield from descendants(child)


def find(root, role, name=None):
    return next((a for a in descendants(root) if a.getRoleName() == role and name in (None, a.name)), None)


def labels(root):
    return [a.name for a in descendants(root) if a.getRoleName() == "label"]


def heard(lead, during=lambda: None):  # the RMS sox hears on the null sink while during() runs and lead s after
    path = tempfile.mktemp(suffix=".wav", dir=ROOT)
    recorder = subprocess.Popen(["parecord", "-d", "test_sink.monitor", "--file-format=wav", path])
    time.sleep(0.3)
    during()
    time.sleep(lead)
    recorder.send_signal(signal.SIGINT)
    recorder.wait(5)
    stat = subprocess.run(["sox", path, "-n", "stat"], capture_output=True, text=True).stderr
    return float((re.search(r"RMS\s+amplitude:\s+(\S+)", stat) or [0, 0])[1])


class Program:
    def __init__(self, name, settings, env=None, without=()):
        self.folder, self.config = os.path.join(ROOT, name), os.path.join(ROOT, name + "-config")
        shutil.copytree(os.path.dirname(BINARY), self.folder, ignore=shutil.ignore_patterns(*without))
        os.makedirs(self.config)
        with open(os.path.join(self.config, "Brindlecot.ini"), "w") as f:  # keys as a hand editor writes them
            f.write("[Plinkard]\n" + "".join(f"{k}={v}\n{k.replace(' ', '%20')}={v}\n" for k, v in settings.items()))
        env = dict(os.environ, XDG_CONFIG_HOME=self.config, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **(env or {}))
        env.pop("QT_QPA_PLATFORM", None)
        self.process = subprocess.Popen([os.path.join(self.folder, "plinkard")], cwd=self.folder, env=env)
        PROGRAMS.append(self)
        self.app = wait_for("the program in the accessibility tree", lambda: next(
            a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == self.process.pid), 15)

    def window(self, title, timeout=10):
        return wait_for(f"the window {title!r}", lambda: next(w for w in children(self.app) if w.name == title), timeout)

    def xdotool(self, title, *args):
        return xdotool("search", "--all", "--onlyvisible", "--pid", self.process.pid, "--name", f"^{title}$", *args)

    def gone(self, title):
        return all(w.name != title for w in children(self.app)) and not self.xdotool(title).split()

    def key(self, title, name):
        self.xdotool(title, "windowfocus", "--sync", "key", "--clearmodifiers", name)


# A .rmi chosen as the music heard; a shot heard (F3 with real keys: run_wayland.py; after Tab: FlowTest).
def play():
    smf = open(os.path.join(os.path.dirname(BINARY), "snot.mid"), "rb").read()
    rmi = os.path.join(ROOT, "tune.rmi")
    with open(rmi, "wb") as f:
        data = b"data" + struct.pack("<I", len(smf)) + smf + b"\0" * (len(smf) % 2)
        f.write(b"RIFF" + struct.pack("<I", 4 + len(data)) + b"RMID" + data)
    program = Program("play", {"MIDI": rmi}, without=("snot.mid",))
    main = program.window("Plinkard")
    box = wait_for("the music box", lambda: find(main, "check box", "Music On/Off"))
    assert program.gone("Sound Test"), "the sound test complained although a sound server runs"
    music = heard(3)
    click_on(box)
    wait_for("the music to stop", lambda: not box.getState().contains(pyatspi.STATE_CHECKED))
    time.sleep(0.5)
    quiet, shot = heard(1), heard(1, lambda: click_on(main, 51, 120))  # a spot no target covers
    assert music > 0.001 and shot > 0.001 and shot > 2 * quiet, f"not heard: .rmi {music}, shot {shot}/{quiet}"


# No sound server: "Sound Test" informs and play goes on; Escape on "You made it!" answers nothing.
def silent_and_the_question():
    settings = {"Winning Score": "0", "Change Speed": "0", "Extra Points": "0"}
    program = Program("silent", settings, {"PULSE_SERVER": "unix:/nonexistent/socket"})
    box = program.window("Sound Test", 15)
    assert labels(box) == ["Your system cannot play sounds."], labels(box)
    click_on(find(box, "push button", "OK"))
    main = program.window("Plinkard")
    panel = {"New Game", "Settings", "High Scores", "Exit"}

    def shoot():  # a hit on any target shown, until the question comes
        target = next((a for a in descendants(main) if a.getRoleName() == "push button" and a.name not in panel), None)
        if target is not None:
            click_on(target)
        time.sleep(0.3)
        return program.xdotool("You made it!").split()

    wait_for("the question after a hit", shoot, 20)
    program.key("You made it!", "Escape")
    clock = lambda: next(n for n in labels(main) if re.fullmatch(r"\d+:\d+:\d+", n))
    before = clock()
    wait_for("the clock to run behind the question", lambda: clock() != before, 3)
    assert not program.gone("You made it!"), "Escape answered the question"


def run(session):
    try:
        session()
        print("PASS", session.__name__, flush=True)
        return True
    except Exception:
        print("FAIL", session.__name__, traceback.format_exc(), flush=True)
    finally:
        for program in PROGRAMS:
            program.process.kill()
            program.process.wait()
        PROGRAMS.clear()


def main(sessions, needs=("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "PULSE_SERVER")):  # ONLY=NAME runs one session
    global ROOT, BINARY
    if not all(os.environ.get(v) for v in needs):
        session = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "headless-session")
        os.execv(session, [session, sys.executable, *sys.argv])
    ROOT, BINARY = tempfile.mkdtemp(prefix="plinkard-e2e-"), os.path.abspath(sys.argv[sys.argv.index("--binary") + 1])
    try:
        passed = [run(s) for s in sessions if s.__name__ in os.environ.get("ONLY", s.__name__)]
    finally:
        shutil.rmtree(ROOT, ignore_errors=True)
    sys.exit(0 if all(passed) else 1)


if __name__ == "__main__":
    main((play, silent_and_the_question))
