#!/usr/bin/python3
"""The real game, started as a user starts it (its own program folder, its own settings
folder, a screen, a session bus with the accessibility bus, a sound server) and driven
only from outside. Each session below starts the program afresh; a failing session
leaves a screenshot, the program's output and the accessibility tree behind."""

import argparse
import configparser
import os
import re
import shutil
import struct
import sys
import tempfile
import time
import traceback
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import (Failure, Program, Recording, centre, checked, children, click, click_on, dump,  # noqa: E402
                     expect, extents, find, find_all, holds, key, labelled, program_folder, role, screenshot,
                     showing, sink_inputs_of, text_of, type_text, wait_for, window_ids)

# A spot of the play field (client pixels) that no grid cell and no start place covers.
EMPTY_SPOT = (51, 120)
FIELD_HEIGHT = 249  # the panel starts below


class Game:
    """The main window as a screen reader and a mouse see it."""

    def __init__(self, program):
        self.program = program
        self.main = program.window("Plinkard")
        self.x_window = program.x_window("Plinkard")
        self.left, self.top, self.width, _ = extents(self.main)
        self.panel = wait_for("the score panel", lambda: find(self.main, "panel", "Score panel"))
        captions = {acc.name: acc for acc in find_all(self.panel, "label") if acc.name.endswith(":")}
        self.score_label = labelled(captions["Score:"])
        self.miss_label = labelled(captions["Misses:"])
        self.time_label = labelled(captions["Time:"])
        kids = children(self.main)
        self.targets = [acc for acc in kids if role(acc) == "push button"]
        self.sign = next(acc for acc in kids if role(acc) == "label" and acc.name == "RELOAD")
        panel_kids = children(self.panel)
        self.prompt = next(acc for acc in panel_kids if role(acc) == "label" and acc.description == "Click to reload")
        self.bullets = [acc for acc in panel_kids if role(acc) == "image"]
        self.controls = {acc.name: acc for acc in panel_kids
                         if role(acc) in ("push button", "radio button", "check box")}

    def score(self):
        return self.score_label.name

    def misses(self):
        return self.miss_label.name

    def clock(self):
        return self.time_label.name

    def bullets_left(self):
        return sum(1 for b in self.bullets if showing(b))

    def shown_targets(self):
        return [t for t in self.targets if showing(t)]

    def press(self, name):
        click_on(self.controls[name])

    def click_field(self, spot=EMPTY_SPOT):
        click(self.left + spot[0], self.top + spot[1])

    def state(self):
        return self.score(), self.misses(), self.bullets_left()


def unnamed(root):
    """Shown controls a screen reader could only call by their role."""
    return [f"{role(acc)} at {extents(acc)[:2]}" for acc in find_all(root, None)
            if role(acc) in CONTROL_ROLES and not acc.name]


CONTROL_ROLES = ("push button", "check box", "radio button", "text", "image")


def clock_seconds(text):
    match = re.fullmatch(r"(\d+):(\d+):(\d+)", text)
    if not match:
        return None
    h, m, s = (int(g) for g in match.groups())
    return h * 3600 + m * 60 + s


def clear_target(game):
    """A shown target that no other shown target overlaps, away from the panel."""
    shown = [(t, extents(t)) for t in game.shown_targets()]
    for target, (x, y, w, h) in shown:
        if target.name == "penguin" or y + h > game.top + FIELD_HEIGHT:
            continue
        if all(o is target or x + w <= ox or ox + ow <= x or y + h <= oy or oy + oh <= y
               for o, (ox, oy, ow, oh) in shown):
            return target
    return None


def shoot(game):
    """Clicks a shown target. Motion may hide it between the look and the click, so the
    shot is either a hit (+100) or a miss (-95, one more miss); anything else fails."""
    score, misses, bullets = int(game.score()), int(game.misses()), game.bullets_left()
    target = wait_for("a target to shoot", lambda: clear_target(game), 5)
    x, y = centre(target)
    click(x, y)
    wait_for(f"the shot at {target.name!r} ({x},{y}) from {score}/{misses}/{bullets} to take a bullet",
             lambda: game.bullets_left() == bullets - 1)
    wait_for("the score to change", lambda: game.score() != str(score))
    now_score, now_misses = int(game.score()), int(game.misses())
    if (now_score, now_misses) == (score + 100, misses):
        return True
    if (now_score, now_misses) == (score - 95, misses + 1):
        return False
    raise Failure(f"a shot took score {score} to {now_score} and misses {misses} to {now_misses}")


