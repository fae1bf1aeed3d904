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

source "$(dirname "$0")/caldav_homes.sh"
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
# Both homes warned of PATTERN (said as WHAT), and the warnings are done with.
warned_on_both() {
    local h
    for h in A B; do
        grep -qs "$1" "$work/$h.warned" || bad "$h did not warn $2"
        rm -f "$work/$h.warned"
    done
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
warned_on_both "not shown" "of the item it cannot show"
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
# The same event changed on both machines between syncs: vdirsyncer hands
# both versions to the resolver, and both machines keep both.
tw A edit "$dentist" --desc "Dentist at ten"
tw B edit "$dentist" --desc "Dentist at eleven"
sync_A
sync_B
step_in B
sync_B
sync_A
step_in A
warned_on_both "changed on two machines" "that the event was changed on two machines"
same_on_both "Changed on both machines"
for desc in "Dentist at ten" "Dentist at eleven"; do
    [ "$(grep -c "	$desc\$" "$work/A.list")" = 1 ] || bad "A does not hold \"$desc\" once: $(grep Dentist "$work/A.list")"
done
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
