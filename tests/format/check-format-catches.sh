#!/usr/bin/env bash
# The format check on planted trees: a file laid out otherwise fails it, named with the command
# that mends it; the same tree laid out by clang-format passes.
#   bash check-format-catches.sh SOURCE_DIR
set -u
source_dir=${1:?usage: check-format-catches.sh SOURCE_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src/data" "$work/tests" "$work/tools" "$work/fuzz"
cp "$source_dir/.clang-format" "$work/"
printf '#include "data/B.h"\n#include "data/A.h"\n\nint  twice(int value)\n{\n    return 2*value;\n}\n' >"$work/src/data/Bad.cpp"
printf 'int once(int value) {\n    return value;\n}\n' >"$work/src/data/Good.cpp"
check="$(dirname "$0")/check-format.sh"
fail=0

output=$(bash "$check" "$work") && status=0 || status=$?
if [ "$status" -ne 1 ]; then echo "FAIL: a badly laid out file passed (status $status)"; fail=1; fi
if ! grep -qx "  clang-format -i src/data/Bad.cpp" <<<"$output"; then
  echo "FAIL: the message does not give the command for src/data/Bad.cpp alone:"; echo "$output"; fail=1
fi

(cd "$work" && clang-format -i src/data/Bad.cpp)
output=$(bash "$check" "$work") && status=0 || status=$?
if [ "$status" -ne 0 ]; then echo "FAIL: the tree laid out by clang-format fails:"; echo "$output"; fail=1; fi
exit $fail