def appearances(game, seconds):
    """How many targets came into view during the given time, sampled as fast as the tree allows."""
    before = {id(t): showing(t) for t in game.targets}
    count = 0
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        now = {id(t): showing(t) for t in game.targets}
        count += sum(1 for k, on in now.items() if on and not before[k])
        before = now
    return count


# ---------------------------------------------------------------- the settings file


def stored(config):
    """The Plinkard section of the settings file; keys may be written verbatim or %20-escaped."""
    path = os.path.join(config, "Brindlecot.ini")
    if not os.path.exists(path):
        return {}
    parser = configparser.RawConfigParser(strict=False, delimiters=("=",))
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    values = {}
    if parser.has_section("Plinkard"):
        for name, value in parser.items("Plinkard"):
            if len(value) >= 2 and value[0] == value[-1] == '"':
                value = value[1:-1]
            values[urllib.parse.unquote(name)] = value
    return values


def seed_settings(config, values):
    """Settings a user left behind, written in both key forms a reader may expect."""
    with open(os.path.join(config, "Brindlecot.ini"), "w", encoding="utf-8") as f:
        f.write("[Plinkard]\n")
        for name, value in values.items():
            f.write(f"{name}={value}\n")
            if " " in name:
                f.write(f"{name.replace(' ', '%20')}={value}\n")


def score_file(lines):
    return "".join(line + "\r\n" for line in lines)


def shipped_table(folder):
    with open(os.path.join(folder, "scores.dat"), encoding="latin-1") as f:
        lines = f.read().splitlines()
    return list(zip(lines[3:13], lines[15:25]))


# ---------------------------------------------------------------- the suite


class Suite:
    def __init__(self, binary, artifacts):
        self.binary = os.path.abspath(binary)
        self.artifacts = artifacts
        self.root = tempfile.mkdtemp(prefix="plinkard-e2e-")
        self.logs = os.path.join(self.root, "logs")
        os.makedirs(self.logs)
        self.programs = []
        self.results = []

    def folder(self, name, without=()):
        path = os.path.join(self.root, name, "Plinkard")
        os.makedirs(path)
        return program_folder(self.binary, path, without)

    def config(self, name):
        path = os.path.join(self.root, name, "config")
        os.makedirs(path, exist_ok=True)
        return path

    def start(self, folder, config, env=None):
        name = f"run{len(self.programs) + 1}"
        program = Program(self.binary, folder, config, self.logs, name, env)
        self.programs.append(program)
        return program

    def shot(self, name):
        os.makedirs(os.path.join(self.artifacts, "shots"), exist_ok=True)
        screenshot(os.path.join(self.artifacts, "shots", name + ".png"))

    def run(self, name, session):
        started = time.monotonic()
        first = len(self.programs)
        try:
            session(self)
            status, note = "PASS", ""
        except Failure as failure:
            status, note = "FAIL", str(failure)
        except Exception:
            status, note = "FAIL", traceback.format_exc()
        if isinstance(note, str) and note.startswith("SKIP:"):
            status = "SKIP"
        if status == "FAIL":
            self.keep_evidence(name, self.programs[first:], note)
        for program in self.programs[first:]:
            program.stop()
        seconds = time.monotonic() - started
        self.results.append((name, status, seconds, note))
        print(f"{status} {name} ({seconds:.1f} s){': ' + note if note else ''}", flush=True)

    def keep_evidence(self, name, programs, note):
        where = os.path.join(self.artifacts, "failures", name)
        shutil.rmtree(where, ignore_errors=True)
        os.makedirs(where)
        screenshot(os.path.join(where, "screen.png"))
        with open(os.path.join(where, "failure.txt"), "w") as f:
            f.write(note + "\n")
        for program in programs:
            program.stderr.flush()
            shutil.copy(program.stderr_path, where)
            ini = os.path.join(program.config, "Brindlecot.ini")
            if os.path.exists(ini):
                shutil.copy(ini, os.path.join(where, f"{program.name}.Brindlecot.ini"))
            if program.process.poll() is None and program._app is not None:
                with open(os.path.join(where, f"{program.name}.tree.txt"), "w") as f:
                    f.write("\n".join(dump(program._app)) + "\n")
        print(f"     evidence in {where}", flush=True)


