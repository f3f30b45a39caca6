#!/usr/bin/env bash
# The template text file and its coverage report, as a model maker uses them on the office
# sample: the template holds every key that opening the pages in the reference host writes;
# a report on a file with known gaps names exactly those; bad files get a message naming them.
# Usage: translation_test.sh BUILD_DIR (the x64 tree, with the Wine prefix beside it)
set -uo pipefail
bin=$(cd "$1" && pwd)
export QXGE_BUILD=${QXGE_BUILD:-$(dirname "$bin")}
# shellcheck source=scripts/wine-env.sh
source "$(dirname "$0")/../../scripts/wine-env.sh"
tmp=$(mktemp -d)
trap 'chmod -R u+rwx "$tmp"; rm -rf "$tmp"' EXIT
package=$bin/packages/office
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
qxlang() { timeout 300 wine "$bin/bin/qxlang.exe" --dll "$(qxge_winpath "$package/QX5000U.DLL")" "$@"; }
# A text file in UTF-8, whether the module wrote it in UTF-16 or in the system's code page.
text() { if [ "$(head -c 2 "$1" | od -An -tx1 | tr -d ' ')" = fffe ]; then iconv -f utf-16 -t utf-8 "$1"; else cat "$1"; fi; }
# "section<TAB>key" of every key of a text file, folded as the module folds names.
keys() {
  text "$1" | tr -d '\r' | awk '
    /^\[/ { s = substr($0, 2, index($0, "]") - 2); next }
    /=/ { k = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", k); if (k != "") print toupper(s) "\t" toupper(k) }' |
    sort -u
}

# The reference host over every page of a scratch package with write-back on and no text file.
cp -r "$package" "$tmp/host"
rm -f "$tmp/host/"*.DAT
: >"$tmp/host/QX5000EN.DAT"
sed -i 's/^ShowDevmodeChanges=.*/ShowDevmodeChanges=1/' "$tmp/host/QX5000U.INI"
timeout 300 wine "$bin/bin/qxhost.exe" --dll "$(qxge_winpath "$tmp/host/QX5000U.DLL")" \
  --pages "$(seq -s, 0 21)" --snapshot "$(qxge_winpath "$tmp/snapshots")" >/dev/null 2>&1
[ -s "$tmp/host/QX5000EN.DAT" ] || fail "the reference host wrote no text file"

before=$(find "$package" -type f -exec md5sum {} + | sort)
qxlang --template "$(qxge_winpath "$tmp/template.DAT")" >"$tmp/template.out" 2>&1 || fail "qxlang --template failed: $(cat "$tmp/template.out")"
[ "$(find "$package" -type f -exec md5sum {} + | sort)" = "$before" ] || fail "qxlang changed the package"
keys "$tmp/host/QX5000EN.DAT" >"$tmp/host.keys"
keys "$tmp/template.DAT" >"$tmp/template.keys"
lacking=$(comm -23 "$tmp/host.keys" "$tmp/template.keys")
[ -z "$lacking" ] || fail "the template lacks keys the pages write: $(head -n 5 <<<"$lacking")"
grep -q $'^COMMON\tOPTIONUSAGETIPMSG16$' "$tmp/template.keys" || fail "the template lacks the usage tips"

# A complete translation (placeholders filled in), then the known gaps: a tooltip and a topic
# gone, a key nothing reads, a tip whose placeholder was dropped for another.
text "$tmp/template.DAT" | tr -d '\r' | sed -E \
  -e 's/^(.+) tooltip=.*/\1 tooltip=Explains \1./' -e 's/^(.+) topic=$/\1 topic=help.htm/' |
  awk '/^\[/ { s = $0 }
       s == "[Layout Dialog]" && /^Portrait tooltip=/ { next }
       s == "[Paper Dialog]" && /^Collate topic=/ { next }
       s == "[Common]" && /^OptionUsageTipMsg7=/ { print "OptionUsageTipMsg7=Recto verso: %d."; next }
       { print }
       s == "[Layout Dialog]" && /^Caption=/ { print "Obsolete Option=Old text" }' >"$tmp/gaps.DAT"
# Valid but hostile: a line of 100,000 characters and a file of several megabytes.
{ echo "[Layout Dialog]"; printf 'Long%.0s' $(seq 25000); echo "=x"; } >"$tmp/long.DAT"
{ echo "[Bulk]"; seq -f 'Key%g=Value' 1 400000; } >"$tmp/bulk.DAT"
qxlang --coverage "$(qxge_winpath "$tmp/gaps.DAT")" "$(qxge_winpath "$tmp/long.DAT")" "$(qxge_winpath "$tmp/bulk.DAT")" \
  >"$tmp/report.out" 2>&1 || fail "qxlang --coverage failed: $(tail -n 3 "$tmp/report.out")"
report=$(tr -d '\r' <"$tmp/report.out")
gaps=$(sed -n '/gaps.DAT: .*translated/,/gaps.DAT: tooltips and help topics/p' <<<"$report" | grep -E '^  (missing|unused|placeholder)')
expected='  missing     [Layout Dialog] Portrait tooltip
  missing     [Paper Dialog] Collate topic
  unused      [Layout Dialog] Obsolete Option
  placeholder [Common] OptionUsageTipMsg7: English has %s, translation has %d'
[ "$gaps" = "$expected" ] || fail "the translation report names other gaps:"$'\n'"$gaps"
coverage=$(sed -n '/gaps.DAT: tooltips and help topics/,/gaps.DAT: tooltips [0-9]/p' <<<"$report")
grep -A2 -F '  Layout (page 0, as shipped)' <<<"$coverage" | grep -qx '    no tooltip: Portrait' || fail "no tooltip for Portrait not reported"
grep -A2 -F '  Paper (page 1, as shipped)' <<<"$coverage" | grep -qx '    no help topic: Collate' || fail "no help topic for Collate not reported"
others=$(grep -E '^    no (tooltip|help topic):' <<<"$coverage" | grep -vx -e '    no tooltip: Portrait' -e '    no help topic: Collate')
[ -z "$others" ] || fail "the coverage report names controls that have their texts:"$'\n'"$others"
grep -q 'long.DAT: .*1 unused' <<<"$report" || fail "the 100,000-character line was not read as one key"
grep -q 'bulk.DAT: .*400000 unused' <<<"$report" || fail "the file of several megabytes was not read whole"

# Files that are no text file: each is named in a message, nothing crashes or hangs.
head -c 4096 /dev/urandom >"$tmp/binary.DAT"
printf 'PK\003\004\000\000' >>"$tmp/binary.DAT"
head -c $((9 << 20)) /dev/zero | tr '\0' 'a' >"$tmp/huge.DAT"
echo "[Common]" >"$tmp/locked.DAT"
if [ "$(id -u)" != 0 ]; then chmod 000 "$tmp/locked.DAT"; else ln -sf "$tmp/nowhere.DAT" "$tmp/locked.DAT"; fi
for bad in binary.DAT huge.DAT locked.DAT no-such-folder/QX5000DE.DAT; do
  out=$(qxlang "$(qxge_winpath "$tmp/$bad")" 2>&1)
  status=$?
  [ "$status" = 1 ] || fail "$bad: exit status $status, not 1"
  grep -qF "$(qxge_winpath "$tmp/$bad")" <<<"$out" || fail "$bad: no message naming the file: $out"
done

[ "$failures" = 0 ] && echo "translation template: all passed"
exit $((failures != 0))
