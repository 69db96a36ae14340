#!/usr/bin/env bash
# Brings back a backup of the farm's database.
#   scripts/restore.sh          the newest backup in db/backup that passes its check
#   scripts/restore.sh FILE     that backup
# The program folder is $TARVIK_HOME when set, else ./farm. The current database is first set
# aside as db/TARVIK-before-restore-<yyyymmdd-hhmmss>.db (with its journal); nothing is
# overwritten. Refuses while the program runs on that folder.
set -euo pipefail
umask 077
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
FOLDER="${TARVIK_HOME:-$ROOT/farm}"
DB_DIR="$FOLDER/db"
DB="$DB_DIR/TARVIK.db"
BACKUPS="$DB_DIR/backup"

die() {
    echo "restore: $*" >&2
    exit 1
}
good() { [ -f "$1" ] && [ "$(sqlite3 -readonly "$1" 'PRAGMA quick_check' 2>/dev/null | head -n 1)" = "ok" ]; }

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
    # Newest first: the stamp in the name sorts like the time.
    while IFS= read -r f; do
        if good "$f"; then
            SOURCE="$f"
            break
        fi
        echo "restore: skipping $f (fails its check)" >&2
    done < <(find "$BACKUPS" -maxdepth 1 -type f -name 'TARVIK-[0-9]*-[0-9]*.db' 2>/dev/null | sort -r)
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
