#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# The real game driven from outside: xdotool for input, the accessibility tree to read it, the null sink to hear it.
import ctypes, os, re, shutil, signal, struct, subprocess, sys, tempfile, time, traceback

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


press = lambda acc: acc.queryAction().doAction(0)  # noqa: E731  as a screen reader presses a control
counter = lambda main, caption: int((names := labels(main))[names.index(caption) + 1])  # noqa: E731  beside "Score:"


def runs(acc):  # the clock goes on
    seen, clock = set(), lambda: next(n for n in labels(acc) if re.fullmatch(r"\d+:\d+:\d+", n))
    return wait_for("the clock to run", lambda: len(seen.add(clock()) or seen) > 1 and "goes on with play", 3)


def shoot_until(what, main, done, shoot=click_on):  # targets move, so a shot may miss: the first shown, until done()
    panel = {"New Game", "Settings", "High Scores", "Exit"}
    shots = lambda: [a for a in descendants(main) if a.getRoleName() == "push button" and a.name not in panel]
    wait_for(what, lambda: [shoot(t) for t in shots()[:1]] and time.sleep(0.3) or done(), 20)


def heard(lead, during=lambda: None, rate=8000, server=None):  # the null sink's samples while during() runs and lead s after
    path = tempfile.mktemp(suffix=".raw", dir=ROOT)
    recorder = subprocess.Popen(["parecord", *(["-s", server] if server else []), "-d", "test_sink.monitor", "--raw",
                                 "--format=s16le", "--channels=1", f"--rate={rate}", "--latency-msec=20", path])
    time.sleep(0.3)
    during()
    time.sleep(lead)
    recorder.send_signal(signal.SIGINT)
    recorder.wait(5)
    return [v / 32768 for d in [open(path, "rb").read()] for (v,) in struct.iter_unpack("<h", d[:len(d) // 2 * 2])]


rms = lambda samples: (sum(v * v for v in samples) / max(1, len(samples))) ** 0.5  # noqa: E731


def holes(samples, rate):  # per sound (loud samples less than 0.15 s apart), its 2 ms windows under 5 % of the peak
    level, w = max(map(abs, samples)) * 0.05, rate // 500
    loud = [i for i, v in enumerate(samples) if abs(v) > level]
    cuts = [0] + [k for k in range(1, len(loud)) if loud[k] - loud[k - 1] >= rate * 0.15] + [len(loud)]
    sounds = [(loud[a], loud[b - 1]) for a, b in zip(cuts, cuts[1:])]
    return [sum(max(map(abs, samples[a:a + w])) < level for a in range(s, e - w, w // 4)) for s, e in sounds]


class Started:  # a helper process, stopped with the programs
    def __init__(self, *argv, **options):
        self.process = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options)
        PROGRAMS.append(self)


# A server of our own at `socket`: PulseAudio with a null sink, off the session's bus, which has one; on PipeWire its
# PulseAudio server alone, on the session's PipeWire and sink.
def sound_server(socket):
    env = {"PATH": os.environ["PATH"], "XDG_RUNTIME_DIR": os.path.dirname(os.path.dirname(socket))}
    if os.environ.get("PLINKARD_SOUND_SERVER") == "pipewire":
        server = Started("pipewire-pulse", env=dict(env, PIPEWIRE_REMOTE=f"{os.environ['XDG_RUNTIME_DIR']}/pipewire-0"))
    else:
        server = Started("pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                         f"--load=module-native-protocol-unix auth-anonymous=1 socket={socket}",
                         "--load=module-null-sink sink_name=test_sink rate=44100", env=env)
    wait_for("the sound server", lambda: subprocess.run(["pactl", "-s", socket, "info"], capture_output=True).returncode == 0)
    return server.process


class Program:
    def __init__(self, name, settings, env=None, without=(), cwd=None):
        self.folder, self.config = os.path.join(ROOT, name), os.path.join(ROOT, name + "-config")
        if not os.path.isdir(self.folder):  # a second start of a name runs the same copy with what it stored
            shutil.copytree(os.path.dirname(BINARY), self.folder, ignore=shutil.ignore_patterns(*without))
            os.makedirs(self.config)
            with open(os.path.join(self.config, "Brindlecot.ini"), "w") as f:  # keys as a hand editor writes them
                f.write("[Plinkard]\n" + "".join(f"{k}={v}\n{k.replace(' ', '%20')}={v}\n" for k, v in settings.items()))
        env = dict(os.environ, XDG_CONFIG_HOME=self.config, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **(env or {}))
        env = {k: v for k, v in env.items() if v is not None and k != "QT_QPA_PLATFORM"}
        PROGRAMS.append(self)
        for attempt in (1, 2):  # now and then a new client is not seen on the accessibility bus: one more start
            self.process = subprocess.Popen([os.path.join(self.folder, "plinkard")], cwd=cwd or self.folder, env=env)
            try:
                self.app = wait_for("the program in the accessibility tree", lambda: next(
                    a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == self.process.pid), 15)
                break
            except AssertionError:
                print(f"start {attempt}: not on the accessibility bus, status {self.process.poll()}", flush=True)
                self.process.kill()
                self.process.wait()
                if attempt == 2:
                    raise

    def window(self, title, timeout=10):
        return wait_for(f"the window {title!r}", lambda: next(w for w in children(self.app) if w.name == title), timeout)

    def xdotool(self, title, *args):
        return xdotool("search", "--all", "--onlyvisible", "--pid", self.process.pid, "--name", f"^{title}$", *args)


# The server at its default socket, $XDG_RUNTIME_DIR/pulse/native, as on a desktop: no "Sound Test" box, the music at a
# level that neither clips nor fades, a shot, the music stopping at once when switched off, a new shot cutting the one
# before (F3 with real keys: run_wayland.py; after Tab: FlowTest). The server frozen, then gone: play goes on, and a new
# one at the same address plays the next shot and piece. Frozen again: SIGTERM, as at logout, saves as Exit does and
# ends the game with its own status; one started then ends by Exit.
def play():
    socket = os.path.join(runtime := tempfile.mkdtemp(dir=ROOT), "pulse", "native")
    server, env = sound_server(socket), {"PULSE_SERVER": None, "XDG_RUNTIME_DIR": runtime}
    main = (program := Program("play", {}, env)).window("Plinkard")
    box = wait_for("the music box", lambda: find(main, "check box", "Music On/Off"))
    level, peak = rms(music := heard(3, rate=44100, server=socket)), max(map(abs, music))
    assert not program.xdotool("Sound Test").split() and 0.025 < level < 0.07 and peak < 0.5, f"music {level} {peak}"
    click_on(box)
    wait_for("the music box to clear", lambda: not box.getState().contains(pyatspi.STATE_CHECKED))
    quiet, shot = rms(heard(1, server=socket)), rms(heard(1, lambda: click_on(main, 51, 120), server=socket))
    assert shot > 0.001 and quiet < 0.0005, f"heard: shot {shot}, music off {quiet}"  # at once; a spot no target covers
    x, y, _, _ = extents(main)  # two shots 0.2 s apart: 0.8 s of sound if the second cuts the first, 1.2 s queued
    twice = lambda: xdotool("mousemove", x + 51, y + 120, "click", "--repeat", 2, "--delay", 200, 1)
    loud = [i for i, v in enumerate(heard(1.5, twice, server=socket)) if abs(v) > 0.01]
    span = (loud[-1] - loud[0]) / 8000 if loud else 0
    assert 0.65 < span < 1.0, f"a second shot did not cut the first: {span:.3f} s of sound"
    server.send_signal(signal.SIGSTOP)
    for control in (box, main, main, main, find(main, "push button", "New Game")):  # the music on, shots, a new piece
        click_on(control, *((51, 120) if control is main else ()))
    wait_for("the music box to be checked", lambda: box.getState().contains(pyatspi.STATE_CHECKED))
    server.kill()
    server = sound_server(socket)  # whose null sink first renders two seconds ahead, which the first sound waits out
    shot = rms(heard(3, lambda: click_on(main, 51, 120), server=socket))
    music = rms(heard(3, lambda: click_on(find(main, "push button", "New Game")), server=socket))
    assert shot > 0.001 and music > 0.02, f"after the server came back: shot {shot}, music {music}"
    server.send_signal(signal.SIGSTOP)
    click_on(box)
    wait_for("the music box to clear again", lambda: not box.getState().contains(pyatspi.STATE_CHECKED))
    program.process.terminate()
    stored = program.process.wait(5) == -signal.SIGTERM and open(os.path.join(program.config, "Brindlecot.ini")).read()
    assert stored and "MIDI ON-OFF=0\n" in stored, f"SIGTERM: status {program.process.returncode}, stored {stored!r}"
    main = (program := Program("frozen-early", {}, env)).window("Plinkard")
    for button in (None, None, None, "New Game", "Exit"):  # three shots on a spot no target covers
        click_on(find(main, "push button", button)) if button else click_on(main, 51, 120)
        time.sleep(0.3)
    wait_for("the program to end with the server frozen", lambda: program.process.poll() is not None, 5)


# Shots on a busy machine: three busy processes a core at the game's priority, half of them starting processes without
# pause as a build does, and the game itself not run at all for a quarter of a second soon after each click, as the
# worst of such a machine. Each shot of a plain tone, 1.5 s apart, is heard whole: no 2 ms window of silence in it.
def busy_machine():
    tone = os.path.join(ROOT, "tone.wav")
    subprocess.run(["sox", "-n", "-r", "44100", "-b", "16", "-c", "1", tone, "synth", "0.6", "sine", "1500", "vol", "0.4"])
    main = (program := Program("busy", {"WAVE": tone, "MIDI ON-OFF": "0"})).window("Plinkard")
    for command in ([sys.executable, "-c", "while True: pass"], ["sh", "-c", "while :; do /bin/true; done"]):
        [Started(*command) for _ in range(3 * os.cpu_count() // 2)]

    def shoot(pid=program.process.pid):
        time.sleep(2.5)  # a null sink that has had no client first renders two seconds ahead
        for _ in range(12):
            click_on(main, 51, 120)
            subprocess.run(["sh", "-c", f"sleep 0.15; kill -STOP {pid}; sleep 0.25; kill -CONT {pid}; sleep 1.1"])
    found = holes(heard(1, shoot, 44100), 44100)
    assert len(found) == 12 and not any(found), f"2 ms windows of silence in each sound heard: {found}"
    # PipeWire runs all streams in cycles as short as the most hurried asks: in 5 ms ones its late wake-ups broke shots
    if os.environ.get("PLINKARD_SOUND_SERVER") == "pipewire":
        streams = subprocess.run(["pactl", "list", "sink-inputs"], capture_output=True, text=True).stdout
        cycles = re.findall(r'node.latency = "(\d+)/(\d+)"', streams)
        assert cycles and all(int(n) / int(d) >= 512 / 48000 for n, d in cycles), f"stream cycles {cycles}"


# On X11 at scale 2 the pointer's hot spot, where a shot lands, is the crosshair's centre as the X server draws it.
def crosshair_at_scale_2():
    fields = [(n, ctypes.c_short) for n in "xy"] + [(n, ctypes.c_ushort) for n in ("w", "h", "xhot", "yhot")]
    Cursor = type("Cursor", (ctypes.Structure,), {"_fields_": fields + [  # the start of XFixesCursorImage
        ("serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong))]})
    xlib, xfixes = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXfixes.so.3")
    xlib.XOpenDisplay.restype, xfixes.XFixesGetCursorImage.restype = ctypes.c_void_p, ctypes.POINTER(Cursor)
    (program := Program("scale2", {}, {"QT_SCALE_FACTOR": "2"})).window("Plinkard")
    program.xdotool("Plinkard", "mousemove", "--window", "%1", 40, 40, "sleep", 0.5)  # over the field
    c = xfixes.XFixesGetCursorImage(ctypes.c_void_p(xlib.XOpenDisplay(None))).contents
    dark = [(i % c.w, i // c.w) for i in range(c.w * c.h)
            if c.pixels[i] >> 24 > 200 and max(c.pixels[i] >> k & 255 for k in (0, 8, 16)) < 60]
    centre = [(min(p) + max(p)) / 2 for p in zip(*dark)]
    assert c.w == 64 and max(abs(centre[0] - c.xhot), abs(centre[1] - c.yhot)) <= 1, \
        f"a {c.w} pixel crosshair centred at {centre}, its hot spot at {c.xhot}, {c.yhot}"


# The command line answers on standard output, status 0, and opens no window (there is no screen here to open one on).
def command_line():
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    version = re.search(r"project\(Plinkard VERSION (\S+)", open(os.path.join(os.path.dirname(__file__), "..", "..", "CMakeLists.txt")).read())[1]
    for option, status, says in (("--help", 0, "Usage: "), ("--version", 0, f"plinkard {version}\n"), ("--bogus", 1, "")):
        done = subprocess.run([BINARY, option], env=env, capture_output=True, text=True, timeout=10)
        assert (done.returncode, says in done.stdout, done.stdout != "") == (status, True, says != ""), f"{done}"


# SIGHUP and SIGINT save as SIGTERM does (play), with their own status; under nohup (0 below) SIGHUP is ignored.
def quitting():
    for number in (signal.SIGHUP, signal.SIGINT, 0):
        before = signal.signal(signal.SIGHUP, signal.SIG_DFL if number else signal.SIG_IGN)
        main = (program := Program(f"quit-{number}", {})).window("Plinkard")
        signal.signal(signal.SIGHUP, before)
        click_on(box := find(main, "check box", "Sounds On/Off"))
        wait_for("the sounds box to clear", lambda: not box.getState().contains(pyatspi.STATE_CHECKED))
        program.process.send_signal(number or signal.SIGHUP)
        wait_for("the game to end", lambda: program.process.poll() is not None) if number else time.sleep(1)
        stored = open(os.path.join(program.config, "Brindlecot.ini")).read()
        assert (program.process.poll(), "WAVE ON-OFF=0\n" in stored) == ((-number, True) if number else (None, False)), \
            f"signal {number}: status {program.process.poll()}, stored {stored!r}"


# A piece (its name spaced) with a rest of 1.7 s in its middle plays on after it; once ended, its stream rests (corked).
# A null sink that has had no client starts the first sound up to two seconds late: five seconds are heard.
def music_in_time():
    notes = bytes([0, 0x90, 72, 100, 48, 0x80, 72, 0, 0x82, 0x40, 0x90, 72, 100, 48, 0x80, 72, 0, 0, 0xff, 0x2f, 0])
    open(piece := os.path.join(ROOT, "a rest.mid"), "wb").write(
        b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) + b"MTrk" + struct.pack(">I", len(notes)) + notes)
    main = Program("rest", {"MIDI": piece, "MIDI ON-OFF": "0"}).window("Plinkard")
    loud = [i for i, v in enumerate(heard(5, lambda: click_on(find(main, "check box", "Music On/Off")))) if abs(v) > 0.01]
    rests = [round((b - a) / 8000, 2) for a, b in zip(loud, loud[1:]) if b - a > 4000]
    assert len(rests) == 1, f"the rests heard, in seconds: {rests}"
    streams = lambda: subprocess.run(["pactl", "list", "sink-inputs"], capture_output=True, text=True).stdout.split("#")
    wait_for("the music's stream to rest", lambda: [s for s in streams() if '"Plinkard music"' in s and "Corked: yes" in s])
# In German, French and Spanish, as a desktop sets LANGUAGE (a region, a language not shipped before, English before a
# later one): every name the main window shows a screen reader (its captions and the targets), the pause box and its
# button read as the translations have them; Exit stores the file byte for byte as in English.
def languages():
    import xml.etree.ElementTree as ElementTree
    folder, english, stored = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "translations"), None, []
    for lang in ("en", "de", "fr", "es"):
        names = {"": ""} if lang == "en" else {m.findtext("source").replace("&", ""): m.findtext("translation").replace("&", "") for m in ElementTree.parse(os.path.join(folder, f"plinkard_{lang}.ts")).iter("message")}
        program = Program("language", {"MIDI ON-OFF": "0"}, {"LANGUAGE": {"en": "pt_BR:en_GB:de", "de": "de_DE", "fr": "fr_CA", "es": "it:es_ES:de"}[lang]})
        main = program.window(names.get("Plinkard", "Plinkard"))
        bullets = lambda n: (m := re.fullmatch(r"(\d+) bullets left", n)) and names.get("%1 bullets left", "%1 bullets left").replace("%1", m[1])
        shown = sorted(a.name for a in descendants(main) if a.name and not re.fullmatch(r"[\d:]+", a.name))
        english, expected = english or shown, sorted(bullets(n) or names.get(n, n) for n in english or shown)
        assert shown == expected, f"{lang}: {set(shown) ^ set(expected)}"
        click_on(find(main, "radio button", names.get("Easy", "Easy")))  # the panel takes the focus for F3
        xdotool("key", "F3")
        box = program.window(names.get("Paused", "Paused"))
        assert labels(box) == [names.get(t, t) for t in ["Paused.  Press OK to continue."]], (lang, labels(box))
        click_on(find(box, "push button", {"es": "Aceptar"}.get(lang, "OK")))  # Qt's own translation of OK
        click_on(wait_for("the box to close", lambda: not program.xdotool(box.name).split() and find(main, "push button", names.get("Exit", "Exit"))))
        wait_for("the program to end", lambda: program.process.poll() is not None)
        stored.append(open(os.path.join(program.config, "Brindlecot.ini"), "rb").read())
        assert stored[-1] == stored[0], f"{lang}: {stored[-1]!r} against English {stored[0]!r}"


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
    pipewire = "--pipewire" in sys.argv  # in a session of its own with PipeWire, whatever the caller's has
    if not all(os.environ.get(v) for v in needs) or pipewire and os.environ.get("PLINKARD_SOUND_SERVER") != "pipewire":
        session = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "headless-session")
        os.execve(session, [session, sys.executable, *sys.argv],
                  dict(os.environ, **({"PLINKARD_SOUND_SERVER": "pipewire"} if pipewire else {})))
    ROOT, BINARY = tempfile.mkdtemp(prefix="plinkard-e2e-"), os.path.abspath(sys.argv[sys.argv.index("--binary") + 1])
    try:
        passed = [run(s) for s in sessions if s.__name__ in os.environ.get("ONLY", s.__name__)]
    finally:
        shutil.rmtree(ROOT, ignore_errors=True)
    sys.exit(0 if all(passed) else 1)


if __name__ == "__main__":  # --pipewire: the sessions that hear the game, on PipeWire
    main((play, busy_machine, music_in_time) if "--pipewire" in sys.argv else
         (play, busy_machine, crosshair_at_scale_2, command_line, quitting, music_in_time, languages))
