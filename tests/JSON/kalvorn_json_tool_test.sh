#!/usr/bin/env bash
# Drives the kalvorn-json program: output, error trace on standard error and exit status.
# usage: kalvorn_json_tool_test.sh PATH-TO-kalvorn-json
set -u
tool="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0

# expect NAME STATUS STDOUT STDERR -- ARGS... (standard input from $input)
expect() {
    local name="$1" status="$2" out="$3" err="$4"
    shift 5
    printf '%s' "$input" | "$tool" "$@" >"$scratch/out" 2>"$scratch/err"
    local got=$?
    if [ "$got" != "$status" ] || [ "$(cat "$scratch/out")" != "$out" ] ||
        [ "$(cat "$scratch/err")" != "$err" ]; then
        echo "FAIL $name: status $got, stdout [$(cat "$scratch/out")], stderr [$(cat "$scratch/err")]"
        failures=$((failures + 1))
    fi
}

input='{"b":1, "a":[1 2.50], "c":{"y":null,"x":true}}'
expect "parse sorts keys on one line" 0 '{"a":[1,2.50],"b":1,"c":{"x":true,"y":null}}' '' -- parse
expect "format keeps member order" 0 '{"b":1,"a":[1,2.50],"c":{"y":null,"x":true}}' '' -- format -
expect "format indents sorted" 0 "$(printf '{\n  "a" : [\n    1,\n    2.50\n  ],\n  "b" : 1,\n  "c" : {\n    "x" : true,\n    "y" : null\n  }\n}')" '' \
    -- format --sort-keys --human-readable

input='"text"'
expect "parse wants a container" 1 '' '4: Valid fragment, but not JSON' -- parse
expect "parse --fragment takes any value" 0 '"text"' '' -- parse --fragment
expect "format takes any value" 0 '"text"' '' -- format

input='{"k":[.5]}'
expect "trace innermost first" 1 '' "$(printf '3: Unrecognised leading character\n3: Expected value while parsing array\n3: Object value expected for key: k')" -- parse

printf '[1,\n2]' >"$scratch/file.json"
input=''
expect "reads a file" 0 '[1,2]' '' -- parse "$scratch/file.json"
expect "unreadable file" 2 '' "kalvorn-json: cannot read $scratch/missing.json" -- parse "$scratch/missing.json"
expect "unknown option" 2 '' "$(printf 'usage: kalvorn-json parse [--fragment] [FILE|-]\n       kalvorn-json format [--sort-keys] [--human-readable] [FILE|-]')" -- parse --sort-keys

[ "$failures" -eq 0 ] && echo "all kalvorn-json checks passed"
exit $((failures > 0))
