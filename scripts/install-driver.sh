#!/usr/bin/env bash
# Installs the printer driver in the private Wine prefix and creates the printer "QX Office 5000"
# that sends its jobs to the CUPS queue QX_Office: our configuration module, Wine's PostScript
# driver as the renderer and the office model package (its PPD as the driver's data file, the
# plug-in and its files beside it). Safe to run again: it removes what an earlier run left, then
# installs. With --remove it only removes. The 64-bit build must have been made.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export QXGE_ROOT=$root
export QXGE_BUILD=${QXGE_BUILD:-$root/build}
printer=${QXGE_DRIVER_PRINTER:-QX Office 5000}
queue=${QXGE_PRINTER:-QX_Office}
bin=$QXGE_BUILD/x64/bin
package=$QXGE_BUILD/x64/packages/office
die() { echo "install-driver: $*" >&2; exit 1; }

for f in "$bin/qxdrvsetup.exe" "$bin/QXDRVUI.DLL" "$package/QX_Office.ppd" "$package/QX5000U.DLL"; do
  [ -f "$f" ] || die "missing $f; build first (scripts/build.sh x64)"
done

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
qxge_wine_init

if [ "${1:-}" = --remove ]; then
  wine "$bin/qxdrvsetup.exe" remove "$printer"
  exit
fi

files=()
for f in "$package"/*; do
  [ "$f" = "$package/QX_Office.ppd" ] || files+=("$(qxge_winpath "$f")")
done
# Wine forgets a printer on a CUPS: port whose name is no CUPS queue each time it starts, so the
# jobs reach the queue through CUPS's own command instead.
wine "$bin/qxdrvsetup.exe" install "$printer" "|lp -s -d $queue" "$(qxge_winpath "$bin/QXDRVUI.DLL")" \
  "$(qxge_winpath "$package/QX_Office.ppd")" "${files[@]}"
echo "install-driver: printer \"$printer\" on CUPS queue $queue"
