// The widgets of the main form, their numbers, places and tab order.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "core/records/field_tables.h"
#include "core/records/records.h"
#include "ui/form/contacts_list_model.h"
#include "ui/form/find_bar.h"
#include "ui/form/form_help_mode.h"
#include "ui/form/main_view.h"
#include "ui/form/person_details_panel.h"
#include "ui/form/person_list_model.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/follow_up_edit.h"
#include "ui/kit/form_text.h"
#include "ui/kit/partial_date_edit.h"

namespace vimbo {

using namespace main_form;

namespace {

// A person box, its label and its cell in the Person group's grid. The
// order is the one in which the boxes are locked and unlocked.
struct PersonBoxLayout {
  int boxId;
  int labelId;
  const char* label;
  CompactText Person::*field;
  int row;
  int column;
  int columnSpan;
};

constexpr PersonBoxLayout kPersonBoxLayout[] = {
    {kAddress, kAddressLabel, "Address:", &Person::Address, 1, 1, 1},
    {kCity, kCityLabel, "City:", &Person::City, 4, 1, 1},
    {kState, kStateLabel, "State/Province:", &Person::State, 5, 1, 1},
    {kPostalCode, kPostalCodeLabel, "Postal Code:", &Person::Zip, 6, 1, 1},
    {kTitle, kTitleLabel, "Title:", &Person::Title, 0, 3, 1},
    {kFirstName, kFirstNameLabel, "First Name:", &Person::FName, 1, 3, 1},
    {kLastName, kLastNameLabel, "Last Name:", &Person::LName, 2, 3, 1},
    {kCompany, kCompanyLabel, "Company:", &Person::Company, 3, 3, 1},
    {kPosition, kPositionLabel, "Position:", &Person::Position, 4, 3, 1},
    {kHomePhone, kHomePhoneLabel, "Home Phone:", &Person::Phone, 0, 5, 3},
    {kWorkPhone, kWorkPhoneLabel, "Work Phone:", &Person::WkPhone, 1, 5, 1},
    {kExtension, kExtensionLabel, "Ext:", &Person::WkExt, 1, 7, 1},
    {kPager, kPagerLabel, "Pager:", &Person::Pager, 2, 5, 3},
    {kCellPhone, kCellPhoneLabel, "Cel Phone:", &Person::CelPhone, 3, 5, 3},
    {kFax, kFaxLabel, "Fax:", &Person::Fax, 4, 5, 3},
    {kEMail, kEMailLabel, "E-Mail:", &Person::EMail, 5, 5, 3},
    {kWebPage, kWebPageLabel, "Web Page:", &Person::WebPage, 6, 5, 3},
};

// Every text field of a person, as the document file names them, has
// exactly one box.
constexpr bool EveryFieldHasOneBox() {
  for (const RecordField<Person>& field : kPersonFields) {
    int boxes = 0;
    for (const PersonBoxLayout& box : kPersonBoxLayout) boxes += box.field == field.member ? 1 : 0;
    if (boxes != 1) return false;
  }
  return std::size(kPersonBoxLayout) == std::size(kPersonFields);
}
static_assert(EveryFieldHasOneBox());

// Widths in dialog units of the grid columns; the columns widen in this
// proportion with the form.
constexpr int kPersonColumns[] = {51, 103, 42, 78, 46, 57, 19, 20};
constexpr int kContactColumns[] = {46, 101, 18, 253};

constexpr main_form::Control kTabOrder[] = {
    kPersonSelector, kTitle,       kFirstName,    kLastName,       kCompany,      kPosition,
    kHomePhone,      kWorkPhone,   kExtension,    kPager,          kCellPhone,    kFax,
    kEMail,          kWebPage,     kAddress,      kCity,           kState,        kPostalCode,
    kBirthdaySet,    kBirthday,    kBirthdayYear, kAnniversarySet, kAnniversary,  kAnniversaryYear,
    kKeepInTouch,    kPersonNotes, kDetailsList,  kAddDetail,      kRemoveDetail, kDate,
    kTime,           kContactType, kFollowUpSet,  kFollowUp,       kFollowUpDone, kNotes,
    kContactsList};

// The form as drawn, in dialog units: its width, its side margins and the
// width of the contacts list.
constexpr int kFormWidth = 440;
constexpr int kFormHeight = 276;
constexpr int kFormLeft = 6;
constexpr int kFormRight = 8;
constexpr int kListWidth = 417;

// The narrowest the Date, Time and Contact Type columns are made, in pixels.
constexpr int kMinimumColumnWidths[] = {75, 75, 85};

template <std::size_t N>
void SetColumnStretches(QGridLayout& grid, const int (&widths)[N]) {
  for (std::size_t column = 0; column < N; ++column) grid.setColumnStretch(static_cast<int>(column), widths[column]);
}

// Boxes take their width from the grid's proportions rather than from
// their own preferred size, so a narrow box such as Ext stays narrow.
void ProportionalWidth(QWidget* widget) {
  widget->setSizePolicy(QSizePolicy::Ignored, widget->sizePolicy().verticalPolicy());
}

// The width of a line box that shows a text `textWidth` pixels wide whole,
// with the two pixels a line edit keeps free either side of its text and
// the cursor's.
int LineBoxWidth(const QLineEdit& box, int textWidth) {
  QStyleOptionFrame option;
  option.initFrom(&box);
  option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
  const QSize contents(textWidth + 5, box.fontMetrics().height());
  return box.style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, &box).width();
}

// The drawn widths of the box columns cut an international phone number, an
// e-mail address of thirty characters and a company name of a few words in
// most fonts; each column is at least as wide as such a text needs, and
// wider where the dialog units give more. The e-mail box spans the phone
// column, its label's and the extension's.
void FitBoxColumns(QGridLayout& grid, const QLineEdit& box) {
  const QFontMetrics metrics = box.fontMetrics();
  const int letters = metrics.averageCharWidth();
  const std::pair<int, int> columns[] = {{1, 20 * letters},
                                         {3, 26 * letters},
                                         {5, metrics.horizontalAdvance(QStringLiteral("+49 (0611) 123 4567"))},
                                         {7, metrics.horizontalAdvance(QStringLiteral("00000"))}};
  for (const auto& [column, textWidth] : columns) grid.setColumnMinimumWidth(column, LineBoxWidth(box, textWidth));
  const int email = LineBoxWidth(box, metrics.horizontalAdvance(QStringLiteral("firstname.lastname@example.org")));
  const int spanned = grid.columnMinimumWidth(5) + grid.columnMinimumWidth(7) + grid.horizontalSpacing() * 2;
  if (email > spanned) grid.setColumnMinimumWidth(5, grid.columnMinimumWidth(5) + email - spanned);
}

// Tab leaves a picker at once, as it leaves every other box of the form;
// the arrow keys still move between the picker's fields.
template <typename Picker>
class TabLeavingPicker : public Picker {
 public:
  using Picker::Picker;

