#include "core/editing/document_merge.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/document/document_writer.h"
#include "support/people.h"

namespace vimbo {
namespace {

using testing::NamedPerson;
using testing::PersonContact;
using Edit = std::function<void(DocumentData&)>;

// Three persons; Ann has two contacts, Bob and Cy one each; the four types.
DocumentData Base() {
  DocumentData data;
  data.AddDefaultContactTypes();
  data.user.FName = "Uma";
  for (const Person& person :
       {NamedPerson(1, "Ann", "Lee"), NamedPerson(2, "Bob", "Ray"), NamedPerson(3, "Cy", "Moss")})
    data.persons.Insert(person);
  data.persons.LastID = 3;
  int32_t id = 0;
  for (const int32_t personId : {1, 1, 2, 3}) {
    ++id;
    Contact contact = PersonContact(id, personId, 1 + id % 2, "note " + std::to_string(id));
    contact.DateTime.SetDateTime(2026, 1, id, 9, 0, 0);
    data.contacts.Insert(contact);
  }
  data.contacts.LastID = id;
  return data;
}

Person Changed(const DocumentData& data, int32_t id, const std::function<void(Person&)>& change) {
  Person person = *data.persons.Find(id);
  change(person);
  return person;
}

void DeletePerson(DocumentData& data, int32_t id) {
  std::vector<int32_t> contacts;
  for (const auto& [contactId, contact] : data.contacts)
    if (contact.PersonID == id) contacts.push_back(contactId);
  data.contacts.EraseMany(contacts);
  data.persons.Erase(id);
}

void AddPerson(DocumentData& data, const Person& person) {
  data.persons.Insert(person);
  data.persons.LastID = std::max(data.persons.LastID, person.ID);
}

void AddContact(DocumentData& data, const Contact& contact) {
  data.contacts.Insert(contact);
  data.contacts.LastID = std::max(data.contacts.LastID, contact.ID);
}

void SetNotes(DocumentData& data, int32_t id, const char* notes) {
  Contact contact = *data.contacts.Find(id);
  contact.Description = notes;
  data.contacts.Replace(contact);
}

// The edits the table is made of; All() makes one of several.
Edit All(std::vector<Edit> edits) {
  return [edits = std::move(edits)](DocumentData& d) {
    for (const Edit& edit : edits) edit(d);
  };
}
Edit Field(int32_t id, CompactText Person::*member, std::string value) {
  return [=](DocumentData& d) { d.persons.Replace(Changed(d, id, [&](Person& p) { p.*member = value; })); };
}
Edit City(int32_t id, std::string city) { return Field(id, &Person::City, std::move(city)); }
Edit Extras(int32_t id, const char* birthday, const char* anniversary, const char* notes,
            std::vector<PersonDetail> details) {
  return [=](DocumentData& d) {
    d.persons.Replace(Changed(d, id, [&](Person& p) {
      p.Birthday = PartialDate::Parse(birthday).value_or(PartialDate{});
      p.Anniversary = PartialDate::Parse(anniversary).value_or(PartialDate{});
      p.Notes = notes;
      p.Details = details;
    }));
  };
}
Edit Deleted(int32_t id) {
  return [id](DocumentData& d) { DeletePerson(d, id); };
}
Edit Added(int32_t id, const char* first, const char* last) {
  return [=](DocumentData& d) { AddPerson(d, NamedPerson(id, first, last)); };
}
Edit Logged(int32_t id, int32_t personId, int32_t typeId, const char* notes) {
  return [=](DocumentData& d) { AddContact(d, PersonContact(id, personId, typeId, notes)); };
}
Edit Notes(int32_t id, const char* notes) {
  return [=](DocumentData& d) { SetNotes(d, id, notes); };
}
// Contact `id` at that moment, of that type.
Edit Moved(int32_t id, int month, int hour, int32_t typeId) {
  return [=](DocumentData& d) {
    Contact contact = *d.contacts.Find(id);
    contact.DateTime.SetDateTime(2026, month, 1, hour, 5 * (hour > 0), 0);
    contact.ContactTypeID = typeId;
    d.contacts.Replace(contact);
  };
}
// Person `id` to keep in touch every `days`, and contact `contactId` to be
// followed up on that day of March 2026 (0: none), done or not.
Edit Reminders(int32_t id, int32_t days, int32_t contactId, int day, bool done) {
  return [=](DocumentData& d) {
    Person person = *d.persons.Find(id);
    person.KeepInTouch = days;
    d.persons.Replace(person);
    Contact contact = *d.contacts.Find(contactId);
    contact.FollowUp = {};
    if (day > 0) contact.FollowUp.When.SetDateTime(2026, 3, day, 0, 0, 0);
    contact.FollowUp.Done = day > 0 && done;
    d.contacts.Replace(contact);
  };
}
// A type named so, added when new; no name takes it out.
Edit Type(int32_t id, const char* name) {
  return [=](DocumentData& d) {
    if (!*name) {
      d.contactTypes.Erase(id);
    } else if (!d.contactTypes.Replace({id, name})) {
      d.contactTypes.Insert({id, name});
      d.contactTypes.LastID = std::max(d.contactTypes.LastID, id);
    }
  };
}
Edit User(CompactText User::*member, const char* value) {
  return [=](DocumentData& d) { d.user.*member = value; };
}
Edit LastIDs(int32_t persons, int32_t contacts) {
  return [=](DocumentData& d) {
    d.persons.LastID = std::max(d.persons.LastID, persons);
    d.contacts.LastID = std::max(d.contacts.LastID, contacts);
  };
}

struct Case {
  const char* name;
  Edit ours;
  Edit theirs;
  Edit expected;  // applied to the base
  std::string conflicts;
  MergeSide prefer = MergeSide::kOurs;
};

std::string Lines(const std::vector<MergeConflict>& conflicts) {
  std::string lines;
  for (const MergeConflict& conflict : conflicts) lines += ConflictLine(conflict);
  return lines;
}

TEST(DocumentMerge, RulesByteForByte) {
  const Edit none = All({});
  const PersonDetail phone = PersonDetail::Of(DetailKind::kPhone, "work", "555 1");
  PersonDetail address;
  address.kind = DetailKind::kAddress;
  address.label = "home";
  address.street = "1 Dock Rd";
  address.city = "Kiel";
  const std::vector<PersonDetail> theirsDetails = {address, PersonDetail::Of(DetailKind::kEmail, "", "b@example.org")};
  // clang-format off
  const Case cases[] = {
      {"a change on one side is taken", City(1, "Ely"), City(2, "Kiel"), All({City(1, "Ely"), City(2, "Kiel")}), ""},
      {"the same change on both sides once", City(1, "Ely"), City(1, "Ely"), City(1, "Ely"), ""},
      {"different changes of one field: ours kept",
       All({City(1, "Ely"), Field(1, &Person::Phone, "555")}),
       All({City(1, "Kiel\r\nNorth"), Field(1, &Person::EMail, "a@example.org")}),
       All({City(1, "Ely"), Field(1, &Person::Phone, "555"), Field(1, &Person::EMail, "a@example.org")}),
       "conflict\tperson\t1\tCity\tEly\tKiel North\n"},
      {"different changes of one field: theirs kept when preferred", City(1, "Ely"), City(1, "Kiel"), City(1, "Kiel"),
       "conflict\tperson\t1\tCity\tKiel\tEly\n", MergeSide::kTheirs},
      {"the person's details, dates and notes are fields",
       Extras(2, "1980-04-12", "", "met\tat the fair", {phone}),
       Extras(2, "--04-13", "2001-06-20", "met in town", theirsDetails),
       Extras(2, "1980-04-12", "2001-06-20", "met\tat the fair", {phone}),
       "conflict\tperson\t2\tBirthday\t1980-04-12\t--04-13\n"
       "conflict\tperson\t2\tNotes\tmet at the fair\tmet in town\n"
       "conflict\tperson\t2\tDetail\tphone work: 555 1\taddress home: 1 Dock Rd, Kiel; email: b@example.org\n"},
      {"intervals and follow-ups are fields", Reminders(1, 30, 1, 15, false), Reminders(1, 14, 1, 15, true),
       Reminders(1, 30, 1, 15, false),
       "conflict\tperson\t1\tKeepInTouch\t30\t14\n"
       "conflict\tcontact\t1\tFollowUp\t3/15/2026\t3/15/2026 (done)\n"},
      {"added on both sides and different: theirs renumbered with its contacts",
       All({Added(4, "Dee", "Ours"), Logged(5, 4, 1, "ours")}),
       All({Added(4, "Eve", "Theirs"), Logged(5, 4, 2, "theirs"), Logged(6, 1, 2, "theirs for Ann")}),
       All({Added(4, "Dee", "Ours"), Added(5, "Eve", "Theirs"), Logged(5, 4, 1, "ours"),
            Logged(6, 1, 2, "theirs for Ann"), Logged(7, 5, 2, "theirs")}),
       ""},
      {"added on both sides alike: one", All({Added(4, "Dee", "Same"), Logged(5, 4, 1, "same")}),
       All({Added(4, "Dee", "Same"), Logged(5, 4, 1, "same")}), All({Added(4, "Dee", "Same"), Logged(5, 4, 1, "same")}),
       ""},
      {"deleted on one side and unchanged on the other: gone with its contacts", none, Deleted(1), Deleted(1), ""},
      {"deleted on one side and changed on the other: kept with every contact", Deleted(1), City(1, "Ely"),
       City(1, "Ely"), "conflict\tperson\t1\t(deleted)\tchanged\tdeleted\n"},
      {"deleted on one side while the other added a contact: kept", Logged(5, 3, 1, "new"), Deleted(3),
       Logged(5, 3, 1, "new"), "conflict\tperson\t3\t(deleted)\tchanged\tdeleted\n"},
      {"contacts changed on both sides, and one deleted with its person",
       All({Notes(1, "ours"), Notes(3, "ours\nagain"), Moved(4, 2, 14, 1)}),
       All({Notes(3, "theirs"), Moved(4, 3, 0, 4), Deleted(1)}),
       All({Notes(1, "ours"), Notes(3, "ours\nagain"), Moved(4, 2, 14, 4)}),
       "conflict\tperson\t1\t(deleted)\tchanged\tdeleted\n"
       "conflict\tcontact\t1\t(deleted)\tchanged\tdeleted\n"
       "conflict\tcontact\t3\tDescription\tours again\ttheirs\n"
       "conflict\tcontact\t4\tDateTime\t2/1/2026 2:05:00 PM\t3/1/2026\n"},
      {"contact types by ID, then by name",
       All({Type(5, "Lunch"), Type(6, "Meeting"), Type(1, "Phone")}),
       All({Type(5, "Meeting"), Type(6, "Visit"), Type(1, "Call"), Logged(5, 2, 5, "met"), Logged(6, 2, 6, "visited")}),
       All({Type(5, "Lunch"), Type(6, "Meeting"), Type(7, "Visit"), Type(1, "Phone"), Logged(5, 2, 6, "met"),
            Logged(6, 2, 7, "visited")}),
       "conflict\tcontacttype\t1\tDescription\tPhone\tCall\n"},
      {"a contact type deleted on one side and unused: gone", Type(4, ""), Notes(2, "x"),
       All({Type(4, ""), Notes(2, "x")}), ""},
      {"a contact type deleted on one side and newly used on the other: kept and reported", Type(4, ""),
       Logged(5, 2, 4, "letter"), Logged(5, 2, 4, "letter"), "conflict\tcontacttype\t4\t(deleted)\tchanged\tdeleted\n"},
      {"the user's fields, and each LastID the largest",
       All({User(&User::FName, "Ursula"), User(&User::City, "Ely"), LastIDs(9, 0)}),
       All({User(&User::FName, "Ulla"), LastIDs(0, 12)}),
       All({User(&User::FName, "Ursula"), User(&User::City, "Ely"), LastIDs(9, 12)}),
       "conflict\tuser\t0\tFName\tUrsula\tUlla\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DocumentData base = Base();
    DocumentData ours = Base();
    DocumentData theirs = Base();
    DocumentData expected = Base();
    c.ours(ours);
    c.theirs(theirs);
    c.expected(expected);
    const MergeResult result = MergeDocuments(&base, ours, theirs, c.prefer);
    EXPECT_EQ(DocumentText(result.document), DocumentText(expected));
    EXPECT_EQ(Lines(result.conflicts), c.conflicts);
  }
}

// Without a base, what both copies hold alike is one record; the rest is
// kept from both, THEIRS' renumbered where the IDs meet, with its contacts.
TEST(DocumentMerge, WithoutABase) {
  DocumentData ours = Base();
  DocumentData theirs = Base();
  City(2, "Ely")(ours);
  Added(4, "Dee", "Lane")(theirs);
  const MergeResult result = MergeDocuments(nullptr, ours, theirs);
  DocumentData expected = Base();
  All({City(2, "Ely"), Added(4, "Dee", "Lane"), Added(5, "Bob", "Ray"), Logged(5, 5, 2, "note 3")})(expected);
  Contact moved = *expected.contacts.Find(5);
  moved.DateTime = Base().contacts.Find(3)->DateTime;
  expected.contacts.Replace(moved);
  EXPECT_EQ(DocumentText(result.document), DocumentText(expected));
  EXPECT_EQ(Lines(result.conflicts), "");
}

// The texts of a document's persons ("P" and the text) and contacts ("C").
std::set<std::string> Texts(const DocumentData& data) {
  std::set<std::string> texts;
  for (const auto& [id, p] : data.persons)
    for (const CompactText* field : {&p.FName, &p.Company, &p.Position}) texts.insert("P" + field->str());
  for (const auto& [id, c] : data.contacts) texts.insert("C" + c.Description.str());
  return texts;
}

// Twelve random edits of one side, each leaving a text of its own in a
// field; `made` gets those texts.
void EditRandomly(DocumentData& d, bool ours, const std::string& mark, std::mt19937& random,
                  std::vector<std::string>& made) {
  const auto pick = [&random](int32_t n) { return 1 + static_cast<int32_t>(random() % static_cast<unsigned>(n)); };
  for (int edit = 0; edit < 12; ++edit) {
    const std::string text = mark + "-" + std::to_string(edit);
    const int32_t person = pick(d.persons.LastID);
    const int32_t contact = pick(d.contacts.LastID);
    switch (pick(5)) {
      case 1:
        AddPerson(d, NamedPerson(d.persons.LastID + 1, text, "New"));
        AddContact(d, PersonContact(d.contacts.LastID + 1, d.persons.LastID, 1, text));
        made.insert(made.end(), {"P" + text, "C" + text});
        break;
      case 2:
        if (!d.persons.Find(person)) break;
        // A field only this side touches, so no conflict can hide the change.
        d.persons.Replace(Changed(d, person, [&](Person& p) { (ours ? p.Company : p.Position) = text; }));
        made.push_back("P" + text);
        break;
      case 3:
        if (!d.persons.Find(person)) break;
        AddContact(d, PersonContact(d.contacts.LastID + 1, person, 2, text));
        made.push_back("C" + text);
        break;
      case 4:
        if (!d.contacts.Find(contact)) break;
        SetNotes(d, contact, text.c_str());
        made.push_back("C" + text);
        break;
      default: DeletePerson(d, person);
    }
  }
}

// Random edits on both sides of one base: whatever a side added or changed
// is in the merge, or reported where both changed one note; every contact's
// person is there, and no ID is beyond its LastID.
TEST(DocumentMerge, RandomEditsLoseNothing) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    DocumentData base = Base();
    for (int32_t id = 4; id <= 12; ++id) AddPerson(base, NamedPerson(id, "P" + std::to_string(id), "Base"));
    for (int32_t id = 5; id <= 30; ++id)
      AddContact(base, PersonContact(id, 1 + static_cast<int32_t>(random() % 12), 1, "c"));
    DocumentData ours = base;
    DocumentData theirs = base;
    std::vector<std::string> made[2];
    EditRandomly(ours, true, "o" + std::to_string(round), random, made[0]);
    EditRandomly(theirs, false, "t" + std::to_string(round), random, made[1]);
    // What a side made and then deleted itself is not asked for.
    const std::set<std::string> kept[2] = {Texts(ours), Texts(theirs)};

    const MergeResult result = MergeDocuments(&base, ours, theirs);
    const DocumentData& merged = result.document;
    std::set<std::string> found = Texts(merged);
    for (const MergeConflict& conflict : result.conflicts) found.insert("C" + conflict.other);
    for (int side = 0; side < 2; ++side)
      for (const std::string& text : made[side]) EXPECT_TRUE(!kept[side].count(text) || found.count(text)) << text;
    for (const auto& [id, c] : merged.contacts) {
      EXPECT_NE(merged.persons.Find(c.PersonID), nullptr) << "contact " << id;
      EXPECT_LE(id, merged.contacts.LastID);
    }
    EXPECT_LE(merged.persons.HighestID(), merged.persons.LastID);
  }
}

TEST(DocumentMerge, ConflictLineKeepsToOneLine) {
  const MergeConflict conflict{RecordKind::kContact, 7, "Description", "a\r\nb\rc\nd\te", ""};
  EXPECT_EQ(ConflictLine(conflict), "conflict\tcontact\t7\tDescription\ta b c d e\t\n");
  PersonDetail photo;
  photo.kind = DetailKind::kPhoto;
  photo.type = "image/png";
  photo.value = "AAECAw==";
  EXPECT_EQ(DetailsText({photo, PersonDetail::Of(DetailKind::kName, "nickname", "Al")}),
            "photo: image/png (4 bytes); name nickname: Al");
}

}  // namespace
}  // namespace vimbo
