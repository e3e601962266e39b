#include <gtest/gtest.h>

#include <filesystem>

#include <chrono>

#include <QDir>
#include <memory>
#include <vector>

#include "core/document/document_writer.h"
#include "support/document_setup.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/document/log_document.h"

namespace vimbo {
namespace {

using testing::ScriptedPrompter;
using Answer = Prompter::Answer;

QString Q(const std::string& path) { return QString::fromStdString(path); }

struct DocumentFixture : ::testing::Test {
  DocumentFixture() {
    document.New();
    QObject::connect(&document, &LogDocument::replaced, [this] { ++replaced; });
    QObject::connect(&document, &LogDocument::modifiedChanged,
                     [this](bool modified) { modifiedSignals.push_back(modified); });
  }
  void Modify() {
    User user = document.Data().user;
    user.FName = "Changed";
    document.Run(&DocumentEditor::UpdateUser, user);
  }
  // A document file with one person, written as Save writes it.
  std::string WriteSample(const std::string& name) {
    DocumentData data;
    data.AddDefaultContactTypes();
    Person person;
    person.ID = data.persons.NextID();
    person.LName = "Smith";
    data.persons.Insert(person);
    std::string path = dir.File(name);
    EXPECT_TRUE(Write(data, path).IsDone());
    return path;
  }

  testing::TempDir dir;
  ScriptedPrompter prompter;
  LogDocument document{prompter};
  int replaced = 0;
  std::vector<bool> modifiedSignals;
};

TEST_F(DocumentFixture, NewLeavesAnUnnamedUnmodifiedDocumentWithTheDefaultTypes) {
  EXPECT_EQ(document.Title(), "Untitled");
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Data().contactTypes.Size(), 4u);
  EXPECT_EQ(LogDocument::FileFilter(), "Vimbo Files (*.tch);;All Files (*.*)");
  EXPECT_EQ(LogDocument::DefaultExtension(), "tch");
}

TEST_F(DocumentFixture, StateTableOfOpenSaveAndSaveAs) {
  const std::string sample = WriteSample("a.tch");

  // unnamed --Open--> named, not modified
  prompter.openNames.push_back(Q(sample));
  ASSERT_EQ(document.Open(nullptr).status, Outcome::Status::kDone);
  EXPECT_EQ(document.Title(), Q(sample));
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Data().persons.Size(), 1u);

  // an edit --> same name, modified; Save --> same name, not modified
  Modify();
  ASSERT_EQ(document.Save(nullptr).status, Outcome::Status::kDone);
  EXPECT_FALSE(document.IsModified());
  EXPECT_NE(testing::ReadBytes(sample).find("<FName>Changed</FName>"), std::string::npos);

  // named --Save As--> the new path
  const std::string other = dir.File("b.tch");
  prompter.saveNames.push_back(Q(other));
  ASSERT_EQ(document.SaveAs(nullptr).status, Outcome::Status::kDone);
  EXPECT_EQ(document.Title(), Q(other));
  EXPECT_EQ(prompter.proposedSaveNames.back(), Q(sample));

  // a failing save, given up --> unchanged, still modified, failed
  Modify();
  const std::string missingFolder = dir.File("missing/c.tch");
  prompter.saveNames.push_back(Q(missingFolder));
  prompter.answers = {Answer::kCancel};
  EXPECT_EQ(document.SaveAs(nullptr).status, Outcome::Status::kFailed);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(document.Title(), Q(other));

  // any --New--> unnamed, not modified
  document.New();
  EXPECT_EQ(document.Title(), "Untitled");
  EXPECT_FALSE(document.IsModified());
}

TEST_F(DocumentFixture, SaveOfAnUnnamedOrUntitledDocumentAsksForAName) {
  // Not modified and unnamed: still the Save As dialog, proposing "Untitled".
  prompter.saveNames.push_back(std::nullopt);
  EXPECT_EQ(document.Save(nullptr).status, Outcome::Status::kCancelled) << "a cancelled dialog is no failure";
  EXPECT_EQ(prompter.proposedSaveNames, std::vector<QString>{QStringLiteral("Untitled")});

  document.SetFileName(QStringLiteral("Untitled"));
  prompter.saveNames.push_back(Q(dir.File("named.tch")));
  EXPECT_EQ(document.Save(nullptr).status, Outcome::Status::kDone);
  EXPECT_EQ(document.Title(), Q(dir.File("named.tch")));
}

