# shellcheck shell=bash disable=SC2034
# Sourced by ./demo.sh, ./test.sh and .ci/run: the Debian packages each needs and the
# function that installs whichever of them are missing.

# Compiler, build tools and the libraries the build finds unconditionally (libyuv: the
# examples' video effects, built by default).
TIVREL_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libboost-dev libboost-thread-dev
  libgoogle-glog-dev libssl-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev libyuv-dev)
# The package checks: ABI comparison, the API reference, Debian packages and their
# dependencies (dpkg-shlibdeps, and file, which CPack needs for it).
TIVREL_PACKAGE_PACKAGES=(abigail-tools doxygen dpkg-dev file)
# Optional baselines that the benchmarks compare against when present.
TIVREL_BENCH_PACKAGES=(libavutil-dev)
# clang with its runtime libraries, for the libFuzzer targets.
TIVREL_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Installs the named packages that are not installed yet. The package lists are only
# refreshed when something is missing; sudo is used only when not running as root.
tivrel_install_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$package")
  done
  ((${#missing[@]})) || return 0
  local sudo=()
  if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
  echo "Installing ${missing[*]}"
  "${sudo[@]}" apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}
