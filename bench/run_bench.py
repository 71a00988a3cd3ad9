#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs every Plinkard benchmark and prints the figures beside their goals.

Expects a desktop session (scripts/headless-session provides Xvfb, PulseAudio with the null sink
test_sink, and a session bus; PipeWire with PLINKARD_SOUND_SERVER=pipewire). The game reports its own timings on stderr when asked through
PLINKARD_REPORT_* variables (app/RunReport.h); everything else is read from /proc and from the
null sink's monitor. Every comparison is taken side by side in this one run, and timing figures
are medians of repeated runs, since the machine is shared.
"""

import argparse
import json
import os
import platform
import queue
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from array import array
from collections import Counter
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# Window geometry in pixels (twips / 15).
PANEL_TOP = 249
TOO_HARD_OPTION = (303, 7)  # in the panel
EXIT_BUTTON = (350, 56)  # in the panel
RELOAD_PROMPT = (30, 57)  # in the panel
GRID_LEFTS = [2950, 876, 1610, 2265, 3615, 195, 4335, 4965]
GRID_TOPS = [607, 3195, 1124, 1641, 90, 2158, 2675]
TICK_MS = 50
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def px(twips):
    return (twips + 7) // 15


def now_ns():
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC)


def median(values):
    return statistics.median(values) if values else None


class Program:
    """A launched process whose stderr lines are collected with their arrival, and whose end is stamped."""

    def __init__(self, argv, env, stdout=False):
        env = dict(env)
        env["PLINKARD_LAUNCH_NS"] = str(now_ns())
        self.proc = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE if stdout else subprocess.DEVNULL,
                                     stderr=subprocess.PIPE, text=True, bufsize=1)
        self.lines = queue.Queue()
        self.ended_ns = None
        self._out = self.proc.stdout if stdout else self.proc.stderr
        threading.Thread(target=self._read, daemon=True).start()
        if stdout:
            threading.Thread(target=self._drain, args=(self.proc.stderr,), daemon=True).start()
        threading.Thread(target=self._wait, daemon=True).start()

    def _read(self):
        for line in self._out:
            self.lines.put(line.rstrip("\n"))

    @staticmethod
    def _drain(stream):
        for _ in stream:
            pass

    def _wait(self):
        self.proc.wait()
        self.ended_ns = now_ns()

    @property
    def pid(self):
        return self.proc.pid

    def expect(self, pattern, timeout):
        """The first line matching pattern (a regex), or None when timeout passes first."""
        end = time.monotonic() + timeout
        while True:
            left = end - time.monotonic()
            if left <= 0:
                return None
            try:
                line = self.lines.get(timeout=left)
            except queue.Empty:
                return None
            match = re.match(pattern, line)
            if match:
                return match

    def drain(self):
        out = []
        while True:
            try:
                out.append(self.lines.get_nowait())
            except queue.Empty:
                return out

    def stop(self):
        if self.proc.poll() is None:
            self.proc.kill()
        self.proc.wait()

    def wait_end(self, timeout):
        end = time.monotonic() + timeout
        while self.ended_ns is None and time.monotonic() < end:
            time.sleep(0.001)
        return self.ended_ns


def proc_cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def proc_peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return None


def xdotool(*args, timeout=10):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=timeout).stdout


def click(x, y):
    xdotool("mousemove", str(x), str(y), "click", "1")


class Bench:
    def __init__(self, build, runs, shots, quick):
        self.build = build
        self.runs = runs
        self.shots = shots
        self.quick = quick
        self.game = build / "bin" / "plinkard"
        self.bare = build / "bench" / "bare_window"
        self.handlers = build / "bench" / "bench_handlers"
        self.rows = []
        self.notes = []
        self.tmp = Path(tempfile.mkdtemp(prefix="plinkard-bench."))
        env = dict(os.environ)
        env.pop("QT_QPA_PLATFORM", None)
        env.pop("PLINKARD_REPORT_FIRST_PAINT", None)
        env.pop("PLINKARD_REPORT_TICKS", None)
        env.pop("PLINKARD_REPORT_INPUT", None)
        self.env = env

    def row(self, figure, measured, goal, met, how=""):
        self.rows.append((figure, measured, goal, met, how))
        print(f"  {figure}: {measured}  (goal {goal}: {met})", flush=True)

    # A fresh settings folder; `settings` are written into the Plinkard section as they are stored.
    def game_env(self, settings=None, **report):
        config = Path(tempfile.mkdtemp(dir=self.tmp))
        if settings:
            lines = ["[Plinkard]"] + [f"{k}={v}" for k, v in settings.items()]
            (config / "Brindlecot.ini").write_text("\n".join(lines) + "\n")
        env = dict(self.env)
        env["XDG_CONFIG_HOME"] = str(config)
        for name, on in report.items():
            if on:
                env[f"PLINKARD_REPORT_{name.upper()}"] = "1"
        return env

    def launch_game(self, settings=None, **report):
        return Program([str(self.game)], self.game_env(settings, first_paint=True, **report))

    def window_origin(self, program):
        wid = xdotool("search", "--sync", "--onlyvisible", "--pid", str(program.pid), "--name", "^Plinkard$",
                      timeout=15).split()
        if not wid:
            return None
        geometry = dict(re.findall(r"(\w+)=(\d+)", xdotool("getwindowgeometry", "--shell", wid[0])))
        return int(geometry["X"]), int(geometry["Y"]), wid[0]

    # ------------------------------------------------------------------ handlers
    def run_handlers(self):
        print("Handlers (Google Benchmark, offscreen)...", flush=True)
        env = dict(self.env)
        env["QT_QPA_PLATFORM"] = "offscreen"
        reps = "3" if self.quick else "10"
        out = subprocess.run([str(self.handlers), f"--benchmark_repetitions={reps}",
                              "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                             env=env, capture_output=True, text=True, check=True).stdout
        results = {}
        for b in json.loads(out)["benchmarks"]:
            if b.get("aggregate_name") == "median":
                name = b["run_name"].split("/")[0].removeprefix("BM_")
                results[name] = b["median_us"]
        goals = [
            ("MotionTick_TooEasy", "Motion tick, Too Easy (tmrVeryEasy_Timer)", 20),
            ("MotionTick_Easy", "Motion tick, Easy (tmrEasy_Timer)", 20),
            ("MotionTick_Hard", "Motion tick, Hard (tmrHard_Timer)", 20),
            ("MotionTick_TooHard", "Motion tick, Too Hard (tmrVeryHard_Timer)", 20),
            ("Hit", "Hit (imgShoot_Click on a visible target)", 50),
            ("Hit_RealSound", "Hit, with the program's own sound system playing the shot", 50),
            ("Miss", "Miss (Form_Click)", 50),
            ("Miss_RealSound", "Miss, with the program's own sound system playing the shot", 50),
            ("Reload", "Reload (lblReload_Click, empty magazine)", 50),
            ("NewGame", "New Game (cmdNew_Click)", 50),
        ]
        for key, figure, goal in goals:
            value = results.get(key)
            if value is None:
                self.row(figure, "not measured", f"< {goal} us", "n/a")
            else:
                self.row(figure, f"{value:.1f} us", f"< {goal} us", "met" if value < goal else "MISSED",
                         "median call")
        if "MotionTickAndRepaint_TooHard" in results:
            self.notes.append(f"A Too Hard tick together with its offscreen repaint: "
                              f"{results['MotionTickAndRepaint_TooHard']:.1f} us median.")

    # ------------------------------------------------------------------ start-up and exit
    def run_startup_and_exit(self):
        print(f"Start-up and Exit ({self.runs} runs each, interleaved with the bare window, with and without "
              f"a line of text)...", flush=True)
        firsts = {"bare": [], "text": [], "game": []}
        exit_ms = []
        for i in range(self.runs):
            order = ("bare", "text", "game")[i % 3:] + ("bare", "text", "game")[:i % 3]
            for which in order:
                if which == "game":
                    p = self.launch_game(input=True)
                else:
                    p = Program([str(self.bare)] + (["--text"] if which == "text" else []), self.env, stdout=True)
                m = p.expect(r"first-paint-ms ([\d.]+)", 20)
                if m:
                    firsts[which].append(float(m.group(1)))
                    if which == "game" and (exit_ms_one := self.exit_one(p)) is not None:
                        exit_ms.append(exit_ms_one)
                if which != "game":
                    p.wait_end(5)
                p.stop()
        bare, text, game = (median(firsts[k]) for k in ("bare", "text", "game"))
        if bare and text and game:
            ratio = game / text
            self.row("Start-up to first paint", f"{game:.1f} ms vs bare with text {text:.1f} ms = {ratio:.2f} x "
                     f"(bare {bare:.1f} ms: {game / bare:.2f} x, text {text / bare:.2f} x)",
                     "<= 1.05 x bare with text", met(ratio <= 1.05),
                     "median of " + " / ".join(str(len(firsts[k])) for k in ("game", "text", "bare")))
        else:
            self.row("Start-up to first paint", "not measured", "<= 1.05 x bare with text", "n/a")
        ex = median(exit_ms)
        if ex is not None:
            self.row("Exit (click to process end)", f"{ex:.1f} ms", "< 200 ms", "met" if ex < 200 else "MISSED",
                     f"median of {len(exit_ms)}")
        else:
            self.row("Exit (click to process end)", "not measured", "< 200 ms", "n/a")

    def exit_one(self, p):
        origin = self.window_origin(p)
        if origin is None:
            return None
        x, y, _ = origin
        time.sleep(1.0)  # the music has started
        p.drain()
        click(x + EXIT_BUTTON[0], y + PANEL_TOP + EXIT_BUTTON[1])
        m = p.expect(r"release (\d+) QPushButton", 5)
        end = p.wait_end(5)
        if m is None or end is None:
            return None
        return (end - int(m.group(1))) / 1e6

    # ------------------------------------------------------------------ play: memory, CPU, pace
    def run_play(self):
        seconds = 10 if self.quick else 30
        print(f"Play: CPU at Easy, then memory, CPU and timer pace at Too Hard, then CPU with music off "
              f"({seconds} s each)...", flush=True)
        easy = self.launch_game()
        cpu_easy = None
        if easy.expect(r"first-paint-ms", 20) and self.window_origin(easy):
            time.sleep(1.0)
            start = proc_cpu_seconds(easy.pid)
            time.sleep(seconds)
            cpu_easy = (proc_cpu_seconds(easy.pid) - start) / seconds * 100
        easy.stop()

        hard = self.launch_game(ticks=True)
        bare = None
        cpu_hard = peak = bare_peak = None
        intervals = []
        if hard.expect(r"first-paint-ms", 20) and (origin := self.window_origin(hard)):
            x, y, _ = origin
            time.sleep(0.5)
            click(x + TOO_HARD_OPTION[0], y + PANEL_TOP + TOO_HARD_OPTION[1])
            time.sleep(0.5)
            hard.drain()
            bare = Program([str(self.bare), str(seconds)], self.env, stdout=True)
            start = proc_cpu_seconds(hard.pid)
            time.sleep(seconds)
            cpu_hard = (proc_cpu_seconds(hard.pid) - start) / seconds * 100
            peak = proc_peak_rss_kib(hard.pid)
            ticks = [int(t) for line in hard.drain() if (t := tick_at(line, TICK_MS)) is not None]
            pace_window = ticks[: 20 * 1000 // TICK_MS + 1]
            intervals = [(b - a) / 1e6 for a, b in zip(pace_window, pace_window[1:])]
            m = bare.expect(r"peak-rss-kib (\d+)", 15)
            bare_peak = int(m.group(1)) if m else None
            bare.stop()
        hard.stop()

        # The anchor: the bare window moving a picture at the pace of Easy's and Too Hard's motion ticks.
        anchor = {200: self.bare_cpu(200, seconds), 50: self.bare_cpu(50, seconds)}
        self.row("Anchor: bare window moving a 32 x 32 picture every 200 ms / 50 ms",
                 f"{fmt(anchor[200], '%')} / {fmt(anchor[50], '% of a core')}", "", "", f"{seconds} s each")
        self.row("CPU at Easy, music on", ratio_to(cpu_easy, anchor[200]), "< 1.5 %",
                 met(cpu_easy is not None and cpu_easy < 1.5), f"{seconds} s of play")
        self.row("CPU at Too Hard, music on", ratio_to(cpu_hard, anchor[50]), "< 2.3 %",
                 met(cpu_hard is not None and cpu_hard < 2.3), f"{seconds} s of play")
        # Sound off (music and shot sound; no shot is fired): the sound module is loaded all the same. The
        # Too Hard run's peak memory is the floor of the game's own.
        quiet_peak = None
        for level, goal in (("Easy", 0.25), ("Too Hard", 0.8)):
            sound_off = {"MIDI ON-OFF": "0", "WAVE ON-OFF": "0"}
            cpu, quiet_peak = self.cpu_of_play(sound_off, level == "Too Hard", seconds)
            self.row(f"CPU at {level}, music off", ratio_to(cpu, anchor[200 if level == "Easy" else 50]), f"< {goal:g} %",
                     met(cpu is not None and cpu < goal), f"{seconds} s of play")
        if peak and bare_peak:
            ratio = peak / bare_peak
            floor = f"; sound off {quiet_peak / 1024:.1f} MiB = {quiet_peak / bare_peak:.2f} x" if quiet_peak else ""
            self.row("Peak memory after Too Hard play", f"{peak / 1024:.1f} MiB vs bare {bare_peak / 1024:.1f} MiB"
                     f" = {ratio:.2f} x{floor}", "<= 1.8 x", met(ratio <= 1.8), f"VmHWM after {seconds} s")
        else:
            self.row("Peak memory after Too Hard play", "not measured", "<= 1.8 x", "n/a")
        if len(intervals) > 10:
            mean = statistics.fmean(intervals)
            p99 = sorted(intervals)[int(len(intervals) * 0.99) - 1]
            worst = max(abs(p99 - TICK_MS), abs(min(intervals) - TICK_MS))
            self.row("Timer pace at Too Hard, mean interval", f"{mean:.2f} ms", "50 ms +- 1 %",
                     met(abs(mean - TICK_MS) <= TICK_MS * 0.01), f"{len(intervals)} intervals")
            self.row("Timer pace at Too Hard, 99th percentile", f"{p99:.2f} ms", "<= 55 ms",
                     met(abs(p99 - TICK_MS) <= 5), f"shortest {min(intervals):.2f} ms, worst off {worst:.2f} ms")
        else:
            self.row("Timer pace at Too Hard", "not measured", "50 ms +- 1 %, p99 <= 55 ms", "n/a")

    def bare_cpu(self, move_ms, seconds):
        """Percent of a core the bare window takes over `seconds` while it moves its picture every `move_ms`."""
        bare = Program([str(self.bare), "--move", str(move_ms), str(seconds + 5)], self.env, stdout=True)
        cpu = None
        if bare.expect(r"first-paint-ms", 20):
            time.sleep(1.0)
            start = proc_cpu_seconds(bare.pid)
            time.sleep(seconds)
            cpu = (proc_cpu_seconds(bare.pid) - start) / seconds * 100
        bare.stop()
        return cpu

    def cpu_of_play(self, settings, too_hard, seconds, settle=1.0):
        """Percent of a core the game takes over `seconds` of play, a second after its window is up, and its
        peak resident memory then (KiB)."""
        game = self.launch_game(settings)
        cpu = peak = None
        if game.expect(r"first-paint-ms", 20) and (origin := self.window_origin(game)):
            x, y, _ = origin
            time.sleep(settle)
            if too_hard:
                click(x + TOO_HARD_OPTION[0], y + PANEL_TOP + TOO_HARD_OPTION[1])
                time.sleep(0.5)
            start = proc_cpu_seconds(game.pid)
            time.sleep(seconds)
            cpu = (proc_cpu_seconds(game.pid) - start) / seconds * 100
            peak = proc_peak_rss_kib(game.pid)
        game.stop()
        return cpu, peak

    # ------------------------------------------------------------------ shots: sound latency and repaint
    def run_shots(self):
        shots = min(self.shots, 20) if self.quick else self.shots
        latencies, repaints, heard_any = self.shoot(shots, busy=0)
        rp = median(repaints)
        if rp is not None:
            self.row("Hit repaint (click to repaint without the target)", f"{rp:.1f} ms", "<= 16.7 ms",
                     met(rp <= 16.7), f"median of {len(repaints)} hits")
        else:
            self.row("Hit repaint (click to repaint without the target)", "not measured", "<= 16.7 ms", "n/a")
        goal = "median < 2 ms, p95 < 5 ms, none lost"
        self.latency_row("Shot latency (click to first sound in the sink)", latencies, heard_any, goal,
                         lambda lat, p95, worst, lost: lat < 2 and p95 < 5 and lost == 0)
        latencies, _, heard_any = self.shoot(shots, busy=2)
        self.latency_row("Shot latency with two busy processes beside the game", latencies, heard_any, goal,
                         lambda lat, p95, worst, lost: lat < 2 and p95 < 5 and lost == 0)

    def shoot(self, shots, busy):
        """Clicks on visible targets; returns the click-to-sound latencies in ms (inf: not heard within a
        second), the hit repaints and whether anything was heard. `busy` busy-loop processes run beside
        the game meanwhile."""
        print(f"Shots: {shots} clicks on visible targets, music off, {busy} busy processes beside...", flush=True)
        monitor = Monitor()
        game = self.launch_game({"MIDI ON-OFF": "0", "Change Speed": "0"}, input=True)
        latencies, repaints, loops = [], [], []
        clicks = 0
        try:
            if not (game.expect(r"first-paint-ms", 20) and (origin := self.window_origin(game))):
                raise RuntimeError("the game did not show its window")
            x, y, wid = origin
            loops = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(busy)]
            # A null sink that has had no client renders up to two seconds of silence ahead, and the
            # first stream to connect waits that out once; a hardware sink rewinds instead.
            time.sleep(2.5)
            while len(latencies) < shots and clicks < shots * 3:
                if clicks % 10 == 9:
                    click(x + RELOAD_PROMPT[0], y + PANEL_TOP + RELOAD_PROMPT[1])
                monitor.wait_silence(0.15, 2.0)
                target = visible_target(wid)
                if target is None:
                    time.sleep(0.1)
                    continue
                game.drain()
                clicks += 1
                click(x + target[0], y + target[1])
                press = game.expect(r"press (\d+) (\S+) ?(\S*)", 2)
                if press is None:
                    continue
                pressed = int(press.group(1))
                if press.group(3).startswith("imgShoot"):
                    painted = game.expect(r"painted (\d+)", 1)
                    if painted:
                        repaints.append((int(painted.group(1)) - pressed) / 1e6)
                onset = monitor.onset_after(pressed, 1.0)
                latencies.append(float("inf") if onset is None else (onset - pressed) / 1e6)
        except RuntimeError as e:
            self.notes.append(f"Shots ({busy} busy): {e}.")
        finally:
            for loop in loops:
                loop.kill()
                loop.wait()
            game.stop()
            monitor.stop()
        print("    click to sound, ms, in order:", " ".join(f"{v:.0f}" for v in latencies), flush=True)
        return latencies, repaints, monitor.heard_anything()

    def latency_row(self, figure, latencies, heard_any, goal, ok):
        if not heard_any:
            self.row(figure, "not measurable yet: no shot was heard in the null sink", goal, "n/a")
            return
        if not latencies:
            self.row(figure, "not measured", goal, "n/a")
            return
        ordered = sorted(latencies)
        lat = median(ordered)
        p95 = ordered[max(0, -(-len(ordered) * 95 // 100) - 1)]
        worst = ordered[-1]
        lost = sum(1 for v in latencies if v == float("inf"))
        measured = f"{lat:.1f} ms" if lat != float("inf") else "most shots unheard"
        heard = [v for v in latencies if v != float("inf")]
        how = f"median of {len(latencies)} shots; {lost} unheard within 1 s"
        if heard:
            how += f"; p95 {p95:.1f} ms, heard ones {min(heard):.1f} to {max(heard):.1f} ms"
        self.row(figure, measured, goal, met(ok(lat, p95, worst, lost)), how)

    # ------------------------------------------------------------------ a busy machine
    def run_busy(self):
        """Shots and a held note with twice as many spinning processes as cores beside the game, at its priority;
        paplay of the same tone under the same load as the anchor. Then, on the quiet machine, the processor
        time once a short piece has ended, beside music off."""
        shots = 20 if self.quick else 100
        held_s = 15 if self.quick else 60
        busy = 2 * os.cpu_count()
        tone, held, short = self.tmp / "tone.wav", self.tmp / "held.mid", self.tmp / "short.mid"
        write_tone(tone, 1500, 0.6)
        write_held_note(held, held_s)
        write_held_note(short, 4)
        print(f"Busy machine ({busy} spinning processes): {shots} shots of a 0.6 s tone, the same by paplay, "
              f"{held_s} s of a held note...", flush=True)
        load = Load(busy)
        try:
            presses, rec, settled = self.busy_shots(tone, shots)
            found = sounds_and_holes(rec.samples)
            onsets = [rec.time_of(o, settled) for o, _, _ in found]
            lat = [next(((o - p) / 1e6 for o in onsets if p - 2_000_000 <= o < p + 1_000_000_000), float("inf"))
                   for p in presses if p]
            self.holes_row(f"Shots under load: holes ({shots} shots of a 0.6 s 1.5 kHz tone)", found, shots)
            self.latency_row(f"Shot latency under load ({busy} spinning processes)", lat, bool(found),
                             "median < 5 ms", lambda m, p95, worst, lost: m < 5)
            rec = Recording()
            for _ in range(shots):
                subprocess.run(["paplay", str(tone)], timeout=30)
                time.sleep(0.3)
            rec.stop()
            self.holes_row("Anchor: paplay of the same tone under the same load",
                           sounds_and_holes(rec.samples), shots)
            rec = Recording()
            game = self.launch_game({"WAVE ON-OFF": "0", "MIDI": str(held)})
            game.expect(r"first-paint-ms", 30)
            time.sleep(held_s + 5)
            game.stop()
            rec.stop()
            self.holes_row(f"Music under load: holes in {held_s} s of a held organ note",
                           sounds_and_holes(rec.samples, skip=0.3)[:1], 1)
        finally:
            load.stop()
        after, off = (self.cpu_of_play(settings, False, 10, settle=8) for settings in
                      ({"MIDI": str(short), "WAVE ON-OFF": "0"}, {"MIDI ON-OFF": "0", "WAVE ON-OFF": "0"}))
        if after is not None and off is not None and off[0]:
            ratio = after[0] / off[0]
            self.row("CPU 8 to 18 s after a 4 s piece has ended, beside music off",
                     f"{after[0]:.2f} % vs {off[0]:.2f} % = {ratio:.2f} x", "<= 1.1 x", met(ratio <= 1.1), "Easy, 10 s")

    def busy_shots(self, tone, shots):
        """Misses on a spot no target covers, a second apart, with the magazine refilled every five; the press
        times (ns, None where the press was not seen) and the recording."""
        game = self.launch_game({"MIDI ON-OFF": "0", "Change Speed": "0", "WAVE": str(tone)}, input=True)
        presses = []
        rec = Recording()
        settled = None
        try:
            if not (game.expect(r"first-paint-ms", 30) and (origin := self.window_origin(game))):
                raise RuntimeError("the game did not show its window")
            x, y, _ = origin
            time.sleep(2.5)  # the null sink's first render ahead, as in shoot()
            settled = now_ns()
            for i in range(shots):
                if i % 5 == 0:
                    click(x + RELOAD_PROMPT[0], y + PANEL_TOP + RELOAD_PROMPT[1])
                    time.sleep(0.2)
                game.drain()
                click(x + 51, y + 120)
                press = game.expect(r"press (\d+) ", 2)
                presses.append(int(press.group(1)) if press else None)
                time.sleep(1.0)
        finally:
            game.stop()
            rec.stop()
        return presses, rec, settled

    def holes_row(self, figure, found, expected):
        holed = [h for _, _, h in found if h]
        lengths = sorted(x for h in holed for x in h)
        how = f"{len(found)} sounds for {expected}; {len(holed)} with a hole"
        if lengths:
            how += f"; holes {lengths[0]:.1f} to {lengths[-1]:.1f} ms"
        self.row(figure, f"{sum(map(len, holed))} holes", "0", met(not holed and len(found) == expected), how)

    # ------------------------------------------------------------------ report
    def table(self):
        out = ["| Figure | Measured | Goal | Met | How |", "|---|---|---|---|---|"]
        for figure, measured, goal, ok, how in self.rows:
            out.append(f"| {figure} | {measured} | {goal} | {ok} | {how} |")
        return "\n".join(out)

    def machine(self):
        model = ""
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
        with open("/proc/meminfo") as f:
            mem_kib = int(f.readline().split()[1])
        return (f"{time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}; {os.cpu_count()} cores (nproc), "
                f"{model}, {mem_kib / 1024 / 1024:.1f} GiB memory; {platform.system()} {platform.release()}; "
                f"Xvfb and a null sink on {sound_server()} (scripts/headless-session); "
                f"load average {os.getloadavg()[0]:.1f} at the end")


def sound_server():
    """The server's name as it gives it: "pulseaudio", or "PulseAudio (on PipeWire 0.3.65)"."""
    info = subprocess.run(["pactl", "info"], capture_output=True, text=True).stdout
    return next((line.split(": ", 1)[1] for line in info.splitlines() if line.startswith("Server Name:")), "no server")


