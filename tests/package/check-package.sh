#!/usr/bin/env bash
# Builds the Debian package (`cmake --build BUILD --target package`) and checks it as dpkg and
# a desktop see it: the control data and declared dependencies, no maintainer script reaching
# into a user's home, the files and their modes, the menu entry (desktop-file-validate), the
# icons, the report files; then starts the unpacked program as a user would and checks that it
# made that user's database (folder 700, file 600, one farm row) and keeps it on the next start.
#   tests/package/check-package.sh BUILD_DIR
set -uo pipefail
BUILD="$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)"
NAME=tarvik
# The report files the program prints (the test page stays out).
REPORTS=(TarvikList.rpt 교배기록부.rpt 번식기록.rpt 분만기록부.rpt 수소개체기록부.rpt 암소개체기록부.rpt
         일일관리.rpt 진료백신수.rpt 진료백신암.rpt 축산분뇨관리대장.rpt 출하성적기록부.rpt 성적분석.rpt)
ICON_SIZES=(16 24 32 48 64 128 256)
DEPENDS=(libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6printsupport6 libcups2
         libminizip1 fonts-noto-cjk qt6-translations-l10n)

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
for tool in dpkg-deb desktop-file-validate sqlite3; do
    command -v "$tool" >/dev/null || {
        echo "FAIL: $tool is missing (scripts/common.sh installs it)" >&2
        exit 1
    }
done
WORK="$(mktemp -d "${TMPDIR:-/tmp}/tarvik-package.XXXXXX")"
PROGRAM_PID=""
cleanup() {
    if [ -n "$PROGRAM_PID" ]; then kill "$PROGRAM_PID" 2>/dev/null && wait "$PROGRAM_PID" 2>/dev/null; fi
    rm -rf -- "$WORK"
}
trap cleanup EXIT

rm -f "$BUILD/${NAME}"_*.deb
if ! cmake --build "$BUILD" --target package >"$WORK/package.log" 2>&1; then
    tail -n 40 "$WORK/package.log" >&2
    echo "FAIL: the package did not build" >&2
    exit 1
