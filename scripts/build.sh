#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh FOLDER [cmake options...] -- [targets...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
folder=$1
shift
options=()
while [[ $# -gt 0 && "$1" != "--" ]]; do options+=("$1"); shift; done
[[ $# -gt 0 ]] && shift
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/himlavy-ccache}
# Paths relative to the checkout, so that a second checkout (a git worktree) shares the cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
cmake -S "$top" -B "$top/build/$folder" -G Ninja "${options[@]}" >/dev/null
if [[ $# -gt 0 ]]; then
  cmake --build "$top/build/$folder" -j "$(nproc)" --target "$@"
else
  cmake --build "$top/build/$folder" -j "$(nproc)"
fi
