"""Drives a program from outside as a user does: xdotool for the mouse and keys, the
accessibility tree (AT-SPI) to read the controls, PulseAudio's monitor to hear it."""

import os
import re
import shutil
import signal
import subprocess
import time

import pyatspi


class Failure(Exception):
    pass


def wait_for(what, condition, timeout=5.0, interval=0.05):
    """Polls condition() until it returns something true; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except Exception:  # a control that is going away answers with errors for a moment
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)


def holds(what, condition, duration, interval=0.1):
    """Fails as soon as condition() is false during the next duration seconds."""
    deadline = time.monotonic() + duration
    while time.monotonic() < deadline:
        if not condition():
            raise Failure(f"{what} stopped holding")
        time.sleep(interval)


def expect(what, actual, wanted):
    if actual != wanted:
        raise Failure(f"{what}: expected {wanted!r}, got {actual!r}")


def run(*args, timeout=10, check=True):
    done = subprocess.run(args, capture_output=True, text=True, timeout=timeout)
    if check and done.returncode != 0:
        raise Failure(f"{' '.join(args)} failed ({done.returncode}): {done.stderr.strip()}")
    return done.stdout


# ---------------------------------------------------------------- mouse, keys and the screen


def click(x, y):
    run("xdotool", "mousemove", str(int(x)), str(int(y)), "click", "1")


def click_on(acc):
    x, y = centre(acc)
    click(x, y)


def key(window, name):
    run("xdotool", "windowfocus", "--sync", str(window), timeout=5)
    run("xdotool", "key", "--clearmodifiers", name)


def type_text(text):
    run("xdotool", "type", "--delay", "20", text)


def screenshot(path):
    run("import", "-window", "root", path, timeout=20, check=False)


def window_ids(pid, title):
    out = run("xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", f"^{re.escape(title)}$",
              check=False)
    return [int(w) for w in out.split()]


# ---------------------------------------------------------------- the accessibility tree


def role(acc):
    return acc.getRoleName()


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def checked(acc):
    return acc.getState().contains(pyatspi.STATE_CHECKED)


def children(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def descendants(acc, only_showing=True):
    for child in children(acc):
        if child is None or (only_showing and not showing(child)):
            continue
        yield child
        yield from descendants(child, only_showing)


def find(root, role_name, name=None, only_showing=True):
    for acc in descendants(root, only_showing):
        if (role_name is None or role(acc) == role_name) and (name is None or acc.name == name):
            return acc
    return None


def find_all(root, role_name, only_showing=True):
    return [acc for acc in descendants(root, only_showing) if role_name is None or role(acc) == role_name]


def extents(acc):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def centre(acc):
    x, y, w, h = extents(acc)
    return x + w // 2, y + h // 2


def text_of(acc):
    return acc.queryText().getText(0, -1)


def labelled(label):
    """The control a label names (its LABEL_FOR relation)."""
    for relation in label.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABEL_FOR and relation.getNTargets() > 0:
            return relation.getTarget(0)
    raise Failure(f"label {label.name!r} names no control")


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def top_window(app, title, role_name=None):
    for acc in children(app):
        if acc is not None and acc.name == title and showing(acc) and (role_name is None or role(acc) == role_name):
            return acc
    return None


def dump(acc, depth=0):
    """The tree as text, for the record of a failure."""
    lines = []
    try:
        x, y, w, h = extents(acc)
        state = "showing" if showing(acc) else "hidden"
        lines.append(f"{'  ' * depth}[{role(acc)}] {acc.name!r} {state} {x},{y} {w}x{h}")
        for child in children(acc):
            if child is not None:
                lines.extend(dump(child, depth + 1))
    except Exception as error:
        lines.append(f"{'  ' * depth}<{error}>")
    return lines


# ---------------------------------------------------------------- the program


class Program:
    """The game started from its own folder with its own settings folder."""

    def __init__(self, binary, folder, config, log_dir, name, env=None):
        self.folder, self.config, self.name = folder, config, name
        self.stderr_path = os.path.join(log_dir, f"{name}.stderr.txt")
        environment = dict(os.environ, XDG_CONFIG_HOME=config, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        environment.pop("QT_QPA_PLATFORM", None)
        environment.update(env or {})
        self.stderr = open(self.stderr_path, "w")
        self.process = subprocess.Popen([os.path.join(folder, os.path.basename(binary))], cwd=folder,
                                        env=environment, stdout=self.stderr, stderr=subprocess.STDOUT)
        self.pid = self.process.pid
        self._app = None

    def app(self):
        if self._app is None:
            self._app = wait_for("the program in the accessibility tree", lambda: application(self.pid), 15)
        return self._app

    def window(self, title, timeout=10, role_name=None):
        """A shown top-level window of the program, as the accessibility tree sees it."""
        return wait_for(f"the window {title!r}", lambda: top_window(self.app(), title, role_name), timeout)

    def gone(self, title):
        return top_window(self.app(), title) is None and not window_ids(self.pid, title)

    def x_window(self, title, timeout=10):
        return wait_for(f"the X window {title!r}", lambda: window_ids(self.pid, title), timeout)[0]

    def exited(self, timeout=10):
        wait_for("the program to end", lambda: self.process.poll() is not None, timeout)
        return self.process.returncode

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(3)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.stderr.close()


def program_folder(binary, into, without=()):
    """The binary and the files built beside it, as an installed program has them."""
    source = os.path.dirname(binary)
    for entry in os.listdir(source):
        if entry in without:
            continue
        path = os.path.join(source, entry)
        if os.path.isdir(path):
            shutil.copytree(path, os.path.join(into, entry), symlinks=True)
        else:
            shutil.copy2(path, into)
    return into


# ---------------------------------------------------------------- sound


class Recording:
    """Whatever the null sink plays, from now until stop()."""

    def __init__(self, path, device="test_sink.monitor"):
        self.path = path
        self.process = subprocess.Popen(["parecord", "-d", device, "--file-format=wav", path],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def stop(self):
        self.process.send_signal(signal.SIGINT)
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()

    def rms(self):
        """The RMS amplitude sox reports (0 for a recording that holds no samples)."""
        if not os.path.exists(self.path) or os.path.getsize(self.path) <= 44:
            return 0.0
        out = subprocess.run(["sox", self.path, "-n", "stat"], capture_output=True, text=True, timeout=20).stderr
        match = re.search(r"RMS\s+amplitude:\s+([0-9.eE+-]+)", out)
        return float(match.group(1)) if match else 0.0


def sink_inputs_of(pid):
    """How many streams the process has open on the sound server."""
    out = run("pactl", "list", "sink-inputs", check=False)
    return len(re.findall(rf'application\.process\.id = "{pid}"', out))
