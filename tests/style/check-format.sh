#!/usr/bin/env bash
# Fails when a source file differs from what clang-format (the checked-in .clang-format)
# makes of it; prints the files and the first differences. Each major version of clang-format
# lays code out a little differently, so only the version scripts/common.sh installs may judge:
# with another one the check refuses to run. Format with (N as below):
#   clang-format-N -i $(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'tools/*.cpp')
set -euo pipefail
cd "$(dirname "$0")/../.."
want="$(grep -oE 'clang-format-[0-9]+' scripts/common.sh | head -1)"
want="${want#clang-format-}"
if [ -z "$want" ]; then
    echo "scripts/common.sh names no clang-format-N package: the format check has no version to use" >&2
    exit 1
fi
tool="${CLANG_FORMAT:-}"
if [ -z "$tool" ]; then
    if command -v "clang-format-$want" >/dev/null; then tool="clang-format-$want"; else tool=clang-format; fi
fi
if ! command -v "$tool" >/dev/null; then
    echo "$tool is not installed: install clang-format-$want (scripts/common.sh installs it)" >&2
    exit 1
fi
have="$("$tool" --version | grep -oE 'version [0-9]+' | head -1)"
have="${have#version }"
if [ "$have" != "$want" ]; then
    echo "refusing to check the format with clang-format $have ($tool): the layout is clang-format $want's," >&2
    echo "which scripts/common.sh installs; install clang-format-$want or set CLANG_FORMAT to it" >&2
    exit 1
fi
mapfile -t files < <(find src tests bench tools -name '*.cpp' -o -name '*.h' | sort)
bad=0
for f in "${files[@]}"; do
    if ! "$tool" --dry-run --Werror "$f" >/dev/null 2>&1; then
        echo "not formatted: $f"
        "$tool" "$f" | diff -u "$f" - | head -20 || true
        bad=$((bad + 1))
    fi
done
echo "${#files[@]} files checked with clang-format $have, $bad not formatted"
[ "$bad" -eq 0 ]
