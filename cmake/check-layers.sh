#!/usr/bin/env bash
# Checks that includes point down the layers: usage check-layers.sh [ROOT].
#
#   Platform <- Proc <- Media <- Testing <- tests, bench, examples, fuzz
#
# A file may include headers of its own layer and of the layers to its left, never of a
# layer to its right (includes start at the repository root: "Proc/Interfaces/X.h").
# Headers named *Internal.h are not installed: an installed header must not include
# one, and another library must not either (tests, benchmarks, examples and fuzzers
# may). Prints every offending line and fails when there is one.
set -euo pipefail

root=${1:-$(dirname "$0")/..}
cd "$root"
layers=(Platform Proc Media Testing tests bench examples fuzz)
present=()
for dir in "${layers[@]}"; do if [[ -d $dir ]]; then present+=("$dir"); fi; done

{ grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+"' \
    --include='*.h' --include='*.hpp' --include='*.cc' --include='*.cpp' "${present[@]}" || true; } |
  awk -v layers="${layers[*]}" '
    BEGIN {
      n = split(layers, names, " ")
      # tests, bench, examples and fuzz form one layer at the top.
      for (i = 1; i <= n; ++i) rank[names[i]] = (i <= 4 ? i : 5)
    }
    {
      # file:line:#include "target"
      file = $0; sub(/:.*/, "", file)
      line = substr($0, length(file) + 2); sub(/:.*/, "", line)
      target = $0; sub(/^[^"]*"/, "", target); sub(/".*/, "", target)
      from = file; sub(/\/.*/, "", from)
      to = target; sub(/\/.*/, "", to)
      if (index(target, "/") == 0 || !(to in rank)) next  # same directory, or not ours
      where = file ":" line ": includes " target ": "
      if (rank[to] > rank[from]) {
        print where from " is below " to; bad = 1
      } else if (target ~ /Internal\.h$/ && rank[from] < 5) {
        if (file ~ /\.h(pp)?$/ && file !~ /Internal\.h(pp)?$/) {
          print where "an installed header includes an internal one"; bad = 1
        } else if (to != from) {
          print where "internal headers of " to " are for " to " itself"; bad = 1
        }
      }
    }
    END { exit bad }' && echo "check-layers: ok (${present[*]})"
