#!/usr/bin/env bash
# The whole test run: installs what is missing, builds the 64-bit and 32-bit module and the
# native core, checks that every include points down a floor, runs the sanitized native tests,
# brings up the test printer, installs the printer driver over it and runs the Windows tests in
# Wine. Exits non-zero when anything fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export QXGE_ROOT=$root
export QXGE_BUILD=${QXGE_BUILD:-$root/build}

"$root/scripts/setup.sh"
"$root/scripts/build.sh" x64 x86 native

status=0
echo "== source floors"
"$root/scripts/check-layers.sh" || status=1
"$root/tests/layers/check_layers_test.sh" || status=1

echo "== native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
ctest --test-dir "$QXGE_BUILD/native" --output-on-failure || status=1

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
qxge_wine_init
# The persistent wineserver serves the whole run and goes with it.
trap qxge_wine_stop EXIT
qxge_wine_graphics null
"$root/scripts/test-printer.sh"
"$root/scripts/install-driver.sh"
export QXGE_JOBS_DIR_UNIX=${QXGE_JOBS_DIR:-$QXGE_BUILD/jobs}
QXGE_JOBS_DIR=$(qxge_winpath "$QXGE_JOBS_DIR_UNIX")
export QXGE_JOBS_DIR

echo "== Windows tests (Wine)"
ctest --test-dir "$QXGE_BUILD/x64" --output-on-failure || status=1

exit $status
