#!/usr/bin/env bash
# The committed skin pictures, button pictures, player glyphs, icon and the
# demo program's pictures are exactly what the generator draws: a hand edit of a
# picture, or a generator change whose output was not committed, fails here.
set -euo pipefail
root=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$root/tools/skinart/make_lightblue.py" --root "$out" >/dev/null
status=0
for dir in assets/skin/lightblue assets/player app/res tools/win/demo/res; do
    if ! diff -r -q "$root/$dir" "$out/$dir"; then
        echo "FAIL: $dir differs from what tools/skinart/make_lightblue.py draws"
        status=1
    fi
done
exit $status