class Skip(Failure):
    def __init__(self, why):
        super().__init__("SKIP: " + why)


# Start-up, Settings (defaults, Cancel, Okay) and Exit writing the four settings.
def first_run(suite):
    folder, config = suite.folder("first"), suite.config("first")
    program = suite.start(folder, config)
    game = Game(program)
    expect("window width in pixels", game.width, 376)
    expect("score at start", game.score(), "0")
    expect("misses at start", game.misses(), "0")
    start = wait_for("the clock text", lambda: clock_seconds(game.clock()) is not None and game.clock())
    wait_for(f"the clock to run on from {start}", lambda: clock_seconds(game.clock()) > clock_seconds(start), 3)
    expect("bullets shown", game.bullets_left(), 14)
    expect("bullet names", {b.name for b in game.bullets}, {"14 bullets left"})
    expect("level options", {n: checked(game.controls[n]) for n in ("Too Easy", "Easy", "Hard", "Too Hard")},
           {"Too Easy": False, "Easy": True, "Hard": False, "Too Hard": False})
    expect("Music On/Off", checked(game.controls["Music On/Off"]), True)
    expect("Sounds On/Off", checked(game.controls["Sounds On/Off"]), True)
    for caption in ("New Game", "Settings", "High Scores", "Exit"):
        if not showing(game.controls[caption]):
            raise Failure(f"button {caption!r} not shown")
    expect("reload sign shown", showing(game.sign), False)
    expect("reload prompt", game.prompt.name, "")
    expect("targets in the tree", len(game.targets), 57)
    nameless = [i for i, t in enumerate(game.targets) if not t.name]
    expect("targets without a name", nameless, [])
    wait_for("targets to pop up", lambda: len(game.shown_targets()) >= 3, 3)
    for target in game.shown_targets():
        x, y, w, h = extents(target)
        if (w, h) != (32, 32) or x < game.left or y < game.top or y + h > game.top + FIELD_HEIGHT:
            raise Failure(f"target {target.name!r} at {x},{y} {w}x{h} lies outside the play field")
    expect("unnamed controls of the main window", unnamed(game.main), [])
    if window_ids(program.pid, "Sound Test"):
        raise Failure("the sound test complained although a sound server runs")
    suite.shot("start-up")

    # The defaults, then edits thrown away by Cancel.
    game.press("Settings")
    dialog = program.window("Settings", role_name="dialog")
    fields = {acc.name: acc for acc in find_all(dialog, "text")}
    boxes = {acc.name: acc for acc in find_all(dialog, "check box")}
    here = os.path.realpath(folder)
    expect("unnamed controls of the settings", unnamed(dialog), [])
    expect("Music: by default", text_of(fields["Music:"]), os.path.join(here, "snot.mid"))
    expect("Shoot: by default", text_of(fields["Shoot:"]), os.path.join(here, "mchgun.wav"))
    expect("Winning Score: by default", text_of(fields["Winning Score:"]), "100000000")
    expect("default options", {n: checked(b) for n, b in boxes.items()},
           {"Certain icons change speed": True, "All icons are worth the same": True, "No Winning Score ": False})
    before = game.clock()
    click_on(boxes["Certain icons change speed"])
    wait_for("the box to clear", lambda: not checked(boxes["Certain icons change speed"]))
    click_on(fields["Winning Score:"])
    key(program.x_window("Settings"), "ctrl+a")
    type_text("777x")  # the letter is refused
    wait_for("the typed winning score", lambda: text_of(fields["Winning Score:"]) == "777")
    expect("clock while the settings are open", game.clock(), before)
    click_on(find(dialog, "push button", "Colors"))
    colours = program.window("Colors", role_name="dialog")
    expect("unnamed controls of the colours", unnamed(colours), [])
    click_on(find(colours, "push button", "Cancel"))
    wait_for("the colours to close", lambda: program.gone("Colors"))
    click_on(find(dialog, "push button", "Cancel"))
    wait_for("the settings to close", lambda: program.gone("Settings"))
    expect("settings stored by Cancel", {k: v for k, v in stored(config).items() if k not in ("MIDI", "WAVE")}, {})
    wait_for("the clock to run again", lambda: game.clock() != before, 3)

    game.press("Settings")
    dialog = program.window("Settings", role_name="dialog")
    fields = {acc.name: acc for acc in find_all(dialog, "text")}
    boxes = {acc.name: acc for acc in find_all(dialog, "check box")}
    expect("Winning Score: after Cancel", text_of(fields["Winning Score:"]), "100000000")
    expect("speed option after Cancel", checked(boxes["Certain icons change speed"]), True)

    # A change kept by Okay.
    for name in ("Certain icons change speed", "All icons are worth the same"):
        click_on(boxes[name])
        wait_for(f"{name!r} to clear", lambda: not checked(boxes[name]))
    click_on(fields["Winning Score:"])
    key(program.x_window("Settings"), "ctrl+a")
    type_text("4000")
    wait_for("the typed winning score", lambda: text_of(fields["Winning Score:"]) == "4000")
    click_on(find(dialog, "push button", "Okay"))
    wait_for("the settings to close", lambda: program.gone("Settings"))
    saved = stored(config)
    for name, value in {"Change Speed": "0", "Extra Points": "0", "Winning Score": "4000", "Win Score": "0"}.items():
        expect(f"stored {name!r} after Okay", saved.get(name), value)

    # Exit writes the music and sound switches and both paths.
    game.press("Sounds On/Off")
    wait_for("Sounds On/Off to clear", lambda: not checked(game.controls["Sounds On/Off"]))
    game.press("Exit")
    expect("exit status", program.exited(), 0)
    saved = stored(config)
    expect("stored MIDI ON-OFF", saved.get("MIDI ON-OFF"), "1")
    expect("stored WAVE ON-OFF", saved.get("WAVE ON-OFF"), "0")
    for name, file in (("MIDI", "snot.mid"), ("WAVE", "mchgun.wav")):
        path = os.path.join(here, file)
        expect(f"stored {name}", saved.get(name), path if os.path.exists(path) else "")
    suite.first_config, suite.first_folder = config, folder


