#!/usr/bin/env bash
# Builds everything (library, tests, benchmarks, examples) and runs every test, the
# check of the installed package included. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")"
source cmake/packages.sh
tivrel_install_packages "${TIVREL_BUILD_PACKAGES[@]}" "${TIVREL_BENCH_PACKAGES[@]}" "${TIVREL_PACKAGE_PACKAGES[@]}"

cmake --preset default
cmake --build --preset default -j2
ctest --preset default
