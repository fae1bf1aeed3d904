#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a user gets:
# both programs answer without a display, the menu entry and the software
# centre's file validate, the icon is there, the manual pages render cleanly
# and name every option and command that --help names, and bash completes
# the commands, and tickwell-cli hands a command to the rest of the program.
# Usage: check_install.sh BUILD_DIR VERSION APP_ID ICON
set -euo pipefail
build=$1 version=$2 app_id=$3 icon=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
# No display, no real home: --help and --version must not start the program.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export HOME=$work/home TICKWELL_HOME=$work/home/tickwell XDG_DATA_HOME=$work/home/data \
    XDG_CONFIG_HOME=$work/home/config LC_ALL=C.UTF-8 MANWIDTH=100
mkdir -p "$HOME"

# Entries of a --help text: the first word of each line indented by exactly
# two spaces.
help_words() { sed -n 's/^  \([^ ]\+\).*/\1/p' "$1"; }

for program in tickwell tickwell-cli; do
    bin=$prefix/bin/$program
    [ -x "$bin" ] || { fail "$program is not installed"; continue; }
    "$bin" --help >"$work/help" || fail "$program --help failed"
    if grep -q -- '--version' "$work/help"; then
        out=$("$bin" --version 2>&1) || fail "$program --version failed: $out"
        [[ $out == *"$version"* ]] || fail "$program --version says \"$out\", not $version"
    fi

    page=$share/man/man1/$program.1
    [ -f "$page" ] || { fail "no manual page for $program"; continue; }
    warnings=$(man --warnings -l "$page" 2>&1 >/dev/null) || fail "man cannot show $page"
    [ -z "$warnings" ] || fail "$program.1 renders with warnings: $warnings"
    text=$(man -l "$page" 2>/dev/null)
    # Each as the tag of an entry, at the left of its own line.
    for word in $(help_words "$work/help"); do
        grep -qE -- "^ {7}$word( |\$)" <<<"$text" || fail "$program.1 does not list $word"
    done
done

desktop=$share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "$desktop does not validate"
grep -qx "Icon=$icon" "$desktop" || fail "$desktop names another icon"
for exec in $(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop" | sort -u); do
    [ -x "$prefix/bin/$exec" ] || fail "$desktop starts $exec, which is not installed"
done
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" >/dev/null ||
    fail "the metainfo file does not validate"

[ -s "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"

completion=$share/bash-completion/completions/tickwell-cli
commands=$(sed -n '/^Commands:/,/^$/p' <("$prefix/bin/tickwell-cli" --help) |
    sed -n 's/^  \([^ ]\+\).*/\1/p' | sort -u)
completed=$(bash -c 'source "$1"; COMP_WORDS=(tickwell-cli ""); COMP_CWORD=1
    _tickwell_cli; printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" | sort -u)
[ -n "$commands" ] && [ "$commands" = "$completed" ] ||
    fail "bash completes \"$(echo $completed)\", not the commands \"$(echo $commands)\""
[ -n "$(find "$share/zsh" -name _tickwell-cli)" ] || fail "no zsh completion"

# The installed light program finds the whole one for the commands it hands on.
out=$("$prefix/bin/tickwell-cli" add --desc Installed 2>&1) || fail "tickwell-cli add failed: $out"
[[ $("$prefix/bin/tickwell-cli" list) == *$'\tInstalled' ]] || fail "tickwell-cli list lost the event"

if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "installed tree checked"