# The settings after a restart; High Scores; a miss, hits, the empty magazine, a dry
# click and a reload; the levels' pace; F3 and the clock standing still.
def second_run(suite):
    if not hasattr(suite, "first_config"):
        raise Skip("needs the settings the first run leaves")
    program = suite.start(suite.first_folder, suite.first_config)
    game = Game(program)
    expect("Sounds On/Off after the restart", checked(game.controls["Sounds On/Off"]), False)
    game.press("Settings")
    dialog = program.window("Settings", role_name="dialog")
    fields = {acc.name: acc for acc in find_all(dialog, "text")}
    boxes = {acc.name: acc for acc in find_all(dialog, "check box")}
    expect("Winning Score: after the restart", text_of(fields["Winning Score:"]), "4000")
    expect("options after the restart", {n: checked(b) for n, b in boxes.items()},
           {"Certain icons change speed": False, "All icons are worth the same": False, "No Winning Score ": False})
    click_on(find(dialog, "push button", "Cancel"))
    wait_for("the settings to close", lambda: program.gone("Settings"))

    # The table shows the shipped file, and the clock stands while it is open.
    game.press("High Scores")
    table = program.window("High Scores", role_name="dialog")
    expect("unnamed controls of the table", unnamed(table), [])
    labels = [acc.name for acc in find_all(table, "label")]
    for score, name in shipped_table(suite.first_folder):
        if score not in labels or name not in labels:
            raise Failure(f"the table lacks {score!r} / {name!r}: {labels}")
    suite.shot("high-scores")
    frozen = game.clock()
    holds("the clock standing while the table is open", lambda: game.clock() == frozen, 1.5)
    click_on(find(table, "push button", "Close"))
    wait_for("the table to close", lambda: program.gone("High Scores"))
    wait_for("the clock to run again", lambda: game.clock() != frozen, 3)

    # A fresh game: a miss, then hits until the fourteenth shot empties the magazine.
    game.press("New Game")
    wait_for("a new game", lambda: game.state() == ("0", "0", 14) and clock_seconds(game.clock()) in (None, 0, 1, 2))
    game.click_field()
    wait_for("the miss to count", lambda: game.misses() == "1")
    expect("score after a miss", game.score(), "-95")
    expect("bullets after a miss", game.bullets_left(), 13)
    wait_for("the magazine to read 13", lambda: game.bullets[0].name == "13 bullets left")
    hits = 0
    while game.bullets_left() > 0:
        hits += shoot(game)
    if hits == 0:
        raise Failure("thirteen shots at shown targets and not one hit")
    expect("reload sign after the fourteenth shot", showing(game.sign), True)
    expect("reload sign text", game.sign.name, "RELOAD")
    expect("reload prompt after the fourteenth shot", game.prompt.name, "CLICK TO RELOAD")
    suite.shot("empty-magazine")

    # A dry click changes nothing.
    empty = game.state()
    game.click_field()
    holds("the empty magazine after a dry click", lambda: game.state() == empty and showing(game.sign), 0.8)

    # The sign reloads and is not a miss.
    click_on(game.sign)
    wait_for("a full magazine", lambda: game.bullets_left() == 14)
    wait_for("the sign to go", lambda: not showing(game.sign))
    expect("reload prompt after the reload", game.prompt.name, "")
    expect("score and misses after the reload", game.state()[:2], empty[:2])
    wait_for("the magazine to read 14", lambda: {b.name for b in game.bullets} == {"14 bullets left"})

    # The pace: Easy shows at most one target per 200 ms tick; Too Hard ticks every 50 ms.
    easy = appearances(game, 3)
    if easy > 17:
        raise Failure(f"{easy} targets appeared in 3 s at Easy, more than its 200 ms ticks allow")
    game.press("Too Hard")
    wait_for("Too Hard selected", lambda: checked(game.controls["Too Hard"]))
    expect("Easy after choosing Too Hard", checked(game.controls["Easy"]), False)
    hard = appearances(game, 3)
    if hard <= 20:
        raise Failure(f"only {hard} targets appeared in 3 s at Too Hard (Easy: {easy})")
    print(f"     pace: {easy} targets appeared in 3 s at Easy, {hard} at Too Hard", flush=True)

    # F3 pauses (the option's mouse-up gave the panel the focus back).
    key(game.x_window, "F3")
    box = program.window("Paused", role_name="alert")
    expect("pause message", [acc.name for acc in find_all(box, "label")], ["Paused.  Press OK to continue."])
    expect("unnamed controls of the pause box", unnamed(box), [])
    frozen, field = game.clock(), [showing(t) for t in game.targets]
    holds("the clock and the field standing while paused",
          lambda: game.clock() == frozen and [showing(t) for t in game.targets] == field, 2.2)
    click_on(find(box, "push button", "OK"))
    wait_for("the pause box to close", lambda: program.gone("Paused"))
    wait_for("the clock to run after the pause", lambda: game.clock() != frozen, 2.5)
    expect("level after the pause", checked(game.controls["Too Hard"]), True)
    game.press("Exit")
    expect("exit status", program.exited(), 0)


