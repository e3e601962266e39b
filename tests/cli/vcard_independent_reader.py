"""Our vCard output as an independent reader sees it: both versions of an
export with every kind of detail must parse and give each value back.

usage: vcard_independent_reader.py VIMBO_CLI
"""
import base64
import os
import subprocess
import sys
import tempfile

import vobject

PHOTO = bytes(range(256)) * 4

PERSON = """\t\t<Person ID="1">
\t\t\t<Title>Dr.</Title>
\t\t\t<FName>Tom</FName>
\t\t\t<LName>Becker</LName>
\t\t\t<Address>1 Main St\r\nApt 2</Address>
\t\t\t<City>Springfield</City>
\t\t\t<State>IL</State>
\t\t\t<Zip>62701</Zip>
\t\t\t<Phone>+1 217 555 0100</Phone>
\t\t\t<WkPhone>+1 217 555 0101</WkPhone>
\t\t\t<WkExt>12</WkExt>
\t\t\t<Pager></Pager>
\t\t\t<CelPhone>+1 217 555 0102</CelPhone>
\t\t\t<Fax></Fax>
\t\t\t<EMail>tom@example.org</EMail>
\t\t\t<WebPage>https://example.org/tom</WebPage>
\t\t\t<Company>Becker, Sons; Co.</Company>
\t\t\t<Position>Owner</Position>
\t\t\t<Birthday>1970-02-28</Birthday>
\t\t\t<Notes>Line one\r\nLine two, with; marks</Notes>
\t\t\t<Detail Kind="address" Country="USA"/>
\t\t\t<Detail Kind="phone" Label="work">+1 217 555 0199</Detail>
\t\t\t<Detail Kind="email" Label="home">tom@home.example</Detail>
\t\t\t<Detail Kind="address" Label="work" Street="9 Dock Rd" City="Kiel" PostalCode="24103" Country="Germany"/>
\t\t\t<Detail Kind="name" Label="nickname">Tommy</Detail>
\t\t\t<Detail Kind="org" Label="unit">Sales</Detail>
\t\t\t<Detail Kind="photo" Type="image/jpeg">{photo}</Detail>
\t\t</Person>
""".format(photo=base64.b64encode(PHOTO).decode())


def check(card, version):
    errors = []

    def expect(what, got, wanted):
        if got != wanted:
            errors.append(f"{version} {what}: {got!r}, wanted {wanted!r}")

    expect("FN", card.fn.value, "Tom Becker")
    expect("N", (card.n.value.family, card.n.value.given, card.n.value.prefix), ("Becker", "Tom", "Dr."))
    expect("ORG", card.org.value, ["Becker, Sons; Co.", "Sales"])
    phones = sorted(t.value for t in card.contents.get("tel", []))
    expect("TEL", phones, sorted(["+1 217 555 0100", "+1 217 555 0101 ext. 12", "+1 217 555 0102",
                                  "+1 217 555 0199"]))
    expect("EMAIL", sorted(e.value for e in card.contents["email"]), ["tom@example.org", "tom@home.example"])
    addresses = {(a.value.street, a.value.city, a.value.code, a.value.country) for a in card.contents["adr"]}
    expect("ADR", addresses, {("1 Main St\nApt 2", "Springfield", "62701", "USA"),
                              ("9 Dock Rd", "Kiel", "24103", "Germany")})
    expect("NICKNAME", card.nickname.value, "Tommy")
    expect("NOTE", card.note.value, "Line one\nLine two, with; marks")
    expect("BDAY", card.bday.value.replace("-", ""), "19700228")
    # The reader knows the inline photos of 3.0; a 4.0 data URI it cuts at
    # the comma, so there only the media type is compared.
    if version == "3.0":
        expect("PHOTO", card.photo.value, PHOTO)
    else:
        expect("PHOTO", card.photo.value, "data:image/jpeg;base64")
    return errors


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        document = os.path.join(work, "d.tch")
        subprocess.run([cli, "new", document], check=True, stdout=subprocess.DEVNULL)
        text = open(document, encoding="utf-8").read()
        text = text.replace('\t<Persons LastID="0">\n', '\t<Persons LastID="1">\n' + PERSON)
        with open(document, "w", encoding="utf-8", newline="") as out:
            out.write(text)
        errors = []
        for version in ("4.0", "3.0"):
            cards = os.path.join(work, "c.vcf")
            subprocess.run([cli, "export", "vcard", document, cards, "--version", version], check=True,
                           stdout=subprocess.DEVNULL)
            read = list(vobject.readComponents(open(cards, encoding="utf-8").read()))
            if len(read) != 1:
                errors.append(f"{version}: {len(read)} cards")
                continue
            errors += check(read[0], version)
    for error in errors:
        print(error)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
