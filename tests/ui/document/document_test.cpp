#include <gtest/gtest.h>

#include <memory>

#include "core/document/document_writer.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/document/document.h"
#include "ui/document/document_view.h"

namespace vimbo {
namespace {

using testing::ScriptedPrompter;
using Answer = Prompter::Answer;

class CountingView : public DocumentView {
 public:
  void OnUpdate() override { ++updates; }
  int updates = 0;
};

QString Q(const std::string& path) { return QString::fromStdString(path); }

TEST(DocumentViews, AViewGoneBeforeItsDocumentHearsNothingMore) {
  ScriptedPrompter prompter;
  auto document = std::make_unique<TouchDocument>(prompter);
  CountingView kept;
  document->Attach(kept);
  {
    CountingView gone;
    document->Attach(gone);
  }
  document->UpdateAllViews();
  EXPECT_EQ(kept.updates, 1);
  document.reset();
  EXPECT_EQ(kept.GetDocument(), nullptr);
}

struct DocumentFixture : ::testing::Test {
  DocumentFixture() {
    document.New();
    document.Attach(view);
  }
  void Modify() {
    User user = document.Data().user;
    user.FName = "Changed";
    document.Editor().UpdateUser(user);
    document.SetModified(true, ViewUpdate::kNone);
  }
  // A document file with one person, written as Save writes it.
  std::string WriteSample(const std::string& name) {
    DocumentData data;
    data.AddDefaultContactTypes();
    Person person;
    person.ID = data.persons.NextID();
    person.LName = "Smith";
    data.persons.Insert(person);
    const std::string path = dir.File(name);
    EXPECT_TRUE(Write(data, path));
    return path;
  }

  testing::TempDir dir;
  ScriptedPrompter prompter;
  // Declared before the document, so the document, which detaches its views
  // when it goes, goes first.
  CountingView view;
  TouchDocument document{prompter};
};

TEST_F(DocumentFixture, NewLeavesAnUnnamedUnmodifiedDocumentWithTheDefaultTypes) {
  EXPECT_EQ(document.DocumentTitle(), "Untitled");
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Data().contactTypes.Size(), 4u);
  EXPECT_EQ(document.FileFilter(), "Vimbo Files (*.tch);;All Files (*.*)");
  EXPECT_EQ(document.DefaultExtension(), "tch");
}

TEST_F(DocumentFixture, StateTableOfOpenSaveAndSaveAs) {
  const std::string sample = WriteSample("a.tch");

  // unnamed --Open--> named, not modified
  prompter.openNames.push_back(Q(sample));
  ASSERT_EQ(document.Open(nullptr), FileResult::kDone);
  EXPECT_EQ(document.DocumentTitle(), Q(sample));
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Data().persons.Size(), 1u);

  // an edit --> same name, modified; Save --> same name, not modified
  Modify();
  ASSERT_EQ(document.Save(nullptr), FileResult::kDone);
  EXPECT_FALSE(document.IsModified());
  EXPECT_NE(testing::ReadBytes(sample).find("<FName>Changed</FName>"), std::string::npos);

  // named --Save As--> the new path
  const std::string other = dir.File("b.tch");
  prompter.saveNames.push_back(Q(other));
  ASSERT_EQ(document.SaveAs(nullptr), FileResult::kDone);
  EXPECT_EQ(document.DocumentTitle(), Q(other));
  EXPECT_EQ(prompter.proposedSaveNames.back(), Q(sample));

  // a failing save --> unchanged, still modified, failed
  Modify();
  const std::string missingFolder = dir.File("missing/c.tch");
  prompter.saveNames.push_back(Q(missingFolder));
  EXPECT_EQ(document.SaveAs(nullptr), FileResult::kFailed);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(document.DocumentTitle(), Q(other));

  // any --New--> unnamed, not modified
  ASSERT_TRUE(document.New());
  EXPECT_EQ(document.DocumentTitle(), "Untitled");
  EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentFixture, SaveOfAnUnnamedOrUntitledDocumentAsksForAName) {
  // Not modified and unnamed: still the Save As dialog, proposing "Untitled".
  prompter.saveNames.push_back(std::nullopt);
  EXPECT_EQ(document.Save(nullptr), FileResult::kCancelled) << "a cancelled dialog is no failure";
  EXPECT_EQ(prompter.proposedSaveNames, std::vector<QString>{QStringLiteral("Untitled")});

  document.SetPathName(QStringLiteral("Untitled"));
  prompter.saveNames.push_back(Q(dir.File("named.tch")));
  EXPECT_EQ(document.Save(nullptr), FileResult::kDone);
  EXPECT_EQ(document.DocumentTitle(), Q(dir.File("named.tch")));
}

