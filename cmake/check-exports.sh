#!/usr/bin/env bash
# Checks the dynamic symbol tables of an installed tree: usage check-exports.sh PREFIX.
#  - the API symbols named below are exported;
#  - nothing from an anonymous namespace is;
#  - every exported symbol lies in Tivrel (or is a weak instantiation or type datum of
#    boost or the standard library pulled in by an exported type);
#  - every exported Tivrel name is declared in an installed header;
#  - libtivrel_proc defines nothing that libtivrel_platform already exports;
#  - each library carries a versioned SONAME that is installed beside it.
set -euo pipefail

prefix=${1:?usage: check-exports.sh PREFIX}
proc=$(find "$prefix" -name libtivrel_proc.so -print -quit)
platform=$(find "$prefix" -name libtivrel_platform.so -print -quit)
includedir=$prefix/include/tivrel
[[ -n $proc && -n $platform && -d $includedir ]] || { echo "no installed libraries or headers under $prefix" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
errors=0
fail() { echo "check-exports: $*" >&2; errors=$((errors + 1)); }

# One line per exported symbol: "ERROR <text>" for a symbol that must not be exported,
# "NAME <declared name> <symbol>" for a Tivrel symbol whose name a header must declare.
classify() {
  paste -d ' ' <(nm -D --defined-only "$1" | awk '{print $2, $3}') \
               <(nm -D --defined-only "$1" | awk '{print $3}' | c++filt) |
  awk -v lib="${1##*/}" '
    function declared_name(s,  previous) {
      sub(/^(typeinfo name for|typeinfo for|vtable for|VTT for|guard variable for|non-virtual thunk to|virtual thunk to) /, "", s)
      gsub(/\[abi:cxx11\]/, "", s)
      do { previous = s; gsub(/<[^<>]*>/, "", s) } while (s != previous)
      sub(/\(.*/, "", s); sub(/.*::/, "", s); sub(/.* /, "", s); sub(/^~/, "", s); sub(/[*&].*/, "", s)
      return s
    }
    {
      type = $1; mangled = $2; pretty = $0; sub(/^[^ ]+ [^ ]+ /, "", pretty)
      if (mangled ~ /^(_init|_fini|_edata|_end|__bss_start)$/) next
      if (mangled ~ /_GLOBAL__N/) { print "ERROR " lib " exports from an anonymous namespace: " pretty; next }
      if (mangled !~ /^_Z/) { print "ERROR " lib " exports an unmangled (C or global) symbol: " mangled; next }
      # Drop the special-name prefixes (typeinfo, vtables, guards, thunks, a function'"'"'s
      # local statics) to reach the entity.
      core = substr(mangled, 3)
      while (sub(/^(T[IS][PRKO]*|T[VT]|TC|GV|Z|Thn?[0-9]+_|Tvn?[0-9]+_n?[0-9]+_)/, "", core)) {}
      if (core ~ /^N[KVR]*6Tivrel/) {
        if (pretty !~ /::operator/ && mangled !~ /^_ZTC/) print "NAME " declared_name(pretty) " " pretty
      } else if (core ~ /^(N[KVR]*5boost|N?[KVR]*St|S[sabiod]|N[KVR]*9__gnu_cxx)/) {
        if (type !~ /^[VWuvwi]$/) print "ERROR " lib " defines a foreign symbol: " pretty
      } else {
        print "ERROR " lib " exports a symbol outside the library'"'"'s namespace: " pretty
      }
    }'
}

check_library() {
  local lib=$1; shift
  local name=${lib##*/}
  nm -DC --defined-only "$lib" >"$work/$name.symbols"
  for required in "$@"; do
    grep -qF -- " $required" "$work/$name.symbols" || fail "$name does not export $required"
  done
  classify "$lib" >"$work/$name.classified"
  while read -r line; do fail "$line"; done < <(sed -n 's/^ERROR //p' "$work/$name.classified")
  sed -n 's/^NAME //p' "$work/$name.classified" >>"$work/names"
}

check_library "$platform" "Tivrel::GetCallStack" "Tivrel::Core::MD5::hexdigest"
check_library "$proc" "Tivrel::RethrowException" "Tivrel::Proc::exportDummyException" \
  "typeinfo for Tivrel::Proc::FilterException" "Tivrel::Proc::ProcessingErrorToString"

# Names the installed headers mention, looked up all at once.
cut -d ' ' -f 1 "$work/names" | sort -u >"$work/wanted"
grep -rhowF --include='*.h' -f "$work/wanted" "$includedir" | sort -u >"$work/found" || true
while read -r _ pretty; do
  fail "exported $pretty, which no installed header declares"
done < <(awk 'NR == FNR { found[$1] = 1; next } !($1 in found)' "$work/found" "$work/names")

for lib in "$proc" "$platform"; do
  soname=$(readelf -d "$lib" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
  [[ $soname =~ ^${lib##*/}\.[0-9]+$ ]] || fail "${lib##*/} has SONAME '$soname', not ${lib##*/}.<major>"
  [[ -e ${lib%/*}/$soname ]] || fail "$soname is not installed beside ${lib##*/}"
done

# Strong definitions in both libraries would give two copies of one object or function.
strong() { nm -D --defined-only "$1" | awk '$2 ~ /^[TDBR]$/ {print $3}' | sort -u; }
while read -r twice; do
  [[ -n $twice ]] && fail "both libraries define $(c++filt <<<"$twice")"
done < <(comm -12 <(strong "$proc") <(strong "$platform"))

if ((errors)); then
  echo "check-exports: $errors problem(s)" >&2
  exit 1
fi
echo "check-exports: ok ($(wc -l <"$work/libtivrel_proc.so.symbols") symbols exported by libtivrel_proc," \
  "$(wc -l <"$work/libtivrel_platform.so.symbols") by libtivrel_platform)"
