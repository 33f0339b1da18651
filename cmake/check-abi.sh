#!/usr/bin/env bash
# Compares built shared libraries with their ABI baselines (abidw output), or rewrites
# the baselines:
#   check-abi.sh BASELINE-DIR LIBRARY...
#   check-abi.sh --update [--accept-break] BASELINE-DIR LIBRARY...
# The baseline of libX.so.* is BASELINE-DIR/libX.abi. Libraries need debug information.
#
# Check: fails when a library's SONAME differs from its baseline's (the baseline must
# be regenerated when the SONAME moves) or when abidiff finds any change but added
# functions and variables: a removed symbol, a changed type layout or vtable, a changed
# signature. Such a break is allowed only together with a new SONAME and a new baseline.
# Update: writes new baselines; refuses to record a break under an unchanged SONAME
# unless --accept-break is given (for an ABI version that has not been released yet).
set -euo pipefail

update=0 accept_break=0
while [[ ${1:-} == --* ]]; do
  case $1 in
    --update) update=1 ;;
    --accept-break) accept_break=1 ;;
    *) echo "check-abi: unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
baselines=${1:?usage: check-abi.sh [--update [--accept-break]] BASELINE-DIR LIBRARY...}
shift
(($#)) || { echo "check-abi: no library given" >&2; exit 2; }
for tool in abidw abidiff readelf; do
  command -v "$tool" >/dev/null || { echo "check-abi: $tool not found (Debian packages abigail-tools, binutils)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
errors=0

soname_of_library() { readelf -d "$1" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p'; }
soname_of_baseline() { sed -n "1,5s/.*<abi-corpus [^>]*soname='\([^']*\)'.*/\1/p" "$1" | head -n 1; }
# The ABI of a library, without paths, so that baselines do not depend on the checkout.
dump() { abidw --no-corpus-path --no-comp-dir-path --no-show-locs --short-locs --out-file "$2" "$1"; }

for library in "$@"; do
  name=$(basename "$library")
  name=${name%%.so*}
  baseline=$baselines/$name.abi
  soname=$(soname_of_library "$library")
  if ((update)); then
    dump "$library" "$work/$name.abi"
    if [[ -f $baseline && $(soname_of_baseline "$baseline") == "$soname" ]] &&
        ! abidiff --no-added-syms "$baseline" "$work/$name.abi" >"$work/$name.diff"; then
      if ((!accept_break)); then
        cat "$work/$name.diff"
        echo "check-abi: $name breaks the ABI of $soname; raise the version (SONAME) or pass --accept-break" >&2
        errors=$((errors + 1))
        continue
      fi
      echo "check-abi: $name: recording an ABI break under the unchanged SONAME $soname"
    fi
    mkdir -p "$baselines"
    mv "$work/$name.abi" "$baseline"
    echo "check-abi: wrote $baseline ($soname)"
    continue
  fi

  if [[ ! -f $baseline ]]; then
    echo "check-abi: no baseline $baseline" >&2
    errors=$((errors + 1))
    continue
  fi
  recorded=$(soname_of_baseline "$baseline")
  if [[ $recorded != "$soname" ]]; then
    echo "check-abi: $name has SONAME $soname, its baseline $recorded: regenerate the baseline" >&2
    errors=$((errors + 1))
    continue
  fi
  if abidiff --no-added-syms "$baseline" "$library" >"$work/$name.diff"; then
    echo "check-abi: $name matches its baseline ($soname)"
  else
    cat "$work/$name.diff"
    echo "check-abi: $name changes the ABI of $soname (above); a break needs a new SONAME and baseline" >&2
    errors=$((errors + 1))
  fi
done
exit $((errors ? 1 : 0))