# The winning score passed, "No" to keep playing, a name typed, the table with the entry.
def high_score_entry(suite):
    folder, config = suite.folder("entry"), suite.config("entry")
    scores = [str(s) for s in (90, 80, 70, 60, 50, 40, 30, 20, 10, 5)]
    names = [f"Player {i}" for i in range(1, 11)]
    with open(os.path.join(folder, "scores.dat"), "w", newline="") as f:
        f.write(score_file(["Plinkard high scores", "", ""] + scores + ["", ""] + names))
    seed_settings(config, {"Winning Score": "0", "Change Speed": "0", "Extra Points": "0"})
    program = suite.start(folder, config)
    game = Game(program)
    while int(game.score()) <= 0:
        shoot(game)
    box = program.window("You made it!", role_name="alert")
    expect("winning-score question", [acc.name for acc in find_all(box, "label")],
           ["You've reached the winning score!  Do you wish to keep playing?"])
    score = game.score()
    click_on(find(box, "push button", "No"))
    entry = program.window("High Score!", role_name="dialog")
    expect("entry label", [acc.name for acc in find_all(entry, "label")],
           ["You have gotten a High Score!  Enter your name below:"])
    expect("unnamed controls of the entry", unnamed(entry), [])
    click_on(find(entry, "text"))
    key(program.x_window("High Score!"), "ctrl+a")
    type_text("Tess Tester")
    wait_for("the typed name", lambda: text_of(find(entry, "text")) == "Tess Tester")
    clock = game.clock()
    click_on(find(entry, "push button", "Okay"))
    table = program.window("High Scores")
    suite.shot("score-entered")
    labels = [acc.name for acc in find_all(table, "label")]
    expect("table after the entry", labels,
           ["High Scores", score, f"Tess Tester ({clock})"] +
           [x for pair in zip(scores[:9], names[:9]) for x in pair])
    click_on(find(table, "push button", "Close"))
    wait_for("the table to close", lambda: program.gone("High Scores"))
    wait_for("a new game after the entry", lambda: game.score() == "0")