 protected:
  // The picker's own Tab handling, which walks its fields, is the one skipped.
  bool focusNextPrevChild(bool next) override {
    return QWidget::focusNextPrevChild(next);  // NOLINT(bugprone-parent-virtual-call)
  }
};

}  // namespace

void MainView::BuildForm() {
  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(units_.X(kFormLeft), units_.Y(2), units_.X(kFormRight), units_.Y(7));
  form->setSpacing(units_.Y(4));
  form->addWidget(BuildFindBar());
  // The details stand beside the seventeen boxes and the contact's panel,
  // as tall as both. The boxes take the width the form gains; the details
  // keep theirs.
  auto* upper = new QGridLayout;
  upper->setHorizontalSpacing(units_.X(4));
  upper->setVerticalSpacing(units_.Y(4));
  upper->addWidget(BuildPersonGroup(), 0, 0);
  upper->addWidget(BuildContactGroup(), 1, 0);
  upper->addWidget(BuildDetailsPanel(), 0, 1, 2, 1);
  upper->setColumnStretch(0, 1);
  form->addLayout(upper);
  // Only the Contacts box grows in height.
  form->addWidget(BuildContactsGroup(), 1);
  SetTabOrder();
  // The form's history keys and the notes box's Enter are seen here first.
  personSelector_->installEventFilter(this);
  notesBox_->installEventFilter(this);
  FitContactColumns();
  FillNotesColumn();
}

QWidget* MainView::BuildFindBar() {
  findBar_ = new FindBar([this]() -> const DocumentData& { return Data(); },
                         [this](int32_t id) { return persons_->RowOf(id); }, this);
  findBar_->setObjectName(QStringLiteral("FindBar"));
  Register(findBar_->Box(), kFindBox);
  Register(findBar_->Results(), kFindResults);
  Register(findBar_->CloseButton(), kFindClose);
  connect(findBar_, &FindBar::Chosen, this, &MainView::GoTo);
  connect(findBar_, &FindBar::Closed, this, [this] { personSelector_->setFocus(Qt::OtherFocusReason); });
  // Told of the bar's showing and hiding, so the window can make room.
  findBar_->installEventFilter(this);
  return findBar_;
}