TEST_F(DocumentFixture, SaveOfANamedUnmodifiedDocumentWritesNothing) {
  const std::string sample = WriteSample("a.tch");
  ASSERT_TRUE(document.Load(Q(sample)).IsDone());
  testing::WriteBytes(sample, "changed on disk");
  EXPECT_EQ(document.Save(nullptr).status, Outcome::Status::kDone);
  EXPECT_EQ(testing::ReadBytes(sample), "changed on disk");
}

TEST_F(DocumentFixture, QuerySaveAnswers) {
  // Not modified: no question at all.
  EXPECT_TRUE(document.QuerySave(nullptr, QStringLiteral("Vimbo")));
  EXPECT_TRUE(prompter.messages.empty());

  Modify();
  prompter.answers = {Answer::kCancel};
  EXPECT_FALSE(document.QuerySave(nullptr, QStringLiteral("Vimbo")));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Save changes to Untitled?");
  EXPECT_EQ(prompter.messages[0].caption, "Vimbo");
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::kWarning);
  EXPECT_EQ(prompter.messages[0].buttons, Prompter::Buttons::kYesNoCancel);
  EXPECT_TRUE(document.IsModified());

  prompter.answers = {Answer::kNo};
  EXPECT_TRUE(document.QuerySave(nullptr, QStringLiteral("Vimbo")));
  EXPECT_TRUE(document.IsModified());

  // Yes on an unnamed document opens Save As; cancelling it abandons.
  prompter.answers = {Answer::kYes};
  prompter.saveNames.push_back(std::nullopt);
  EXPECT_FALSE(document.QuerySave(nullptr, QStringLiteral("Vimbo")));
  EXPECT_TRUE(document.IsModified());

  // Yes with a failing save: the error box, and false once it is given up.
  prompter.answers = {Answer::kYes, Answer::kCancel};
  prompter.saveNames.push_back(Q(dir.File("missing/x.tch")));
  const std::size_t shown = prompter.messages.size();
  EXPECT_FALSE(document.QuerySave(nullptr, QStringLiteral("Vimbo")));
  ASSERT_EQ(prompter.messages.size(), shown + 2);
  EXPECT_EQ(prompter.messages.back().text, "Error saving Untitled.");
  EXPECT_EQ(prompter.messages.back().buttons, Prompter::Buttons::kRetryCancel);

  // Yes with a working save.
  prompter.answers = {Answer::kYes};
  prompter.saveNames.push_back(Q(dir.File("saved.tch")));
  EXPECT_TRUE(document.QuerySave(nullptr, QStringLiteral("Vimbo")));
  EXPECT_FALSE(document.IsModified());
}

// Retry writes again, as often as the user asks; Cancel gives up.
TEST_F(DocumentFixture, RetryAfterAFailedSaveWritesAgain) {
  Modify();
  const std::string path = dir.File("later/r.tch");
  prompter.saveNames.push_back(Q(path));
  prompter.answers = {Answer::kRetry, Answer::kRetry};
  int boxes = 0;
  // The folder appears while the second error box is up.
  prompter.onMessage = [&](const QString&) {
    if (++boxes == 2) QDir().mkpath(Q(dir.File("later")));
  };
  EXPECT_EQ(document.SaveAs(nullptr).status, Outcome::Status::kDone);
  EXPECT_EQ(boxes, 2);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Title(), Q(path));
  EXPECT_NE(testing::ReadBytes(path).find("<FName>Changed</FName>"), std::string::npos);
  EXPECT_EQ(modifiedSignals, (std::vector<bool>{true, false}));
}

TEST_F(DocumentFixture, AnUnreadableFileLeavesTheDocumentUntouched) {
  Modify();
  prompter.openNames.push_back(Q(dir.File("missing.tch")));
  EXPECT_EQ(document.Open(nullptr).status, Outcome::Status::kFailed);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(document.Data().user.FName, "Changed");
  EXPECT_TRUE(prompter.messages.empty());

  // A cancelled dialog is not an error.
  prompter.openNames.push_back(std::nullopt);
  EXPECT_EQ(document.Open(nullptr).status, Outcome::Status::kCancelled);
}

