#include "ui/form/person_details_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>
#include <array>
#include <utility>

#include "gfx/display_text.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/form_text.h"
#include "ui/kit/partial_date_edit.h"
#include "ui/kit/read_only_look.h"

namespace vimbo {
namespace {

// The kinds as the list names them, in the order the kind box offers them.
// A photo comes with a card; it is shown and removed, not typed in.
constexpr std::array<std::pair<DetailKind, const char*>, 10> kKindNames = {{
    {DetailKind::kPhone, "Phone"},
    {DetailKind::kEmail, "E-Mail"},
    {DetailKind::kAddress, "Address"},
    {DetailKind::kUrl, "Web Address"},
    {DetailKind::kIm, "Messaging"},
    {DetailKind::kSip, "SIP"},
    {DetailKind::kName, "Name"},
    {DetailKind::kOrg, "Organization"},
    {DetailKind::kCustom, "Other"},
    {DetailKind::kPhoto, "Photo"},
}};
constexpr int kTypedKinds = 9;

QString KindName(DetailKind kind) {
  for (const auto& [each, name] : kKindNames)
    if (each == kind) return QString::fromLatin1(name);
  return {};
}

DetailKind KindNamed(const QString& text, DetailKind otherwise) {
  for (const auto& [kind, name] : kKindNames)
    if (text == QLatin1String(name)) return kind;
  return otherwise;
}

// An address in one cell: its parts in their order, each after a "; ".
QString AddressText(const PersonDetail& detail) {
  QStringList parts;
  for (const AddressPart& part : kAddressParts) parts << SingleLineToDisplay(detail.*part.member);
  return parts.join(QStringLiteral("; "));
}

QString ValueText(const PersonDetail& detail) {
  if (detail.kind == DetailKind::kAddress) return AddressText(detail);
  if (detail.kind == DetailKind::kPhoto)
    return QStringLiteral("%1 (%2 KB)").arg(ToDisplay(detail.type)).arg((detail.value.size() * 3 / 4 + 1023) / 1024);
  return SingleLineToDisplay(detail.value);
}

// The kind cell is edited with a list of the kinds, which a combo box's
// text hands back to the cell.
class KindDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
    auto* box = new QComboBox(parent);
    for (int i = 0; i < kTypedKinds; ++i) box->addItem(QString::fromLatin1(kKindNames[i].second));
    return box;
  }
};

}  // namespace

