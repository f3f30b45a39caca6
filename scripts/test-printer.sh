#!/usr/bin/env bash
# Brings up the test printers the Windows tests and the samples print to: the CUPS scheduler,
# the queues QX_Office, QX_Photo, QX_Compact and QX_Color, and the loopback listener that plays
# every printer and keeps every job's bytes.
# Safe to run again: it only starts or changes what is missing or different.
#
# Environment:
#   QXGE_BUILD          build folder (default <repo>/build)
#   QXGE_JOBS_DIR       where the listener stores jobs (default $QXGE_BUILD/jobs)
#   QXGE_PRINTER        name of the office model's queue (default QX_Office)
#   QXGE_PRINTER_PORT   loopback port the queue sends to (default 9100)
# It assumes scripts/setup.sh has installed CUPS, Wine and python3.
set -euo pipefail

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
QXGE_ROOT=${QXGE_ROOT:-$(cd "$script_dir/.." && pwd)}
# shellcheck source=wine-env.sh
source "$script_dir/wine-env.sh"

printer=${QXGE_PRINTER:-QX_Office}
port=${QXGE_PRINTER_PORT:-9100}
jobs_dir=${QXGE_JOBS_DIR:-$QXGE_BUILD/jobs}
# The Windows tests take the folder as Wine sees it (Z:\...); accept that form here too.
if [[ "$jobs_dir" =~ ^[Zz]:[\\/] ]]; then
  jobs_dir=$(printf '%s' "${jobs_dir:2}" | tr '\\' '/')
fi
mkdir -p "$jobs_dir"
jobs_dir=$(cd "$jobs_dir" && pwd)
ppd=$QXGE_ROOT/samples/office/QX_Office.ppd
# Every queue has the same device. The photo model has its own PPD; the compact and colour
# models take the office one, under their own queue names, so that Wine names each printer's
# data file, and with it the version file its texts come from, after its own model.
photo_ppd=$QXGE_ROOT/samples/photo/QX_Photo.ppd
queues=("$printer:$ppd" "QX_Photo:$photo_ppd" "QX_Compact:$ppd" "QX_Color:$ppd")
# snmp=false: the socket backend otherwise spends about 4 s per job asking the
# loopback address for supply levels before it connects.
device_uri="socket://127.0.0.1:$port/?snmp=false"
# The port is the machine's, not the build folder's, so its pid file is too.
listener_pid_file=${TMPDIR:-/tmp}/qxge-job-listener-$port.pid
listener_log=$jobs_dir/listener.log

say() { echo "test-printer: $*"; }
die() { echo "test-printer: $*" >&2; exit 1; }

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

# lpadmin warns on every call that PPD-based queues are deprecated; that is noise here.
lpadmin_quiet() {
  local err
  if ! err=$("${as_root[@]}" lpadmin "$@" 2>&1 >/dev/null); then
    echo "$err" >&2
    return 1
  fi
  printf '%s\n' "$err" | grep -v -e 'are deprecated' -e '^$' >&2 || true
}

