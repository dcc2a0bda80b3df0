#!/bin/bash
# The Slovenian texts keep their letters (š, č) whatever the system's ANSI
# code page is: the Windows-side string tests run under an English, a
# Slovenian and a German Unix locale. The locales are compiled into the build
# tree, so the machine needs only the locale sources, not installed locales.
#   slovenian_letters.sh <Windows build dir>
build=$(cd "$1" && pwd)
export UMBRANT_BUILD=$(dirname "$build")
. "$(dirname "$0")/../../tools/wine-env.sh"
tests=$build/umbrant_win_tests.exe
[ -f "$tests" ] || { echo "no $tests"; exit 77; }

umbrant_ensure_display || exit 1
umbrant_ensure_prefix
unset LC_ALL LC_CTYPE LC_MESSAGES LANGUAGE

failed=0
for run in en_US:0 sl_SI:4096 de_DE:0; do
    locale=${run%%:*}
    umbrant_compile_locale "$locale" || { echo "cannot compile locale $locale"; exit 77; }
    echo "== LANG=$locale.UTF-8"
    if ! LANG=$locale.UTF-8 UMBRANT_EXPECTED_LANGUAGE_OFFSET=${run#*:} \
        timeout 120 "$UMBRANT_WINE" "$tests" --gtest_filter='SlovenianLetters.*' --gtest_brief=1; then
        failed=1
    fi
done
exit $failed
