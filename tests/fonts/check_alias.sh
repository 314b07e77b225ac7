#!/usr/bin/env bash
# With the alias in place, fontconfig answers "Traditional Arabic" with a
# classical Naskh face, and the built fonts are found under their families.
#   check_alias.sh ALIAS_CONF FONTS_DIR
set -euo pipefail
alias=$1 fonts=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/glyphboard-alias.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$(dirname "$0")/../../fonts/write_fontconfig.sh" "$work/fonts.conf" "$fonts" "$alias" "$work/cache"
export FONTCONFIG_FILE="$work/fonts.conf"
status=0
expect() {
    local got
    # a "-" in a fontconfig pattern would start a size
    got=$(fc-match -f "%{family[0]}" "${1//-/\\-}")
    case " $2 " in
        *" $got "*) echo "$1 -> $got" ;;
        *) echo "$1 -> $got, expected one of: $2" >&2; status=1 ;;
    esac
}
expect "Traditional Arabic" "Amiri"
expect "Al-DizaDorvan" "Al-DizaDorvan"
expect "Al-ZavuraDorvan" "Al-ZavuraDorvan"
expect "NurvelSans" "NurvelSans"
exit $status