PersonDetailsPanel::PersonDetailsPanel(QWidget* parent) : QGroupBox(QStringLiteral("Details"), parent) {
  auto* grid = new QGridLayout(this);
  birthday_ = new PartialDateEdit(QStringLiteral("Birthday"), this);
  birthday_->setObjectName(QStringLiteral("BirthdayPicker"));
  anniversary_ = new PartialDateEdit(QStringLiteral("Anniversary"), this);
  anniversary_->setObjectName(QStringLiteral("AnniversaryPicker"));
  keepInTouch_ = new QSpinBox(this);
  keepInTouch_->setObjectName(QStringLiteral("KeepInTouchBox"));
  // Ten years at most; none shows as a dash.
  keepInTouch_->setRange(0, 3650);
  keepInTouch_->setSpecialValueText(QStringLiteral("\u2014"));
  keepInTouch_->setSuffix(QStringLiteral(" days"));
  NameControl(keepInTouch_, QStringLiteral("Keep In Touch Every"));
  notes_ = new QPlainTextEdit(this);
  notes_->setObjectName(QStringLiteral("PersonNotesBox"));
  notes_->setTabChangesFocus(true);
  notes_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  list_ = new QTableWidget(0, 3, this);
  list_->setObjectName(QStringLiteral("DetailsList"));
  list_->setHorizontalHeaderLabels({QStringLiteral("Kind"), QStringLiteral("Label"), QStringLiteral("Value")});
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setSectionResizeMode(kKindColumn, QHeaderView::ResizeToContents);
  list_->horizontalHeader()->setSectionResizeMode(kLabelColumn, QHeaderView::ResizeToContents);
  list_->horizontalHeader()->setSectionResizeMode(kValueColumn, QHeaderView::Stretch);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // One line a row, the whole value in the row's tip; wide enough for a
  // kind, a label and an e-mail address of thirty characters.
  list_->setWordWrap(false);
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->setMinimumWidth(48 * list_->fontMetrics().averageCharWidth());
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setTabKeyNavigation(false);
  list_->setItemDelegateForColumn(kKindColumn, new KindDelegate(list_));
  list_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  NameControl(list_, QStringLiteral("Details"));
  add_ = new QPushButton(QStringLiteral("Add Detail"), this);
  add_->setObjectName(QStringLiteral("AddDetail"));
  remove_ = new QPushButton(QStringLiteral("Remove Detail"), this);
  remove_->setObjectName(QStringLiteral("RemoveDetail"));
  photo_ = new QLabel(this);
  photo_->setObjectName(QStringLiteral("PersonPhoto"));
  photo_->setAlignment(Qt::AlignCenter);

  // A date's label leads to the box that sets it, as the picker waits for
  // that; each part keeps a name of its own.
  const std::pair<const char*, QWidget*> rows[] = {{"Birthday:", birthday_},
                                                   {"Anniversary:", anniversary_},
                                                   {"Keep in touch every:", keepInTouch_},
                                                   {"Notes:", notes_}};
  QWidget* const targets[] = {birthday_->SetBox(), anniversary_->SetBox(), keepInTouch_, notes_};
  for (int row = 0; row < 4; ++row) {
    auto* label = new QLabel(QString::fromLatin1(rows[row].first), this);
    LabelControl(label, targets[row]);
    grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(rows[row].second, row, 1);
  }
  NameControl(birthday_->SetBox(), QStringLiteral("Birthday Set"));
  NameControl(anniversary_->SetBox(), QStringLiteral("Anniversary Set"));
  // The notes of the person are told apart from the contact's.
  NameControl(notes_, QStringLiteral("Person Notes"));
  grid->addWidget(photo_, 0, 2, 4, 1);
  grid->addWidget(list_, 4, 0, 1, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(remove_);
  buttons->addStretch(1);
  grid->addLayout(buttons, 5, 0, 1, 3);
  grid->setRowStretch(3, 2);
  grid->setRowStretch(4, 3);
  grid->setColumnStretch(1, 1);

  connect(add_, &QPushButton::clicked, this, &PersonDetailsPanel::AddDetail);
  connect(remove_, &QPushButton::clicked, this, &PersonDetailsPanel::RemoveDetail);
  connect(list_, &QTableWidget::itemSelectionChanged, this, &PersonDetailsPanel::ShowButtons);
  SetReadOnly(true);
}

void PersonDetailsPanel::Show(const Person* person) {
  birthday_->SetDate(person ? person->Birthday : PartialDate());
  anniversary_->SetDate(person ? person->Anniversary : PartialDate());
  keepInTouch_->setValue(person ? person->KeepInTouch : 0);
  const QString notes = person ? MultiLineToDisplay(person->Notes) : QString();
  if (notes_->toPlainText() != notes) notes_->setPlainText(notes);
  list_->setRowCount(0);
  shown_.clear();
  if (person)
    for (const PersonDetail& detail : person->Details) AddRow(detail);
  ShowPhoto(person);
  ShowButtons();
}

void PersonDetailsPanel::AddRow(const PersonDetail& detail) {
  const int row = list_->rowCount();
  list_->insertRow(row);
  auto* kind = new QTableWidgetItem(KindName(detail.kind));
  list_->setItem(row, kKindColumn, kind);
  list_->setItem(row, kLabelColumn, new QTableWidgetItem(SingleLineToDisplay(detail.label)));
  auto* value = new QTableWidgetItem(ValueText(detail));
  value->setToolTip(value->text());
  // A photo is bytes, not text to type.
  if (detail.kind == DetailKind::kPhoto) {
    value->setFlags(value->flags() & ~Qt::ItemIsEditable);
    kind->setFlags(kind->flags() & ~Qt::ItemIsEditable);
  }
  list_->setItem(row, kValueColumn, value);
  shown_.push_back(detail);
}

void PersonDetailsPanel::AddDetail() {
  PersonDetail detail;
  detail.kind = DetailKind::kPhone;
  AddRow(detail);
  const int row = list_->rowCount() - 1;
  list_->setCurrentCell(row, kKindColumn);
  list_->setFocus(Qt::OtherFocusReason);
  list_->editItem(list_->item(row, kKindColumn));
}

void PersonDetailsPanel::RemoveDetail() {
  const int row = list_->currentRow();
  if (row < 0) return;
  list_->removeRow(row);
  shown_.erase(shown_.begin() + row);
  ShowButtons();
}

void PersonDetailsPanel::CommitEdit() {
  // Moving the current cell hands an open editor's text to its cell.
  const int row = list_->currentRow();
  const int column = list_->currentColumn();
  list_->setCurrentIndex(QModelIndex());
  if (row >= 0) list_->setCurrentCell(row, column);
}

void PersonDetailsPanel::ApplyTo(Person& person, const Person& original) const {
  person.Birthday = birthday_->Date();
  person.Anniversary = anniversary_->Date();
  // A longer interval from a file than the box takes stays as it was.
  const int shown = std::min(original.KeepInTouch, keepInTouch_->maximum());
  person.KeepInTouch = keepInTouch_->value() == shown ? original.KeepInTouch : keepInTouch_->value();
  person.Notes = MultiLineFromDisplay(MultiLineBoxText(*notes_), original.Notes);
  person.Details.clear();
  for (int row = 0; row < list_->rowCount(); ++row) {
    PersonDetail detail = DetailOfRow(row);
    // A row left empty is no detail.
    PersonDetail blank;
    blank.kind = detail.kind;
    if (detail == blank) continue;
    person.Details.push_back(std::move(detail));
  }
}

PersonDetail PersonDetailsPanel::DetailOfRow(int row) const {
  PersonDetail detail = shown_[static_cast<std::size_t>(row)];
  const PersonDetail before = detail;
  detail.kind = KindNamed(list_->item(row, kKindColumn)->text(), before.kind);
  const QString label = list_->item(row, kLabelColumn)->text();
  if (label != SingleLineToDisplay(before.label)) detail.label = FromDisplay(label, before.label);
  const QString value = list_->item(row, kValueColumn)->text();
  if (value == ValueText(before) && detail.kind == before.kind) return detail;
  if (detail.kind == DetailKind::kAddress) {
    const QStringList parts = value.split(QLatin1Char(';'));
    detail.value.clear();
    for (std::size_t i = 0; i < kAddressParts.size(); ++i)
      detail.*kAddressParts[i].member =
          static_cast<qsizetype>(i) < parts.size() ? FromDisplay(parts[static_cast<qsizetype>(i)].trimmed()) : "";
  } else {
    detail.value = FromDisplay(value, before.value);
    for (const AddressPart& part : kAddressParts) (detail.*part.member).clear();
  }
  return detail;
}

void PersonDetailsPanel::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  birthday_->SetReadOnly(readOnly);
  anniversary_->SetReadOnly(readOnly);
  keepInTouch_->setReadOnly(readOnly);
  keepInTouch_->setButtonSymbols(readOnly ? QAbstractSpinBox::NoButtons : QAbstractSpinBox::UpDownArrows);
  SetReadOnlyLook(*keepInTouch_, readOnly, palette());
  notes_->setReadOnly(readOnly);
  SetReadOnlyLook(*notes_, readOnly, palette());
  SetReadOnlyLook(*list_, readOnly, palette());
  list_->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                                  : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                        QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  ShowButtons();
}

void PersonDetailsPanel::ShowButtons() {
  add_->setEnabled(!readOnly_);
  remove_->setEnabled(!readOnly_ && list_->currentRow() >= 0);
}

void PersonDetailsPanel::ShowPhoto(const Person* person) {
  photo_->clear();
  photo_->hide();
  if (!person) return;
  for (const PersonDetail& detail : person->Details) {
    if (detail.kind != DetailKind::kPhoto) continue;
    QPixmap picture;
    if (!picture.loadFromData(QByteArray::fromBase64(
            QByteArray::fromRawData(detail.value.data(), static_cast<qsizetype>(detail.value.size())))))
      continue;
    const int side = fontMetrics().height() * 4;
    photo_->setPixmap(picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    photo_->show();
    return;
  }
}

}  // namespace vimbo
