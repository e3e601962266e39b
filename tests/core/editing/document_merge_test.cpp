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

void SetCity(DocumentData& data, int32_t id, const char* city) {
  data.persons.Replace(Changed(data, id, [city](Person& p) { p.City = city; }));
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
  const Edit none = [](DocumentData&) {};
  const Case cases[] = {
      {"a change on one side is taken", [](DocumentData& d) { SetCity(d, 1, "Ely"); },
       [](DocumentData& d) { SetCity(d, 2, "Kiel"); },
       [](DocumentData& d) {
         SetCity(d, 1, "Ely");
         SetCity(d, 2, "Kiel");
       },
       ""},
      {"the same change on both sides once", [](DocumentData& d) { SetCity(d, 1, "Ely"); },
       [](DocumentData& d) { SetCity(d, 1, "Ely"); }, [](DocumentData& d) { SetCity(d, 1, "Ely"); }, ""},
      {"different changes of one field: ours kept",
       [](DocumentData& d) {
         SetCity(d, 1, "Ely");
         d.persons.Replace(Changed(d, 1, [](Person& p) { p.Phone = "555"; }));
       },
       [](DocumentData& d) {
         SetCity(d, 1, "Kiel\r\nNorth");
         d.persons.Replace(Changed(d, 1, [](Person& p) { p.EMail = "ann@example.org"; }));
       },
       [](DocumentData& d) {
         SetCity(d, 1, "Ely");
         d.persons.Replace(Changed(d, 1, [](Person& p) {
           p.Phone = "555";
           p.EMail = "ann@example.org";
         }));
       },
       "conflict\tperson\t1\tCity\tEly\tKiel North\n"},
      {"different changes of one field: theirs kept when preferred", [](DocumentData& d) { SetCity(d, 1, "Ely"); },
       [](DocumentData& d) { SetCity(d, 1, "Kiel"); }, [](DocumentData& d) { SetCity(d, 1, "Kiel"); },
       "conflict\tperson\t1\tCity\tKiel\tEly\n", MergeSide::kTheirs},
      {"the person's details, dates and notes are fields",
       [](DocumentData& d) {
         d.persons.Replace(Changed(d, 2, [](Person& p) {
           p.Birthday = *PartialDate::Parse("1980-04-12");
           p.Notes = "met\tat the fair";
           p.Details = {PersonDetail::Of(DetailKind::kPhone, "work", "555 1")};
         }));
       },
       [](DocumentData& d) {
         d.persons.Replace(Changed(d, 2, [](Person& p) {
           p.Birthday = *PartialDate::Parse("--04-13");
           p.Anniversary = *PartialDate::Parse("2001-06-20");
           p.Notes = "met in town";
           PersonDetail address;
           address.kind = DetailKind::kAddress;
           address.label = "home";
           address.street = "1 Dock Rd";
           address.city = "Kiel";
           p.Details = {address, PersonDetail::Of(DetailKind::kEmail, "", "bob@example.org")};
         }));
       },
       [](DocumentData& d) {
         d.persons.Replace(Changed(d, 2, [](Person& p) {
           p.Birthday = *PartialDate::Parse("1980-04-12");
           p.Anniversary = *PartialDate::Parse("2001-06-20");
           p.Notes = "met\tat the fair";
           p.Details = {PersonDetail::Of(DetailKind::kPhone, "work", "555 1")};
         }));
       },
       "conflict\tperson\t2\tBirthday\t1980-04-12\t--04-13\n"
       "conflict\tperson\t2\tNotes\tmet at the fair\tmet in town\n"
       "conflict\tperson\t2\tDetail\tphone work: 555 1\taddress home: 1 Dock Rd, Kiel; email: bob@example.org\n"},
      {"added on both sides and different: theirs renumbered with its contacts",
       [](DocumentData& d) {
         AddPerson(d, NamedPerson(4, "Dee", "Ours"));
         AddContact(d, PersonContact(5, 4, 1, "ours"));
       },
       [](DocumentData& d) {
         AddPerson(d, NamedPerson(4, "Eve", "Theirs"));
         AddContact(d, PersonContact(5, 4, 2, "theirs"));
         AddContact(d, PersonContact(6, 1, 2, "theirs for Ann"));
       },
       [](DocumentData& d) {
         AddPerson(d, NamedPerson(4, "Dee", "Ours"));
         AddPerson(d, NamedPerson(5, "Eve", "Theirs"));
         AddContact(d, PersonContact(5, 4, 1, "ours"));
         AddContact(d, PersonContact(6, 1, 2, "theirs for Ann"));
         AddContact(d, PersonContact(7, 5, 2, "theirs"));
       },
       ""},
      {"added on both sides alike: one",
       [](DocumentData& d) {
         AddPerson(d, NamedPerson(4, "Dee", "Same"));
         AddContact(d, PersonContact(5, 4, 1, "same"));
       },
       [](DocumentData& d) {
         AddPerson(d, NamedPerson(4, "Dee", "Same"));
         AddContact(d, PersonContact(5, 4, 1, "same"));
       },
       [](DocumentData& d) {
         AddPerson(d, NamedPerson(4, "Dee", "Same"));
         AddContact(d, PersonContact(5, 4, 1, "same"));
       },
       ""},
      {"deleted on one side and unchanged on the other: gone with its contacts", none,
       [](DocumentData& d) { DeletePerson(d, 1); }, [](DocumentData& d) { DeletePerson(d, 1); }, ""},
      {"deleted on one side and changed on the other: kept with every contact",
       [](DocumentData& d) { DeletePerson(d, 1); }, [](DocumentData& d) { SetCity(d, 1, "Ely"); },
       [](DocumentData& d) { SetCity(d, 1, "Ely"); }, "conflict\tperson\t1\t(deleted)\tchanged\tdeleted\n"},
      {"deleted on one side while the other added a contact: kept",
       [](DocumentData& d) { AddContact(d, PersonContact(5, 3, 1, "new")); },
       [](DocumentData& d) { DeletePerson(d, 3); },
       [](DocumentData& d) { AddContact(d, PersonContact(5, 3, 1, "new")); },
       "conflict\tperson\t3\t(deleted)\tchanged\tdeleted\n"},
      {"a contact changed on both sides and deleted with its person",
       [](DocumentData& d) {
         SetNotes(d, 1, "ours");
         SetNotes(d, 3, "ours\nagain");
         Contact moved = *d.contacts.Find(4);
         moved.DateTime.SetDateTime(2026, 2, 1, 14, 5, 0);
         d.contacts.Replace(moved);
       },
       [](DocumentData& d) {
         SetNotes(d, 3, "theirs");
         Contact moved = *d.contacts.Find(4);
         moved.DateTime.SetDateTime(2026, 3, 1, 0, 0, 0);
         moved.ContactTypeID = 4;
         d.contacts.Replace(moved);
         DeletePerson(d, 1);
       },
       [](DocumentData& d) {
         SetNotes(d, 1, "ours");
         SetNotes(d, 3, "ours\nagain");
         Contact moved = *d.contacts.Find(4);
         moved.DateTime.SetDateTime(2026, 2, 1, 14, 5, 0);
         moved.ContactTypeID = 4;
         d.contacts.Replace(moved);
       },
       "conflict\tperson\t1\t(deleted)\tchanged\tdeleted\n"
       "conflict\tcontact\t1\t(deleted)\tchanged\tdeleted\n"
       "conflict\tcontact\t3\tDescription\tours again\ttheirs\n"
       "conflict\tcontact\t4\tDateTime\t2/1/2026 2:05:00 PM\t3/1/2026\n"},
      {"contact types by ID, then by name",
       [](DocumentData& d) {
         d.contactTypes.Insert({5, "Lunch"});
         d.contactTypes.Insert({6, "Meeting"});
         d.contactTypes.LastID = 6;
         d.contactTypes.Replace({1, "Phone"});
       },
       [](DocumentData& d) {
         d.contactTypes.Insert({5, "Meeting"});
         d.contactTypes.Insert({6, "Visit"});
         d.contactTypes.LastID = 6;
         d.contactTypes.Replace({1, "Call"});
         AddContact(d, PersonContact(5, 2, 5, "met"));
         AddContact(d, PersonContact(6, 2, 6, "visited"));
       },
       [](DocumentData& d) {
         d.contactTypes.Insert({5, "Lunch"});
         d.contactTypes.Insert({6, "Meeting"});
         d.contactTypes.Insert({7, "Visit"});
         d.contactTypes.LastID = 7;
         d.contactTypes.Replace({1, "Phone"});
         AddContact(d, PersonContact(5, 2, 6, "met"));
         AddContact(d, PersonContact(6, 2, 7, "visited"));
       },
       "conflict\tcontacttype\t1\tDescription\tPhone\tCall\n"},
      {"a contact type deleted on one side and unused: gone", [](DocumentData& d) { d.contactTypes.Erase(4); },
       [](DocumentData& d) { SetNotes(d, 2, "x"); },
       [](DocumentData& d) {
         d.contactTypes.Erase(4);
         SetNotes(d, 2, "x");
       },
       ""},
      {"a contact type deleted on one side and newly used on the other: kept and reported",
       [](DocumentData& d) { d.contactTypes.Erase(4); },
       [](DocumentData& d) { AddContact(d, PersonContact(5, 2, 4, "letter")); },
       [](DocumentData& d) { AddContact(d, PersonContact(5, 2, 4, "letter")); },
       "conflict\tcontacttype\t4\t(deleted)\tchanged\tdeleted\n"},
      {"the user's fields, and each LastID the largest",
       [](DocumentData& d) {
         d.user.FName = "Ursula";
         d.user.City = "Ely";
         d.persons.LastID = 9;
       },
       [](DocumentData& d) {
         d.user.FName = "Ulla";
         d.contacts.LastID = 12;
       },
       [](DocumentData& d) {
         d.user.FName = "Ursula";
         d.user.City = "Ely";
         d.persons.LastID = 9;
         d.contacts.LastID = 12;
       },
       "conflict\tuser\t0\tFName\tUrsula\tUlla\n"},
  };
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
// kept from both, THEIRS' renumbered where the IDs meet.
TEST(DocumentMerge, WithoutABase) {
  DocumentData ours = Base();
  DocumentData theirs = Base();
  SetCity(ours, 2, "Ely");
  AddPerson(theirs, NamedPerson(4, "Dee", "Lane"));
  const MergeResult result = MergeDocuments(nullptr, ours, theirs);
  DocumentData expected = Base();
  SetCity(expected, 2, "Ely");
  AddPerson(expected, NamedPerson(4, "Dee", "Lane"));
  Person bob = *Base().persons.Find(2);
  bob.ID = 5;
  expected.persons.Insert(bob);
  expected.persons.LastID = 5;
  Contact bobsContact = *Base().contacts.Find(3);
  bobsContact.ID = 5;
  bobsContact.PersonID = 5;
  AddContact(expected, bobsContact);
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