QGroupBox* MainView::BuildPersonGroup() {
  personGroup_ = new QGroupBox(QStringLiteral("Person"), this);
  Register(personGroup_, kPersonGroup);
  auto* grid = new QGridLayout(personGroup_);
  grid->setContentsMargins(units_.X(3), units_.Y(1), units_.X(5), units_.Y(3));
  grid->setHorizontalSpacing(units_.X(2));
  grid->setVerticalSpacing(units_.Y(2));
  SetColumnStretches(*grid, kPersonColumns);

  personSelector_ = new QComboBox(personGroup_);
  personSelector_->setObjectName(QStringLiteral("PersonSelector"));
  persons_ = new PersonListModel(personSelector_);
  personSelector_->setModel(persons_);
  // The box takes its width from the grid. Sized to its contents, it would
  // measure every name of the document before the form first shows; the
  // entries have no icons, and with no icon size the box keeps the height
  // of one line of text.
  personSelector_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  personSelector_->setIconSize(QSize(0, 0));
  // When the text field is left holding the exact name of an entry, the
  // combo box picks that entry by itself. Typing is no pick here, so the two
  // handlers around the combo box's own (slots run in the order connected)
  // tell that case apart and undo it.
  auto* selectorText = new QLineEdit(personSelector_);
  NameControl(personSelector_, QStringLiteral("Person"));
  NameControl(selectorText, QStringLiteral("Person"));
  connect(selectorText, &QLineEdit::returnPressed, this, [this] { selectorReturn_ = true; });
  connect(selectorText, &QLineEdit::editingFinished, this, [this] { leavingSelectorText_ = true; });
  personSelector_->setLineEdit(selectorText);
  connect(selectorText, &QLineEdit::editingFinished, this, &MainView::KeepPersonSelection);
  // Typed text never becomes an entry; entries come from the document only.
  personSelector_->setInsertPolicy(QComboBox::NoInsert);
  ProportionalWidth(personSelector_);
  Register(personSelector_, kPersonSelector);
  grid->addWidget(personSelector_, 0, 0, 1, 2);

  for (const PersonBoxLayout& field : kPersonBoxLayout) {
    PersonBox box{nullptr, nullptr, field.field};
    QWidget* widget;
    int rowSpan = 1;
    if (field.boxId == kAddress) {
      box.lines = new QPlainTextEdit(personGroup_);
      box.lines->setLineWrapMode(QPlainTextEdit::NoWrap);
      box.lines->setTabChangesFocus(true);
      // Three rows of the grid, and at least four lines of text: most
      // addresses have that many.
      box.lines->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
      const QMargins frame = box.lines->contentsMargins();
      // A long line brings a scroll bar, which must not hide the fourth.
      box.lines->setMinimumHeight(4 * box.lines->fontMetrics().lineSpacing() + frame.top() + frame.bottom() +
                                  2 * static_cast<int>(box.lines->document()->documentMargin()) +
                                  box.lines->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
      widget = box.lines;
      rowSpan = 3;
    } else {
      box.line = new QLineEdit(personGroup_);
      // No box has a length limit: Qt's default one would cut a longer
      // stored value the next time the person is updated.
      box.line->setMaxLength(std::numeric_limits<int>::max());
      ProportionalWidth(box.line);
      widget = box.line;
    }
    Register(widget, field.boxId);
    grid->addWidget(widget, field.row, field.column, rowSpan, field.columnSpan);
    AddLabel(*grid, field.labelId, field.label, widget, field.row, field.column - 1);
    personBoxes_.push_back(box);
  }
  FitBoxColumns(*grid, *personBoxes_.back().line);
  return personGroup_;
}

QGroupBox* MainView::BuildDetailsPanel() {
  details_ = new PersonDetailsPanel(this);
  const std::pair<QWidget*, int> controls[] = {
      {details_->Birthday()->SetBox(), kBirthdaySet},
      {details_->Birthday()->Picker(), kBirthday},
      {details_->Birthday()->YearBox(), kBirthdayYear},
      {details_->Anniversary()->SetBox(), kAnniversarySet},
      {details_->Anniversary()->Picker(), kAnniversary},
      {details_->Anniversary()->YearBox(), kAnniversaryYear},
      {details_->KeepInTouch(), kKeepInTouch},
      {details_->Notes(), kPersonNotes},
      {details_->List(), kDetailsList},
      {details_->AddButton(), kAddDetail},
      {details_->RemoveButton(), kRemoveDetail},
  };
  for (const auto& [control, id] : controls) Register(control, id);
  return details_;
}

QGroupBox* MainView::BuildContactGroup() {
  contactGroup_ = new QGroupBox(QStringLiteral("Contact Information"), this);
  Register(contactGroup_, kContactGroup);
  auto* grid = new QGridLayout(contactGroup_);
  grid->setContentsMargins(units_.X(3), units_.Y(1), units_.X(5), units_.Y(3));
  // A label as wide as its column would touch its picker without a gap.
  grid->setHorizontalSpacing(units_.X(2));
  grid->setVerticalSpacing(units_.Y(2));
  SetColumnStretches(*grid, kContactColumns);

  const QLocale locale;
  datePicker_ = new TabLeavingPicker<QDateEdit>(contactGroup_);
  datePicker_->setCalendarPopup(true);
  datePicker_->setDisplayFormat(PickerDateFormat(locale));
  // The earliest date a contact can hold.
  datePicker_->setMinimumDate(QDate(100, 1, 1));
  datePicker_->setObjectName(QStringLiteral("DatePicker"));
  timePicker_ = new TabLeavingPicker<QTimeEdit>(contactGroup_);
  timePicker_->setObjectName(QStringLiteral("TimePicker"));
  timePicker_->setDisplayFormat(PickerTimeFormat(locale));
  contactTypeSelector_ = new QComboBox(contactGroup_);
  contactTypeSelector_->setObjectName(QStringLiteral("ContactTypeSelector"));

  const std::pair<QWidget*, int> pickers[] = {
      {datePicker_, kDate}, {timePicker_, kTime}, {contactTypeSelector_, kContactType}};
  const std::pair<int, const char*> labels[] = {
      {kDateLabel, "Date:"}, {kTimeLabel, "Time:"}, {kContactTypeLabel, "Contact Type:"}};
  for (int row = 0; row < 3; ++row) {
    ProportionalWidth(pickers[row].first);
    Register(pickers[row].first, pickers[row].second);
    grid->addWidget(pickers[row].first, row, 1);
    AddLabel(*grid, labels[row].first, labels[row].second, pickers[row].first, row, 0);
  }
  grid->addItem(new QSpacerItem(0, 0, QSizePolicy::Ignored, QSizePolicy::Minimum), 0, 2);

  followUp_ = new FollowUpEdit(contactGroup_);
  followUp_->setObjectName(QStringLiteral("FollowUpEdit"));
  Register(followUp_->SetBox(), kFollowUpSet);
  Register(followUp_->Picker(), kFollowUp);
  Register(followUp_->DoneBox(), kFollowUpDone);
  auto* followUpLabel = new QLabel(QStringLiteral("Follow up on:"), contactGroup_);
  LabelControl(followUpLabel, followUp_->SetBox());
  grid->addWidget(followUpLabel, 3, 0);
  grid->addWidget(followUp_, 3, 1, 1, 3);

  notesBox_ = new QPlainTextEdit(contactGroup_);
  notesBox_->setObjectName(QStringLiteral("NotesBox"));
  notesBox_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  notesBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  notesBox_->setTabChangesFocus(true);
  notesBox_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  NameControl(notesBox_, QStringLiteral("Notes"));
  Register(notesBox_, kNotes);
  grid->addWidget(notesBox_, 0, 3, 3, 1);
  return contactGroup_;
}

QGroupBox* MainView::BuildContactsGroup() {
  contactsGroup_ = new QGroupBox(QStringLiteral("Contacts"), this);
  Register(contactsGroup_, kContactsGroup);
  auto* grid = new QGridLayout(contactsGroup_);
  // At the form's drawn width the list is as wide as drawn, so the Notes
  // column worked out from that width just fills it.
  const QMargins frame = contactsGroup_->contentsMargins();
  const int groupWidth = units_.X(kFormWidth) - units_.X(kFormLeft) - units_.X(kFormRight);
  const int listWidth = units_.X(kListWidth);
  const int sides = std::max(0, groupWidth - frame.left() - frame.right() - listWidth);
  grid->setContentsMargins(sides / 3, units_.Y(1), sides - sides / 3, units_.Y(2));

  contactsList_ = new QTreeView(contactsGroup_);
  contactsList_->setObjectName(QStringLiteral("ContactsList"));
  NameControl(contactsList_, QStringLiteral("Contacts"));
  contacts_ = new ContactsListModel(contactsList_);
  contactsList_->setModel(contacts_);
  contactsList_->setRootIsDecorated(false);
  contactsList_->setItemsExpandable(false);
  // Every row is one line high, so the view measures one row, not all.
  contactsList_->setUniformRowHeights(true);
  contactsList_->setSelectionMode(QAbstractItemView::SingleSelection);
  contactsList_->setSelectionBehavior(QAbstractItemView::SelectRows);
  contactsList_->setAllColumnsShowFocus(true);
  QHeaderView* header = contactsList_->header();
  header->setSectionsMovable(false);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int column = 0; column < 3; ++column) contactsList_->setColumnWidth(column, kMinimumColumnWidths[column]);
  Register(contactsList_, kContactsList);
  grid->addWidget(contactsList_, 0, 0);
  return contactsGroup_;
}

