#!/usr/bin/env bash
# Fails when any C++ file of src/, tests/, tools/ or fuzz/ is laid out otherwise than the project's
# .clang-format says, naming each such file and the command that lays it out again.
#   bash check-format.sh SOURCE_DIR
set -u
root=${1:?usage: check-format.sh SOURCE_DIR}
tool=$(command -v clang-format || command -v clang-format-14) || {
  echo "format check: clang-format is not installed (bash scripts/setup.sh installs it)"
  exit 1
}

cd "$root" || exit 1
mapfile -d '' files < <(find src tests tools fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ ${#files[@]} -eq 0 ]; then
  echo "format check: no C++ file under $root"
  exit 1
fi

# One clang-format for every file: --dry-run names each place that differs, as
# "FILE:LINE:COLUMN: error: code should be clang-formatted".
report=$("$tool" --style=file --dry-run -Werror "${files[@]}" 2>&1) && status=0 || status=$?
mapfile -t differ < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | sort -u)
if [ "$status" -ne 0 ] && [ ${#differ[@]} -eq 0 ]; then
  echo "format check: clang-format failed:"
  echo "$report" | head -n 20
  exit 1
fi

if [ ${#differ[@]} -gt 0 ]; then
  printf '%s: not laid out as .clang-format says\n' "${differ[@]}"
  echo "format check: ${#differ[@]} of ${#files[@]} files differ; to fix, from $root run:"
  echo "  clang-format -i ${differ[*]}"
  exit 1
fi
echo "format check: ${#files[@]} files laid out as .clang-format says"
