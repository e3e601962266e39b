#include "ui/transfer/select_document_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "core/transfer/field_tokenizer.h"
#include "core/transfer/person_text_reader.h"
#include "core/transfer/text_transfer_settings.h"
#include "gfx/display_text.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_help.h"
#include "ui/kit/prompter.h"

namespace vimbo {
namespace {

const QString kFilter = QStringLiteral("Comma Separated files (*.csv);;Text Files (*.txt);;All files (*.*)");
const QString kDefaultExtension = QStringLiteral("csv");

}  // namespace

SelectDocumentPage::SelectDocumentPage(TextTransferSettings& settings, TransferDirection direction, Prompter& prompter,
                                       HelpSystem& help, const QString& heading)
    : TransferPage(settings, direction, prompter, heading) {
  auto* group = new QGroupBox(QStringLiteral("&Select File"), this);
  SetControlId(group, select_document::kFileGroup);
  fileName_ = new QLineEdit(group);
  SetControlId(fileName_, select_document::kFileName);
  NameControl(fileName_, group->title());
  // A long path must reach the file functions whole.
  fileName_->setMaxLength(std::numeric_limits<int>::max());
  browse_ = new QPushButton(QStringLiteral("..."), group);
  SetControlId(browse_, select_document::kBrowse);
  NameControl(browse_, QStringLiteral("Browse"));
  browse_->setAutoDefault(false);
  auto* row = new QHBoxLayout(group);
  row->addWidget(fileName_, 1);
  row->addWidget(browse_);
  Content()->addWidget(group);
  Content()->addStretch(1);

  connect(fileName_, &QLineEdit::textChanged, this, &QWizardPage::completeChanged);
  connect(browse_, &QPushButton::clicked, this, &SelectDocumentPage::Browse);
  InstallContextHelp(this, help, help::SelectDocumentPage());
}

bool SelectDocumentPage::isComplete() const { return !fileName_->text().isEmpty(); }

void SelectDocumentPage::Browse() {
  const auto chosen = importMode_ ? prompter_.OpenFileName(wizard(), kFilter, kDefaultExtension)
                                  : prompter_.SaveFileName(wizard(), kFilter, kDefaultExtension, fileName_->text());
  if (chosen) fileName_->setText(*chosen);
}

bool SelectDocumentPage::validatePage() {
  if (fileName_->text().isEmpty()) {
    prompter_.Message(wizard(), QStringLiteral("You must enter a file name"), QStringLiteral("Enter File Name"),
                      Prompter::Icon::kInformation, Prompter::Buttons::kOk);
    return false;
  }
  settings_.FileName = LocalPath(fileName_->text());
  if (!importMode_) return true;
  // The whole first record, however long: the columns are found in it. The
  // next page reads it again as the characters it picks split the file.
  FieldTokenizer tokenizer;
  tokenizer.SetCharacters(settings_.Separator, settings_.Encloser);
  auto firstLine = ReadFirstRecord(settings_.FileName, tokenizer);
  if (!firstLine) {
    prompter_.Message(wizard(), QStringLiteral("Unable to open file"), QStringLiteral("File Error"),
                      Prompter::Icon::kInformation, Prompter::Buttons::kOk);
    return false;
  }
  settings_.FirstLine = std::move(*firstLine);
  return true;
}

}  // namespace vimbo