// Date and Time fit any text their format gives, Contact Type the longest
// type name, each at least as wide as its heading. A column is only ever
// widened here, so a width the user chose stays while it is wide enough.
void MainView::FitContactColumns() {
  // The list's own font may come with its style, once polished.
  contactsList_->ensurePolished();
  const QFontMetrics metrics = contactsList_->fontMetrics();
  QString longestType;
  for (int i = 0; i < contactTypeSelector_->count(); ++i) {
    const QString type = contactTypeSelector_->itemText(i);
    if (metrics.horizontalAdvance(type) > metrics.horizontalAdvance(longestType)) longestType = type;
  }
  const FormDateTimeText texts;
  const QString widest[] = {texts.WidestDate(metrics), texts.WidestTime(metrics), longestType};
  // A cell's width as the view's style lays it out, margins included.
  QStyleOptionViewItem cell;
  cell.initFrom(contactsList_);
  cell.font = contactsList_->font();
  cell.fontMetrics = metrics;
  cell.features = QStyleOptionViewItem::HasDisplay;
  const auto cellWidth = [&](const QString& text) {
    cell.text = text;
    return contactsList_->style()->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), contactsList_).width();
  };

  QHeaderView* header = contactsList_->header();
  bool widened = false;
  for (int column = 0; column < 3; ++column) {
    const int width = contactsList_->columnWidth(column);
    const int needed =
        std::max({cellWidth(widest[column]), header->sectionSizeHint(column), kMinimumColumnWidths[column]});
    widened = widened || needed > width;
    contactsList_->setColumnWidth(column, std::max(width, needed));
  }
  if (widened) FillNotesColumn();
}

