#!/usr/bin/env bash
# Two machines syncing through a CalDAV server, as a user with a laptop and a
# desktop has it: two homes, each with its own sync folder, which vdirsyncer
# carries to one Radicale calendar. What one side adds, edits, acknowledges or
# deletes must show on the other the same way; what another client puts on
# the server shows on both; an item the program cannot show stays on the
# server byte for byte.
#   two_machines.sh TICKWELL-CLI
set -euo pipefail
CLI=$1
TODAY=2026-01-15
MONTHS=(2026-01 2026-02 2026-03 2026-06 2026-09 2026-12 2028-02)

work=$(mktemp -d)
radicale_pid=
cleanup() {
    [ -z "$radicale_pid" ] || { kill "$radicale_pid" && wait "$radicale_pid"; } 2>/dev/null || true
    rm -rf "$work" || true
}
trap cleanup EXIT
trap "exit 1" TERM INT HUP
# A run that cannot go on ends at once; a check that fails is told and the
# run goes on, so that one run shows every difference.
fail() { echo "FAIL: $*" >&2 && exit 1; }
status=0
bad() { echo "FAIL: $*" >&2 && status=1; }
# Not even vdirsyncer's or Radicale's defaults may reach the real home.
export HOME=$work/home XDG_CACHE_HOME=$work/home/cache XDG_STATE_HOME=$work/home/state
mkdir -p "$HOME"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf '[server]\nhosts = 127.0.0.1:%s\n[auth]\ntype = none\n[rights]\ntype = owner_only\n[storage]\nfilesystem_folder = %s\n' \
    "$port" "$work/radicale" >"$work/radicale.conf"
radicale --config "$work/radicale.conf" >"$work/radicale.log" 2>&1 &
radicale_pid=$!
# The limit only ends a run that hangs.
for ((i = 0; ; i++)); do
    curl -s -o /dev/null "http://127.0.0.1:$port/" && break
    kill -0 "$radicale_pid" 2>/dev/null || fail "Radicale ended: $(cat "$work/radicale.log")"
    ((i < 300)) || fail "Radicale does not answer on port $port"
    sleep 0.1
done
CAL=http://127.0.0.1:$port/user/cal/
code=$(curl -s -o /dev/null -w '%{http_code}' -u user:x -X MKCALENDAR "$CAL")
[ "$code" = 201 ] || fail "MKCALENDAR $CAL answered $code"

for h in A B; do
    mkdir -p "$work/$h/cal"
    cat >"$work/$h/vdirsyncer.conf" <<CONF
[general]
status_path = "$work/$h/vdirsyncer-status/"
[pair cal]
a = "cal_folder"
b = "cal_server"
collections = null
[storage cal_folder]
type = "filesystem"
path = "$work/$h/cal"
fileext = ".ics"
[storage cal_server]
type = "caldav"
url = "$CAL"
username = "user"
password = "x"
CONF
    { yes || true; } | VDIRSYNCER_CONFIG=$work/$h/vdirsyncer.conf vdirsyncer discover cal \
        >"$work/vdirsyncer.log" 2>&1 || fail "vdirsyncer discover on $h: $(cat "$work/vdirsyncer.log")"
done
vsync() {
    VDIRSYNCER_CONFIG=$work/$1/vdirsyncer.conf vdirsyncer sync >"$work/vdirsyncer.log" 2>&1 ||
        fail "vdirsyncer sync on $1: $(cat "$work/vdirsyncer.log")"
}
sync_A() { vsync A; }
sync_B() { vsync B; }
# run HOME ARGS...: tickwell-cli in that home, its output in $work/out, its
# status in rc.
run() {
    rc=0
    TICKWELL_HOME=$work/$1 XDG_CONFIG_HOME=$work/$1 XDG_DATA_HOME=$work/$1 \
        "$CLI" --date "$TODAY" "${@:2}" >"$work/out" 2>"$work/err" || rc=$?
    cat "$work/err" >>"$work/out"
}
tw() { run "$@" && ((rc == 0)) || fail "tickwell-cli ${*:2} on $1 exited $rc: $(cat "$work/out")"; }
# The first command after a sync takes in the folder's changes; what it
# says of them goes to the error stream, kept for the checks.
step_in() {
    run "$1" due
    ((rc == 0)) || fail "tickwell-cli due on $1 exited $rc: $(cat "$work/out")"
    cat "$work/err" >>"$work/$1.warned"
}
# Both homes must show the same events (the index left out: it is only the
# list's order), under the same ids, and the same months.
same_on_both() {
    local h m
    for h in A B; do
        [ ! -s "$work/$h.warned" ] || bad "$1: $h warned: $(cat "$work/$h.warned")"
        rm -f "$work/$h.warned"
        tw "$h" list
        cut -f2- "$work/out" | sort >"$work/$h.list"
        : >"$work/$h.months"
        for m in "${MONTHS[@]}"; do
            tw "$h" month "$m"
            { echo "== $m" && cat "$work/out"; } >>"$work/$h.months"
        done
    done
    diff -u --label A --label B <(cut -f2- "$work/A.list" | sort) <(cut -f2- "$work/B.list" | sort) >&2 ||
        bad "$1: the events of A and B differ (above)"
    diff -u --label A --label B <(cut -f1,7 "$work/A.list" | sort) <(cut -f1,7 "$work/B.list" | sort) >&2 ||
        bad "$1: the ids of A and B differ (above)"
    diff -u --label A --label B "$work/A.months" "$work/B.months" >&2 || bad "$1: the months of A and B differ (above)"
}
id_on() { awk -F'\t' -v d="$2" '$NF == d { print $1 }' "$work/$1.list"; }
put() {
    printf '%s\r\n' BEGIN:VCALENDAR VERSION:2.0 "PRODID:-//Another client//EN" BEGIN:VEVENT \
        "UID:$1@example.org" DTSTAMP:20260101T000000Z "${@:2}" END:VEVENT END:VCALENDAR >"$work/put.ics"
    curl -sf -u user:x -X PUT -H 'Content-Type: text/calendar' --data-binary @"$work/put.ics" \
        "$CAL$1.ics" >/dev/null || fail "PUT of $CAL$1.ics failed"
}
get() { curl -sf -u user:x "$CAL$1.ics" || fail "GET of $CAL$1.ics failed"; }