fi
debs=("$BUILD/${NAME}"_*.deb)
[ -f "${debs[0]}" ] && [ ${#debs[@]} -eq 1 ] || {
    echo "FAIL: expected one ${NAME}_*.deb in $BUILD, found: ${debs[*]}" >&2
    exit 1
}
DEB="${debs[0]}"
echo "package: $DEB"

# --- control data
[ "$(dpkg-deb -f "$DEB" Package)" = "$NAME" ] || fail "package name is not $NAME"
depends="$(dpkg-deb -f "$DEB" Depends)"
declare -A declared=()
IFS=',' read -r -a alternatives <<<"$depends"
for entry in "${alternatives[@]}"; do
    entry="${entry#"${entry%%[![:space:]]*}"}"
    declared["${entry%% *}"]=1
done
for want in "${DEPENDS[@]}"; do
    found=""
    for have in "${!declared[@]}"; do
        if [[ "$have" =~ ^${want}$ ]]; then found=1; fi
    done
    [ -n "$found" ] || fail "no dependency on $want (Depends: $depends)"
done

# Upgrading or removing must never touch a user's records: no maintainer script may reach a home.
dpkg-deb -e "$DEB" "$WORK/control"
for script in preinst postinst prerm postrm config; do
    f="$WORK/control/$script"
    [ -e "$f" ] || continue
    if grep -nE 'HOME|~|/home|/root|\.local|\.config|XDG_|TARVIK' "$f" >&2; then
        fail "maintainer script $script reaches into a user's folders"
    fi
done

# --- contents
dpkg-deb -c "$DEB" >"$WORK/contents"
awk '$2 != "root/root" { print }' "$WORK/contents" >"$WORK/not-root"
[ -s "$WORK/not-root" ] && fail "files not owned by root: $(cat "$WORK/not-root")"
awk '{ print $6 }' "$WORK/contents" | grep -v '^\./usr/' >"$WORK/outside" && fail "files outside /usr: $(cat "$WORK/outside")"
mode_of() { awk -v p="$1" '$6 == p { print $1 }' "$WORK/contents"; }
[ "$(mode_of ./usr/bin/Tarvik)" = "-rwxr-xr-x" ] || fail "./usr/bin/Tarvik is not an executable (mode '$(mode_of ./usr/bin/Tarvik)')"
grep -qE ' \./usr/bin/tarvik -> Tarvik$' "$WORK/contents" || fail "no launcher ./usr/bin/tarvik -> Tarvik"
for p in ./usr/bin/tarvik-restore ./usr/share/$NAME/restore.sh; do
    [ "$(mode_of "$p")" = "-rwxr-xr-x" ] || fail "$p is missing or not an executable (mode '$(mode_of "$p")')"
done
expected=(./usr/share/applications/$NAME.desktop ./usr/share/icons/hicolor/scalable/apps/$NAME.svg)
for s in "${ICON_SIZES[@]}"; do expected+=("./usr/share/icons/hicolor/${s}x${s}/apps/$NAME.png"); done
for r in "${REPORTS[@]}"; do expected+=("./usr/share/$NAME/rpt/$r"); done
for p in "${expected[@]}"; do
    [ "$(mode_of "$p")" = "-rw-r--r--" ] || fail "missing (or not 644): $p"
done
grep -E 'tarvik-(setup|sample|bench)|/test_|bench|시험출력|/db/|TARVIK\.db|Tarvik\.ini' "$WORK/contents" >"$WORK/extra" &&
    fail "tools, tests or user data in the package: $(cat "$WORK/extra")"

# --- the unpacked files
ROOT="$WORK/root"
dpkg-deb -x "$DEB" "$ROOT"
DESKTOP="$ROOT/usr/share/applications/$NAME.desktop"
if [ -f "$DESKTOP" ]; then
    desktop-file-validate "$DESKTOP" >&2 || fail "the desktop entry does not pass desktop-file-validate"
    key() { sed -n "s/^$1=//p" "$DESKTOP"; }
    [ "$(key 'Name\[ko\]')" = "한우암소관리" ] || fail "Name[ko] is '$(key 'Name\[ko\]')'"
    [ -n "$(key 'Comment\[ko\]')" ] || fail "no Comment[ko]"
    [[ ";$(key Categories)" == *";Office;"* ]] || fail "Categories '$(key Categories)' lacks Office"
    exec_cmd="$(key Exec | awk '{ print $1 }')"
    [[ "$exec_cmd" != */* && -x "$ROOT/usr/bin/$exec_cmd" ]] || fail "Exec '$(key Exec)' is no command in /usr/bin"
    [ "$(key Icon)" = "$NAME" ] || fail "Icon is '$(key Icon)', not the installed $NAME"
fi
# A PNG's width and height are the two big-endian words at byte 16.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'; }
for s in "${ICON_SIZES[@]}"; do
    f="$ROOT/usr/share/icons/hicolor/${s}x${s}/apps/$NAME.png"
    [ -f "$f" ] && [ "$(png_size "$f")" != "${s}x${s}" ] && fail "$f is $(png_size "$f"), not ${s}x${s}"
done
grep -q '<svg' "$ROOT/usr/share/icons/hicolor/scalable/apps/$NAME.svg" 2>/dev/null || fail "the scalable icon is no SVG"

# --- an installed copy's starts, as a user whose home is $WORK/home
find "$ROOT" | sort >"$WORK/files-before"
HOME_DIR="$WORK/home"
mkdir -m 700 "$HOME_DIR"
DATA="$HOME_DIR/.local/share/$NAME"
start_program() {
    env -u TARVIK_HOME -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$HOME_DIR" QT_QPA_PLATFORM=offscreen \
        "$ROOT/usr/bin/$NAME" >>"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    # The start lock is taken once the user's folders are ready; then the window comes up.
    for _ in $(seq 1 200); do
        [ -e "$DATA/db/Tarvik.lock" ] && break
        kill -0 "$PROGRAM_PID" 2>/dev/null || break
        sleep 0.1
    done
    sleep 1
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended at its start: $(tail -n 5 "$WORK/program.log")"
    kill "$PROGRAM_PID" 2>/dev/null
    wait "$PROGRAM_PID" 2>/dev/null
    PROGRAM_PID=""
}
mode() { stat -c %a "$1" 2>/dev/null; }
start_program
[ "$(mode "$DATA")" = 700 ] || fail "data folder $DATA is '$(mode "$DATA")', not 700"
[ "$(mode "$DATA/db")" = 700 ] || fail "$DATA/db is '$(mode "$DATA/db")', not 700"
[ "$(mode "$DATA/db/TARVIK.db")" = 600 ] || fail "$DATA/db/TARVIK.db is '$(mode "$DATA/db/TARVIK.db")', not 600"
[ "$(sqlite3 "$DATA/db/TARVIK.db" 'select count(*) from 농장정보' 2>&1)" = 1 ] || fail "the new database has not one farm row"
[ -d "$HOME_DIR/.config/$NAME" ] || fail "no config folder $HOME_DIR/.config/$NAME"
sqlite3 "$DATA/db/TARVIK.db" "update 농장정보 set 사업장명칭 = '한우농장'"
# Unpacking again (as an upgrade does) and starting again keeps the records.
dpkg-deb -x "$DEB" "$ROOT"
start_program
[ "$(sqlite3 "$DATA/db/TARVIK.db" 'select 사업장명칭 from 농장정보' 2>&1)" = "한우농장" ] ||
    fail "the second start did not keep the user's database"
find "$ROOT" | sort >"$WORK/files-after"
diff "$WORK/files-before" "$WORK/files-after" >&2 || fail "the program wrote into the installed folders"

# tarvik-restore brings a backup back into that user's data folder by itself.
mkdir -p -m 700 "$DATA/db/backup"
cp "$DATA/db/TARVIK.db" "$DATA/db/backup/TARVIK-20260101-080000.db"
sqlite3 "$DATA/db/TARVIK.db" "update 농장정보 set 사업장명칭 = '바뀐농장'"
if env -u TARVIK_HOME -u XDG_DATA_HOME HOME="$HOME_DIR" "$ROOT/usr/bin/tarvik-restore" >"$WORK/restore.log" 2>&1; then
    [ "$(sqlite3 "$DATA/db/TARVIK.db" 'select 사업장명칭 from 농장정보' 2>&1)" = "한우농장" ] ||
        fail "tarvik-restore did not bring the backup back: $(cat "$WORK/restore.log")"
else
    fail "tarvik-restore failed: $(cat "$WORK/restore.log")"
fi

# Records moved away with backups beside them: the installed start asks which way to go (the
# question waits here) and never lays a new empty farm over them.
mv "$DATA/db/TARVIK.db" "$WORK/moved-away.db"
start_program
[ ! -e "$DATA/db/TARVIK.db" ] || fail "a missing database beside its backups became a new empty farm"
# An emptied database is neither used nor backed up: it stays 0 bytes and no copy of it appears.
: >"$DATA/db/TARVIK.db"
chmod 600 "$DATA/db/TARVIK.db"
backups_before=$(ls "$DATA/db/backup" | wc -l)
start_program
[ ! -s "$DATA/db/TARVIK.db" ] || fail "the start wrote into an emptied database"
[ "$(ls "$DATA/db/backup" | wc -l)" = "$backups_before" ] || fail "the start backed up an emptied database"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package checks passed"
