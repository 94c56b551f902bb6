#!/usr/bin/env bash
# The tree's formatting and clang-tidy's checks (.clang-format, .clang-tidy),
# both failing on any finding. Usage: lint.sh BUILD_DIR (a configured build
# folder with compile_commands.json); HALVANE_LINT=format|tidy runs one half.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: lint.sh BUILD_DIR}
what=${HALVANE_LINT:-all}
status=0
cd "$root"

if [ "$what" != tidy ]; then
  echo "--- clang-format"
  mapfile -t files < <(git ls-files -- src chart util tests bench | grep -E '\.(cpp|h|c)$')
  if clang-format --dry-run --Werror "${files[@]}"; then
    echo "formatting: ${#files[@]} files clean"
  else
    echo "formatting: the files above differ from .clang-format (run: clang-format -i FILE)"
    status=1
  fi
fi

if [ "$what" != format ]; then
  echo "--- clang-tidy"
  [ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json" >&2; exit 2; }
  # Every source of src/ and chart/ in the build's compile database, in
  # parallel; any finding fails (WarningsAsErrors in .clang-tidy).
  count=$(git ls-files -- src chart | grep -c -E '\.cpp$')
  if run-clang-tidy -quiet -p "$build" -j "$(nproc)" "^$root/(src|chart)/.*\.cpp\$" > "$build/clang-tidy.log" 2>&1; then
    echo "clang-tidy: $count files clean"
  else
    grep -E "(warning|error):" "$build/clang-tidy.log" | sort -u || true
    echo "clang-tidy: findings above (whole output: $build/clang-tidy.log)"
    status=1
  fi
fi
exit $status