TEST_F(DocumentFixture, ARejectedFileLeavesANewUnnamedDocument) {
  const std::string good = WriteSample("good.tch");
  ASSERT_TRUE(document.Load(Q(good)).IsDone());

  const std::string bad = dir.File("bad.tch");
  testing::WriteBytes(bad, "<?xml version=\"1.0\"?>\n<Vimbo>\n<Persons>\n</Vimbo>\n");
  prompter.answers = {Answer::kOk};
  replaced = 0;
  EXPECT_TRUE(document.Load(Q(bad)).IsFailed());
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, "Parsing error at line 4");
  EXPECT_EQ(prompter.messages[0].caption, "Error Loading File");
  EXPECT_EQ(prompter.messages[0].icon, Prompter::Icon::kError);
  EXPECT_FALSE(prompter.messages[0].owned);

  EXPECT_EQ(document.Title(), "Untitled");
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.Data().persons.Size(), 0u);
  EXPECT_EQ(document.Data().contactTypes.Size(), 4u);
  EXPECT_GT(replaced, 0);
  // A later Save asks for a name instead of overwriting the previous file.
  const std::string before = testing::ReadBytes(good);
  prompter.saveNames.push_back(std::nullopt);
  EXPECT_EQ(document.Save(nullptr).status, Outcome::Status::kCancelled);
  EXPECT_EQ(testing::ReadBytes(good), before);
}

TEST_F(DocumentFixture, AVersionOneFileIsUpgradedAndMarkedModified) {
  const std::string path = dir.File("old.tch");
  testing::WriteBytes(path, "<?xml version=\"1.0\"?>\n<Vimbo Version=\"1\">\n</Vimbo>\n");
  ASSERT_TRUE(document.Load(Q(path)).IsDone());
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(document.Data().contactTypes.Size(), 4u);
}

// Save never overwrites what another program wrote since the document was
// opened or saved here without asking: Merge joins it in and writes
// nothing, Save As... writes elsewhere and leaves that file alone,
// Overwrite writes, Cancel writes nothing. A file
// only touched, its bytes the same, asks nothing; nor does the next save.
TEST_F(DocumentFixture, SaveAsksBeforeOverwritingAnOutsideChange) {
  const struct {
    int choice;
    bool outsideKept;
    bool stillModified;
  } cases[] = {{0, true, true}, {1, true, false}, {2, false, false}, {3, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.choice);
    const std::string path = WriteSample("shared" + std::to_string(c.choice) + ".tch");
    ASSERT_TRUE(document.Load(Q(path)).IsDone());
    Modify();
    const std::string outside = testing::ReadBytes(path) + "<!-- written elsewhere -->\n";
    testing::WriteBytes(path, outside);
    prompter.choices = {c.choice};
    if (c.choice == 1) prompter.saveNames.push_back(Q(dir.File("copy.tch")));
    document.Save(nullptr);
    ASSERT_FALSE(prompter.offered.empty());
    EXPECT_EQ(prompter.offered.back(), (QStringList{"Merge", "Save As...", "Overwrite", "Cancel"}));
    EXPECT_EQ(prompter.messages.back().text,
              Q(path) + QStringLiteral(" was changed by another program since you opened it."));
    EXPECT_EQ(testing::ReadBytes(path) == outside, c.outsideKept);
    EXPECT_EQ(document.IsModified(), c.stillModified);
  }

  const std::string path = WriteSample("touched.tch");
  ASSERT_TRUE(document.Load(Q(path)).IsDone());
  Modify();
  const std::string bytes = testing::ReadBytes(path);
  std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(5));
  const std::size_t asked = prompter.offered.size();
  ASSERT_TRUE(document.Save(nullptr).IsDone());
  Modify();
  ASSERT_TRUE(document.Save(nullptr).IsDone());
  EXPECT_EQ(prompter.offered.size(), asked);
  EXPECT_NE(testing::ReadBytes(path), bytes);
}

}  // namespace
}  // namespace vimbo