# Without scores.dat the game says so and ends, saving nothing.
def missing_score_file(suite):
    folder, config = suite.folder("missing", without=("scores.dat",)), suite.config("missing")
    program = suite.start(folder, config)
    box = program.window("Error!", role_name="alert")
    expect("error message", [acc.name for acc in find_all(box, "label")],
           ["Error!  scores.dat was not found.  Plinkard high scores will not operate with out this file."])
    click_on(find(box, "push button", "OK"))
    program.exited(5)
    expect("settings saved", stored(config), {})


# With no sound server the game says it cannot play sounds, then play goes on.
def no_sound_server(suite):
    folder, config = suite.folder("silent"), suite.config("silent")
    program = suite.start(folder, config, {"PULSE_SERVER": "unix:" + os.path.join(suite.root, "no-such-socket")})
    box = program.window("Sound Test", role_name="alert", timeout=15)
    expect("sound-test message", [acc.name for acc in find_all(box, "label")], ["Your system cannot play sounds."])
    click_on(find(box, "push button", "OK"))
    wait_for("the sound test to close", lambda: program.gone("Sound Test"))
    game = Game(program)
    start = wait_for("the clock", lambda: clock_seconds(game.clock()) is not None and game.clock())
    wait_for("the clock to run", lambda: clock_seconds(game.clock()) > clock_seconds(start), 3)
    wait_for("targets to pop up", lambda: game.shown_targets(), 3)
    game.click_field()
    wait_for("a shot without sound", lambda: game.state() == ("-95", "1", 13))


# The music and a shot reach the sound server's null sink.
def heard(suite):
    folder, config = suite.folder("sound"), suite.config("sound")
    if not os.path.exists(os.path.join(folder, "snot.mid")):
        raise Skip("no snot.mid beside the program to play")
    program = suite.start(folder, config)
    game = Game(program)
    music = Recording(os.path.join(suite.logs, "music.wav"))
    time.sleep(3)
    music.stop()
    streams = sink_inputs_of(program.pid)
    if streams == 0 and music.rms() == 0:
        raise Skip("the program opened no stream on the sound server: its sound layer is silent")
    if music.rms() < 0.001:
        raise Failure(f"the music was not heard: RMS {music.rms()}")
    game.press("Music On/Off")
    wait_for("Music On/Off to clear", lambda: not checked(game.controls["Music On/Off"]))
    time.sleep(1)
    quiet = Recording(os.path.join(suite.logs, "quiet.wav"))
    time.sleep(1.5)
    quiet.stop()
    shot = Recording(os.path.join(suite.logs, "shot.wav"))
    time.sleep(0.3)
    game.click_field()
    wait_for("the shot", lambda: game.misses() == "1")
    time.sleep(1.5)
    shot.stop()
    print(f"     RMS: music {music.rms():.4f}, music off {quiet.rms():.4f}, one shot {shot.rms():.4f}", flush=True)
    if shot.rms() < 0.001 or shot.rms() <= quiet.rms():
        raise Failure(f"the shot was not heard over the quiet: {shot.rms()} against {quiet.rms()}")