TEST_F(DocumentFixture, SaveOfANamedUnmodifiedDocumentWritesNothing) {
  const std::string sample = WriteSample("a.tch");
  ASSERT_TRUE(document.LoadFromFile(Q(sample)));
  document.SetPathName(Q(sample));
  testing::WriteBytes(sample, "changed on disk");
  EXPECT_EQ(document.Save(nullptr), FileResult::kDone);
  EXPECT_EQ(testing::ReadBytes(sample), "changed on disk");
}

TEST_F(DocumentFixture, QuerySaveAnswers) {
  // Not modified: no question at all.
  EXPECT_TRUE(view.QuerySave(nullptr, QStringLiteral("Vimbo")));
  EXPECT_TRUE(prompter.messages.empty());

  Modify();
  prompter.answers = {Answer::Cancel};
  EXPECT_FALSE(view.QuerySave(nullptr, QStringLiteral("Vimbo")));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Save changes to Untitled?");
  EXPECT_EQ(prompter.messages[0].caption, "Vimbo");
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::Warning);
  EXPECT_EQ(prompter.messages[0].buttons, Prompter::Buttons::YesNoCancel);
  EXPECT_TRUE(document.IsModified());

  prompter.answers = {Answer::No};
  EXPECT_TRUE(view.QuerySave(nullptr, QStringLiteral("Vimbo")));
  EXPECT_TRUE(document.IsModified());

  // Yes on an unnamed document opens Save As; cancelling it abandons.
  prompter.answers = {Answer::Yes};
  prompter.saveNames.push_back(std::nullopt);
  EXPECT_FALSE(view.QuerySave(nullptr, QStringLiteral("Vimbo")));
  EXPECT_TRUE(document.IsModified());

  // Yes with a failing save: false, and no message of its own.
  prompter.answers = {Answer::Yes};
  prompter.saveNames.push_back(Q(dir.File("missing/x.tch")));
  const std::size_t shown = prompter.messages.size();
  EXPECT_FALSE(view.QuerySave(nullptr, QStringLiteral("Vimbo")));
  EXPECT_EQ(prompter.messages.size(), shown + 1);

  // Yes with a working save.
  prompter.answers = {Answer::Yes};
  prompter.saveNames.push_back(Q(dir.File("saved.tch")));
  EXPECT_TRUE(view.QuerySave(nullptr, QStringLiteral("Vimbo")));
  EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentFixture, AnUnreadableFileLeavesTheDocumentUntouched) {
  Modify();
  prompter.openNames.push_back(Q(dir.File("missing.tch")));
  EXPECT_EQ(document.Open(nullptr), FileResult::kFailed);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(document.Data().user.FName, "Changed");
  EXPECT_TRUE(prompter.messages.empty());

  // A cancelled dialog is not an error.
  prompter.openNames.push_back(std::nullopt);
  EXPECT_EQ(document.Open(nullptr), FileResult::kCancelled);
}

TEST_F(DocumentFixture, ARejectedFileLeavesANewUnnamedDocument) {
  const std::string good = WriteSample("good.tch");
  ASSERT_TRUE(document.LoadFromFile(Q(good)));
  document.SetPathName(Q(good));

  const std::string bad = dir.File("bad.tch");
  testing::WriteBytes(bad, "<?xml version=\"1.0\"?>\n<Vimbo>\n<Persons>\n</Vimbo>\n");
  prompter.answers = {Answer::Ok};
  view.updates = 0;
  EXPECT_FALSE(document.LoadFromFile(Q(bad)));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Parsing error at line 4");
  EXPECT_EQ(prompter.messages[0].caption, "Error Loading File");
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::Error);
  EXPECT_FALSE(prompter.messages[0].owned);

  EXPECT_EQ(document.DocumentTitle(), "Untitled");
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Data().persons.Size(), 0u);
  EXPECT_EQ(document.Data().contactTypes.Size(), 4u);
  EXPECT_GT(view.updates, 0);
  // A later Save asks for a name instead of overwriting the previous file.
  const std::string before = testing::ReadBytes(good);
  prompter.saveNames.push_back(std::nullopt);
  EXPECT_EQ(document.Save(nullptr), FileResult::kCancelled);
  EXPECT_EQ(testing::ReadBytes(good), before);
}

TEST_F(DocumentFixture, AVersionOneFileIsUpgradedAndMarkedModified) {
  const std::string path = dir.File("old.tch");
  testing::WriteBytes(path, "<?xml version=\"1.0\"?>\n<Vimbo Version=\"1\">\n</Vimbo>\n");
  ASSERT_TRUE(document.LoadFromFile(Q(path)));
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(document.Data().contactTypes.Size(), 4u);
}

}  // namespace
}  // namespace vimbo
