#!/usr/bin/env bash
# Brings back a backup of the farm's database.
#   scripts/restore.sh          the newest backup in db/backup that passes its check
#   scripts/restore.sh FILE     that backup
# Installed, the same script runs as tarvik-restore.
# The program folder is $TARVIK_HOME when set; else ./farm of the source tree this script is in,
# or, installed, the user's data folder ($XDG_DATA_HOME/tarvik, ~/.local/share/tarvik) as the
# program uses it. The current database is first set aside as
# db/TARVIK-before-restore-<yyyymmdd-hhmmss>.db (with its journal); nothing is overwritten.
# Refuses while the program runs on that folder.
# A good copy is the program's own rule (src/backup/model/FarmFileCheck.h): not empty, quick_check ok,
# every table of the program, and the farm's row; copies kept aside as -check-failed are none.
set -euo pipefail
umask 077
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -n "${TARVIK_HOME:-}" ]; then
    FOLDER="$TARVIK_HOME"
elif [ -f "$ROOT/src/data/Schema.cpp" ]; then
    FOLDER="$ROOT/farm"
else
    case "${XDG_DATA_HOME:-}" in
        /*) FOLDER="$XDG_DATA_HOME/tarvik" ;;
        *) FOLDER="$HOME/.local/share/tarvik" ;;
    esac
fi
DB_DIR="$FOLDER/db"
DB="$DB_DIR/TARVIK.db"
BACKUPS="$DB_DIR/backup"

die() {
    echo "restore: $*" >&2
    exit 1
}
# The tables of src/data/Schema.cpp (a test keeps the two lists equal).
TABLES=(개체관리 번식기록 초음파측정 체척 백신접종 등급판정 농장정보 축산분뇨관리대장 개체관리워크 번식기록워크
        백신접종워크 교배기록부워크 분만기록부워크 출하성적기록부워크 축산분뇨관리대장워크 일일관리)

good() {
    [ -f "$1" ] && [ -s "$1" ] || return 1
    [ "$(sqlite3 -readonly "$1" 'PRAGMA quick_check' 2>/dev/null | head -n 1)" = "ok" ] || return 1
    local names
    names="$(printf "'%s'," "${TABLES[@]}")"
    [ "$(sqlite3 -readonly "$1" "select count(*) from sqlite_master where type = 'table' and name in (${names%,})" \
        2>/dev/null)" = "${#TABLES[@]}" ] || return 1
    [ "$(sqlite3 -readonly "$1" 'select count(*) > 0 from 농장정보' 2>/dev/null)" = "1" ]
}

command -v sqlite3 >/dev/null || die "sqlite3 is needed (apt-get install sqlite3)"
[ -d "$DB_DIR" ] || die "no database folder: $DB_DIR"

# The program's start lock: held while it runs; held here so it cannot start mid-restore.
exec 9>>"$DB_DIR/Tarvik.lock"
flock -n 9 || die "the program is running on $FOLDER; end it first"

if [ $# -ge 1 ]; then
    SOURCE="$1"
    [ -f "$SOURCE" ] || die "no such file: $SOURCE"
    good "$SOURCE" || die "$SOURCE fails its check; choose another backup"
else
    SOURCE=""
    # Newest first by creation: the program makes each copy's modification time later than
    # every copy before it, whatever the clock (and so the stamp in the name) said.
    while IFS= read -r f; do
        if good "$f"; then
            SOURCE="$f"
            break
        fi
        echo "restore: skipping $f (fails its check)" >&2
    done < <(find "$BACKUPS" -maxdepth 1 -type f -regextype posix-extended \
        -regex '.*/TARVIK-[0-9]{8}-[0-9]{6}(-가져오기전)?\.db' -printf '%T@ %p\n' 2>/dev/null |
        LC_ALL=C sort -k1,1nr -k2r | cut -d' ' -f2-)
    [ -n "$SOURCE" ] || die "no good backup in $BACKUPS"
fi

# The copy is checked under a name the program never opens before it takes the place.
INCOMING="$DB_DIR/TARVIK.db.restoring"
rm -f "$INCOMING"
cp -- "$SOURCE" "$INCOMING"
good "$INCOMING" || {
    rm -f "$INCOMING"
    die "the copy of $SOURCE fails its check (disk full?)"
}

if [ -e "$DB" ]; then
    stamp="$(date +%Y%m%d-%H%M%S)"
    ASIDE="$DB_DIR/TARVIK-before-restore-$stamp.db"
    n=1
    while [ -e "$ASIDE" ]; do
        ASIDE="$DB_DIR/TARVIK-before-restore-$stamp-$n.db"
        n=$((n + 1))
    done
    mv -- "$DB" "$ASIDE"
    # A journal belongs to its file: it goes along, so the set-aside file stays whole.
    for j in -journal -wal -shm; do
        if [ -e "$DB$j" ]; then mv -- "$DB$j" "$ASIDE$j"; fi
    done
    echo "current database set aside: $ASIDE"
fi
# Run by root for the farmer: the file stays the farmer's (the owner of the db folder).
if [ "$(id -u)" -eq 0 ]; then chown --reference="$DB_DIR" -- "$INCOMING"; fi
mv -- "$INCOMING" "$DB"
chmod 600 "$DB"
chmod 700 "$DB_DIR"
echo "restored: $SOURCE -> $DB"
