// Every numbered control of every form and dialog has an entry in the help
// map of the window that answers F1 for it; a control without one shows
// nothing.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>
#include <set>
#include <utility>
#include <vector>

#include "core/transfer/text_transfer_settings.h"
#include "support/scripted_prompter.h"
#include "ui/document/log_document.h"
#include "ui/editors/contact_type_details_dialog.h"
#include "ui/editors/contact_types_dialog.h"
#include "ui/editors/user_info_sheet.h"
#include "ui/form/main_view.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/help_maps.h"
#include "ui/kit/help_system.h"
#include "ui/reports/activity_report_dialog.h"
#include "ui/reports/address_book_dialog.h"
#include "ui/reports/contacts_report_dialog.h"
#include "ui/reports/envelope_dialog.h"
#include "ui/reports/vcard_export_dialog.h"
#include "ui/transfer/document_structure_page.h"
#include "ui/transfer/field_assignment_dialog.h"
#include "ui/transfer/fields_page.h"
#include "ui/transfer/select_document_page.h"
#include "ui/transfer/text_transfer_wizard.h"

namespace vimbo {
namespace {

// A window, or a page of one, with the map that answers for the controls in
// it. A control belongs to the innermost part that holds it: a wizard's
// buttons to the wizard, a page's boxes to the page.
struct Part {
  QString name;
  const QWidget* root;
  help::HelpMap map;
};

const Part* OwnerOf(const QWidget* widget, const std::vector<Part>& parts) {
  for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
    for (const Part& part : parts)
      if (part.root == w) return &part;
  return nullptr;
}

// Controls that carry a number for another purpose than help.
bool HelpNotIntended(const QString& part, int id) {
  // The form's group boxes: their numbers choose the context menu, and help
  // looks through them to the control under the pointer.
  if (part == "main form")
    return id == main_form::kPersonGroup || id == main_form::kContactGroup || id == main_form::kContactsGroup;
  // The place of the picture on each wizard page.
  return id == transfer_page::kPicture;
}

struct Coverage {
  QStringList missing;  // "part: number (class)"
  QStringList empty;    // parts holding no numbered control at all
};

Coverage Check(const std::vector<Part>& parts) {
  Coverage coverage;
  for (const Part& part : parts) {
    int numbered = 0;
    for (const QWidget* widget : part.root->findChildren<QWidget*>()) {
      const int id = ControlId(widget);
      if (id == 0 || OwnerOf(widget, parts) != &part) continue;
      ++numbered;
      if (!help::ContextOf(part.map, static_cast<uint32_t>(id)) && !HelpNotIntended(part.name, id))
        coverage.missing << QStringLiteral("%1: %2 (%3)").arg(part.name).arg(id).arg(widget->metaObject()->className());
    }
    if (numbered == 0) coverage.empty << part.name;
  }
  return coverage;
}

TEST(HelpCoverage, EveryNumberedControlOfEveryWindowHasHelp) {
  testing::ScriptedPrompter prompter;
  HelpSystem help(QStringLiteral(VIMBO_HELP_DIR));

  MainView form;
  LogDocument document(prompter);
  ContactTypesDialog types(document, prompter, help);
  ContactTypeDetailsDialog details(document.Data(), true, 0, std::string(), prompter, help);
  UserInfoSheet sheet(User{}, help);
  TextTransferSettings settings;
  TextTransferWizard wizard(settings, TransferDirection::kImport, QStringLiteral("Import"), prompter, help);
  FieldAssignmentDialog assignment({"LastName", "FirstName"}, "LastName", help);
  const Persons persons;
  AddressBookDialog addressBook(persons, prompter, help);
  ContactsReportDialog contactsReport(persons, prompter, help);
  ActivityReportDialog activityReport(persons, prompter, help);
  EnvelopeDialog envelopes(persons, EnvelopeOptions{}, prompter, help);
  VCardExportDialog vcardExport(persons, prompter, help);

  const std::vector<Part> parts = {
      {"main form", &form, help::MainForm()},
      {"contact types", &types, help::ContactTypesDialog()},
      {"contact type details", &details, help::ContactTypeDetailsDialog()},
      {"user sheet", &sheet, help::UserInfoSheet()},
      {"general page", sheet.Tabs()->widget(0), help::GeneralPage()},
      {"address page", sheet.Tabs()->widget(1), help::AddressPage()},
      {"phone page", sheet.Tabs()->widget(2), help::PhonePage()},
      {"transfer wizard", &wizard, help::TextTransferWizard()},
      {"select document page", wizard.SelectDocument(), help::SelectDocumentPage()},
      {"document structure page", wizard.DocumentStructure(), help::DocumentStructurePage()},
      {"fields page", wizard.Fields(), help::FieldsPage()},
      {"field assignment", &assignment, help::FieldAssignmentDialog()},
      {"address book", &addressBook, help::AddressBookDialog()},
      {"contacts report", &contactsReport, help::ContactsReportDialog()},
      {"activity report", &activityReport, help::ActivityReportDialog()},
      {"envelopes", &envelopes, help::EnvelopeDialog()},
      {"vcard export", &vcardExport, help::VCardExportDialog()},
  };
  const Coverage coverage = Check(parts);
  EXPECT_TRUE(coverage.missing.isEmpty()) << "no help for\n" << coverage.missing.join('\n').toStdString();
  EXPECT_TRUE(coverage.empty.isEmpty()) << "no numbered control, so the wrong widget, in "
                                        << coverage.empty.join(QStringLiteral(", ")).toStdString();
}

// The help is looked up from the program's folder, never the current one:
// share/vimbo/help beside its bin folder, where the build puts it too, so the
// program run from the build tree shows the same pages as an installed one.
TEST(HelpCoverage, TheProgramFindsItsHelpBesideItsBinFolder) {
  EXPECT_EQ(HelpFolderOf(QStringLiteral("/usr/bin")), QStringLiteral("/usr/share/vimbo/help"));
  EXPECT_EQ(HelpFolderOf(QStringLiteral("/opt/vimbo/bin/")), QStringLiteral("/opt/vimbo/share/vimbo/help"));

  const QString built = HelpFolderOf(QStringLiteral(VIMBO_PROGRAM_DIR));
  const QDir pages(QStringLiteral(VIMBO_HELP_DIR "/html"));
  for (const QString& name : {QStringLiteral("contents.txt"), QStringLiteral("popups.txt")})
    EXPECT_TRUE(QFileInfo::exists(built + QLatin1Char('/') + name)) << built.toStdString() << " " << name.toStdString();
  ASSERT_FALSE(pages.isEmpty());
  for (const QString& page : pages.entryList({QStringLiteral("*.htm")}, QDir::Files))
    EXPECT_TRUE(QFileInfo::exists(built + QStringLiteral("/html/") + page)) << page.toStdString();
}

}  // namespace
}  // namespace vimbo
