#!/usr/bin/env bash
# Guards the layout of `cmake --install`: the program in its own folder with the files it reads
# beside it, a relative link in bin/, and a menu entry, metainfo and icon that validate together.
# Needs no root: it installs into a temporary DESTDIR. Usage: install-tree.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
fail() { echo "FAILED: $*" >&2; exit 1; }

stage=$(mktemp -d /tmp/plinkard-tree.XXXXXX)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null

usr=$stage/usr
[ -x "$usr/lib/plinkard/plinkard" ] || fail "no program in lib/plinkard"
[ -f "$usr/lib/plinkard/libplinkard_soundmodule.so" ] || fail "no sound module beside the program"
for name in scores.dat snot.mid mchgun.wav miss.wav; do
  if [ -f "$build/bin/$name" ]; then [ -f "$usr/lib/plinkard/$name" ] || fail "no $name beside the program"; fi
done
[ "$(readlink "$usr/bin/plinkard")" = ../lib/plinkard/plinkard ] || fail "bin/plinkard is not the relative link"
[ "$(readlink -f "$usr/bin/plinkard")" = "$(readlink -f "$usr/lib/plinkard/plinkard")" ] || fail "the link leads elsewhere"
[ -f "$usr/share/icons/hicolor/scalable/apps/plinkard.svg" ] || fail "no scalable icon"
appstreamcli validate-tree --no-net "$stage" || fail "the installed metainfo, entry and icon do not validate together"
echo "install tree:" && (cd "$stage" && find . -type f -o -type l | sort)
