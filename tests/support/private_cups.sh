#!/usr/bin/env bash
# A print system of its own for one test: a cupsd with its configuration, spool, logs and
# socket in a temporary folder, and one cups-pdf queue "pdf" as its default, which writes the
# PDF of every job into a folder of that temporary folder. Nothing of the machine's own print
# system is used or changed.
#
# Usage: private_cups.sh [--no-jobs] COMMAND [ARGS...]
#        private_cups.sh --available
# Runs COMMAND with CUPS_SERVER set to the private socket and SOLIFA_PRINT_OUT set to the
# folder cups-pdf writes into, waits for the jobs to finish, stops cupsd and exits with
# COMMAND's status. With --no-jobs it also fails when any job reached the queue.
# --available only says (by its status) whether a private print system can run here.
#
# cups-pdf reads its settings from /etc/cups/cups-pdf.conf and nowhere else, and it runs as
# root, so the private cupsd runs in a mount namespace of its own where a private settings file
# is bound over that path; the machine and every other process keep seeing the original.
# Without root, unshare or the packages cups and printer-driver-cups-pdf, it exits with 77,
# the status CTest counts as skipped.
set -euo pipefail

backend=/usr/lib/cups/backend/cups-pdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
available() {
  [ "$(id -u)" -eq 0 ] && command -v cupsd >/dev/null && command -v unshare >/dev/null &&
    [ -x "$backend" ] && [ -f "$ppd" ] && [ -f /etc/cups/cups-pdf.conf ]
}
if [ "${1:-}" = --available ]; then
  available
  exit
fi
if ! available; then
  echo "private_cups: needs root, unshare, cups and printer-driver-cups-pdf; skipped" >&2
  exit 77
fi
if [ -z "${PRIVATE_CUPS_DIR:-}" ]; then
  # The folder outlives the namespace, so that it goes however the run inside ends. A process
  # namespace too: when the run ends, cupsd and its filters end with it.
  PRIVATE_CUPS_DIR=$(mktemp -d)
  export PRIVATE_CUPS_DIR
  trap 'rm -rf "$PRIVATE_CUPS_DIR"' EXIT
  trap 'exit 143' TERM INT HUP
  status=0
  unshare --mount --propagation private --pid --fork --kill-child --mount-proc "$0" "$@" ||
    status=$?
  exit "$status"
fi

no_jobs=0
if [ "${1:-}" = --no-jobs ]; then
  no_jobs=1
  shift
fi

dir=$PRIVATE_CUPS_DIR
unset PRIVATE_CUPS_DIR
# The filters run as the user lp and must reach the spool.
chmod 755 "$dir"
mkdir -m 755 "$dir/spool" "$dir/state" "$dir/cache" "$dir/log" "$dir/ppd"
mkdir -m 700 "$dir/spool/tmp"
mkdir -m 1777 "$dir/out" "$dir/pdfspool"
socket="$dir/cups.sock"
cupsd_pid=""
stop() {
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
  fi
  umount /etc/cups/cups-pdf.conf 2>/dev/null || true
}
trap stop EXIT
trap 'exit 143' TERM INT HUP

cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
StateDir $dir/state
CacheDir $dir/cache
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
User lp
Group lp
SystemGroup root
CONF
cat >"$dir/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$dir/cups-pdf.conf" <<CONF
Out $dir/out
AnonDirName $dir/out
Spool $dir/pdfspool
Log $dir/log
Grp root
LogType 1
CONF
mount --bind "$dir/cups-pdf.conf" /etc/cups/cups-pdf.conf

cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER=$socket
for _ in $(seq 1 100); do
  [ -S "$socket" ] && lpstat -r >/dev/null 2>&1 && break
  kill -0 "$cupsd_pid" 2>/dev/null || { cat "$dir/log/error_log" >&2 || true; exit 1; }
  sleep 0.05
done
# lpadmin warns that printer drivers are deprecated; only a failure is worth showing.
if ! lpadmin -p pdf -v cups-pdf:/ -P "$ppd" -E 2>"$dir/log/lpadmin" || ! lpadmin -d pdf; then
  cat "$dir/log/lpadmin" >&2
  exit 1
fi

export SOLIFA_PRINT_OUT=$dir/out
status=0
"$@" || status=$?

# Jobs still being converted finish before the folder goes.
for _ in $(seq 1 600); do
  [ -z "$(lpstat -W not-completed -o 2>/dev/null)" ] && break
  sleep 0.1
done
if [ "$no_jobs" -eq 1 ] && [ -n "$(lpstat -W all -o 2>/dev/null)" ]; then
  echo "private_cups: a job reached the default queue:" >&2
  lpstat -W all -o >&2
  status=1
fi
exit "$status"
