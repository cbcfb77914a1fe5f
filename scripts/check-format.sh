#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format (.clang-format) makes of
# it, and names the files. `scripts/check-format.sh --fix` formats them in place instead.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mapfile -t files < <(find src tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
if [[ "${1:-}" == "--fix" ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
differ=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || differ+=("$f")
done
if [[ ${#differ[@]} -gt 0 ]]; then
  echo "clang-format: ${#differ[@]} file(s) differ from .clang-format (scripts/check-format.sh --fix):" >&2
  printf '  %s\n' "${differ[@]}" >&2
  exit 1
fi
echo "clang-format: ${#files[@]} files as .clang-format wants them"
