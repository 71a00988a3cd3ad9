#!/usr/bin/python3
"""The real game, started as a user starts it and driven only from outside: xdotool for the mouse and keys,
the accessibility tree to read it, the null sink to hear it. A failing session leaves a screenshot and the
program's output in the artifacts folder."""
import argparse, os, re, shutil, signal, struct, subprocess, sys, tempfile, time, traceback, urllib.parse

import pyatspi

ROOT, BINARY, PROGRAMS = "", "", []
PLAIN = {"Change Speed": "0", "Extra Points": "0"}  # every hit +100, the level stays


class Failure(Exception):
    pass


def wait_for(what, condition, timeout=5.0):
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except Exception:  # a control that is going away answers with errors for a moment
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.05)


def holds(what, condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not condition():
            raise Failure(f"{what} stopped holding")
        time.sleep(0.1)


def expect(what, actual, wanted):
    if actual != wanted:
        raise Failure(f"{what}: expected {wanted!r}, got {actual!r}")


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


def heard(lead, during=lambda: None):
    """The RMS amplitude sox hears on the null sink while during() runs and `lead` seconds after."""
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
        self.log = open(os.path.join(ROOT, name + ".log"), "w")
        env = dict(os.environ, XDG_CONFIG_HOME=self.config, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **(env or {}))
        env.pop("QT_QPA_PLATFORM", None)
        self.process = subprocess.Popen([os.path.join(self.folder, "plinkard")], cwd=self.folder, env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
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

    def ended(self):
        wait_for("the program to end", lambda: self.process.poll() is not None)
        with open(os.path.join(self.config, "Brindlecot.ini")) as f:
            return {urllib.parse.unquote(k): v for k, v in re.findall(r"^([^=\[\n]+)=(.*)$", f.read(), re.M)}


class Game:
    """The main window as a screen reader and a mouse see it."""

    def __init__(self, program):
        self.main = program.window("Plinkard")
        self.panel = wait_for("the score panel", lambda: find(self.main, "panel", "Score panel"))
        caption = {a.name: a for a in descendants(self.panel) if a.getRoleName() == "label"}
        self.values = [next(r.getTarget(0) for r in caption[name].getRelationSet()
                            if r.getRelationType() == pyatspi.RELATION_LABEL_FOR)
                       for name in ("Score:", "Misses:", "Time:")]
        self.controls = {a.name: a for a in descendants(self.panel)
                         if a.getRoleName() in ("push button", "radio button", "check box")}

    def score(self):
        return int(self.values[0].name)

    def clock(self):
        return self.values[2].name

    def state(self):
        """Score, misses, bullets shown, whether RELOAD shows, and the prompt."""
        bullets = sum(1 for a in children(self.panel) if a.getRoleName() == "image")
        prompt = next(a.name for a in children(self.panel) if a.description == "Click to reload")
        return self.score(), int(self.values[1].name), bullets, bool(find(self.main, "label", "RELOAD")), prompt

    def on(self, name):
        return self.controls[name].getState().contains(pyatspi.STATE_CHECKED)

    def targets(self):
        return [a for a in children(self.main) if a.getRoleName() == "push button"]

    def shoot(self):
        """Clicks a shown target clear of the others and the panel. Motion may hide it first, so the shot
        is a hit (+100) or a miss (-95, one more miss); anything else fails."""
        score, misses, bullets = self.state()[:3]
        def clear(t, x, y, w, h):
            return t.name != "penguin" and y + h <= extents(self.panel)[1] and all(
                o is t or x + w <= ox or ox + ow <= x or y + h <= oy or oy + oh <= y
                for o, (ox, oy, ow, oh) in ((o, extents(o)) for o in self.targets()))
        target = wait_for("a target to shoot", lambda: next(t for t in self.targets() if clear(t, *extents(t))))
        click_on(target)
        wait_for(f"the shot at {target.name} {extents(target)} to take a bullet", lambda: self.state()[2] == bullets - 1)
        after = wait_for("the score to change", lambda: self.state()[:2] != (score, misses) and self.state()[:2])
        if after not in ((score + 100, misses), (score - 95, misses + 1)):
            raise Failure(f"a shot took score and misses from {(score, misses)} to {after}")


# Start-up read through the accessibility tree; a .rmi chosen as the music heard; a miss heard and
# counted; F3 pausing with the clock standing, F3 after Tab not; hits until the magazine is empty, its
# RELOAD and the reload; Exit storing the switches and paths.
def play():
    smf = open(os.path.join(os.path.dirname(BINARY), "snot.mid"), "rb").read()
    rmi = os.path.join(ROOT, "tune.rmi")
    with open(rmi, "wb") as f:
        data = b"data" + struct.pack("<I", len(smf)) + smf + b"\0" * (len(smf) % 2)
        f.write(b"RIFF" + struct.pack("<I", 4 + len(data)) + b"RMID" + data)
    program = Program("play", dict(PLAIN, MIDI=rmi), without=("snot.mid",))
    game = Game(program)
    expect("start-up state", game.state(), (0, 0, 14, False, ""))
    switches = ("Too Easy", "Easy", "Hard", "Too Hard", "Music On/Off", "Sounds On/Off")
    expect("switches at start-up", [game.on(n) for n in switches], [False, True, False, False, True, True])
    start = game.clock()
    wait_for("the clock to run", lambda: game.clock() != start)
    wait_for("targets to pop up", lambda: len(game.targets()) >= 3)
    if not program.gone("Sound Test"):
        raise Failure("the sound test complained although a sound server runs")
    music = heard(3)
    click_on(game.controls["Music On/Off"])
    wait_for("the music to stop", lambda: not game.on("Music On/Off"))
    time.sleep(0.5)
    quiet, shot = heard(1), heard(1, lambda: click_on(game.main, 51, 120))  # a spot no target covers
    print(f"     RMS: .rmi music {music:.4f}, quiet {quiet:.4f}, a shot {shot:.4f}", flush=True)
    if music < 0.001 or shot < 0.001 or shot <= 2 * quiet:
        raise Failure(f"not heard: the .rmi music (RMS {music}) or the shot ({shot} against {quiet})")
    wait_for("the miss to count", lambda: game.state() == (-95, 1, 13, False, ""))

    while game.state()[2] > 0:
        game.shoot()
    empty = game.state()
    expect("the empty magazine", empty[2:], (0, True, "CLICK TO RELOAD"))
    if empty[0] <= -95:
        raise Failure("thirteen shots at shown targets and not one hit")
    click_on(find(game.main, "label", "RELOAD"))
    wait_for("the reload", lambda: game.state() == empty[:2] + (14, False, ""))

    program.key("Plinkard", "F3")  # the panel has the focus since the music box's mouse-up
    expect("pause box", labels(program.window("Paused")), ["Paused.  Press OK to continue."])
    frozen = game.clock()
    holds("the clock standing while paused", lambda: game.clock() == frozen, 2.2)
    click_on(find(program.window("Paused"), "push button", "OK"))
    wait_for("the clock to run after the pause", lambda: game.clock() != frozen, 2.5)
    program.key("Plinkard", "Tab")
    program.key("Plinkard", "F3")
    holds("no pause box after Tab and F3", lambda: program.gone("Paused"), 1.5)

    click_on(game.controls["Sounds On/Off"])
    wait_for("the sounds off", lambda: not game.on("Sounds On/Off"))
    click_on(game.controls["Exit"])
    stored = program.ended()
    expect("stored on Exit", [stored.get(k) for k in ("MIDI ON-OFF", "WAVE ON-OFF", "MIDI", "WAVE")],
           ["0", "0", rmi, os.path.join(os.path.realpath(program.folder), "mchgun.wav")])


# No sound server: "Sound Test" informs and play goes on; Escape on "You made it!" leaves the question
# open with the clock running, and only Yes answers it.
def silent_and_the_question():
    program = Program("silent", dict(PLAIN, **{"Winning Score": "0"}), {"PULSE_SERVER": "unix:/nonexistent/socket"})
    box = program.window("Sound Test", 15)
    expect("sound test", labels(box), ["Your system cannot play sounds."])
    click_on(find(box, "push button", "OK"))
    game = Game(program)
    while game.score() <= 0:
        game.shoot()
    program.window("You made it!")
    program.key("You made it!", "Escape")
    holds("the question open after Escape", lambda: not program.gone("You made it!"), 1.5)
    clock, score = game.clock(), game.score()
    wait_for("the clock to run behind the question", lambda: game.clock() != clock)
    click_on(find(program.window("You made it!"), "push button", "Yes"))
    wait_for("the question to close", lambda: program.gone("You made it!"))
    expect("score after Yes", game.score(), score)


# Without scores.dat the game says so and ends, storing nothing.
def missing_score_file():
    program = Program("missing", {}, without=("scores.dat",))
    box = program.window("Error!")
    expect("error box", labels(box),
           ["Error!  scores.dat was not found.  Plinkard high scores will not operate with out this file."])
    click_on(find(box, "push button", "OK"))
    expect("settings stored", program.ended(), {})


def run(session, artifacts):
    started, failure = time.monotonic(), None
    try:
        session()
    except Exception as error:
        failure = str(error) if isinstance(error, Failure) else traceback.format_exc()
        os.makedirs(os.path.join(artifacts, session.__name__), exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(artifacts, session.__name__, "screen.png")])
        for program in PROGRAMS:
            shutil.copy(program.log.name, os.path.join(artifacts, session.__name__))
    for program in PROGRAMS:
        program.process.kill()
        program.process.wait()
    PROGRAMS.clear()
    print(f"{'FAIL' if failure else 'PASS'} {session.__name__} ({time.monotonic() - started:.1f} s)"
          f"{': ' + failure if failure else ''}", flush=True)
    return failure is None


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--binary", required=True)
    parser.add_argument("--artifacts", default="e2e-artifacts")
    args = parser.parse_args()
    if not all(os.environ.get(v) for v in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "PULSE_SERVER")):
        session = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "headless-session")
        os.execv(session, [session, sys.executable, *sys.argv])
    ROOT, BINARY, started = tempfile.mkdtemp(prefix="plinkard-e2e-"), os.path.abspath(args.binary), time.monotonic()
    shutil.rmtree(args.artifacts, ignore_errors=True)
    try:
        passed = [run(s, args.artifacts) for s in (play, silent_and_the_question, missing_score_file)]
    finally:
        shutil.rmtree(ROOT, ignore_errors=True)
    print(f"{passed.count(False)} of {len(passed)} sessions failed, {time.monotonic() - started:.1f} s in all")
    sys.exit(0 if all(passed) else 1)
