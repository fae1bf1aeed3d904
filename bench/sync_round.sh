#!/usr/bin/env bash
# How long a full round takes for N events (default 1,000) between two
# machines through a Radicale server: A's events synced up and down to B
# and taken in there, the first time and after one edit. Beside each, the
# share vdirsyncer's own syncs took of it, the baseline no program of ours
# can go under.
#   bench/sync_round.sh TICKWELL-CLI [N]
set -euo pipefail
CLI=$(realpath "$1")
COUNT=${2:-1000}
TODAY=2026-01-15
source "$(dirname "$0")/../tests/ical/sync/caldav_homes.sh"
now() { date +%s.%N; }
/usr/bin/python3 "$(dirname "$0")/../tests/ical/sync/yearly_events.py" "$work/events.ics" "$COUNT"
tw A vdir "$work/A/cal"
tw B vdir "$work/B/cal"
run A import "$work/events.ics"
# round NAME: sync A, sync B, B takes the folder in; prints the times.
round() {
    local t0 t1 t2 t3
    t0=$(now) && sync_A && t1=$(now) && sync_B && t2=$(now) && step_in B && t3=$(now)
    /usr/bin/python3 -c "
whole = $t3 - $t0; syncs = ($t1 - $t0) + ($t2 - $t1)
print('%-28s %8.2f s   vdirsyncer %8.2f s (%.0f%%)' % ('$1', whole, syncs, 100 * syncs / whole))"
}
echo "A full round for $COUNT events:"
round "first time"
tw A edit 0 --desc "Edited"
round "after one edit"
tw B list
(($(wc -l <"$work/out") >= COUNT)) || echo "B did not get every event" >&2
