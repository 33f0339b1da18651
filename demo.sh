#!/usr/bin/env bash
# Builds the library and runs the example program (installs missing Debian packages first).
set -euo pipefail
cd "$(dirname "$0")"
source cmake/packages.sh
tivrel_install_packages "${TIVREL_BUILD_PACKAGES[@]}"

program=FoundationTour
cmake --preset default
cmake --build --preset default -j2 --target "$program"
exec "build/default/examples/$program"
