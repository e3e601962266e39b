#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/document/document_writer.h"
#include "core/editing/document_editor.h"
#include "support/contacts_index.h"
#include "support/people.h"

namespace vimbo {
namespace {

using testing::ExpectIndexExact;
using testing::NamedPerson;

Contact MakeContact(int32_t person, int32_t type, double when, const std::string& notes) {
  Contact contact;
  contact.PersonID = person;
  contact.ContactTypeID = type;
  contact.DateTime = DateTimeValue(when);
  contact.Description = notes;
  return contact;
}

// Two persons with contacts, the default types, an owner.
void Seed(DocumentEditor& editor) {
  DocumentData& data = editor.ContentToReplace();
  data.AddDefaultContactTypes();
  data.user.FName = "Owner";
  editor.AddPerson(NamedPerson(0, "Ann", "Archer", "Acme"));
  editor.AddPerson(NamedPerson(0, "Bob", "Baker"));
  editor.AddContact(MakeContact(1, 1, 46000.5, "first call"));
  editor.AddContact(MakeContact(2, 2, 46001.25, "mail"));
  editor.AddContact(MakeContact(1, 3, 46002.0, "visit\r\nnotes"));
  editor.History().Clear();
}

std::string Text(const DocumentEditor& editor) { return DocumentText(editor.Data()); }

// The file as it was before the step, but with the counters the step left:
// undo never lowers them.
std::string TextWithCounters(DocumentData before, const DocumentData& after) {
  before.persons.LastID = after.persons.LastID;
  before.contacts.LastID = after.contacts.LastID;
  before.contactTypes.LastID = after.contactTypes.LastID;
  return DocumentText(before);
}

// A contact of `person` with type `type`, undated.
Contact ContactOf(int32_t id, int32_t person, int32_t type) {
  Contact contact;
  contact.ID = id;
  contact.PersonID = person;
  contact.ContactTypeID = type;
  return contact;
}

TEST(DocumentOperations, DeletingAPersonRemovesExactlyTheirContacts) {
  DocumentData data;
  for (int32_t id : {1, 2, 3}) {
    Person person;
    person.ID = id;
    data.persons.Insert(person);
  }
  data.contacts.Insert(ContactOf(1, 2, 1));
  data.contacts.Insert(ContactOf(2, 1, 1));
  data.contacts.Insert(ContactOf(3, 2, 1));
  data.contacts.Insert(ContactOf(4, 3, 1));
  data.contacts.Insert(ContactOf(5, 2, 1));
  data.contacts.LastID = 5;

  EXPECT_TRUE(DeletePerson(data, 2).Done());
  EXPECT_EQ(data.persons.Find(2), nullptr);
  EXPECT_NE(data.persons.Find(1), nullptr);
  std::vector<int32_t> left;
  for (const auto& [id, contact] : data.contacts) left.push_back(id);
  EXPECT_EQ(left, (std::vector<int32_t>{2, 4}));
  EXPECT_EQ(data.contacts.LastID, 5);
  ExpectIndexExact(data);
}

TEST(DocumentOperations, AContactTypeInUseIsNotDeleted) {
  DocumentData data;
  data.AddDefaultContactTypes();
  data.contacts.Insert(ContactOf(1, 1, 2));
  EXPECT_EQ(DeleteContactType(data, 2).status, OperationStatus::kTypeInUse);
  EXPECT_NE(data.contactTypes.Find(2), nullptr);
  data.contacts.Erase(1);
  EXPECT_TRUE(DeleteContactType(data, 2).Done());
  EXPECT_EQ(data.contactTypes.Find(2), nullptr);
  EXPECT_EQ(data.contactTypes.NextID(), 5) << "a deleted type's number is not handed out again";
}

struct Case {
  const char* name;
  std::function<OperationResult(DocumentEditor&)> run;
};

const std::vector<Case>& Operations() {
  static const std::vector<Case> cases = {
      {"Add Person", [](DocumentEditor& e) { return e.AddPerson(NamedPerson(0, "Cy", "Cole")); }},
      {"Update Person",
       [](DocumentEditor& e) {
         Person p = *e.Data().persons.Find(2);
         p.City = "Springfield";
         p.LName = "Barker";
         p.Birthday = {0, 2, 29};
         p.Notes = "Plays chess";
         p.KeepInTouch = 30;
         p.Details.push_back(PersonDetail::Of(DetailKind::kEmail, "home", "bob@example.org"));
         return e.UpdatePerson(p);
       }},
      {"Delete Person", [](DocumentEditor& e) { return e.DeletePerson(1); }},
      {"Add Contact", [](DocumentEditor& e) { return e.AddContact(MakeContact(2, 4, 46010.75, "letter")); }},
      {"Update Contact",
       [](DocumentEditor& e) {
         Contact c = *e.Data().contacts.Find(3);
         c.Description = "changed";
         c.FollowUp.When.SetDateTime(2026, 3, 15, 14, 0, 0);
         c.ContactTypeID = 2;
         c.PersonID = 2;
         return e.UpdateContact(c);
       }},
      {"Delete Contact", [](DocumentEditor& e) { return e.DeleteContact(2); }},
      {"Add Contact Type", [](DocumentEditor& e) { return e.AddContactType("Visit"); }},
      {"Rename Contact Type", [](DocumentEditor& e) { return e.RenameContactType(1, "Phone"); }},
      {"Delete Contact Type", [](DocumentEditor& e) { return e.DeleteContactType(4); }},
      {"Update User",
       [](DocumentEditor& e) {
         User u = e.Data().user;
         u.Company = "Home Office";
         return e.UpdateUser(u);
       }},
      {"Merge",
       [](DocumentEditor& e) {
         DocumentData target = e.Data();
         Person p = *target.persons.Find(2);
         p.Notes = "Met at the fair";
         target.persons.Replace(p);
         target.persons.Insert(NamedPerson(target.persons.NextID(), "Ed", "Eyre"));
         target.contacts.Erase(2);
         target.contactTypes.Insert({target.contactTypes.NextID(), "Visit"});
         target.user.City = "Kiel";
         OperationResult result = e.ReplaceRecords(target, "Merge");
         EXPECT_EQ(DocumentText(e.Data()), DocumentText(target));
         return result;
       }},
      {"Import",
       [](DocumentEditor& e) {
         return e.ImportPersons({NamedPerson(0, "Di", "Dunn"), NamedPerson(0, "", "", "Ever Ltd")});
       }},
  };
  return cases;
}

// Without an undo history an import adds exactly what the operation adds:
// the same identifiers, the same counter, the same bytes, also when the
// counter runs out part way.
TEST(DocumentOperations, ImportWithoutUndoAddsWhatTheOperationAdds) {
  for (const int32_t lastId : {0, 10, std::numeric_limits<int32_t>::max() - 1, std::numeric_limits<int32_t>::max()}) {
    DocumentData data;
    data.AddDefaultContactTypes();
    // Without a person the document takes the imported ones over whole.
    if (lastId > 0) data.persons.Insert(NamedPerson(3, "Kept", "Here"));
    data.persons.LastID = lastId > 0 ? std::max(lastId, 3) : 0;
    const std::vector<Person> persons = {NamedPerson(0, "Di", "Dunn"), NamedPerson(0, "", "", "Ever Ltd"),
                                         NamedPerson(99, "Al", "")};
    DocumentData kept = data;
    const OperationResult result = ImportPersons(kept, persons);
    std::vector<Persons::Entry> entries;
    entries.reserve(persons.size());
    for (const Person& person : persons) entries.emplace_back(0, person);
    const int added = ImportPersonsWithoutUndo(data, std::move(entries));
    EXPECT_EQ(added, result.count) << lastId;
    EXPECT_EQ(DocumentText(data), DocumentText(kept)) << lastId;
    EXPECT_EQ(data.persons.LastID, kept.persons.LastID);
  }
}

TEST(DocumentEditor, EveryOperationUndoesAndRedoesToTheSameBytes) {
  for (const Case& c : Operations()) {
    SCOPED_TRACE(c.name);
    DocumentEditor editor;
    Seed(editor);
    const DocumentData before = editor.Data();

    ASSERT_TRUE(c.run(editor).Done());
    ExpectIndexExact(editor.Data());
    const std::string done = Text(editor);
    EXPECT_NE(done, TextWithCounters(before, editor.Data()));
    EXPECT_EQ(editor.History().UndoName(), c.name);

    ASSERT_TRUE(editor.Undo());
    ExpectIndexExact(editor.Data());
    EXPECT_EQ(Text(editor), TextWithCounters(before, editor.Data()));
    EXPECT_FALSE(editor.History().CanUndo());
    EXPECT_EQ(editor.History().RedoName(), c.name);

    ASSERT_TRUE(editor.Redo());
    ExpectIndexExact(editor.Data());
    EXPECT_EQ(Text(editor), done);
    ASSERT_TRUE(editor.Undo());
    EXPECT_EQ(Text(editor), TextWithCounters(before, editor.Data()));
  }
}

TEST(DocumentEditor, RefusedOperationsChangeNothingAndLeaveNoStep) {
  const std::vector<std::pair<Case, OperationStatus>> refusals = {
      {{"type in use", [](DocumentEditor& e) { return e.DeleteContactType(1); }}, OperationStatus::kTypeInUse},
      {{"duplicate add", [](DocumentEditor& e) { return e.AddContactType("E-Mail"); }},
       OperationStatus::kDuplicateName},
      {{"duplicate rename", [](DocumentEditor& e) { return e.RenameContactType(1, "Personal"); }},
       OperationStatus::kDuplicateName},
      {{"missing person", [](DocumentEditor& e) { return e.DeletePerson(9); }}, OperationStatus::kNotFound},
      {{"contact of nobody", [](DocumentEditor& e) { return e.AddContact(MakeContact(9, 1, 1.0, "")); }},
       OperationStatus::kNotFound},
      {{"update of a missing contact",
        [](DocumentEditor& e) {
          Contact c = MakeContact(1, 1, 1.0, "");
          c.ID = 77;
          return e.UpdateContact(c);
        }},
       OperationStatus::kNotFound},
      {{"spent person counter",
        [](DocumentEditor& e) {
          e.ContentToReplace().persons.LastID = INT32_MAX;
          return e.AddPerson(NamedPerson(0, "Zed", ""));
        }},
       OperationStatus::kNoIdentifiers},
      {{"spent contact counter",
        [](DocumentEditor& e) {
          e.ContentToReplace().contacts.LastID = INT32_MAX;
          return e.AddContact(MakeContact(1, 1, 1.0, ""));
        }},
       OperationStatus::kNoIdentifiers},
  };
  for (const auto& [c, status] : refusals) {
    SCOPED_TRACE(c.name);
    DocumentEditor editor;
    Seed(editor);
    const OperationResult result = c.run(editor);
    const std::string after = Text(editor);
    EXPECT_EQ(result.status, status);
    EXPECT_FALSE(editor.History().CanUndo());
    // The counters are part of the bytes: a refusal does not spend an identifier.
    DocumentEditor fresh;
    Seed(fresh);
    fresh.ContentToReplace().persons.LastID = editor.Data().persons.LastID;
    fresh.ContentToReplace().contacts.LastID = editor.Data().contacts.LastID;
    EXPECT_EQ(after, Text(fresh));
  }
}

TEST(DocumentEditor, DeletedPersonComesBackWithIdAndEveryContact) {
  DocumentEditor editor;
  Seed(editor);
  ASSERT_TRUE(editor.DeletePerson(1).Done());
  EXPECT_EQ(editor.Data().contacts.Size(), 1u);
  const std::optional<DocumentChanges> changes = editor.Undo();
  ASSERT_TRUE(changes);
  EXPECT_EQ(changes->personId, 1);
  ASSERT_NE(editor.Data().persons.Find(1), nullptr);
  EXPECT_EQ(editor.Data().persons.Find(1)->Company, "Acme");
  EXPECT_EQ(editor.Data().contacts.Size(), 3u);
  EXPECT_EQ(editor.Data().contacts.Find(3)->Description, "visit\r\nnotes");
}

TEST(DocumentEditor, IdentifiersAreNeverReusedAfterAnUndo) {
  DocumentEditor editor;
  Seed(editor);
  EXPECT_EQ(editor.AddPerson(NamedPerson(0, "Cy", "")).id, 3);
  editor.Undo();
  EXPECT_EQ(editor.AddPerson(NamedPerson(0, "Di", "")).id, 4);
  // The new step ended the redo of the first.
  EXPECT_FALSE(editor.History().CanRedo());
  EXPECT_EQ(editor.AddContactType("Visit").id, 5);
  editor.Undo();
  EXPECT_EQ(editor.AddContactType("Visit").id, 6);
}

TEST(EditHistory, SavedPointFollowsUndoRedoAndIsLostWithItsSteps) {
  DocumentEditor editor;
  Seed(editor);
  EditHistory& history = editor.History();
  EXPECT_TRUE(history.AtSavedPoint());
  editor.AddContactType("A");
  EXPECT_FALSE(history.AtSavedPoint());
  editor.Undo();
  EXPECT_TRUE(history.AtSavedPoint());
  editor.Redo();
  history.MarkSaved();
  editor.AddContactType("B");
  editor.Undo();
  EXPECT_TRUE(history.AtSavedPoint());
  editor.Undo();
  EXPECT_FALSE(history.AtSavedPoint());
  // A new step after undoing past the saved point makes it unreachable.
  editor.AddContactType("C");
  editor.Undo();
  EXPECT_FALSE(history.AtSavedPoint());
  history.ForgetSaved();
  history.Clear();
  EXPECT_TRUE(history.AtSavedPoint());
  EXPECT_FALSE(history.CanUndo());
}

TEST(EditHistory, MemoryBoundDropsOldestStepsFirst) {
  constexpr std::size_t kKiB = 1024;
  DocumentEditor editor(64 * kKiB);
  Seed(editor);
  const std::string big(10 * kKiB, 'x');
  for (int i = 0; i < 20; ++i) editor.AddContactType(big + std::to_string(i));
  EXPECT_LE(editor.History().MemoryUsed(), 64 * kKiB);
  int undone = 0;
  while (editor.Undo()) ++undone;
  EXPECT_GT(undone, 2);
  EXPECT_LT(undone, 20);
  // The newest steps were kept: the oldest types are still there.
  EXPECT_EQ(editor.Data().contactTypes.Size(), 4u + 20u - static_cast<unsigned>(undone));
  EXPECT_FALSE(editor.History().AtSavedPoint());
  // One step larger than the whole bound is still kept, alone.
  editor.AddContactType(std::string(100 * kKiB, 'y'));
  EXPECT_TRUE(editor.History().CanUndo());
  // A person's details count as the fields do: a photo of 200 KiB is such
  // a step.
  Person withPhoto = *editor.Data().persons.Find(1);
  withPhoto.Details.push_back(PersonDetail::Of(DetailKind::kPhoto, {}, std::string(200 * kKiB, 'A')));
  editor.UpdatePerson(withPhoto);
  EXPECT_GE(editor.History().MemoryUsed(), 200 * kKiB);
}

}  // namespace
}  // namespace vimbo
