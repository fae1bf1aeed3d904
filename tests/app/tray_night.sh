#!/usr/bin/env bash
# A night in the tray with the real program: Xvfb with a window manager and a
# tray host (trayer), faketime moving the clock across midnight, and xdotool
# as the user. Before midnight only the tray icon shows; the schedule time
# 00:00 brings up the new day's due events; acknowledging every row leaves
# the data file exactly as tickwell-cli leaves it for that day.
#   tray_night.sh TICKWELL TICKWELL-CLI
set -euo pipefail
TICKWELL=$1
CLI=$2
DAY1=2026-03-10
DAY2=2026-03-11
TITLE="Tickwells for Wednesday 11 March 2026"

work=$(mktemp -d)
pids=()
cleanup() {
    # The program first, the display last. faketime runs the program as its
    # child, which ends by itself on SIGTERM once its windows have saved.
    local i child
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        for child in $(cat "/proc/${pids[i]}/task/${pids[i]}/children" 2>/dev/null); do
            kill "$child" 2>/dev/null && within 5 test ! -e "/proc/$child" || true
        done
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work" || true
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/messages.log" ] && sed 's/^/  message: /' "$work/messages.log" >&2
    exit 1
}
# Waits up to $1 seconds for a command to succeed.
within() {
    local limit=$(($1 * 10))
    shift
    for _ in $(seq "$limit"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

export TICKWELL_HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
mkdir -p "$TICKWELL_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The evening before: the events, made with the command line.
cli() { "$CLI" --data "$TICKWELL_HOME/tickwell.dat" --date "$@"; }
cli $DAY1 add --desc "Water plants" --start 2026-03-05 --daily --keep --notice 0
cli $DAY1 ack 0 # today's watering is done
cli $DAY1 add --desc "Dentist" --start $DAY2 --once --notice 3
cli $DAY1 add --desc "Pay rent" --start 2026-01-11 --monthly-date --keep --notice 5
cat >"$TICKWELL_HOME/registry.reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\software\VELTRA\Tickwell\AlarmForm]
"alarm0"="00:00"

[HKEY_CURRENT_USER\software\VELTRA\Tickwell\Options]
"TrayIcon"=dword:00000001
"TrayWindow"=dword:00000003
"Notify"=dword:00000000
EOF

# What the command line lists and acknowledges on the new day: every due
# event, whatever order the indexes come in.
cp "$TICKWELL_HOME/tickwell.dat" "$work/expected.dat"
expected() { "$CLI" --data "$work/expected.dat" --date $DAY2 "$@"; }
due=$(expected due | wc -l)
for _ in 1 2 3; do
    for i in $(seq 0 $(($(expected list | wc -l) - 1))); do expected ack "$i" >/dev/null 2>&1 || true; done
done
[ "$due" -ge 2 ] && [ -z "$(expected due)" ] || fail "tickwell-cli left events due ($due)"

# The desktop: a display, a window manager and a tray.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
within 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")
openbox >/dev/null 2>&1 &
pids+=($!)
# trayer now and then gives up when it starts while the display is still busy
# (a loaded machine running other tests); it gets three tries.
for try in 1 2 3; do
    trayer --edge bottom --align right --widthtype request --height 24 >/dev/null 2>&1 &
    pids+=($!)
    within 10 xdotool search --class trayer && break
    [ "$try" -lt 3 ] || fail "trayer did not start"
done

# The night: ten seconds before midnight, the clock running on from there.
TICKWELL_MESSAGE_LOG=$work/messages.log faketime -f "@$DAY1 23:59:50" "$TICKWELL" &
program=$!
pids+=($program)
within 10 xdotool search --classname tickwell || fail "tickwell did not start"
sleep 2
! xdotool search --onlyvisible --name "Tickwells" >/dev/null 2>&1 || fail "a window before midnight"
within 30 xdotool search --onlyvisible --name "^$TITLE\$" ||
    fail "no '$TITLE' window after midnight"
win=$(xdotool search --onlyvisible --name "^$TITLE\$" | head -1)

# Acknowledge each row in turn, as a user does: select the first row, Alt+K.
xdotool windowactivate --sync "$win"
for _ in $(seq "$due"); do
    xdotool key --clearmodifiers Home space alt+k
    sleep 0.5
done
# Without the indexes: events with equal dates may swap places at a save.
same() { diff <(cli $DAY2 list | cut -f2- | sort) <(expected list | cut -f2- | sort); }
within 5 same || fail "the acknowledgements differ from tickwell-cli's"
# The morning: Exit from the tray icon's menu ends the program.
icon=""
for w in $(xdotool search --onlyvisible --classname tickwell); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    if [ "$WIDTH" -lt 40 ] && [ "$HEIGHT" -lt 40 ]; then icon=$w; fi
done
[ -n "$icon" ] || fail "no tray icon"
xdotool mousemove --window "$icon" 5 5 click 3
sleep 0.5
xdotool key Up Return # the last entry, Exit
within 10 sh -c "! kill -0 $program" || fail "Exit from the tray menu did not end the program"
wait "$program" || fail "the program ended with an error"

echo "ok: $due events due on $DAY2 listed and acknowledged as tickwell-cli does"
