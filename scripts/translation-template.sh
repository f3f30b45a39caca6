#!/usr/bin/env bash
# The texts a model ships: writes the template text file of a model package (every key its
# pages and dialogs read, with the English defaults) and reports how far translations cover it,
# and which controls lack a tooltip, a help topic or a usage tip.
# Usage: scripts/translation-template.sh [SAMPLE] [qxlang options and text files]
#   SAMPLE    a staged package under build/x64/packages (default office)
#   for example: scripts/translation-template.sh office --template build/QX5000EN.template.DAT --coverage
# Paths are given as usual; they are turned into the ones Wine programs see.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export QXGE_ROOT=$root
export QXGE_BUILD=${QXGE_BUILD:-$root/build}
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"

sample=office
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ] && [ -d "$QXGE_BUILD/x64/packages/$1" ]; then sample=$1; shift; fi
dll=$(find "$QXGE_BUILD/x64/packages/$sample" -maxdepth 1 -name '*U.DLL' | head -n 1)
if [ -z "$dll" ]; then
  echo "translation-template: no package $sample in $QXGE_BUILD/x64/packages (run scripts/build.sh x64)" >&2
  exit 2
fi

args=()
prev=
for a in "$@"; do
  if [ "$prev" = --printer ] || [ "${a#--}" != "$a" ]; then args+=("$a")
  elif [ "${a#/}" != "$a" ]; then args+=("$(qxge_winpath "$a")")
  else args+=("$(qxge_winpath "$PWD/$a")")
  fi
  prev=$a
done

qxge_wine_init
qxge_wine_graphics null
# A page that asked a question nobody answers must not hold the caller for ever.
exec timeout 600 wine "$QXGE_BUILD/x64/bin/qxlang.exe" --dll "$(qxge_winpath "$dll")" "${args[@]}"
