// Days each event of a folder of one-event .ics files occurs on, as ical.js
// sees them: one line "<name> YYYY-MM-DD ..." a file.
//   node expand.mjs FOLDER FROM TO   (YYYY-MM-DD, both days included)
import { readdirSync, readFileSync } from "node:fs";
import ICAL from "ical.js";

const [folder, first, last] = process.argv.slice(2);
for (const file of readdirSync(folder).filter((f) => f.endsWith(".ics")).sort()) {
  try {
    const cal = new ICAL.Component(ICAL.parse(readFileSync(`${folder}/${file}`, "utf8")));
    // Each event's iterator walks its RRULE with the RDATEs and less the
    // EXDATEs; a file may hold linked events that share the days.
    const days = new Set();
    for (const vevent of cal.getAllSubcomponents("vevent")) {
      const it = new ICAL.Event(vevent).iterator();
      for (let t = it.next(); t && t.toString() <= last; t = it.next())
        if (t.toString() >= first) days.add(t.toString());
    }
    console.log(file.slice(0, -4), ...[...days].sort());
  } catch (error) { // the file's line is missing, the others still count
    console.error(`${folder}/${file}: ${error}`);
  }
}
