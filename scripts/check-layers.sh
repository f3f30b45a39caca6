#!/usr/bin/env bash
# Fails, naming file and line, when a source file includes from a floor above its own or from a
# folder that src/README.md does not list. Usage: check-layers.sh [source folder], default src.
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}

# The floors, top first, as the folder list of the source README gives them.
mapfile -t floors < <(sed -n 's/^- `\([a-z0-9_]*\)\/`.*/\1/p' "$src/README.md")
if [ "${#floors[@]}" -eq 0 ]; then
  echo "check-layers: no floors listed in $src/README.md" >&2
  exit 2
fi
declare -A rank
for i in "${!floors[@]}"; do rank[${floors[$i]}]=$i; done

status=0
for dir in "$src"/*/; do
  name=$(basename "$dir")
  if [ -z "${rank[$name]+x}" ]; then
    echo "src/$name: folder missing from the floors in src/README.md"
    status=1
  fi
done

while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  target=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"${rest#*:}")
  rel=${file#"$src"/}
  own=${rel%%/*}
  [ -n "${rank[$own]+x}" ] || continue  # reported above
  case $target in
    */*) ;;
    *) continue ;;  # a file of the same folder
  esac
  floor=${target%%/*}
  if [ -z "${rank[$floor]+x}" ]; then
    echo "src/$rel:$line: includes \"$target\" from \"$floor\", which is no floor"
    status=1
  elif [ "${rank[$floor]}" -lt "${rank[$own]}" ]; then
    echo "src/$rel:$line: includes \"$target\" from $floor/, a floor above $own/"
    status=1
  fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$src" --include='*.h' --include='*.cpp' \
           --include='*.rc' --include='*.rh' || true)

exit $status