// Notes takes what is left of the list's width, and at least its heading;
// as created, the width the list has at the form's own size, so that Notes
// keeps its width when the form is resized.
void MainView::FillNotesColumn() {
  int fixedWidths = 0;
  for (int column = 0; column < 3; ++column) fixedWidths += contactsList_->columnWidth(column);
  const int formGrowth = std::max(0, sizeHint().width() - units_.X(kFormWidth));
  const int clientWidth = contactsList_->isVisible()
                              ? contactsList_->viewport()->width()
                              : units_.X(kListWidth) + formGrowth - 2 * contactsList_->frameWidth();
  contactsList_->setColumnWidth(3, std::max(contactsList_->header()->sectionSizeHint(3), clientWidth - fixedWidths));
}

QSize MainView::sizeHint() const { return units_.Size(kFormWidth, kFormHeight).expandedTo(minimumSizeHint()); }

void MainView::AddLabel(QGridLayout& grid, int id, const char* text, QWidget* control, int row, int column) {
  auto* label = new QLabel(QString::fromLatin1(text), grid.parentWidget());
  LabelControl(label, control);
  Register(label, id);
  grid.addWidget(label, row, column, Qt::AlignLeft | Qt::AlignVCenter);
}

void MainView::Register(QWidget* control, int id) {
  SetControlId(control, id);
  controls_.insert(id, control);
  if (control->focusPolicy() != Qt::NoFocus) helpMode_->Watch(control);
}

void MainView::SetTabOrder() {
  for (std::size_t i = 1; i < std::size(kTabOrder); ++i) setTabOrder(Control(kTabOrder[i - 1]), Control(kTabOrder[i]));
}

}  // namespace vimbo
