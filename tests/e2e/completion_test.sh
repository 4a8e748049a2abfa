#!/bin/bash
# The bash completion: it registers for kupongen-headless, completes the
# methods, the upload headers after "=", nothing for a result, and offers every
# long option that --help lists.
#   completion_test.sh COMPLETION_FILE KUPONGEN_HEADLESS
set -euo pipefail
. "$1"
complete -p kupongen-headless

# The completions for the words of a command line, the last one being typed.
complete_words() {
    COMP_WORDS=(kupongen-headless "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _kupongen_headless
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
}
expect() {
    if [[ $1 != "$2" ]]; then
        echo "expected [$2], got [$1] ($3)" >&2
        exit 1
    fi
}
expect "$(complete_words --method '')" "england klassiskt sverige" "--method"
expect "$(complete_words --upload = '')" "italienska stryktipset" "--upload="
# A result is typed: no file names for it.
expect "$(cd / && complete_words --grade rader.txt --result '')" "" "--result"
documented=$("$2" --help | grep -o -- '--[a-z-]*' | grep -v '^--$' | sort -u | paste -sd ' ')
offered=$(complete_words -- | tr ' ' '\n' | grep -v '=$' | sort -u | paste -sd ' ')
expect "$offered" "$documented" "every long option of --help"
echo "completion ok"
