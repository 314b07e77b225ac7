#!/bin/sh
# Fails, naming the lines, where a C++ source of the project is not laid out
# as .clang-format says. Fix with: clang-format -i FILE
set -eu
clang_format=$1
cd "$2"
find bench common doclink installer palette tests tools -name '*.cpp' -o -name '*.h' | sort \
    | xargs "$clang_format" --dry-run --Werror
