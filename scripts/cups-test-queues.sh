#!/usr/bin/env bash
# Starts the print service when it is not running and makes sure the two PDF test queues
# exist (TarvikPDF1 is the system default). Safe to run again and again.
# Needs root; without it (or without CUPS) it says so and leaves everything as it is.
set -u

QUEUES=(TarvikPDF1 TarvikPDF2)

if [ "$(id -u)" -ne 0 ]; then
    echo "cups-test-queues: not root, test queues left as they are" >&2
    exit 0
fi
if ! command -v cupsd >/dev/null 2>&1 || ! command -v lpadmin >/dev/null 2>&1; then
    echo "cups-test-queues: CUPS is not installed, printing tests will be skipped" >&2
    exit 0
fi

scheduler_up() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }

if ! scheduler_up; then
    mkdir -p /run/cups /var/spool/cups /var/cache/cups
    cupsd   # forks into the background
    for _ in $(seq 1 50); do
        scheduler_up && break
        sleep 0.2
    done
fi
if ! scheduler_up; then
    echo "cups-test-queues: cupsd does not answer, printing tests will be skipped" >&2
    exit 0
fi

# The cups-pdf PPD: through the scheduler's driver list, or straight from the package.
PPD_ARGS=()
model="$(lpinfo -m 2>/dev/null | awk '/CUPS-PDF_opt\.ppd/ {print $1; exit}')"
if [ -n "$model" ]; then
    PPD_ARGS=(-m "$model")
else
    for f in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd; do
        if [ -f "$f" ]; then PPD_ARGS=(-P "$f"); break; fi
    done
fi
if [ ${#PPD_ARGS[@]} -eq 0 ]; then
    echo "cups-test-queues: cups-pdf is not installed, printing tests will be skipped" >&2
    exit 0
fi

for q in "${QUEUES[@]}"; do
    if ! lpstat -p "$q" >/dev/null 2>&1; then
        lpadmin -p "$q" -E -v cups-pdf:/ "${PPD_ARGS[@]}" || {
            echo "cups-test-queues: could not create $q" >&2
            exit 0
        }
    fi
    cupsenable "$q" 2>/dev/null || true
    cupsaccept "$q" 2>/dev/null || true
done
# A default for the whole system; tests switch the user's default and put it back.
lpstat -d 2>/dev/null | grep -q "${QUEUES[0]}" || lpadmin -d "${QUEUES[0]}"
lpstat -p -d
exit 0