tw A vdir "$work/A/cal"
tw B vdir "$work/B/cal"
tw A add --desc "Dentist" --start "$TODAY" --once
tw A add --desc "Bins out" --start 2026-01-19 --weekly
tw A add --desc "Leap birthday" --start 2024-02-29 --yearly
tw A add --desc "Quarter rent" --start 2026-03-25 --accounting
sync_A
sync_B
step_in B
same_on_both "Added on A"

# On B: an acknowledgement, an edit of an event kept as two items and the
# delete of one kept as three.
dentist=$(id_on A Dentist) leap=$(id_on A "Leap birthday") rent=$(id_on A "Quarter rent")
for id in "$dentist" "$leap" "$rent"; do
    grep -q "^$id	" "$work/B.list" || bad "B cannot change $id: it does not show it"
done
tw B ack "$dentist"
! grep -q "^$leap	" "$work/B.list" || tw B edit "$leap" --desc "Leap day party"
! grep -q "^$rent	" "$work/B.list" || tw B delete "$rent" --yes
sync_B
sync_A
step_in A
same_on_both "Changed on B"
grep -q "^$dentist	.*	$TODAY	Dentist\$" "$work/A.list" || bad "A lacks B's acknowledgement: $(grep Dentist "$work/A.list")"
grep -q "^$leap	.*	Yearly	.*	Leap day party\$" "$work/A.list" || bad "A lacks B's edit: $(grep "^$leap" "$work/A.list")"
! grep -q "^$rent	" "$work/A.list" || bad "A still has the event B deleted"
! grep -q "Quarter rent" "$work/A/cal/"*.ics || bad "A's folder still holds items of the event B deleted"

put spring-clean "DTSTART;VALUE=DATE:20260320" "DTEND;VALUE=DATE:20260321" RRULE:FREQ=YEARLY \
    "SUMMARY:Spring clean"
sync_A
step_in A
sync_B
step_in B
same_on_both "Put on the server by another client"
grep -q "	Yearly	.*	Spring clean\$" "$work/A.list" || bad "Another client's event is not shown as yearly: $(cat "$work/A.list")"
grep -q "^2026-03-20	Spring clean\$" "$work/A.months" || bad "Another client's event is not on 20 March"

# Every 36 hours: no whole-day repeat of the program's. Changes on both sides
# around it must leave it on the server as it was put.
put every-36-hours DTSTART:20260110T090000Z "RRULE:FREQ=HOURLY;INTERVAL=36" "SUMMARY:Every 36 hours" \
    X-ANOTHER-CLIENT:kept
get every-36-hours >"$work/before"
sync_A
step_in A
tw A edit "$(id_on A 'Bins out')" --desc "Bins and recycling"
sync_A
sync_B
step_in B
for h in A B; do
    grep -qs "not shown" "$work/$h.warned" || bad "$h did not warn of the item it cannot show"
    rm -f "$work/$h.warned"
done
tw B add --desc "Boiler service" --start 2026-05-04 --once
sync_B
sync_A
step_in A
same_on_both "Around an item not shown"
get every-36-hours >"$work/after"
cmp -s "$work/before" "$work/after" || bad "The item not shown changed on the server: $(diff "$work/before" "$work/after")"
! grep -q "Every 36 hours" "$work/A.list" "$work/A.months" || bad "A shows the item it cannot show"
item=$(basename "$(grep -l every-36-hours@example.org "$work/A/cal/"*.ics)")
tw A vdir
grep -q "^Not shown: $item: ." "$work/out" || bad "tickwell-cli vdir on A does not list $item as not shown: $(cat "$work/out")"
# More rounds change nothing, and add no item twice.
items=$(ls "$work/A/cal" | wc -l)
for round in 1 2 3; do
    sync_A
    step_in A
    sync_B
    step_in B
done
same_on_both "After more rounds"
[ "$(ls "$work/A/cal" | wc -l)" = "$items" ] || bad "More rounds changed the number of items"
[ "$(ls "$work/B/cal" | wc -l)" = "$items" ] || bad "B's folder holds another number of items"
((status == 0)) && echo "Two machines in step"
exit $status
