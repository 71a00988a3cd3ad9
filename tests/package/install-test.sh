#!/usr/bin/env bash
# Guards the Debian package end to end: apt installs it with its dependencies, the command of its
# menu entry starts the game from any folder (it finds scores.dat beside its real executable), and
# removing the package leaves no file behind. Usage: install-test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
app_id=io.github.brindlecot.Plinkard

skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

# It installs and removes a system package, so it runs only where that is wanted.
[ "${PLINKARD_PACKAGE_TEST:-}" = 1 ] || [ "${CI:-}" = true ] || skip "set PLINKARD_PACKAGE_TEST=1 to let it install the package"
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
command -v apt-get >/dev/null || skip "no apt on this machine"
if dpkg-query -W -f='${Status}' plinkard 2>/dev/null | grep -q "ok installed"; then
  skip "a plinkard package is installed already; it is left alone"
fi
# A screen and sound server of its own: other tests' game windows share the name "Plinkard".
if [ -z "${PLINKARD_PACKAGE_SESSION:-}" ]; then
  PLINKARD_PACKAGE_SESSION=1 exec "$root/scripts/headless-session" "$0" "$@"
fi

work=$(mktemp -d /tmp/plinkard-package.XXXXXX)
chmod 755 "$work" # apt reads the .deb as its own unprivileged user
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  if dpkg-query -W -f='${Status}' plinkard 2>/dev/null | grep -q "ok installed"; then
    apt-get -o DPkg::Lock::Timeout=120 purge -y -qq plinkard >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 -y -q "$@"; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/plinkard_*.deb)
apt_get install --no-install-recommends "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "apt install"; }
mapfile -t files < <(dpkg -L plinkard)

[ -x /usr/lib/plinkard/plinkard ] || fail "no program in /usr/lib/plinkard"
for name in scores.dat snot.mid mchgun.wav miss.wav; do
  if [ -f "$build/bin/$name" ]; then [ -f "/usr/lib/plinkard/$name" ] || fail "no $name beside the program"; fi
done
[ -f /usr/lib/plinkard/scores.dat ] || fail "no scores.dat beside the program"
[ "$(readlink /usr/games/plinkard)" = ../lib/plinkard/plinkard ] || fail "/usr/games/plinkard is not the relative link"
[ -f /usr/share/icons/hicolor/scalable/apps/plinkard.svg ] || fail "no scalable icon"
for png in "$root"/assets/icons/hicolor/*/apps/*.png; do
  [ -e "$png" ] || continue
  size=$(basename "$(dirname "$(dirname "$png")")")
  [ -f "/usr/share/icons/hicolor/$size/apps/plinkard.png" ] || fail "no $size icon"
done
[ -f "/usr/share/metainfo/$app_id.metainfo.xml" ] || fail "no metainfo"
entry=/usr/share/applications/$app_id.desktop
command=$(sed -n 's/^Exec=//p' "$entry" | head -n 1)
command=${command//%[fFuUdDnNickvm]/}
[ -n "$command" ] || fail "no Exec line in $entry"

# As a menu starts it: its own working folder and a settings store of a new user.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config PATH=$PATH:/usr/games
mkdir -p "$XDG_CONFIG_HOME"
start=$(date +%s.%N)
(cd "$HOME" && eval "exec $command") >"$work/game.log" 2>&1 &
pid=$!
wid=$(timeout 20 xdotool search --sync --all --onlyvisible --pid "$pid" --name '^Plinkard$' | head -n 1) || {
  cat "$work/game.log"
  fail "the window 'Plinkard' did not appear within 20 s"
}
shown=$(date +%s.%N)
[ "$(readlink "/proc/$pid/exe")" = /usr/lib/plinkard/plinkard ] || fail "not the installed program"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH x $HEIGHT" = "376 x 322" ] || fail "window is $WIDTH x $HEIGHT, not 376 x 322"
echo "window $wid of $WIDTH x $HEIGHT after $(awk "BEGIN { printf \"%.2f\", $shown - $start }") s"

# Alt+X presses "E&xit": the game closes itself.
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers alt+x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "Alt+X did not close the game"
wait "$pid" || true
pid=""

apt_get purge plinkard >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; fail "apt purge"; }
dpkg -L plinkard >/dev/null 2>&1 && fail "dpkg still lists plinkard's files"
for f in "${files[@]}"; do
  case $f in /. | /usr | /usr/bin | /usr/games | /usr/lib | /usr/share | /usr/share/* ) [ -d "$f" ] && continue ;; esac
  [ -e "$f" ] || [ -L "$f" ] && fail "left behind: $f"
done
echo "installed, started, closed with Alt+X and removed cleanly"
