#!/usr/bin/env bash
# Is the release reproducible? Builds it with scripts/release.sh from the
# committed HEAD in two fresh clones, in folders of other names and depths:
# the first in UTC with umask 022 and a UTF-8 locale, then again after a
# source and the resource script are touched; the second in UTC+14 with
# umask 077 and the C locale, and as user nobody when run as root. Every
# byte of build/release/ must match. On a difference it names the file, the
# zip's entry, the PE sections that differ and the sources whose objects
# differ between the clones.
#   scripts/check-reproducible.sh [--keep]    (--keep leaves both clones)
set -euo pipefail
top=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
commit=$(git -C "$top" rev-parse HEAD)
keep=${1:-}
say() { echo "check-reproducible: $*"; }

[ -z "$(git -C "$top" status --porcelain --untracked-files=no)" ] ||
  say "uncommitted changes are not checked, only commit ${commit:0:12}"
work=$(mktemp -d "${TMPDIR:-/tmp}/tallow-reproducible.XXXXXX")
if [ "$keep" = --keep ]; then trap 'say "both clones are in $work"' EXIT; else trap 'rm -rf "$work"' EXIT; fi
first=$work/one/TallowDivod
second="$work/two/an other folder/tallow-divod-2"

clone() { git clone -q --no-hardlinks --no-checkout "$top" "$1" && git -C "$1" checkout -q --detach "$commit"; }

# release FOLDER TZ UMASK LOCALE [COMMAND...]: builds the release there, through COMMAND if given.
release() {
  local dir=$1 tz=$2 mask=$3 locale=$4 log
  shift 4
  log=$work/$(basename "$dir").log
  (umask "$mask" && cd "$dir" && TZ=$tz LC_ALL=$locale "$@" scripts/release.sh) >"$log" 2>&1 ||
    { say "scripts/release.sh failed in $dir:"; tail -n 20 "$log"; exit 1; }
}

# Where two exes differ: per PE section, how many bytes and the first offset.
explain_exe() {
  local a=$1 b=$2 sections checksum
  [ "$(stat -c %s "$a")" = "$(stat -c %s "$b")" ] ||
    echo "      sizes differ: $(stat -c %s "$a") and $(stat -c %s "$b") bytes"
  # Section file offsets in file order; what lies before the first is the
  # headers, whose checksum (64 bytes into the optional header) follows any change.
  sections=$(x86_64-w64-mingw32-objdump -h "$a" |
    awk '$1 ~ /^[0-9]+$/ && $6 !~ /^0+$/ { print $6, $2 }' |
    while read -r offset name; do echo "$((16#$offset)) $name"; done | sort -n)
  checksum=$(( $(od -An -tu4 -j60 -N4 "$a") + 4 + 20 + 64 ))
  { cmp -l "$a" "$b" 2>/dev/null || true; } | awk -v sections="$sections" -v checksum="$checksum" '
    BEGIN { n = split(sections, s, "\n"); for (i = 1; i <= n; i++) { split(s[i], f, " "); off[i] = f[1]; name[i] = f[2] } }
    {
      o = $1 - 1; where = "PE headers"
      if (o >= checksum && o < checksum + 4) where = "PE header checksum"
      for (i = 1; i <= n; i++) if (o >= off[i]) where = name[i]
      if (!(where in count)) { first[where] = o; order[++m] = where }
      count[where]++
    }
    END { for (i = 1; i <= m; i++) printf "      %s: %d bytes differ, the first at file offset 0x%x\n", order[i], count[order[i]], first[order[i]] }'
}

