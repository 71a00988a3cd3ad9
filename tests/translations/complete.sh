#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every translation complete and current: lupdate over the sources finds no text new to a .ts file, and
# leaves none unfinished and none whose source has gone.
set -euo pipefail
cd "$(dirname "$0")/../.."
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp translations/*.ts "$copy"
/usr/lib/qt6/bin/lupdate -locations none game scores settings platform app -ts "$copy"/*.ts | tee "$copy/log"
! grep -v ' (0 new and ' "$copy/log" | grep -q 'Found'
! grep -l 'type="\(unfinished\|vanished\|obsolete\)"' "$copy"/*.ts