# F3 is heard only on the panel: after Tab has moved the focus to a control, F3 does not pause.
def f3_after_tab(suite):
    folder, config = suite.folder("tab-f3"), suite.config("tab-f3")
    program = suite.start(folder, config)
    game = Game(program)
    start = wait_for("the clock", lambda: clock_seconds(game.clock()) is not None and game.clock())
    key(game.x_window, "Tab")
    key(game.x_window, "F3")
    holds("no pause box after Tab and F3", lambda: program.gone("Paused"), 1.5)
    wait_for("the clock to run on", lambda: clock_seconds(game.clock()) > clock_seconds(start), 3)


# Escape on "You made it!" answers nothing: the box stays open and the game goes on.
def escape_on_question(suite):
    folder, config = suite.folder("escape"), suite.config("escape")
    seed_settings(config, {"Winning Score": "0", "Change Speed": "0", "Extra Points": "0"})
    program = suite.start(folder, config)
    game = Game(program)
    while int(game.score()) <= 0:
        shoot(game)
    program.window("You made it!", role_name="alert")
    key(program.x_window("You made it!"), "Escape")
    holds("the question open after Escape", lambda: not program.gone("You made it!"), 1.5)
    score, clock = game.score(), game.clock()
    wait_for("the clock to run behind the question", lambda: game.clock() != clock, 3)
    click_on(find(program.window("You made it!", role_name="alert"), "push button", "Yes"))
    wait_for("the question to close", lambda: program.gone("You made it!"))
    expect("score after Yes", game.score(), score)


# A RIFF MIDI file (.rmi) named in the settings file is the music heard in the null sink.
def riff_midi_heard(suite):
    folder, config = suite.folder("rmi", without=("snot.mid",)), suite.config("rmi")
    if not os.path.exists(os.path.join(os.path.dirname(suite.binary), "snot.mid")):
        raise Skip("no snot.mid to wrap")
    with open(os.path.join(os.path.dirname(suite.binary), "snot.mid"), "rb") as f:
        smf = f.read()
    data = b"data" + struct.pack("<I", len(smf)) + smf + b"\0" * (len(smf) % 2)
    rmi = os.path.join(suite.root, "rmi", "tune.rmi")
    with open(rmi, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 4 + len(data)) + b"RMID" + data)
    seed_settings(config, {"MIDI": rmi})
    program = suite.start(folder, config)
    Game(program)
    music = Recording(os.path.join(suite.logs, "rmi.wav"))
    time.sleep(3)
    music.stop()
    if music.rms() < 0.001:
        raise Failure(f"the .rmi music was not heard: RMS {music.rms()}")


SESSIONS = [
    ("first-run", first_run),
    ("second-run", second_run),
    ("high-score-entry", high_score_entry),
    ("f3-after-tab", f3_after_tab),
    ("escape-on-question", escape_on_question),
    ("missing-score-file", missing_score_file),
    ("no-sound-server", no_sound_server),
    ("sound-heard", heard),
    ("rmi-heard", riff_midi_heard),
]


def within_session():
    """Starts the headless desktop session when none is given (for a run outside ctest)."""
    if all(os.environ.get(v) for v in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "PULSE_SERVER")):
        return
    session = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "headless-session")
    os.execv(session, [session, sys.executable, *sys.argv])


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--binary", required=True)
    parser.add_argument("--artifacts", help="where screenshots and failure evidence go")
    parser.add_argument("--only", nargs="*", help="run only these sessions")
    args = parser.parse_args()
    within_session()
    artifacts = args.artifacts or os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(args.binary))),
                                               "e2e-artifacts")
    shutil.rmtree(os.path.join(artifacts, "failures"), ignore_errors=True)
    os.makedirs(artifacts, exist_ok=True)
    suite = Suite(args.binary, artifacts)
    started = time.monotonic()
    try:
        for name, session in SESSIONS:
            if not args.only or name in args.only:
                suite.run(name, session)
    finally:
        shutil.rmtree(suite.root, ignore_errors=True)
    failed = [name for name, status, _, _ in suite.results if status == "FAIL"]
    print(f"{len(suite.results)} sessions, {len(failed)} failed, {time.monotonic() - started:.1f} s in all")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
