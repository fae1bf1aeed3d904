#!/usr/bin/python3
# Days each event of a folder of one-event .ics files occurs on, as
# recurring_ical_events sees them: one line "<name> YYYY-MM-DD ..." a file.
#   expand.py FOLDER FROM TO   (YYYY-MM-DD, both days included)
import datetime
import pathlib
import sys

import icalendar
import recurring_ical_events

folder, first, last = sys.argv[1], *map(datetime.date.fromisoformat, sys.argv[2:4])
for path in sorted(pathlib.Path(folder).glob("*.ics")):
    try:
        cal = icalendar.Calendar.from_ical(path.read_bytes())
        found = recurring_ical_events.of(cal).between(first, last + datetime.timedelta(days=1))
        print(path.stem, *sorted({ev["DTSTART"].dt.isoformat() for ev in found}))
    except Exception as error:  # the file's line is missing, the others still count
        print(f"{path}: {error}", file=sys.stderr)
