#!/usr/bin/env bash
# Runs one fuzz target for SECONDS over its seed corpus (which it only reads: what it finds goes
# to a temporary folder), with its dictionary if one is given. Exits non-zero when the target
# crashed or a check failed; the input that did it is kept in FINDINGS_DIR (default: the
# current folder) and named on the output.
#   run-fuzz-target.sh TARGET SEED_CORPUS SECONDS [DICTIONARY]
set -uo pipefail
target=$1 seeds=$2 seconds=$3 dictionary=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=${FINDINGS_DIR:-$PWD}
args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
      -artifact_prefix="$findings/$(basename "$target")-")
[ -n "$dictionary" ] && args+=(-dict="$dictionary")
mkdir -p "$work/corpus"
"$target" "${args[@]}" "$work/corpus" "$seeds"
