#!/usr/bin/env bash
# The floor check passes on the tree as it stands and fails, naming file and line, on an upward
# include and on a folder that is no floor.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
check=$root/scripts/check-layers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-layers test: $*" >&2; exit 1; }

"$check" "$root/src" >/dev/null || fail "the tree itself does not pass"

cp -r "$root/src" "$work/up"
printf '#include "host/exports.h"\n' >>"$work/up/platform/dialog.h"
line=$(wc -l <"$work/up/platform/dialog.h")
if out=$("$check" "$work/up"); then fail "an upward include passed"; fi
grep -q "^src/platform/dialog.h:$line: " <<<"$out" || fail "the upward include was not named: $out"

cp -r "$root/src" "$work/stray"
mkdir "$work/stray/misc"
printf '#include "misc/x.h"\n' >>"$work/stray/config/profile_file.h"
if out=$("$check" "$work/stray"); then fail "an undeclared folder passed"; fi
grep -q "^src/misc: " <<<"$out" || fail "the undeclared folder was not named: $out"
grep -q "^src/config/profile_file.h:[0-9]*: includes \"misc/x.h\"" <<<"$out" || fail "the include of it was not named: $out"
echo "check-layers test: passed"
