#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Catches a broken `cmake --install` layout, link in bin/, or an entry, metainfo and icon that do not validate.
set -euo pipefail
stage=$(mktemp -d /tmp/plinkard-tree.XXXXXX)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$1" --prefix /usr --strip >/dev/null
fail() { echo "FAILED: $*" >&2; exit 1; }
for f in plinkard libplinkard_soundmodule.so scores.dat; do [ -f "$stage/usr/lib/plinkard/$f" ] || fail "no $f in lib/plinkard"; done
[ "$(readlink "$stage/usr/bin/plinkard")" = ../lib/plinkard/plinkard ] || fail "bin/plinkard is not the relative link"
appstreamcli validate-tree --no-net "$stage" || fail "the installed metainfo, entry and icon do not validate together"
