#!/usr/bin/env bash
# A night in the tray with the real program: Xvfb with a window manager and a
# tray host (trayer), libfaketime moving the clock across midnight, and
# xdotool as the user. Before midnight only the tray icon shows; the schedule
# time 00:00 brings up the new day's due events; acknowledging every row
# leaves the data file exactly as tickwell-cli leaves it for that day. In the
# morning the tray host ends (the desktop clock stands in) and comes back
# (the icon with it). Every step waits for what it needs to see, never for a
# set time, so a loaded machine only makes the run slower.
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
# Waits up to $1 seconds for a command to succeed. The limits are far above
# what any step needs: they only end a run that hangs.
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
cp "$TICKWELL_HOME/tickwell.dat.ext" "$work/expected.dat.ext" # the same ids
expected() { "$CLI" --data "$work/expected.dat" --date $DAY2 "$@"; }
due=$(expected due | wc -l)
for _ in 1 2 3; do
    for i in $(seq 0 $(($(expected list | wc -l) - 1))); do expected ack "$i" >/dev/null 2>&1 || true; done
done
[ "$due" -ge 2 ] && [ -z "$(expected due)" ] || fail "tickwell-cli left events due ($due)"

# The desktop: a display, a window manager and a tray.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
within 60 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")
# Starts a desktop program (the rest of the command line) and waits until the
# check ($1) succeeds; one that ends first, as openbox and trayer now and then
# do when the display is busy on a loaded machine, is started again. The
# process is left in $started.
start_until() {
    local check=$1 deadline=$((SECONDS + 60)) p
    shift
    while [ $SECONDS -lt $deadline ]; do
        "$@" >>"$work/desktop.log" 2>&1 &
        p=$!
        pids+=($p)
        while kill -0 $p 2>/dev/null && [ $SECONDS -lt $deadline ]; do
            if $check; then
                started=$p
                return 0
            fi
            sleep 0.1
        done
    done
    sed 's/^/  desktop: /' "$work/desktop.log" >&2
    return 1
}
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
tray_up() { xdotool search --class trayer >/dev/null 2>&1; }
tray_host() {
    start_until tray_up trayer --edge bottom --align right --widthtype request --height 24 &&
        tray=$started
}
start_until wm_up openbox || fail "openbox did not start"
tray_host || fail "trayer did not start"
# The program's windows on screen: its small one in the tray (the icon), and
# the others called Tickwell (the desktop clock, or a menu; the main window
# never opens here).
shown() {
    local w
    for w in $(xdotool search --onlyvisible --classname tickwell 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if [ "$WIDTH" -lt 40 ] && [ "$HEIGHT" -lt 40 ]; then
            [ "$1" = icon ] && echo "$w" && return 0
        elif [ "$1" = clock ] && [ "$(xdotool getwindowname "$w")" = Tickwell ]; then
            return 0
        fi
    done
    return 1
}
icon_back() { shown icon && ! shown clock; }

# The program's clock: an offset from the real time in a file that libfaketime
# reads again every second, so the night goes on only once the program is in
# the tray, however long it took to get there.
clock=$work/clock
set_clock() { printf '%+d\n' $(($(date -d "$1" +%s) - $(date +%s))) >"$clock"; }
set_clock "$DAY1 23:00:00"
FAKETIME_TIMESTAMP_FILE=$clock FAKETIME_CACHE_DURATION=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    LD_PRELOAD='/usr/$LIB/faketime/libfaketime.so.1' TICKWELL_MESSAGE_LOG=$work/messages.log \
    "$TICKWELL" &
program=$!
pids+=($program)
within 60 shown icon || fail "no tray icon"
! xdotool search --onlyvisible --name "Tickwells" >/dev/null 2>&1 || fail "a window before midnight"
! shown clock || fail "the desktop clock with a tray"
# The night: two seconds before midnight, the clock running on from there.
set_clock "$DAY1 23:59:58"
within 60 xdotool search --onlyvisible --name "^$TITLE\$" ||
    fail "no '$TITLE' window after midnight"
win=$(xdotool search --onlyvisible --name "^$TITLE\$" | head -1)

# Acknowledge each row in turn, as a user does: select the first row, Alt+K;
# the next once the data file has the acknowledgement.
xdotool windowactivate --sync "$win"
due_left() { [ "$(cli $DAY2 due | wc -l)" -le "$1" ]; }
for i in $(seq "$due"); do
    xdotool key --clearmodifiers Home space alt+k
    within 60 due_left $((due - i)) || fail "row $i not acknowledged"
done
# Without the indexes: events with equal dates may swap places at a save.
same() { diff <(cli $DAY2 list | cut -f2- | sort) <(expected list | cut -f2- | sort); }
within 60 same || fail "the acknowledgements differ from tickwell-cli's"

# The morning: the tray host ends, and the desktop clock stands in for the
# icon; started again, the icon is back and the clock goes.
kill "$tray"
within 60 shown clock || fail "no desktop clock while the tray is gone"
tray_host || fail "trayer did not start again"
within 60 icon_back || fail "the icon did not come back with the tray"
# Exit from the tray icon's menu ends the program.
xdotool mousemove --window "$(shown icon)" 5 5 click 3
within 60 shown clock || fail "no tray menu"
xdotool key Up Return # the last entry, Exit
within 60 sh -c "! kill -0 $program" || fail "Exit from the tray menu did not end the program"
wait "$program" || fail "the program ended with an error"

echo "ok: $due events due on $DAY2 listed and acknowledged as tickwell-cli does"
