#!/usr/bin/env bash
# Packs a small skin folder with skintool and reads it back with every command;
# checks it, a broken copy of it and the program's own skin.
# Usage: skintool_test.sh <path to skintool>
set -euo pipefail
tool=$1
root=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The low `count` bytes of `value`, least significant first.
le() {
    local value=$1 count=$2 i
    for ((i = 0; i < count; i++)); do printf "\\$(printf %03o $(((value >> 8 * i) & 255)))"; done
}
# A 24-bit BMP file of width x height pixels whose row bytes are all `fill`,
# with compression `compression` (default 0, none) written in its header.
bmp() {
    local width=$1 height=$2 fill=$3 compression=${4:-0}
    local size=$((((width * 3 + 3) / 4 * 4) * height))
    printf 'BM'; le $((54 + size)) 4; le 0 4; le 54 4
    le 40 4; le "$width" 4; le "$height" 4; le 1 2; le 24 2; le "$compression" 4; le "$size" 4; le 0 16
    head -c "$size" /dev/zero | tr '\0' "\\$(printf %03o "$fill")"
}

mkdir "$work/skin"
printf '[Personality]\r\nTop=FrameTop.bmp\r\nTopTrans=0\r\n[Buttons]\r\nBitmap=Button.bmp\r\n' > "$work/skin/Fixture.INI"
bmp 40 25 120 > "$work/skin/FrameTop.bmp"
bmp 35 7 65 > "$work/skin/Button.bmp"
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

# check: the program's own skin and the fixture have no errors; a broken
# copy of the fixture has, each reported by file, line, section and key, and
# pack refuses it (unless told not to check).
"$tool" check "$root/assets/skin/lightblue" > "$work/check.txt" || fail "check of our skin: $(cat "$work/check.txt")"
grep -q ': 0 errors, ' "$work/check.txt" || fail "check summary of our skin: $(tail -1 "$work/check.txt")"
# Disabled text of our skin stays readable: no disabled caption, tab,
# header or menu item below 3:1.
! grep -q ': disabled .* below 3.00:1' "$work/check.txt" ||
    fail "disabled text of our skin: $(grep ': disabled ' "$work/check.txt")"
"$tool" check "$work/skin" > "$work/check.txt" 2> /dev/null || fail "check of the fixture: $(cat "$work/check.txt")"
cp -r "$work/skin" "$work/broken"
bmp 36 7 65 > "$work/broken/Button.bmp"
bmp 4 4 1 > "$work/broken/unused.bmp"
printf 'LeftWidht=2\r\n' >> "$work/broken/Fixture.INI"
status=0
"$tool" check "$work/broken" > "$work/check.txt" 2> /dev/null || status=$?
[ $status -eq 1 ] || fail "check of the broken folder gave status $status"
for line in 'Fixture.INI:5: \[Buttons\] Bitmap: Button.bmp is 36 px wide, not a multiple of 5 frames' \
            'Fixture.INI:6: \[Buttons\] LeftWidht: unknown key, not read in this section; did you mean LeftWidth?' \
            '^unused.bmp: not named by Fixture.INI' ': 3 errors, '; do
    grep -q "$line" "$work/check.txt" || fail "check output lacks \"$line\": $(cat "$work/check.txt")"
done
status=0
"$tool" pack "$work/broken" "$work/broken.bin" > /dev/null 2> "$work/pack.err" || status=$?
[ $status -eq 1 ] || fail "pack of the broken folder gave status $status"
[ ! -e "$work/broken.bin" ] || fail "pack of the broken folder wrote a package"
grep -q 'Button.bmp is 36 px wide' "$work/pack.err" || fail "pack does not say why: $(cat "$work/pack.err")"
grep -q 'is not packed: 3 errors' "$work/pack.err" || fail "pack refusal: $(cat "$work/pack.err")"
"$tool" pack --unchecked "$work/broken" "$work/broken.bin" > /dev/null 2>&1 || fail "pack --unchecked refused"
"$tool" check "$work/broken" "$work/extra" > /dev/null 2>&1 && fail "check took two folders"

# docs/skin-format.md holds the reference as `skintool keys` writes it from
# the key table.
sed -n '/<!-- skintool keys: begin -->/,/<!-- skintool keys: end -->/p' "$root/docs/skin-format.md" |
    sed '1d;$d' > "$work/doc-keys.md"
"$tool" keys > "$work/keys.md"
cmp -s "$work/keys.md" "$work/doc-keys.md" ||
    fail "docs/skin-format.md's reference is not what \`skintool keys\` prints: $(diff "$work/doc-keys.md" "$work/keys.md" | head -5)"

# Refusals: files the program would not load, named in the message, and two
# descriptions.
refused() {  # <file name> <what the message says>
    "$tool" pack "$work/skin" "$work/x" 2> "$work/refused.err" && fail "packed $1"
    grep -q "$1 cannot be loaded by the program: .*$2" "$work/refused.err" || fail "refusal of $1: $(cat "$work/refused.err")"
    rm "$work/skin/$1"
}
head -c 100 /dev/zero | tr '\0' 'X' > "$work/skin/bad.bmp"
refused bad.bmp "no BMP signature"
bmp 8 8 1 > "$work/whole.bmp"
head -c 100 "$work/whole.bmp" > "$work/skin/cut.bmp"
refused cut.bmp "cut off"
bmp 4 4 1 4 > "$work/skin/jpeg.bmp"
refused jpeg.bmp "compression 4"
mv "$work/skin/Fixture.INI" "$work/Fixture.INI"
{ printf '[Title]\n'; seq 70000 | sed 's/.*/Height=24/'; } > "$work/skin/long.ini"
refused long.ini "more than the 65536 lines"
mv "$work/Fixture.INI" "$work/skin/Fixture.INI"
cp "$work/skin/Fixture.INI" "$work/skin/second.ini"
"$tool" pack "$work/skin" "$work/x" 2> /dev/null && fail "packed two descriptions"
head -c 100 "$work/value.bin" > "$work/cut.bin"
status=0
"$tool" list "$work/cut.bin" > /dev/null 2>&1 || status=$?
[ $status -eq 1 ] || fail "a cut package gave status $status"
echo "skintool: all checks passed"
