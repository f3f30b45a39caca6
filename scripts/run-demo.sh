#!/usr/bin/env bash
# The demo: the reference host shows a sample's sheet, the office model's unless QXGE_SAMPLE
# names another (compact, color, photo). On a desktop (DISPLAY set)
# the sheet opens in a window; headless, it runs under Xvfb and saves a PNG of every page.
# Extra arguments go to the host, for example --pages 0,1 or --read-only. With --printing-system
# the driver is installed (scripts/install-driver.sh) and the sheet is the printing system's own,
# opened through DocumentPropertiesW for the printer "QX Office 5000"; its pictures go to
# build/snapshots/printing-system.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export QXGE_ROOT=$root
export QXGE_BUILD=${QXGE_BUILD:-$root/build}

"$root/scripts/setup.sh"
"$root/scripts/build.sh" x64
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
qxge_wine_init

sample=${QXGE_SAMPLE:-office}
# shellcheck source=scripts/samples.sh
source "$root/scripts/samples.sh"
qxge_sample "$sample" || { echo "demo: unknown sample $sample" >&2; exit 2; }
# The sheet needs its CUPS queue, not the listener that keeps the queues' jobs: a queue that is
# up already (a test run's, its listener perhaps keeping another build's jobs) is left as it is.
lpstat -v "$printer" >/dev/null 2>&1 || "$root/scripts/test-printer.sh"
host=$QXGE_BUILD/x64/bin/qxhost.exe
snapshots=$QXGE_BUILD/snapshots/$sample
sheet=(--dll "$(qxge_winpath "$QXGE_BUILD/x64/packages/$sample/${model}U.DLL")" --printer "$printer" --pages "$pages")
if [ "${1:-}" = --printing-system ]; then
  shift
  "$root/scripts/install-driver.sh"
  snapshots=$QXGE_BUILD/snapshots/printing-system
  sheet=(--printing-system --printer "QX Office 5000")
fi

if [ -n "${DISPLAY:-}" ] && [ -z "${QXGE_HEADLESS:-}" ]; then
  qxge_wine_graphics x11
  wine "$host" "${sheet[@]}" "$@"
else
  out=$snapshots
  rm -rf "$out" && mkdir -p "$out"
  # shellcheck source=scripts/xvfb.sh
  source "$root/scripts/xvfb.sh"
  qxge_xvfb_start
  qxge_wine_graphics x11-bare
  status=0
  wine "$host" "${sheet[@]}" --snapshot "$(qxge_winpath "$out")" "$@" || status=$?
  qxge_wine_graphics null
  qxge_xvfb_stop
  echo "demo: pictures of each page are in $out"
  exit $status
fi
