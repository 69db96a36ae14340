# Shared set-up of the two commands: packages, build, program folder.
# Sourced by scripts/run.sh and scripts/test.sh.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
FARM="$ROOT/farm"     # the program folder: executable, Tarvik.ini, db/, rpt/

PACKAGES=(cmake g++ make ninja-build lld pkg-config qt6-base-dev qt6-base-private-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite qt6-translations-l10n
          libgl1-mesa-dev libgtest-dev libcups2-dev cups cups-client cups-bsd printer-driver-cups-pdf
          fonts-noto-cjk poppler-utils xvfb xauth sqlite3 libminizip-dev python3-openpyxl python3-icalendar
          dpkg-dev librsvg2-bin desktop-file-utils clang-format-14)

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -q
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# TARVIK_WERROR=ON (CI) turns compiler warnings into errors; a farmer's build keeps going on a
# newer compiler's new warning. TARVIK_NO_SKIPS=ON (CI) fails a test program that skips a case.
build_all() {
    local generator=()
    # Ninja for a new build folder; one made before keeps the generator it was made with.
    if [ ! -e "$BUILD/CMakeCache.txt" ] && command -v ninja >/dev/null; then generator=(-G Ninja); fi
    cmake -S "$ROOT" -B "$BUILD" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTARVIK_WERROR="${TARVIK_WERROR:-OFF}" -DTARVIK_NO_SKIPS="${TARVIK_NO_SKIPS:-OFF}" >/dev/null
    cmake --build "$BUILD" -j"$(nproc)"
}

# Lays out a program folder: the executable, the report files, and a new database only
# when none exists (an existing database is never touched).
layout_program_folder() {
    local dir="$1"
    mkdir -p "$dir/db" "$dir/rpt"
    cp -f "$BUILD/Tarvik" "$dir/Tarvik"
    cp -f "$ROOT"/rpt/*.rpt "$dir/rpt/" 2>/dev/null || true
    "$BUILD/tarvik-setup" "$dir"
}
