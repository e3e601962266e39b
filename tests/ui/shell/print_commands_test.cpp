// The report commands of the main window: choosing a report, the preview
// with its pages and zoom steps, page setup, the report font and printing.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "core/reports/activity_report.h"
#include "support/document_setup.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "ui/form/main_view.h"
#include "ui/kit/command_ids.h"
#include "ui/reports/activity_report_dialog.h"
#include "ui/reports/contacts_report_dialog.h"
#include "ui/reports/person_choice_dialog.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/print_preview.h"
#include "ui/shell/settings_store.h"

namespace vimbo {
namespace {

using namespace command;

struct PrintCommandsFixture : ::testing::Test {
  PrintCommandsFixture() {
    OpenSettings()->clear();
    frame = std::make_unique<MainFrame>(prompter, MainFrame::Options{QString(), false});
    frame->show();
  }

  void AddPersons(int count) {
    DocumentData& data = Records().Content();
    for (int i = 0; i < count; ++i) {
      Person person;
      person.ID = data.persons.NextID();
      person.FName = "Person";
      person.LName = "Number " + std::to_string(person.ID);
      person.Address = "1 Main St\r\nApt 2";
      person.City = "Springfield";
      data.persons.Insert(person);
    }
    Records().Apply();
    testing::MakeModified(frame->Doc());
  }

  bool Enabled(CommandId id) {
    frame->UpdateCommandStates();
    return frame->Action(id)->isEnabled();
  }

  void Run(CommandId id) {
    ASSERT_TRUE(Enabled(id)) << id;
    frame->Action(id)->trigger();
  }

  // Chooses every person in the address book dialog.
  void ChooseAddressBook() {
    prompter.dialogs.push_back([](QDialog& dialog) {
      auto& choice = dynamic_cast<PersonChoiceDialog&>(dialog);
      choice.SelectAllBox()->click();
      choice.OkButton()->click();
      return dialog.result();
    });
    Run(kReportAddressBook);
  }

