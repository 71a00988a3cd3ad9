#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Catches a .deb that brings Qt Multimedia, a menu entry that starts no game window (so no scores.dat), or files left after purge.
set -euo pipefail
build=$(cd "$1" && pwd)
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
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail cpack; }
depends=$(dpkg-deb -f "$work"/plinkard_*.deb Depends)
! grep -qiE 'multimedia|gstreamer|libav' <<<"$depends" || fail "the .deb depends on a media framework: $depends"
apt_get install --no-install-recommends "$work"/plinkard_*.deb
mapfile -t files < <(dpkg -L plinkard)
[ "$(readlink /usr/games/plinkard)" = ../lib/plinkard/plinkard ] || fail "/usr/games/plinkard is not the relative link"

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config PATH=$PATH:/usr/games && mkdir -p "$XDG_CONFIG_HOME"
command=$(sed -n 's/^Exec=//p' /usr/share/applications/io.github.brindlecot.Plinkard.desktop | head -n 1)
(cd "$HOME" && eval "exec ${command//%[fFuU]/}") >"$work/game.log" 2>&1 &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^Plinkard$' | head -n 1) || fail "no window in 20 s"
xdotool windowfocus --sync "$wid" key --clearmodifiers alt+x
timeout 10 tail --pid="$pid" -f /dev/null || fail "Alt+X did not close the game"
pid=""
# On a Wayland session the installed game is a native client through the recommended plugin.
dpkg-query -W -f='${Recommends}' plinkard | grep -qw qt6-wayland || fail "qt6-wayland is not recommended"
(cd "$HOME" && WAYLAND_DISPLAY=$PLINKARD_WAYLAND_DISPLAY DISPLAY= exec /usr/games/plinkard) >"$work/wayland.log" 2>&1 &
pid=$!
for _ in $(seq 100); do grep -q libqwayland "/proc/$pid/maps" 2>/dev/null && break; sleep 0.1; done
sleep 1 # a compositor that does not answer would make Qt fall back to X11 or end
maps=$(cat "/proc/$pid/maps" 2>/dev/null) || true
[[ $maps == *libqwayland* && $maps != *libqxcb* ]] || { cat "$work/wayland.log"; fail "not a Wayland client"; }
kill "$pid" && pid=""
apt_get purge plinkard
for f in "${files[@]}"; do
  case $f in /. | /usr | /usr/bin | /usr/games | /usr/lib | /usr/share | /usr/share/*) [ -d "$f" ] && continue ;; esac
  if [ -e "$f" ] || [ -L "$f" ]; then fail "left behind: $f"; fi
done