def write_tone(path, hz, seconds, rate=44100):
    """A plain sine, 16-bit mono WAV: a shot sound whose holes are easy to find."""
    import math
    import wave
    frames = array("h", (int(12000 * math.sin(2 * math.pi * hz * i / rate)) for i in range(int(rate * seconds))))
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(frames.tobytes())


def write_held_note(path, seconds, program=19, note=84):
    """A standard MIDI file of one organ note held for `seconds` (120 beats a minute, 480 ticks a beat)."""
    def delta(ticks):
        out = [ticks & 0x7F]
        while ticks > 0x7F:
            ticks >>= 7
            out.insert(0, 0x80 | (ticks & 0x7F))
        return bytes(out)
    track = (delta(0) + bytes([0xC0, program]) + delta(0) + bytes([0x90, note, 100]) +
             delta(int(seconds * 960)) + bytes([0x80, note, 0]) + delta(0) + b"\xff\x2f\x00")
    Path(path).write_bytes(b"MThd" + (6).to_bytes(4, "big") + bytes([0, 0, 0, 1, 1, 0xE0]) +
                           b"MTrk" + len(track).to_bytes(4, "big") + track)


class Load:
    """Busy processes at the game's own priority, stopped by their ids."""

    def __init__(self, count):
        self.procs = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(count)]

    def stop(self):
        for p in self.procs:
            p.kill()
            p.wait()


