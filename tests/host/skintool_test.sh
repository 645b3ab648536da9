#!/usr/bin/env bash
# Packs a small skin folder with skintool and reads it back with every command.
# Usage: skintool_test.sh <path to skintool>
set -euo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$work/skin"
printf '[Title]\r\nHeight=24\r\n[Buttons]\r\nImage=Button.bmp\r\n' > "$work/skin/Fixture.INI"
{ printf 'BM'; head -c 3000 /dev/zero | tr '\0' 'x'; } > "$work/skin/FrameTop.bmp"
{ printf 'BM'; seq 1 2000; } > "$work/skin/Button.bmp"
echo "not part of the skin" > "$work/skin/README.txt"

"$tool" pack "$work/skin" "$work/value.bin" 2> "$work/pack.err" > /dev/null
grep -q 'skipped .*README.txt' "$work/pack.err" || fail "pack does not report the skipped file"

# The SkinStream value: a length word counting the bytes after it.
size=$(stat -c %s "$work/value.bin")
length=$(od -An -tu4 -N4 "$work/value.bin" | tr -d ' ')
[ "$length" -eq $((size - 4)) ] || fail "length word $length for a $size-byte value"

"$tool" pack --skin-file "$work/skin" "$work/skin.file" > /dev/null 2>&1
tail -c +5 "$work/value.bin" | cmp -s - "$work/skin.file" || fail "skin file is not the value without its length word"

"$tool" list "$work/value.bin" > "$work/list.txt"
head -1 "$work/list.txt" | grep -q '^version 20000, 3 entries$' || fail "list header: $(head -1 "$work/list.txt")"
[ "$(awk 'NR > 1 {print $2}' "$work/list.txt" | tr '\n' ' ')" = "fixture.ini button.bmp frametop.bmp " ] ||
    fail "list order: $(cat "$work/list.txt")"

for package in value.bin skin.file; do
    "$tool" extract "$work/$package" FRAMETOP.BMP "$work/out.bmp"
    cmp -s "$work/out.bmp" "$work/skin/FrameTop.bmp" || fail "extract from $package"
done
"$tool" extract "$work/value.bin" missing.bmp "$work/none" 2> /dev/null && fail "extract of a missing entry succeeded"

"$tool" unpack "$work/value.bin" "$work/raw.bin"
[ "$(od -An -tu4 -N4 "$work/raw.bin" | tr -d ' ')" -eq 20000 ] || fail "unpacked package version"

# Refusals: a bitmap that is not one, two descriptions, a broken package.
printf 'XX' > "$work/skin/bad.bmp"
"$tool" pack "$work/skin" "$work/x" 2> /dev/null && fail "packed a file that is not a bitmap"
rm "$work/skin/bad.bmp"
cp "$work/skin/Fixture.INI" "$work/skin/second.ini"
"$tool" pack "$work/skin" "$work/x" 2> /dev/null && fail "packed two descriptions"
head -c 100 "$work/value.bin" > "$work/cut.bin"
status=0
"$tool" list "$work/cut.bin" > /dev/null 2>&1 || status=$?
[ $status -eq 1 ] || fail "a cut package gave status $status"
echo "skintool: all checks passed"