  testing::TempDir dir;
  testing::ScriptedPrompter prompter;
  std::unique_ptr<MainFrame> frame;
  testing::WindowSetup<MainFrame> Records{frame};
};

TEST_F(PrintCommandsFixture, PrintAndPreviewWaitForAChosenReport) {
  EXPECT_FALSE(Enabled(kReportAddressBook)) << "no persons";
  AddPersons(3);
  EXPECT_TRUE(Enabled(kReportAddressBook));
  EXPECT_FALSE(Enabled(kPrint));
  EXPECT_FALSE(Enabled(kPrintPreview));
  for (CommandId id : {kPageSetup, kPrintSetup, kReportFont}) EXPECT_TRUE(Enabled(id)) << id;

  ChooseAddressBook();
  EXPECT_TRUE(frame->PreviewShown());
  Run(kClosePreview);
  EXPECT_TRUE(Enabled(kPrint));
  EXPECT_TRUE(Enabled(kPrintPreview));

  // A new, unnamed and unmodified document has nothing to print.
  prompter.answers = {Prompter::Answer::kNo};
  frame->OnCommand(kNew);
  EXPECT_FALSE(Enabled(kPrint));
  EXPECT_FALSE(Enabled(kPrintPreview));
}

TEST_F(PrintCommandsFixture, ThePreviewReplacesTheFormAndPagesThrough) {
  AddPersons(20);
  frame->Action(kToolbar)->trigger();  // hidden before the preview
  ChooseAddressBook();
  ASSERT_TRUE(frame->PreviewShown());
  EXPECT_FALSE(frame->menuBar()->isVisible());
  EXPECT_FALSE(frame->MainToolbar()->isVisible());
  EXPECT_TRUE(frame->PreviewToolbar()->isVisible());
  EXPECT_TRUE(frame->Preview()->isVisible());
  EXPECT_TRUE(frame->Preview()->HasPage());

  const int pages = frame->CurrentReport()->GetPageCount();
  ASSERT_GT(pages, 1);
  EXPECT_FALSE(Enabled(kPreviousPage));
  for (int page = 1; page < pages; ++page) Run(kNextPage);
  EXPECT_EQ(frame->PreviewPage(), pages - 1);
  EXPECT_FALSE(Enabled(kNextPage));
  Run(kPreviousPage);
  EXPECT_EQ(frame->PreviewPage(), pages - 2);

  Run(kClosePreview);
  EXPECT_FALSE(frame->PreviewShown());
  EXPECT_EQ(frame->CurrentReport(), nullptr);
  EXPECT_TRUE(frame->menuBar()->isVisible());
  EXPECT_TRUE(frame->MainToolbar()->isVisible()) << "the toolbar returns after the preview";
  EXPECT_TRUE(frame->Action(kToolbar)->isChecked());
  EXPECT_FALSE(frame->PreviewToolbar()->isVisible());
  EXPECT_EQ(frame->statusBar()->currentMessage(), "Ready");
}

TEST_F(PrintCommandsFixture, ZoomStepsAndTheirEnabling) {
  AddPersons(2);
  ChooseAddressBook();
  EXPECT_TRUE(Enabled(kZoomIn));
  EXPECT_FALSE(Enabled(kZoomOut));
  const QRect fitted = frame->Preview()->PageRect();
  for (int expected : {200, 400, 800}) {
    Run(kZoomIn);
    EXPECT_EQ(frame->Preview()->Zoom(), expected);
  }
  EXPECT_FALSE(Enabled(kZoomIn));
  EXPECT_TRUE(Enabled(kZoomOut));
  EXPECT_GT(frame->Preview()->PageRect().height(), fitted.height());
  for (int expected : {400, 200, 0}) {
    Run(kZoomOut);
    EXPECT_EQ(frame->Preview()->Zoom(), expected);
  }
  EXPECT_FALSE(Enabled(kZoomOut));
  EXPECT_TRUE(Enabled(kZoomIn));
  EXPECT_EQ(frame->Preview()->PageRect(), fitted);

  EXPECT_EQ(ZoomIn(800), 800);
  EXPECT_EQ(ZoomOut(0), 0);
}

TEST_F(PrintCommandsFixture, PageSetupInThePreviewRendersWithTheNewMargins) {
  AddPersons(2);
  ChooseAddressBook();
  const CanvasRect before = frame->CurrentReport()->GetPageRect();
  prompter.pageSetups.push_back([](QPrinter&, QMarginsF& inches) {
    EXPECT_DOUBLE_EQ(inches.left(), 0.5);
    inches = QMarginsF(1.0, 0.75, 0.5, 0.5);
    return true;
  });
  Run(kPageSetup);
  EXPECT_EQ(frame->PageMargins(), (Margins{1000, 750, 500, 500}));
  const CanvasRect after = frame->CurrentReport()->GetPageRect();
  EXPECT_GT(after.left, before.left);
  EXPECT_GT(after.top, before.top);
  EXPECT_EQ(after.right, before.right);

  prompter.pageSetups.push_back([](QPrinter&, QMarginsF& inches) {
    inches = QMarginsF(2, 2, 2, 2);
    return false;
  });
  Run(kPageSetup);
  EXPECT_EQ(frame->PageMargins(), (Margins{1000, 750, 500, 500})) << "a cancelled dialog changes nothing";
}

TEST_F(PrintCommandsFixture, TheReportFontIsTakenInWholePointsAndNotBold) {
  QFont chosen(QStringLiteral("Liberation Sans"));
  chosen.setPointSizeF(12.5);
  chosen.setBold(true);
  prompter.fonts.push_back(chosen);
  Run(kReportFont);
  EXPECT_EQ(prompter.fontDialogInitial.family(), "Times New Roman");
  EXPECT_EQ(prompter.fontDialogInitial.pointSize(), 10);
  EXPECT_EQ(frame->ReportFace(), "Liberation Sans");
  EXPECT_EQ(frame->ReportPoints(), 12);

  AddPersons(1);
  ChooseAddressBook();
  const int dpi = frame->Printer().resolution();
  EXPECT_EQ(frame->CurrentReport()->RegularFont().height, -(12 * dpi / 72));
  EXPECT_EQ(frame->CurrentReport()->RegularFont().weight, 400);
  EXPECT_EQ(frame->CurrentReport()->RegularFont().face, "Liberation Sans");
}

TEST_F(PrintCommandsFixture, PrintingToAFileCountsThePagesInTheStatusBar) {
  AddPersons(20);
  ChooseAddressBook();
  const int pages = frame->CurrentReport()->GetPageCount();
  const std::string path = dir.File("printed.pdf");
  prompter.printDialogs.push_back([&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    return true;
  });
  QStringList shown;
  QObject::connect(frame->statusBar(), &QStatusBar::messageChanged, [&](const QString& text) {
    if (text.startsWith("Page")) shown.append(text);
  });
  Run(kPrint);
  QStringList expected;
  for (int page = 1; page <= pages; ++page) expected.append(QStringLiteral("Page %1 of %2").arg(page).arg(pages));
  EXPECT_EQ(shown, expected);
  const std::string pdf = testing::ReadBytes(path);
  ASSERT_GE(pdf.size(), 4u);
  EXPECT_EQ(pdf.substr(0, 4), "%PDF");
  EXPECT_TRUE(frame->PreviewShown()) << "printing from the preview keeps it";

  prompter.printDialogs.push_back([](QPrinter&) { return false; });
  shown.clear();
  Run(kPrint);
  EXPECT_TRUE(shown.isEmpty()) << "a cancelled print dialog prints nothing";
}

// Reports > Activity previews the chart of the persons and months chosen:
// everybody at first, or the one person picked.
TEST_F(PrintCommandsFixture, ActivityPreviewsTheChartOfTheChosenPersonsAndMonths) {
  AddPersons(2);
  Contacts& contacts = Records().Content().contacts;
  for (int i = 0; i < 5; ++i) {
    Contact contact;
    contact.ID = contacts.NextID();
    contact.PersonID = i < 3 ? 1 : 2;
    contact.ContactTypeID = 1;
    contact.DateTime.SetDateTime(2024, 3 + i % 2, 10, 9, 0, 0);
    contacts.Insert(contact);
  }
  Records().Apply();
  testing::MakeModified(frame->Doc());
  struct Case {
    int row;  // -1: everybody, as the dialog starts
    int counted;
  };
  for (const Case c : {Case{-1, 5}, Case{1, 2}}) {
    prompter.dialogs.push_back([c](QDialog& dialog) {
      auto& choice = dynamic_cast<ActivityReportDialog&>(dialog);
      choice.FromPicker()->setDate(QDate(2024, 1, 1));
      choice.ToPicker()->setDate(QDate(2024, 12, 1));
      if (c.row >= 0) choice.List()->setCurrentRow(c.row);
      choice.OkButton()->click();
      return dialog.result();
    });
    SCOPED_TRACE(c.row);
    Run(kReportActivity);
    auto* report = dynamic_cast<ActivityReport*>(frame->CurrentReport());
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(frame->Preview()->HasPage());
    EXPECT_EQ(report->GetPageCount(), 1);
    EXPECT_EQ(report->Counts().months.size(), 12u);
    EXPECT_EQ(report->Counts().Total(), c.counted) << c.row;
    Run(kClosePreview);
  }
}

// Page 1 at once, the rest from the event loop under a progress bar, which
// goes when the count is known, or with the report when it is rebuilt or closed.
TEST_F(PrintCommandsFixture, ALongReportIsPaginatedFromTheEventLoopUnderAProgressBar) {
  AddPersons(3);
  Contacts& contacts = Records().Content().contacts;
  for (int i = 0; i < 1500; ++i) {
    Contact contact;
    contact.ID = contacts.NextID();
    contact.PersonID = 1 + i % 3;
    contact.DateTime.SetDateTime(2024, 6, 1 + i % 30, 9, i % 60, 0);
    contact.Description = "Called about order " + std::to_string(i);
    contacts.Insert(contact);
  }
  Records().Apply();
  testing::MakeModified(frame->Doc());
  prompter.dialogs.push_back([](QDialog& dialog) {
    auto& choice = dynamic_cast<ContactsReportDialog&>(dialog);
    choice.BeginPicker()->setDate(QDate(2024, 1, 1));
    choice.SelectAllBox()->click();
    choice.OkButton()->click();
    return dialog.result();
  });
  Run(kReportContacts);
  const auto bar = [&] { return frame->statusBar()->findChild<QProgressBar*>(); };
  EXPECT_TRUE(frame->Preview()->HasPage());
  EXPECT_EQ(bar(), nullptr) << "no bar before the event loop takes over";
  QCoreApplication::processEvents();
  ASSERT_NE(bar(), nullptr);
  EXPECT_TRUE(bar()->isVisible());
  EXPECT_EQ(bar()->maximum(), 1500);
  while (Enabled(kNextPage)) Run(kNextPage);
  EXPECT_TRUE(QTest::qWaitFor([&] { return bar() == nullptr; }));
  Report* report = frame->CurrentReport();
  EXPECT_EQ(report->KnownPageCount(), report->GetPageCount()) << "the count shown is final";
  EXPECT_GT(report->KnownPageCount(), frame->PreviewPage() + 1) << "Next Page reached only the pages known";

  prompter.pageSetups.push_back([](QPrinter&, QMarginsF&) { return true; });
  Run(kPageSetup);
  QCoreApplication::processEvents();
  ASSERT_NE(bar(), nullptr);
  Run(kClosePreview);
  EXPECT_EQ(bar(), nullptr);
  // Nothing the event loop still holds brings the report back.
  QTest::qWait(50);
  EXPECT_EQ(frame->CurrentReport(), nullptr);
}

}  // namespace
}  // namespace vimbo