class Recording:
    """The null sink's monitor at 44.1 kHz mono, whole. A sample's time on the monotonic clock is its index
    after the recording's first sample, whose time is the earliest that the reads in each half second allow (a
    late read only makes it later, so a busy machine does not move the dates), drawn as a line from one half
    second to the next (the sink's clock runs a little off the monotonic one). Only reads after a given moment
    count: before the sink has settled on a short latency it sends samples ahead of their time."""

    RATE = 44100

    def __init__(self):
        self.samples = array("h")
        self.reads = []  # (arrival ns, samples by then)
        self.proc = subprocess.Popen(["parec", "-d", "test_sink.monitor", "--raw", "--format=s16le",
                                      f"--rate={self.RATE}", "--channels=1", "--latency-msec=20"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()
        time.sleep(0.5)

    def _read(self):
        fd = self.proc.stdout.fileno()
        rest = b""
        while data := os.read(fd, 65536):
            arrived = now_ns()
            data = rest + data
            cut = len(data) // 2 * 2
            rest = data[cut:]
            self.samples.frombytes(data[:cut])
            self.reads.append((arrived, len(self.samples)))

    def time_of(self, index, since_ns):
        lowest = {}
        for a, n in self.reads:
            if a >= since_ns:
                first = a - n * 1_000_000_000 // self.RATE
                if first < lowest.get(a // 500_000_000, (float("inf"),))[0]:
                    lowest[a // 500_000_000] = (first, n)
        points = sorted((n, first) for first, n in lowest.values())
        if not points:
            return None
        before = [p for p in points if p[0] <= index][-1:] or points[:1]
        after = [p for p in points if p[0] > index][:1] or points[-1:]
        (n0, f0), (n1, f1) = before[0], after[0]
        first = f0 if n1 == n0 else f0 + (f1 - f0) * (index - n0) / (n1 - n0)
        return first + index * 1_000_000_000 / self.RATE

    def stop(self):
        self.proc.send_signal(signal.SIGINT)
        self.proc.wait()
        self.thread.join(5)


def sounds_and_holes(samples, skip=0.0, rate=Recording.RATE):
    """The sounds of a recording, each from a loud sample after at least 0.15 s under the level to the last loud
    one before such a gap, and the holes inside each from `skip` s after its start: a hole is a run of 2 ms
    windows whose peak is under the level, 5 % of the recording's peak. A hole of 0.15 s or more splits a
    sound in two. Returns [(start index, end index, [hole lengths in ms])]."""
    peak = max((abs(v) for v in samples), default=0)
    level, window, step, gap = peak * 0.05, rate // 500, rate // 2000, int(rate * 0.15)
    sounds = []
    for i, v in enumerate(samples):
        if v > level or -v > level:
            if sounds and i - sounds[-1][1] < gap:
                sounds[-1][1] = i
            else:
                sounds.append([i, i])
    out = []
    for start, end in sounds:
        holes, run = [], 0
        for at in range(start + int(skip * rate), end - window, step):
            if max(map(abs, samples[at:at + window])) < level:
                run += 1
            elif run:
                holes.append((run * step + window) * 1000 / rate)
                run = 0
        out.append((start, end, holes))
    return out


def tick_at(line, interval):
    m = re.match(r"tick (\d+) (\d+)", line)
    return m.group(2) if m and int(m.group(1)) == interval else None


def fmt(value, unit):
    return "not measured" if value is None else f"{value:.2f} {unit}"


def ratio_to(cpu, anchor):
    if cpu is None:
        return "not measured"
    return f"{cpu:.2f} % of a core" + (f" = {cpu / anchor:.2f} x the bare window" if anchor else "")


def met(ok):
    return "met" if ok else "MISSED"


def visible_target(wid):
    """The centre (window pixels) of a target showing on a grid cell or at a starting place, if any."""
    ppm = subprocess.run(["import", "-window", wid, "-depth", "8", "ppm:-"], capture_output=True, timeout=10).stdout
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", ppm)
    if not header:
        return None
    width, height = int(header.group(1)), int(header.group(2))
    pixels = ppm[header.end():]
    # The field's colour is whatever most of the field shows.
    field = Counter(bytes(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])
                    for y in range(0, PANEL_TOP, 7) for x in range(0, width, 7)).most_common(1)[0][0]
    cells = [(px(left), px(top)) for left in GRID_LEFTS for top in GRID_TOPS]
    best = None
    for left, top in cells:
        changed = 0
        for yy in range(top + 8, top + 24, 2):
            row = (yy * width) * 3
            for xx in range(left + 8, left + 24, 2):
                i = row + xx * 3
                if yy < height and xx < width and pixels[i:i + 3] != field:
                    changed += 1
        if changed >= 40 and (best is None or changed > best[0]):
            best = (changed, left + 16, top + 16)
    return None if best is None else (best[1], best[2])


class Monitor:
    """The null sink's monitor, read with a small latency; finds where sound starts after silence."""

    RATE = 44100
    LEVEL = 328  # -40 dBFS

    def __init__(self):
        self.onsets = []
        self.last_loud_ns = 0
        self.heard = False
        self.lock = threading.Lock()
        self.proc = None
        if shutil.which("parec") is None:
            return
        self.proc = subprocess.Popen(["parec", "-d", "test_sink.monitor", "--raw", "--format=s16le",
                                      f"--rate={self.RATE}", "--channels=1", "--latency-msec=2"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        threading.Thread(target=self._read, daemon=True).start()
        time.sleep(0.3)

    def _read(self):
        fd = self.proc.stdout.fileno()
        quiet_since = True
        while True:
            data = os.read(fd, 512)
            arrived = now_ns()
            if not data:
                return
            samples = array("h", data[: len(data) // 2 * 2])
            n = len(samples)
            for i, s in enumerate(samples):
                if s > self.LEVEL or s < -self.LEVEL:
                    at = arrived - (n - i) * 1_000_000_000 // self.RATE
                    with self.lock:
                        if at - self.last_loud_ns > 100_000_000 or quiet_since:
                            self.onsets.append(at)
                        quiet_since = False
                        self.last_loud_ns = arrived
                        self.heard = True
                    break

    def heard_anything(self):
        return self.heard

    def wait_silence(self, seconds, timeout):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            with self.lock:
                quiet = now_ns() - self.last_loud_ns > seconds * 1e9
            if quiet:
                return
            time.sleep(0.02)

    def onset_after(self, t_ns, timeout):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            with self.lock:
                found = [o for o in self.onsets if o >= t_ns - 2_000_000]
            if found:
                return found[0]
            time.sleep(0.01)
        return None

    def stop(self):
        if self.proc:
            self.proc.send_signal(signal.SIGTERM)
            self.proc.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=str(ROOT / "build-bench"))
    parser.add_argument("--runs", type=int, default=15, help="start-up runs of each program")
    parser.add_argument("--shots", type=int, default=50, help="shots of each shot run (at most 20 with --quick)")
    parser.add_argument("--quick", action="store_true", help="fewer repetitions and shorter play, for trying")
    parser.add_argument("--only", default="handlers,startup,play,shots,busy")
    parser.add_argument("--write", default=str(ROOT / "BENCHMARKS.md"), help="file for the table ('' for none)")
    args = parser.parse_args()

    bench = Bench(Path(args.build), args.runs, args.shots, args.quick)
    # A bench stopped by SIGTERM still removes its scratch folder, as after Ctrl+C.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    steps = {"handlers": bench.run_handlers, "startup": bench.run_startup_and_exit, "play": bench.run_play,
             "shots": bench.run_shots, "busy": bench.run_busy}
    try:
        for name in args.only.split(","):
            steps[name]()
    finally:
        shutil.rmtree(bench.tmp, ignore_errors=True)

    machine = bench.machine()
    table = bench.table()
    print()
    print(f"Machine: {machine}")
    print(table)
    for note in bench.notes:
        print(f"- {note}")
    if args.write and args.only == parser.get_default("only") and not args.quick:
        text = Path(args.write).read_text() if Path(args.write).exists() else ""
        marker = "<!-- table -->"
        block = f"{marker}\nMachine: {machine}\n\n{table}\n" + "".join(f"\n- {n}" for n in bench.notes) + \
            f"\n{marker}"
        if text.count(marker) == 2:
            head, _, rest = text.partition(marker)
            _, _, tail = rest.partition(marker)
            text = head + block + tail
        else:
            text = "# Benchmarks\n\n" + block + "\n"
        Path(args.write).write_text(text)
        print(f"\nWritten to {args.write}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
