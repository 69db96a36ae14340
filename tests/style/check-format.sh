#!/usr/bin/env bash
# Fails when a source file differs from what clang-format (the checked-in .clang-format)
# makes of it; prints the files and the first differences. Format with:
#   clang-format -i $(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'tools/*.cpp')
set -euo pipefail
cd "$(dirname "$0")/../.."
mapfile -t files < <(find src tests bench tools -name '*.cpp' -o -name '*.h' | sort)
bad=0
for f in "${files[@]}"; do
    if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
        echo "not formatted: $f"
        clang-format "$f" | diff -u "$f" - | head -20 || true
        bad=$((bad + 1))
    fi
done
echo "${#files[@]} files checked, $bad not formatted"
[ "$bad" -eq 0 ]
