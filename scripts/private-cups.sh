#!/usr/bin/env bash
# A print service of the tests' own: a cupsd whose configuration, spool, logs and socket live
# in a temporary folder, with the two cups-pdf queues TarvikPDF1 (its default) and TarvikPDF2.
# The machine's print service, its printers and the user's default printer are never touched:
# the tests reach only this cupsd (CUPS_SERVER), and their printer choices land in a private
# HOME (CUPS keeps a user's default printer in ~/.cups/lpoptions).
#
#   scripts/private-cups.sh COMMAND [ARG...]   runs COMMAND against it, then stops it
#   source scripts/private-cups.sh; private_cups_start   (scripts/test.sh; stopped on exit)
#
# cups-pdf writes each job's PDF where /etc/cups/cups-pdf.conf says (Out, normally ~/PDF of
# the job's user in the password file: /root/PDF for root); the CUPS test removes its own file.
# Needs root: a cupsd runs the cups-pdf backend only as root. Without root (or CUPS, or
# cups-pdf) it says so and exports nothing; the CUPS test then skips, and fails in CI.

PRIVATE_CUPS_DIR=""
PRIVATE_CUPS_PID=""
PRIVATE_CUPS_QUEUES=(TarvikPDF1 TarvikPDF2)

private_cups_note() { echo "private-cups: $*" >&2; }

private_cups_stop() {
    if [ -n "$PRIVATE_CUPS_PID" ]; then
        kill "$PRIVATE_CUPS_PID" 2>/dev/null || true
        for _ in $(seq 1 50); do
            kill -0 "$PRIVATE_CUPS_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$PRIVATE_CUPS_PID" 2>/dev/null || true
        wait "$PRIVATE_CUPS_PID" 2>/dev/null || true
        PRIVATE_CUPS_PID=""
    fi
    if [ -n "$PRIVATE_CUPS_DIR" ] && [ -d "$PRIVATE_CUPS_DIR" ]; then
        rm -rf -- "$PRIVATE_CUPS_DIR"
    fi
    PRIVATE_CUPS_DIR=""
}

# Starts the private cupsd and creates the queues; on success exports CUPS_SERVER,
# CUPS_SERVERROOT, HOME and TARVIK_PRIVATE_CUPS (the socket, which the CUPS test requires).
private_cups_start() {
    if [ "$(id -u)" -ne 0 ]; then
        private_cups_note "not root: no private print service, the CUPS test is skipped"
        return 1
    fi
    local ppd=""
    for f in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd; do
        if [ -f "$f" ]; then
            ppd="$f"
            break
        fi
    done
    if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null || [ -z "$ppd" ] ||
        [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
        private_cups_note "CUPS or cups-pdf is not installed: the CUPS test is skipped"
        return 1
    fi

    local d
    d="$(mktemp -d "${TMPDIR:-/tmp}/tarvik-cups.XXXXXX")" || return 1
    PRIVATE_CUPS_DIR="$d"
    # The filters run as lp: they must reach the spool and write their temporary files.
    chmod 755 "$d"
    mkdir -p "$d/etc/ppd" "$d/spool" "$d/tmp" "$d/cache" "$d/state" "$d/log" "$d/client" "$d/home"
    chown root:lp "$d/tmp" && chmod 1770 "$d/tmp"
    chmod 700 "$d/home"
    cat >"$d/etc/cups-files.conf" <<CONF
ServerRoot $d/etc
RequestRoot $d/spool
TempDir $d/tmp
CacheDir $d/cache
StateDir $d/state
ErrorLog $d/log/error_log
AccessLog $d/log/access_log
PageLog $d/log/page_log
SystemGroup root
User lp
Group lp
CONF
    # A local socket only: no network port, no browsing, every operation allowed to its users.
    cat >"$d/etc/cupsd.conf" <<CONF
LogLevel warn
Listen $d/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cupsd -f -c "$d/etc/cupsd.conf" -s "$d/etc/cups-files.conf" >"$d/log/cupsd.out" 2>&1 &
    PRIVATE_CUPS_PID=$!

    local server="$d/cups.sock" up=""
    for _ in $(seq 1 100); do
        if CUPS_SERVER="$server" lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
            up=1
            break
        fi
        kill -0 "$PRIVATE_CUPS_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$up" ]; then
        private_cups_note "cupsd did not start: $(tail -n 3 "$d/log/cupsd.out" "$d/log/error_log" 2>/dev/null)"
        private_cups_stop
        return 1
    fi
    for q in "${PRIVATE_CUPS_QUEUES[@]}"; do
        if ! CUPS_SERVER="$server" lpadmin -p "$q" -E -v cups-pdf:/ -P "$ppd" 2>"$d/log/lpadmin.out"; then
            private_cups_note "could not create $q: $(cat "$d/log/lpadmin.out")"
            private_cups_stop
            return 1
        fi
    done
    CUPS_SERVER="$server" lpadmin -d "${PRIVATE_CUPS_QUEUES[0]}"

    export CUPS_SERVER="$server"
    export CUPS_SERVERROOT="$d/client"
    export HOME="$d/home"
    export TARVIK_PRIVATE_CUPS="$server"
    private_cups_note "running on $server (queues ${PRIVATE_CUPS_QUEUES[*]}, default ${PRIVATE_CUPS_QUEUES[0]})"
    return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -u
    if [ $# -eq 0 ]; then
        echo "usage: scripts/private-cups.sh COMMAND [ARG...]" >&2
        exit 2
    fi
    trap private_cups_stop EXIT
    trap 'exit 130' INT TERM
    private_cups_start || true
    "$@"
fi
