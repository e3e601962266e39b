#include "ui/transfer/document_structure_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <array>

#include "core/records/text_rules.h"
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

struct Choice {
  const char* label;
  const char* characters;
};

// The list entries and the characters they stand for, by list position.
constexpr std::array<Choice, 5> kSeparators = {
    {{"Comma(,)", ","}, {"Semi-colon(;)", ";"}, {"Pipe(|)", "|"}, {"Space", " "}, {"Tab", "\t"}}};
constexpr std::array<Choice, 3> kEnclosers = {{{"Double Quote(\")", "\""}, {"Single Quote(')", "'"}, {"Nothing", ""}}};

template <size_t N>
QListWidget* ChoiceList(const std::array<Choice, N>& choices, int id, QWidget* parent) {
  auto* list = new QListWidget(parent);
  SetControlId(list, id);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const Choice& choice : choices) list->addItem(QString::fromLatin1(choice.label));
  // Every entry in view, with no scrolling.
  list->setMinimumHeight(list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth());
  return list;
}

QGroupBox* Group(const QString& title, int id, QWidget* content, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  SetControlId(group, id);
  content->setParent(group);
  (new QVBoxLayout(group))->addWidget(content);
  return group;
}

// The chosen row, or -1 when nothing is selected.
int SelectedRow(const QListWidget* list) {
  const auto selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.constFirst());
}

}  // namespace

DocumentStructurePage::DocumentStructurePage(TextTransferSettings& settings, TransferDirection direction,
                                             Prompter& prompter, HelpSystem& help, const QString& heading)
    : TransferPage(settings, direction, prompter, heading) {
  preview_ = new QPlainTextEdit(this);
  SetControlId(preview_, document_structure::kPreview);
  preview_->setReadOnly(true);
  // A first line of any length shows whole, wrapped where it must be.
  preview_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  preview_->setMaximumHeight(preview_->fontMetrics().lineSpacing() * 4);
  previewGroup_ = Group(QStringLiteral("F&irst line of document"), document_structure::kPreviewGroup, preview_, this);
  NameControl(preview_, previewGroup_->title());

  names_ = new QCheckBox(QStringLiteral("First line of document &contains field names"), this);
  SetControlId(names_, document_structure::kFieldNames);
  auto* namesGroup = Group(QStringLiteral("Field Names"), document_structure::kFieldNamesGroup, names_, this);

  separators_ = ChoiceList(kSeparators, document_structure::kSeparators, this);
  enclosers_ = ChoiceList(kEnclosers, document_structure::kEnclosers, this);
  auto* lists = new QHBoxLayout;
  lists->addWidget(Group(QStringLiteral("Field &Separator"), document_structure::kSeparatorGroup, separators_, this));
  lists->addWidget(Group(QStringLiteral("Field &Encloser"), document_structure::kEncloserGroup, enclosers_, this));
  NameControl(separators_, QStringLiteral("Field Separator"));
  NameControl(enclosers_, QStringLiteral("Field Encloser"));

  Content()->addWidget(previewGroup_);
  Content()->addWidget(namesGroup);
  Content()->addLayout(lists, 1);
  InstallContextHelp(this, help, help::DocumentStructurePage());
}

void DocumentStructurePage::FirstDisplay() {
  separators_->setCurrentRow(0);
  enclosers_->setCurrentRow(0);
  names_->setChecked(true);
  // An export has no file to preview yet.
  if (!importMode_) {
    previewGroup_->hide();
    return;
  }
  connect(separators_, &QListWidget::itemSelectionChanged, this, &DocumentStructurePage::ShowFirstRecord);
  connect(enclosers_, &QListWidget::itemSelectionChanged, this, &DocumentStructurePage::ShowFirstRecord);
}

void DocumentStructurePage::Activated() {
  if (importMode_) ShowFirstRecord();
}

void DocumentStructurePage::ShowFirstRecord() {
  const int separator = SelectedRow(separators_);
  const int encloser = SelectedRow(enclosers_);
  if (separator >= 0 && encloser >= 0) {
    FieldTokenizer tokenizer;
    tokenizer.SetCharacters(kSeparators[separator].characters, kEnclosers[encloser].characters);
    // A file that can no longer be read keeps the record the first page read.
    auto record = ReadFirstRecord(settings_.FileName, tokenizer);
    if (record) settings_.FirstLine = std::move(*record);
  }
  preview_->setPlainText(ToDisplay(LineFeedBreaks(settings_.FirstLine)));
}

bool DocumentStructurePage::validatePage() {
  const int separator = SelectedRow(separators_);
  const int encloser = SelectedRow(enclosers_);
  if (separator < 0 || encloser < 0) {
    prompter_.Message(wizard(),
                      QStringLiteral("You must select both a character that encloses each text field and one "
                                     "that separates each field."),
                      QStringLiteral("Choose Formatting Characters"), Prompter::Icon::kInformation,
                      Prompter::Buttons::kOk);
    return false;
  }
  settings_.Separator = kSeparators[separator].characters;
  settings_.Encloser = kEnclosers[encloser].characters;
  settings_.FirstLineHasNames = names_->isChecked();
  return true;
}

}  // namespace vimbo
