#!/bin/bash
# Two clean builds of these sources, in two folders of different names and depths, must give a
# byte-identical program and zip.
# Usage: reproducible.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source=$(realpath "$1")
work=$(realpath -m "$2")
source "$source/scripts/lib/package.sh"
rm -rf "$work"
for tree in one "second/tree"; do
  mkdir -p "$work/$tree"
  # The sources as they are now, committed or not, without any build output.
  (cd "$source" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 cp --parents -t "$work/$tree")
  (
    cd "$work/$tree"
    cmake --preset windows -DBUILD_TESTING=OFF >/dev/null
    cmake --build --preset windows --target qvs_x64 >/dev/null
    package build/windows/qvs_x64.exe lang dist
  )
done
status=0
for file in qvs_x64.exe Quorvalestrane-1.0.228.zip SHA256SUMS; do
  if cmp "$work/one/dist/$file" "$work/second/tree/dist/$file"; then
    echo "same: $file ($(stat -c %s "$work/one/dist/$file") bytes)"
  else
    status=1
  fi
done
# What a user unzips: the program, its licence and notes with Windows line ends, the languages.
listing=$(python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); print(*(n + ("" if
  not n.endswith(".txt") or z.read(n).count(b"\n") == z.read(n).count(b"\r\n") else " LF") for
  n in z.namelist()))' "$work/one/dist/Quorvalestrane-1.0.228.zip")
expected=$(echo qvs_x64.exe LICENSE.txt README.txt $(cd "$source" && ls lang/*.lng | LC_ALL=C sort))
echo "zip holds: $listing"
[ "$listing" = "$expected" ] || { echo "expected: $expected"; status=1; }
size=$(stat -c %s "$work/one/dist/qvs_x64.exe")
echo "program: $size bytes (at most $((300 * 1024)))"
[ "$size" -le $((300 * 1024)) ] || status=1
rm -rf "$work"
exit $status
