#!/usr/bin/env bash
# Builds the library and runs the example program still-image with its embedded default
# (colour bars made in memory), showing the progress bar and the digest listing. Extra
# arguments go to the program: ./demo.sh --canvas 1920x1080 --at 320,180 -o /tmp/bars.y4m
# Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")"
source cmake/packages.sh
tivrel_install_packages "${TIVREL_BUILD_PACKAGES[@]}"

program=still-image
cmake --preset default
cmake --build --preset default -j2 --target "$program"
exec "build/default/examples/$program/$program" "$@"
