#!/usr/bin/env bash
# Installs what is missing, builds, lays out the program folder and runs every test. The
# printing tests print on a private print service (scripts/private-cups.sh) that lives only
# as long as this script: the machine's printers and default printer stay as they are.
source "$(dirname "$0")/common.sh"
source "$ROOT/scripts/private-cups.sh"
install_packages
build_all
layout_program_folder "$FARM"
trap private_cups_stop EXIT
trap 'exit 130' INT TERM
private_cups_start || true
cd "$BUILD"
# The test programs are independent of each other: one per core.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