require_tools() {
  local t missing=()
  for t in cupsd lpadmin lpstat cupsenable cupsaccept python3 wine wineserver; do
    command -v "$t" >/dev/null 2>&1 || missing+=("$t")
  done
  ((${#missing[@]} == 0)) || die "missing ${missing[*]}; run scripts/setup.sh first"
  [ -f "$ppd" ] || die "missing $ppd"
  [ -f "$photo_ppd" ] || die "missing $photo_ppd"
}

scheduler_running() { lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; }

start_cups() {
  scheduler_running && return 0
  say "starting cupsd"
  # There is no init system: cupsd daemonises itself.
  "${as_root[@]}" cupsd
  local i
  for ((i = 0; i < 100; i++)); do
    scheduler_running && return 0
    sleep 0.1
  done
  die "cupsd did not come up within 10 s (see /var/log/cups/error_log)"
}

# The listener's arguments as it was started, one a line (empty when it is not running).
listener_args() {
  local pid
  [ -s "$listener_pid_file" ] || return 0
  pid=$(cat "$listener_pid_file")
  [[ "$pid" =~ ^[0-9]+$ ]] || return 0
  { tr '\0' '\n' <"/proc/$pid/cmdline"; } 2>/dev/null || true
}

arg_after() { awk -v k="$1" 'found { print; exit } $0 == k { found = 1 }'; }

start_listener() {
  local args pid i
  args=$(listener_args)
  # A recycled pid must not pass for the listener.
  if grep -q 'job_listener\.py$' <<<"$args"; then
    pid=$(cat "$listener_pid_file")
    if [ "$(arg_after --jobs-dir <<<"$args")" = "$jobs_dir" ]; then
      return 0
    fi
    # One port, one printer: the listener follows the build folder being tested.
    say "moving the job listener (pid $pid) from $(arg_after --jobs-dir <<<"$args") to $jobs_dir"
    kill "$pid"
    for ((i = 0; i < 50; i++)); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  rm -f "$listener_pid_file"
  say "starting the job listener on 127.0.0.1:$port (jobs in $jobs_dir)"
  nohup python3 "$script_dir/job_listener.py" --jobs-dir "$jobs_dir" --port "$port" \
    --pid-file "$listener_pid_file" --log-file "$listener_log" \
    >>"$listener_log" 2>&1 </dev/null &
  pid=$!
  # The listener writes its pid file only once it is listening.
  for ((i = 0; i < 50; i++)); do
    [ -s "$listener_pid_file" ] && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  tail -n 5 "$listener_log" >&2 || true
  die "the job listener did not start (is port $port in use by something else?)"
}

queue_device() { { lpstat -v "$1" 2>/dev/null || true; } | sed -n 's/^device for [^:]*: //p'; }

# Wine 8.0 asks CUPS for the queue's PPD (cupsGetPPD3) and copies it into the prefix
# as the driver's data file, which its PostScript driver then reads. It no longer looks
# at a "PPD File" printer value or at HKCU\Software\Wine\Printing\PPD Files, and for a
# queue without a PPD it falls back to its built-in generic one. So the PPD is
# registered with CUPS; the PPD's own cupsFilter line keeps the queue passing every
# job through unchanged, as a raw queue would.
register_ppd() {  # queue ppd
  local printer=$1 ppd=$2
  local installed=/etc/cups/ppd/$printer.ppd
  if [ -r "$installed" ] && cmp -s "$installed" "$ppd"; then
    return 0
  fi
  say "giving $printer the PPD $ppd"
  lpadmin_quiet -p "$printer" -P "$ppd"
}

ensure_queue() {  # queue ppd
  local printer=$1 ppd=$2 now
  now=$(queue_device "$printer")
  if [ -z "$now" ]; then
    say "creating the queue $printer -> $device_uri"
    lpadmin_quiet -p "$printer" -v "$device_uri" -P "$ppd" -o printer-is-shared=false
  elif [ "$now" != "$device_uri" ]; then
    say "pointing $printer at $device_uri (was $now)"
    lpadmin_quiet -p "$printer" -v "$device_uri"
  fi
  register_ppd "$printer" "$ppd"
  # A failed job can stop the queue; enabling and accepting again is harmless.
  "${as_root[@]}" cupsenable "$printer"
  "${as_root[@]}" cupsaccept "$printer"
}

# Every Wine process that loads the spooler mirrors the CUPS queues again, and its first
# OpenPrinter on QX_Office refreshes the prefix's copy of the PPD; neither needs a new
# wineserver. So nothing is written into the prefix here: this only reports a copy
# that has not caught up yet, which the next Wine process will replace.
check_wine_ppd() {  # queue ppd
  local printer=$1 ppd=$2
  local copy=$WINEPREFIX/drive_c/windows/system32/spool/drivers/x64/3/$printer.ppd
  [ -d "$WINEPREFIX" ] || return 0
  if [ -f "$copy" ] && ! cmp -s "$copy" "$ppd"; then
    say "Wine's copy of the $printer PPD is older; the next Wine process refreshes it"
  fi
}

main() {
  require_tools
  start_cups
  # The listener comes first so that no job reaches the queue before the printer exists.
  start_listener
  local queue names=()
  for queue in "${queues[@]}"; do
    ensure_queue "${queue%%:*}" "${queue#*:}"
    names+=("${queue%%:*}")
  done
  qxge_wine_init
  for queue in "${queues[@]}"; do check_wine_ppd "${queue%%:*}" "${queue#*:}"; done
  say "ready: ${names[*]} -> $device_uri, jobs in $jobs_dir ($(qxge_winpath "$jobs_dir"))," \
    "listener pid $(cat "$listener_pid_file"), log $listener_log"
}

main "$@"
