"""Writes an iCalendar file of COUNT all-day yearly events, as another
calendar would: yearly_events.py FILE COUNT"""
import sys

with open(sys.argv[1], "w", newline="") as f:
    f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n")
    for i in range(int(sys.argv[2])):
        f.write("BEGIN:VEVENT\r\nUID:e%d@example.org\r\nDTSTAMP:20260101T000000Z\r\n"
                "DTSTART;VALUE=DATE:2026%02d%02d\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Event %d\r\n"
                "END:VEVENT\r\n" % (i, i % 12 + 1, i % 28 + 1, i))
    f.write("END:VCALENDAR\r\n")
