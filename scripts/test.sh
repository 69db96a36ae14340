#!/usr/bin/env bash
# Installs what is missing, builds, lays out the program folder and runs every test.
source "$(dirname "$0")/common.sh"
install_packages
build_all
layout_program_folder "$FARM"
if [ -x "$ROOT/scripts/cups-test-queues.sh" ]; then
    "$ROOT/scripts/cups-test-queues.sh"
fi
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure "$@"
