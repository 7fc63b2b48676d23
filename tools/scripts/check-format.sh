#!/usr/bin/env bash
# Fails when a C++ file in the project's own folders differs from what clang-format makes of it
# (.clang-format at the top). Fix with: tools/scripts/check-format.sh --fix
set -euo pipefail
cd "$(dirname "$0")/../.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v '^build')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/qbx-format.$$; then
  grep -E '^[^ ].*: (error|warning):' /tmp/qbx-format.$$ | cut -d: -f1 | sort -u | sed 's/^/not formatted: /' >&2
  rm -f /tmp/qbx-format.$$
  echo "Run tools/scripts/check-format.sh --fix to format them." >&2
  exit 1
fi
rm -f /tmp/qbx-format.$$
echo "format: ${#files[@]} files formatted as .clang-format says"
