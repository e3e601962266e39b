"""Our iCalendar output as an independent reader sees it: every to-do and
event parses and gives its values back, and the yearly rules fall on the
days the program's own reminders name.

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
PERSON = "<Person ID=\"{}\"><FName>{}</FName><LName>{}</LName>{}</Person>\n"
CONTACT = ("<Contact ID=\"{}\"><PersonID>{}</PersonID><DateTime>1/2/2027</DateTime><Description>{}</Description>"
           "<ContactTypeID>1</ContactTypeID><FollowUp Done=\"{}\">{}</FollowUp></Contact>\n")
PERSONS = (PERSON.format(1, "Ann", "Lee; Jr.", "<Birthday>1980-02-29</Birthday><Anniversary>--06-01</Anniversary>")
           + PERSON.format(2, "Bo", "", ""))
CONTACTS = (CONTACT.format(1, 1, "Ask about a\\b, c; d\r\nnext line", 0, "3/15/2027 5:30:00 PM")
            + CONTACT.format(2, 2, LONG, 0, "3/1/2027") + CONTACT.format(3, 2, "done", 1, "3/1/2027"))


def occurrences(event, year):
    start = datetime.datetime.combine(event.decoded("dtstart"), datetime.time())
    rule = rrule.rrulestr(event["rrule"].to_ical().decode(), dtstart=start)
    return [d.date() for d in rule.between(datetime.datetime(year, 1, 1), datetime.datetime(year, 12, 31))]


def check(calendar):
    todos = {str(t["uid"]): t for t in calendar.walk("VTODO")}
    events = {str(e["uid"]): e for e in calendar.walk("VEVENT")}
    if sorted(todos) != ["vimbo-followup-1@d.tch", "vimbo-followup-2@d.tch"] or \
            sorted(events) != ["vimbo-anniversary-1@d.tch", "vimbo-birthday-1@d.tch"]:
        return [f"entries: {sorted(todos)} {sorted(events)}"]
    first, second = todos["vimbo-followup-1@d.tch"], todos["vimbo-followup-2@d.tch"]
    birthday, anniversary = events["vimbo-birthday-1@d.tch"], events["vimbo-anniversary-1@d.tch"]
    cases = [
        ("SUMMARY", str(first["summary"]), "Follow up: Lee; Jr., Ann"),
        ("DESCRIPTION", str(first["description"]), "Ask about a\\b, c; d\nnext line"),
        # A time of day is floating local time; a follow-up without one a date.
        ("DUE with a time", first.decoded("due"), datetime.datetime(2027, 3, 15, 17, 30)),
        ("DUE a date", second.decoded("due"), datetime.date(2027, 3, 1)),
        ("folded DESCRIPTION", str(second["description"]), LONG),
        ("every entry stamped", all("dtstamp" in c for c in list(todos.values()) + list(events.values())), True),
        ("birthday SUMMARY", str(birthday["summary"]), "Birthday: Lee; Jr., Ann"),
        ("birthday in a leap year", occurrences(birthday, 2028), [datetime.date(2028, 2, 29)]),
        ("birthday in another year", occurrences(birthday, 2027), [datetime.date(2027, 2, 28)]),
        ("anniversary without a year", occurrences(anniversary, 2027), [datetime.date(2027, 6, 1)]),
        ("anniversary DTEND", anniversary.decoded("dtend"), datetime.date(2000, 6, 2)),
    ]
    return [f"{what}: {got!r}, wanted {wanted!r}" for what, got, wanted in cases if got != wanted]


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        document = os.path.join(work, "d.tch")
        subprocess.run([cli, "new", document], check=True, stdout=subprocess.DEVNULL)
        text = open(document, encoding="utf-8").read()
        text = text.replace('<Persons LastID="0">\n', '<Persons LastID="2">\n' + PERSONS)
        text = text.replace('<Contacts LastID="0">\n', '<Contacts LastID="3">\n' + CONTACTS)
        with open(document, "w", encoding="utf-8", newline="") as out:
            out.write(text)
        path = os.path.join(work, "d.ics")
        subprocess.run([cli, "export", "ics", document, path], check=True, stdout=subprocess.DEVNULL)
        errors = check(icalendar.Calendar.from_ical(open(path, "rb").read()))
    for error in errors:
        print(error)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