# What differs inside two zips: the entries, or else the zip's own headers.
explain_zip() {
  local a=$1 b=$2 entry same=1
  rm -rf "$work/unpacked"
  python3 -X utf8 -m zipfile -e "$a" "$work/unpacked/a"
  python3 -X utf8 -m zipfile -e "$b" "$work/unpacked/b"
  while IFS= read -r entry; do
    if [ ! -f "$work/unpacked/a/$entry" ] || [ ! -f "$work/unpacked/b/$entry" ]; then
      echo "    $entry: in one zip only"; same=0
    elif ! cmp -s "$work/unpacked/a/$entry" "$work/unpacked/b/$entry"; then
      echo "    $entry differs"; same=0
      case $entry in *.exe) explain_exe "$work/unpacked/a/$entry" "$work/unpacked/b/$entry" ;; esac
    fi
  done < <(cd "$work/unpacked" && find a b -type f | cut -d/ -f2- | LC_ALL=C sort -u)
  [ $same = 0 ] || python3 -X utf8 - "$a" "$b" <<'EOF'
import sys, zipfile
fields = ("filename", "date_time", "create_system", "external_attr", "flag_bits", "compress_type", "extra")
a, b = ([[getattr(i, f) for f in fields] for i in zipfile.ZipFile(z).infolist()] for z in sys.argv[1:])
for n, (x, y) in enumerate(zip(a, b)):
    for field, u, v in zip(fields, x, y):
        if u != v:
            print(f"    the same files, but entry {n + 1} has {field} {u!r} in one, {v!r} in the other")
if a == b:
    print("    the same files and entry headers: the compressed data or the zip's own records differ")
EOF
}

# The sources whose objects differ between the two clones' builds.
explain_objects() {
  local object preset source
  while IFS= read -r object; do
    cmp -s "$first/$object" "$second/$object" && continue
    preset=${object#build/} source=${object#*.dir/}
    echo "    compiled differently in the ${preset%%/*} build: ${source%.*}"
  done < <(cd "$first" && find build/mingw build/mingw32 -path '*/CMakeFiles/*' \( -name '*.obj' -o -name '*.res' \) | LC_ALL=C sort)
}

# compare A B WHAT: every file of two build/release/ folders; fails on a difference.
compare() {
  local a=$1 b=$2 name differ=0
  while IFS= read -r name; do
    if [ ! -f "$a/$name" ] || [ ! -f "$b/$name" ]; then
      say "FAILED: build/release/$name is made by one build only ($3)"; differ=1
    elif ! cmp -s "$a/$name" "$b/$name"; then
      say "FAILED: build/release/$name differs ($3)"; differ=1
      case $name in *.zip) explain_zip "$a/$name" "$b/$name" ;; esac
    fi
  done < <({ ls "$a"; ls "$b"; } | LC_ALL=C sort -u | awk '/^SHA256SUMS$/ { sums = $0; next } { print } END { if (sums) print sums }')
  return $differ
}

start=$SECONDS
status=0
say "building commit ${commit:0:12} in $first"
(umask 022 && clone "$first")
release "$first" UTC 022 C.UTF-8
cp -a "$first/build/release" "$work/first-release"
say "again there, after touching app/win32/main.cpp and resources/tallow.rc"
touch "$first/app/win32/main.cpp" "$first/resources/tallow.rc"
release "$first" UTC 022 C.UTF-8
compare "$work/first-release" "$first/build/release" "rebuilt in the same clone after a touch" || status=1

(umask 077 && clone "$second")
as=()
if [ "$(id -u)" = 0 ]; then
  # Root can build it as another user too; the clone is theirs.
  chmod 711 "$work"
  chown -R nobody:nogroup "$work/two"
  as=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$work/two")
fi
say "building it in $second (UTC+14, umask 077, C locale${as:+, user nobody})"
release "$second" LINT-14 077 C "${as[@]}"
compare "$first/build/release" "$second/build/release" "two clones" || { status=1; explain_objects; }
if [ $status != 0 ]; then
  say "rerun with --keep to look into both clones (diffoscope, cmp -l)"
  exit 1
fi
say "the two clones' releases are byte-identical ($((SECONDS - start)) s):"
cat "$first/build/release/SHA256SUMS"
