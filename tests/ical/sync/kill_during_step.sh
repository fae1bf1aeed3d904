#!/usr/bin/env bash
# tickwell-cli killed (SIGKILL) while it fills a sync folder and while it
# takes one in, at several moments of the step: the next command finishes
# the work, with every event once in the list and once in the folder.
#   kill_during_step.sh TICKWELL-CLI
set -euo pipefail
CLI=$1
COUNT=1000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
bad() { echo "FAIL: $*" >&2 && status=1; }
export HOME=$work/home
mkdir -p "$HOME"
cli() {
    local home=$1
    shift
    TICKWELL_HOME=$work/$home XDG_CONFIG_HOME=$work/$home XDG_DATA_HOME=$work/$home \
        "$CLI" --date 2026-01-15 "$@"
}
/usr/bin/python3 "$(dirname "$0")/yearly_events.py" "$work/events.ics" "$COUNT"
# Every event once in the list, and one item for each in the folder.
whole() {
    local home=$1 what=$2 n items lines
    cli "$home" due >/dev/null 2>"$work/err" || bad "$what: the command after the kill failed: $(cat "$work/err")"
    n=$(cli "$home" list 2>/dev/null | cut -f2 | sort -u | wc -l)
    [ "$n" = "$COUNT" ] || bad "$what: the list holds $n different events, not $COUNT"
    lines=$(cli "$home" list 2>/dev/null | wc -l)
    [ "$lines" = "$COUNT" ] || bad "$what: the list holds $lines events, not $COUNT"
    items=$(grep -l '^UID:' "$work/$home/cal/"*.ics 2>/dev/null | wc -l)
    [ "$items" = "$COUNT" ] || bad "$what: the folder holds $items items, not $COUNT"
    [ "$(cat "$work/$home/cal/"*.ics | grep -c '^UID:' || true)" = "$COUNT" ] || bad "$what: the folder holds a UID twice"
}
# kill_at FRACTION HOME ARGS: the command started, and killed after that
# share of the time a whole run took (a run that ends first is as good).
kill_at() {
    local fraction=$1 home=$2
    shift 2
    TICKWELL_HOME=$work/$home XDG_CONFIG_HOME=$work/$home XDG_DATA_HOME=$work/$home \
        "$CLI" --date 2026-01-15 "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep "$(/usr/bin/python3 -c "print($full * $fraction)")"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# The time a whole fill takes, on events already in the list.
mkdir -p "$work/base/cal"
cli base import "$work/events.ics" >/dev/null 2>&1 || true
start=$(date +%s.%N)
cli base vdir "$work/base/cal" >/dev/null
full=$(/usr/bin/python3 -c "import time; print(max(time.time() - $start, 0.05))")
whole base "Filled without a kill"

for fraction in 0.2 0.5 0.8; do
    # Killed while writing the folder.
    rm -rf "$work/out" && mkdir -p "$work/out/cal"
    cp "$work/base/tickwell.dat" "$work/out/"
    kill_at "$fraction" out vdir "$work/out/cal"
    cli out vdir "$work/out/cal" >/dev/null 2>&1 || true
    whole out "Killed at $fraction of writing the folder"
    # Killed while taking in a folder another machine filled.
    rm -rf "$work/in" && mkdir -p "$work/in/cal"
    cp "$work/base/cal/"*.ics "$work/in/cal/"
    kill_at "$fraction" in vdir "$work/in/cal"
    cli in vdir "$work/in/cal" >/dev/null 2>&1 || true
    whole in "Killed at $fraction of taking the folder in"
done
((status == 0)) && echo "Nothing lost"
exit $status
