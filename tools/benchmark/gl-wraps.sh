#!/bin/sh
# Writes the benchmark's OpenGL call counters: every gl* and glu* function the given libraries
# call gets a trampoline that counts the call and jumps on to the real function (linked with
# --wrap), so no list of functions has to be kept by hand. x86-64 only.
#   gl-wraps.sh OUTPUT.cpp OUTPUT.rsp LIBRARY...
set -eu
assembly=$1
options=$2
shift 2
names=$(nm -u "$@" 2>/dev/null | awk '{print $NF}' | sed 's/@.*//' | grep -E '^glu?[A-Z][A-Za-z0-9_]*$' | sort -u)
{
    echo '// Made by tools/benchmark/gl-wraps.sh: one counting trampoline per OpenGL function.'
    echo 'asm(R"gl('
    echo '    .text'
    index=0
    for name in $names; do
        echo "    .globl __wrap_$name"
        echo "    .type __wrap_$name, @function"
        echo "__wrap_$name:"
        echo "    incq gearwardGlCallCounts+8*$index(%rip)"
        echo "    jmp __real_$name@PLT"
        index=$((index + 1))
    done
    echo '    .section .rodata'
    index=0
    for name in $names; do
        echo ".Lname$index: .asciz \"$name\""
        index=$((index + 1))
    done
    echo '    .data'
    echo '    .globl gearwardGlCallNames'
    echo '    .p2align 3'
    echo 'gearwardGlCallNames:'
    index=0
    for name in $names; do
        echo "    .quad .Lname$index"
        index=$((index + 1))
    done
    echo '    .globl gearwardGlCallFunctions'
    echo '    .p2align 3'
    echo 'gearwardGlCallFunctions:'
    echo "    .quad $index"
    echo '    .bss'
    echo '    .globl gearwardGlCallCounts'
    echo '    .p2align 3'
    echo 'gearwardGlCallCounts:'
    echo "    .zero 8*$index+8"
    echo '    .text'
    echo ')gl");'
} > "$assembly"
: > "$options"
for name in $names; do
    echo "-Wl,--wrap=$name" >> "$options"
done
