#!/usr/bin/env bash
# Installs what is missing, builds, lays out the program folder ./farm and starts the program.
#   scripts/run.sh              the farm's own records (farm/db/TARVIK.db)
#   scripts/run.sh --sample N   a synthetic farm of N animals in ./sample (the real farm untouched)
source "$(dirname "$0")/common.sh"
install_packages
build_all
if [ "${1:-}" = "--sample" ]; then
    SAMPLE="$ROOT/sample"
    rm -f "$SAMPLE/db/TARVIK.db"
    layout_program_folder "$SAMPLE"
    rm -f "$SAMPLE/db/TARVIK.db"
    "$BUILD/tarvik-sample" "$SAMPLE/db/TARVIK.db" "${2:-300}"
    exec "$SAMPLE/Tarvik"
fi
layout_program_folder "$FARM"
exec "$FARM/Tarvik"
