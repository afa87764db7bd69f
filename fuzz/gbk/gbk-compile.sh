#!/usr/bin/env bash
# Compiler launcher for compilers without -fexec-charset=GBK (clang): inlines the includes of
# one translation unit, turns its narrow literals into GBK bytes, and compiles that instead.
# Usage (as CMake's CXX_COMPILER_LAUNCHER): gbk-compile.sh CONVERTER COMPILER ARGS...
set -euo pipefail

converter=$1
compiler=$2
shift 2

args=() deps=() src= obj=
while (($#)); do
    case $1 in
    -c) src=$2; shift ;;
    -o) obj=$2; shift ;;
    # The dependency file is written while the includes are inlined; the compile of the
    # inlined copy would list only that copy.
    -MD | -MMD) deps+=("$1") ;;
    -MT | -MF | -MQ) deps+=("$1" "$2"); shift ;;
    *) args+=("$1") ;;
    esac
    shift
done

if [[ -z $src || -z $obj ]]; then
    exec "$compiler" "${args[@]}" "${deps[@]}" ${src:+-c "$src"} ${obj:+-o "$obj"}
fi

# -frewrite-includes keeps macros unexpanded, so the compiler's diagnostics stay as they are
# for the original file; line markers keep its file names and lines.
"$compiler" "${args[@]}" "${deps[@]}" -E -frewrite-includes "$src" -o "$obj.inc.cpp"
"$converter" "$obj.inc.cpp" "$obj.gbk.cpp"
exec "$compiler" "${args[@]}" -c "$obj.gbk.cpp" -o "$obj"
