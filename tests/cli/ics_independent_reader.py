"""Our iCalendar output as an independent reader sees it: every to-do and
event must parse and give its values back, and the yearly rules must fall
on the days the program's own reminders name.

usage: ics_independent_reader.py VIMBO_CLI
"""
import datetime
import os
import subprocess
import sys
import tempfile

import icalendar
from dateutil import rrule

LONG = "Ünïcödé " * 20

PERSONS = """\t\t<Person ID="1">
\t\t\t<FName>Ann</FName>
\t\t\t<LName>Lee; Jr.</LName>
\t\t\t<Birthday>1980-02-29</Birthday>
\t\t\t<Anniversary>--06-01</Anniversary>
\t\t</Person>
\t\t<Person ID="2">
\t\t\t<FName>Bo</FName>
\t\t</Person>
"""

CONTACTS = """\t\t<Contact ID="1">
\t\t\t<PersonID>1</PersonID>
\t\t\t<DateTime>1/2/2027</DateTime>
\t\t\t<Description>Ask about a\\b, c; d\r\nnext line</Description>
\t\t\t<ContactTypeID>1</ContactTypeID>
\t\t\t<FollowUp Done="0">3/15/2027 5:30:00 PM</FollowUp>
\t\t</Contact>
\t\t<Contact ID="2">
\t\t\t<PersonID>2</PersonID>
\t\t\t<DateTime>1/2/2027</DateTime>
\t\t\t<Description>{long}</Description>
\t\t\t<ContactTypeID>1</ContactTypeID>
\t\t\t<FollowUp Done="0">3/1/2027</FollowUp>
\t\t</Contact>
\t\t<Contact ID="3">
\t\t\t<PersonID>2</PersonID>
\t\t\t<DateTime>1/2/2027</DateTime>
\t\t\t<Description>done</Description>
\t\t\t<ContactTypeID>1</ContactTypeID>
\t\t\t<FollowUp Done="1">3/1/2027</FollowUp>
\t\t</Contact>
""".format(long=LONG)


def occurrences(event, year):
    start = event.decoded("dtstart")
    rule = rrule.rrulestr(event["rrule"].to_ical().decode(), dtstart=datetime.datetime.combine(start, datetime.time()))
    return [d.date() for d in rule.between(datetime.datetime(year, 1, 1), datetime.datetime(year, 12, 31, 23, 59))]


def check(calendar):
    errors = []

    def expect(what, got, wanted):
        if got != wanted:
            errors.append(f"{what}: {got!r}, wanted {wanted!r}")

    todos = {str(t["uid"]): t for t in calendar.walk("VTODO")}
    events = {str(e["uid"]): e for e in calendar.walk("VEVENT")}
    expect("to-dos", sorted(todos), ["vimbo-followup-1@d.tch", "vimbo-followup-2@d.tch"])
    expect("events", sorted(events), ["vimbo-anniversary-1@d.tch", "vimbo-birthday-1@d.tch"])
    if errors:
        return errors
    first, second = todos["vimbo-followup-1@d.tch"], todos["vimbo-followup-2@d.tch"]
    expect("SUMMARY", str(first["summary"]), "Follow up: Lee; Jr., Ann")
    expect("DESCRIPTION", str(first["description"]), "Ask about a\\b, c; d\nnext line")
    # A time of day is floating local time; a follow-up without one a date.
    expect("DUE with a time", first.decoded("due"), datetime.datetime(2027, 3, 15, 17, 30))
    expect("DUE a date", second.decoded("due"), datetime.date(2027, 3, 1))
    expect("folded DESCRIPTION", str(second["description"]), LONG)
    expect("SUMMARY without a last name", str(second["summary"]), "Follow up: Bo")
    for component in list(todos.values()) + list(events.values()):
        if "dtstamp" not in component:
            errors.append(f"{component['uid']}: no DTSTAMP")
    birthday, anniversary = events["vimbo-birthday-1@d.tch"], events["vimbo-anniversary-1@d.tch"]
    expect("birthday SUMMARY", str(birthday["summary"]), "Birthday: Lee; Jr., Ann")
    expect("birthday DTSTART", birthday.decoded("dtstart"), datetime.date(1980, 2, 29))
    expect("birthday in a leap year", occurrences(birthday, 2028), [datetime.date(2028, 2, 29)])
    expect("birthday in another year", occurrences(birthday, 2027), [datetime.date(2027, 2, 28)])
    expect("anniversary without a year", occurrences(anniversary, 2027), [datetime.date(2027, 6, 1)])
    expect("anniversary DTEND", anniversary.decoded("dtend"), datetime.date(2000, 6, 2))
    return errors


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        document = os.path.join(work, "d.tch")
        subprocess.run([cli, "new", document], check=True, stdout=subprocess.DEVNULL)
        text = open(document, encoding="utf-8").read()
        text = text.replace('\t<Persons LastID="0">\n', '\t<Persons LastID="2">\n' + PERSONS)
        text = text.replace('\t<Contacts LastID="0">\n', '\t<Contacts LastID="3">\n' + CONTACTS)
        text = text.replace('\t<Contacts LastID="0"/>\n', '\t<Contacts LastID="3">\n' + CONTACTS + "\t</Contacts>\n")
        with open(document, "w", encoding="utf-8", newline="") as out:
            out.write(text)
        path = os.path.join(work, "d.ics")
        subprocess.run([cli, "export", "ics", document, path], check=True, stdout=subprocess.DEVNULL)
        raw = open(path, "rb").read()
        errors = []
        lines = raw.split(b"\r\n")
        if lines[-1] != b"" or any(b"\n" in line for line in lines):
            errors.append("lines not ended by CRLF")
        errors += [f"line over 75 octets: {line!r}" for line in lines if len(line) > 75]
        errors += check(icalendar.Calendar.from_ical(raw))
    for error in errors:
        print(error)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
