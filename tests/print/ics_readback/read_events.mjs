// Prints the events of an iCalendar file as ical.js reads them, as JSON.
//   node read_events.mjs FILE.ics
import { readFileSync } from "node:fs";
import ICAL from "ical.js";

const component = new ICAL.Component(ICAL.parse(readFileSync(process.argv[2], "utf8")));
const text = (event, name) => {
  const value = event.getFirstPropertyValue(name);
  return value === null ? null : String(value);
};
const events = component.getAllSubcomponents("vevent").map((event) => {
  const categories = event.getFirstProperty("categories");
  return {
    uid: text(event, "uid"),
    start: event.getFirstPropertyValue("dtstart").toString(),
    end: event.getFirstPropertyValue("dtend").toString(),
    startIsDate: event.getFirstPropertyValue("dtstart").isDate,
    summary: text(event, "summary"),
    categories: categories === null ? [] : categories.getValues().map(String),
    class: text(event, "class"),
    transp: text(event, "transp"),
    dtstamp: text(event, "dtstamp"),
  };
});
process.stdout.write(JSON.stringify({
  version: text(component, "version"),
  prodid: text(component, "prodid"),
  events,
}));
