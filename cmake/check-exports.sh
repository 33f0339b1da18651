#!/usr/bin/env bash
# Checks the dynamic symbol tables of an installed tree: usage check-exports.sh PREFIX.
#  - the API symbols named below are exported;
#  - every exported symbol lies in namespace Tivrel: nothing from std::, boost::, an
#    anonymous namespace or the global namespace (cmake/exports.map keeps them in);
#  - every exported Tivrel name is declared in an installed header;
#  - no two libraries define the same object or function;
#  - each library carries a SONAME of the form lib<name>.so.0.<minor> (while the major
#    version is 0) or lib<name>.so.<major>, the same for all, installed beside it;
#  - no internal header (*Internal.h) is installed.
set -euo pipefail

prefix=${1:?usage: check-exports.sh PREFIX}
includedir=$prefix/include/tivrel
libraries=()
for name in platform proc media; do
  lib=$(find "$prefix" -name "libtivrel_$name.so" -print -quit)
  [[ -n $lib ]] || { echo "check-exports: no libtivrel_$name.so under $prefix" >&2; exit 1; }
  libraries+=("$lib")
done
[[ -d $includedir ]] || { echo "check-exports: no headers under $includedir" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
errors=0
fail() { echo "check-exports: $*" >&2; errors=$((errors + 1)); }

# One line per exported symbol: "ERROR <text>" for a symbol that must not be exported,
# "NAME <declared name> <symbol>" for a Tivrel symbol whose name a header must declare.
classify() {
  paste -d ' ' <(nm -D --defined-only "$1" | awk '{print $3}') \
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
      mangled = $1; pretty = $0; sub(/^[^ ]+ /, "", pretty)
      if (mangled ~ /^(_init|_fini|_edata|_end|__bss_start)$/) next
      if (mangled ~ /_GLOBAL__N/) { print "ERROR " lib " exports from an anonymous namespace: " pretty; next }
      if (mangled !~ /^_Z/) { print "ERROR " lib " exports an unmangled (C or global) symbol: " mangled; next }
      # Drop the special-name prefixes (typeinfo, vtables, guards, thunks, a function'"'"'s
      # local statics) to reach the entity.
      core = substr(mangled, 3)
      while (sub(/^(T[IS][PRKO]*|T[VT]|TC|GV|Z|Thn?[0-9]+_|Tvn?[0-9]+_n?[0-9]+_)/, "", core)) {}
      if (core ~ /^N[KVRO]*6Tivrel/) {
        if (pretty !~ /::operator/ && mangled !~ /^_ZTC/) print "NAME " declared_name(pretty) " " pretty
      } else {
        print "ERROR " lib " exports a symbol outside namespace Tivrel: " pretty
      }
    }'
}

# check_library LIB REQUIRED-SYMBOL...
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

check_library "${libraries[0]}" "Tivrel::GetCallStack" "Tivrel::Core::MD5::hexdigest" \
  "typeinfo for Tivrel::Core::PropertyException"
check_library "${libraries[1]}" "Tivrel::RethrowException" "Tivrel::Proc::exportDummyException" \
  "typeinfo for Tivrel::Proc::FilterException" "Tivrel::Proc::ProcessingErrorToString"
check_library "${libraries[2]}" "Tivrel::Media::VideoFrame::Create" "Tivrel::Media::GetPlaneColorBytes" \
  "Tivrel::Media::MakeWritable"

# Names the installed headers mention, looked up all at once.
cut -d ' ' -f 1 "$work/names" | sort -u >"$work/wanted"
grep -rhowF --include='*.h' -f "$work/wanted" "$includedir" | sort -u >"$work/found" || true
while read -r _ pretty; do
  fail "exported $pretty, which no installed header declares"
done < <(awk 'NR == FNR { found[$1] = 1; next } !($1 in found)' "$work/found" "$work/names")

abi_versions=()
for lib in "${libraries[@]}"; do
  name=${lib##*/}
  soname=$(readelf -d "$lib" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
  if [[ $soname =~ ^${name//./\\.}\.(0\.[0-9]+|[1-9][0-9]*)$ ]]; then
    abi_versions+=("${BASH_REMATCH[1]}")
  else
    fail "$name has SONAME '$soname', not $name.0.<minor> or $name.<major>"
  fi
  [[ -e ${lib%/*}/$soname ]] || fail "$soname is not installed beside $name"
done
[[ $(printf '%s\n' "${abi_versions[@]}" | sort -u | wc -l) -le 1 ]] ||
  fail "the libraries carry different ABI versions: ${abi_versions[*]}"

# Strong definitions in two libraries would give two copies of one object or function.
strong() { nm -D --defined-only "$1" | awk '$2 ~ /^[TDBR]$/ {print $3}' | sort -u; }
for ((i = 0; i < ${#libraries[@]}; ++i)); do
  for ((j = i + 1; j < ${#libraries[@]}; ++j)); do
    while read -r twice; do
      [[ -n $twice ]] && fail "${libraries[i]##*/} and ${libraries[j]##*/} both define $(c++filt <<<"$twice")"
    done < <(comm -12 <(strong "${libraries[i]}") <(strong "${libraries[j]}"))
  done
done

while read -r internal; do
  fail "internal header installed: ${internal#"$includedir"/}"
done < <(find "$includedir" -name '*Internal.h')

if ((errors)); then
  echo "check-exports: $errors problem(s)" >&2
  exit 1
fi
summary=()
for lib in "${libraries[@]}"; do summary+=("$(wc -l <"$work/${lib##*/}.symbols") by ${lib##*/}"); done
echo "check-exports: ok (symbols exported: ${summary[*]})"
