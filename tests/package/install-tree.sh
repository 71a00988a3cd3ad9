#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Catches a broken `cmake --install` layout: the program's files not reachable from its folder (a link that
# points nowhere), a link in bin/ or in the program's folder that is absolute, an icon not named after the
# application id, or an entry, metainfo and icon that do not validate.
set -euo pipefail
stage=$(mktemp -d /tmp/plinkard-tree.XXXXXX)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$1" --prefix /usr --strip >/dev/null
fail() { echo "FAILED: $*" >&2; exit 1; }
cd "$stage/usr"
for f in plinkard libplinkard_soundmodule.so; do [ -f "lib/plinkard/$f" ] && [ ! -L "lib/plinkard/$f" ] || fail "no $f in lib/plinkard"; done
for f in scores.dat snot.mid mchgun.wav miss.wav; do
  [ -f "share/plinkard/$f" ] && [ "$(readlink "lib/plinkard/$f")" = "../../share/plinkard/$f" ] ||
    fail "lib/plinkard/$f is not the relative link to share/plinkard/$f"
done
[ "$(readlink bin/plinkard)" = ../lib/plinkard/plinkard ] || fail "bin/plinkard is not the relative link"
icons=$(cd share/icons/hicolor && ls -- */apps/*)
if grep -qv '/io\.github\.brindlecot\.Plinkard\.\(png\|svg\)$' <<<"$icons" ||
  ! grep -qx 'scalable/apps/io\.github\.brindlecot\.Plinkard\.svg' <<<"$icons"; then fail "icons: $icons"; fi
[ -f share/qlogging-categories6/plinkard.categories ] || fail "no logging categories for kdebugsettings"
appstreamcli validate-tree --no-net "$stage" || fail "the installed metainfo, entry and icon do not validate together"
