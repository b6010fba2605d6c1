# The portable package: package PROGRAM LANG_FOLDER OUT_FOLDER leaves in OUT_FOLDER the program,
# its licence and notes for users (LICENSE.txt, README.txt, with CR LF line ends), lang/*.lng,
# their zip and SHA256SUMS for the zip and the program. The same inputs give the same bytes in
# any folder and at any time: fixed file times and modes, sorted names, no extra fields.
package_sources=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
package() {
  local program=$1 langs=$2 out=$3
  local zip_name=Quorvalestrane-1.0.228.zip
  # Emptied rather than removed: the folder may be a mount point.
  mkdir -p "$out"
  find "$out" -mindepth 1 -delete
  mkdir -p "$out/lang"
  cp "$program" "$out/qvs_x64.exe"
  sed 's/\r$//; s/$/\r/' "$package_sources/LICENSE" >"$out/LICENSE.txt"
  sed 's/\r$//; s/$/\r/' "$package_sources/docs/README.txt" >"$out/README.txt"
  cp "$langs"/*.lng "$out/lang/"
  chmod 755 "$out/qvs_x64.exe"
  chmod 644 "$out"/LICENSE.txt "$out"/README.txt "$out"/lang/*.lng
  find "$out" -exec touch -h -d '2026-01-01 00:00:00 UTC' {} +
  (
    cd "$out"
    export TZ=UTC LC_ALL=C
    # shellcheck disable=SC2046
    zip -q -X -D "$zip_name" qvs_x64.exe LICENSE.txt README.txt $(find lang -name '*.lng' | sort)
    sha256sum "$zip_name" qvs_x64.exe >SHA256SUMS
  )
}
