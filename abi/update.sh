#!/usr/bin/env bash
# Rewrites the ABI baselines abi/lib<name>.abi from the shared libraries of the default
# preset (built first). Refuses to record an ABI break under an unchanged SONAME unless
# called with --accept-break. Usage: abi/update.sh [--accept-break]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target tivrel_platform tivrel_proc tivrel_media
exec bash cmake/check-abi.sh --update "$@" abi \
  build/default/Platform/libtivrel_platform.so build/default/Proc/libtivrel_proc.so \
  build/default/Media/libtivrel_media.so
