#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Catches a debian/ that does not build, a package that differs between two builds or that lintian tags at all,
# one that brings Qt Multimedia, a menu entry that starts no game window, a packager's strip or the games layout
# silencing the shots (also those stored by 1.0.0 in /usr/lib/plinkard), or files left after purge.
set -euo pipefail
skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }
[ "${PLINKARD_PACKAGE_TEST:-}" = 1 ] || [ "${CI:-}" = true ] || skip "set PLINKARD_PACKAGE_TEST=1 to let it install the package"
[ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null || skip "needs root and apt"
dpkg-query -W -f='${Status}' plinkard 2>/dev/null | grep -q "ok installed" && skip "a plinkard package is installed already"
[ -n "${PLINKARD_PACKAGE_SESSION:-}" ] || PLINKARD_PACKAGE_SESSION=1 exec "$(dirname "$0")/../../scripts/headless-session" "$0" "$@"

work=$(mktemp -d /tmp/plinkard-package.XXXXXX) && chmod 755 "$work" # apt reads the .deb as its own user
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; apt-get -y -qq purge plinkard >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 -y -q "$@" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get $1"; }; }
# Two builds in two folders, one after the other, give the same bytes.
for build in first second; do "$(dirname "$0")/../../scripts/build-deb" "$work/$build" >/dev/null || fail "dpkg-buildpackage"; done
(cd "$work/first" && sha256sum ./*.deb) >"$work/sums" && (cd "$work/second" && sha256sum -c --quiet "$work/sums") || fail "the two builds differ"
echo "both builds:" && cat "$work/sums"
lintian --pedantic --info --display-experimental --fail-on error,warning,info,pedantic,experimental \
  "$work"/first/*.deb || fail "lintian"
deb=$(echo "$work"/first/plinkard_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
! grep -qiE 'multimedia|gstreamer|libav' <<<"$depends" || fail "the .deb depends on a media framework: $depends"
apt_get install --no-install-recommends "$deb"
mapfile -t files < <(dpkg -L plinkard)
[ "$(readlink /usr/games/plinkard)" = ../lib/games/plinkard/plinkard ] || fail "/usr/games/plinkard is not the relative link"

# Music off, so that the null sink hears the shot alone; the shot as 1.0.0 stored it, in a folder now gone.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config PATH=$PATH:/usr/games QT_LOGGING_RULES="plinkard.sound=true"
mkdir -p "$XDG_CONFIG_HOME"
printf '[Plinkard]\nMIDI ON-OFF=0\nMIDI%%20ON-OFF=0\nWAVE=/usr/lib/plinkard/mchgun.wav\n' >"$XDG_CONFIG_HOME/Brindlecot.ini"
command=$(sed -n 's/^Exec=//p' /usr/share/applications/io.github.brindlecot.Plinkard.desktop | head -n 1)
(cd "$HOME" && eval "exec ${command//%[fFuU]/}") >"$work/game.log" 2>&1 &
pid=$!
wid=$(timeout 20 xdotool search --sync --all --onlyvisible --pid "$pid" --name '^Plinkard$' | head -n 1) || fail "no window in 20 s"
sleep 1 # the sound module loads after the first paint
parecord -d test_sink.monitor --raw --format=s16le --channels=1 --rate=8000 "$work/heard.raw" &
recorder=$!
sleep 0.3
xdotool mousemove --window "$wid" 51 120 click 1 # a spot no target covers: a miss, with the shot's sound
sleep 1.5
kill -INT "$recorder" && wait "$recorder" || true
peak=$(od -An -v -td2 -w2 "$work/heard.raw" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > p) p = v } END { print p + 0 }')
[ "$peak" -gt 300 ] || { cat "$work/game.log"; fail "no shot heard in the null sink (peak $peak)"; }
! grep '^plinkard.sound' "$work/game.log" || fail "a sound file did not play (our own shot plays for a missing one)"
xdotool windowfocus --sync "$wid" key --clearmodifiers alt+x
timeout 10 tail --pid="$pid" -f /dev/null || fail "Alt+X did not close the game"
pid=""
stored=$(grep -E '^(MIDI|WAVE)=' "$XDG_CONFIG_HOME/Brindlecot.ini" | sort | tr '\n' ' ')
[ "$stored" = "MIDI=/usr/lib/games/plinkard/snot.mid WAVE=/usr/lib/games/plinkard/mchgun.wav " ] ||
  fail "stored paths outside the program's folder: $stored"
# The archive's test (debian/tests), on this installation rather than autopkgtest's own: start, window, SIGTERM.
AUTOPKGTEST_TMP=$(mktemp -d "$work/smoke.XXXXXX") "$(dirname "$0")/../../debian/tests/smoke" >"$work/smoke.log" 2>&1 ||
  { cat "$work/smoke.log"; fail "debian/tests/smoke"; }
dpkg-query -W -f='${Recommends}' plinkard | grep -qw qt6-wayland || fail "qt6-wayland is not recommended"
apt_get purge plinkard
for f in "${files[@]}"; do
  case $f in /. | /usr | /usr/bin | /usr/games | /usr/lib | /usr/lib/games | /usr/share | /usr/share/*) [ -d "$f" ] && continue ;; esac
  if [ -e "$f" ] || [ -L "$f" ]; then fail "left behind: $f"; fi
done
for folder in /usr/lib/games/plinkard /usr/share/games/plinkard; do [ ! -e "$folder" ] || fail "left behind: $folder"; done
