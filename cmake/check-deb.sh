#!/usr/bin/env bash
# Makes the Debian packages of a build and unpacks them into a scratch root:
#   check-deb.sh CPACK BUILD-DIR OUT-DIR
# Checks that there are a runtime and a -dev package, that the runtime package depends
# on the Debian package of every library its shared libraries load (other than each
# other), that the -dev package depends on exactly this runtime package and each
# optional part's package on exactly this -dev package. Leaves the packages in OUT-DIR
# and all of them unpacked (dpkg -x) under OUT-DIR/root.
set -euo pipefail

cpack=${1:?usage: check-deb.sh CPACK BUILD-DIR OUT-DIR}
build=${2:?usage: check-deb.sh CPACK BUILD-DIR OUT-DIR}
out=${3:?usage: check-deb.sh CPACK BUILD-DIR OUT-DIR}
rm -rf "$out"
mkdir -p "$out"
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi

errors=0
fail() { echo "check-deb: $*" >&2; errors=$((errors + 1)); }

# One runtime package, one -dev package (lib<project>-dev) and one -dev package per
# optional part (lib<project>-<part>-dev), which builds on the -dev package.
# The -dev package is named after the runtime package without its ABI version.
runtime=$(find "$out" -maxdepth 1 -name '*.deb' ! -name '*-dev_*.deb')
dev=
if [[ $(wc -w <<<"$runtime") -eq 1 ]]; then
  dev=$(find "$out" -maxdepth 1 -name "$(dpkg-deb -f "$runtime" Package | sed 's/[0-9.]*$//')-dev_*.deb")
fi
parts=$(find "$out" -maxdepth 1 -name '*-dev_*.deb' ! -name "$(basename "${dev:-none}")")
[[ $(wc -w <<<"$dev") -eq 1 && $(wc -w <<<"$runtime") -eq 1 ]] || {
  echo "check-deb: expected one runtime and one -dev package, got: $runtime $dev" >&2
  exit 1
}
for deb in "$runtime" "$dev" $parts; do
  echo "== $(basename "$deb")"
  dpkg-deb -f "$deb" Package Version Depends
  dpkg -x "$deb" "$out/root"
done

depends=", $(dpkg-deb -f "$runtime" Depends),"
while read -r library; do
  while read -r needed; do
    [[ $needed == libtivrel_* ]] && continue
    path=$(ldconfig -p | awk -v name="$needed" '$1 == name && !found { print $NF; found = 1 }')
    [[ -n $path ]] || { fail "$needed (loaded by ${library##*/}) is not installed here"; continue; }
    package=$(dpkg -S "$path" 2>/dev/null || dpkg -S "$(readlink -f "$path")" 2>/dev/null || true)
    package=${package%%:*}
    if [[ -z $package ]]; then
      fail "no Debian package holds $path (loaded by ${library##*/})"
    elif [[ $depends != *", $package "* && $depends != *", $package,"* ]]; then
      fail "the runtime package loads $needed from $package but does not depend on it"
    fi
  done < <(readelf -d "$library" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
done < <(find "$out/root" -type f -name 'libtivrel_*.so.*')

runtime_name=$(dpkg-deb -f "$runtime" Package)
version=$(dpkg-deb -f "$runtime" Version)
[[ ", $(dpkg-deb -f "$dev" Depends)," == *", $runtime_name (= $version),"* ]] ||
  fail "the -dev package does not depend on $runtime_name (= $version)"
dev_name=$(dpkg-deb -f "$dev" Package)
for part in $parts; do
  [[ ", $(dpkg-deb -f "$part" Depends)," == *", $dev_name (= $version),"* ]] ||
    fail "$(basename "$part") does not depend on $dev_name (= $version)"
done

((errors == 0)) || exit 1
echo "check-deb: ok (unpacked in $out/root)"
