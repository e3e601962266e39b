#include "ui/reports/person_choice_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "gfx/display_text.h"
#include "gfx/name_order.h"
#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"
#include "ui/kit/dialog_help.h"
#include "ui/kit/help_system.h"
#include "ui/kit/prompter.h"

namespace vimbo {

PersonChoiceDialog::PersonChoiceDialog(const Persons& persons, const Texts& texts, Prompter& prompter, HelpSystem& help,
                                       QWidget* parent)
    : QDialog(parent), persons_(persons), texts_(texts), prompter_(prompter), help_(help), units_(fontMetrics()) {
  setWindowTitle(texts_.title);

  personsGroup_ = new QGroupBox(QStringLiteral("Persons To Include"), this);
  SetControlId(personsGroup_, person_choice::kPersonsGroup);
  list_ = new QListWidget(personsGroup_);
  SetControlId(list_, person_choice::kPersons);
  NameControl(list_, personsGroup_->title());
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list_->setMinimumSize(units_.Size(116, 90));
  selectAll_ = new QCheckBox(texts_.selectAll, personsGroup_);
  SetControlId(selectAll_, person_choice::kSelectAll);

  auto* column = new QVBoxLayout(personsGroup_);
  column->setContentsMargins(units_.X(6), units_.Y(2), units_.X(6), units_.Y(2));
  column->setSpacing(units_.Y(3));
  column->addWidget(list_);
  column->addWidget(selectAll_);

  FillList();

  // Only ticking acts; clearing the box leaves the selection as it is, and
  // the box does not follow selections made by hand afterwards. The tick
  // acts however it was made: by the mouse, the keyboard or a screen reader.
  connect(selectAll_, &QCheckBox::toggled, this, [this](bool ticked) {
    if (ticked) list_->selectAll();
  });
}

void PersonChoiceDialog::FillList() {
  std::vector<NamedEntry> entries;
  entries.reserve(persons_.Size());
  for (const auto& [id, person] : persons_) entries.push_back({ToDisplay(person.DisplayName()), id});
  SortByName(entries);
  for (const auto& [text, id] : entries) {
    auto* item = new QListWidgetItem(text, list_);
    item->setData(Qt::UserRole, id);
  }
}

void PersonChoiceDialog::Arrange(QWidget* choices, QSize size, help::HelpMap map) {
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(ok_, person_choice::kOk);
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  SetControlId(cancel_, person_choice::kCancel);
  helpButton_ = new QPushButton(QStringLiteral("&Help..."), this);
  SetControlId(helpButton_, person_choice::kHelp);
  // Enter means OK, also while the keyboard is on another button.
  for (QPushButton* button : {cancel_, helpButton_}) button->setAutoDefault(false);

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(units_.Y(3));
  for (QPushButton* button : {ok_, cancel_, helpButton_}) {
    button->setMinimumSize(units_.Size(50, 14));
    buttons->addWidget(button);
  }
  buttons->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(units_.X(7), units_.Y(3), units_.X(7), units_.Y(6));
  layout->setSpacing(units_.X(6));
  layout->addWidget(personsGroup_);
  if (choices) layout->addWidget(choices);
  layout->addLayout(buttons);

  connect(ok_, &QPushButton::clicked, this, &PersonChoiceDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(helpButton_, &QPushButton::clicked, this, [this] { help_.ShowTopic(texts_.helpPage, this); });

  setFixedSize(units_.Size(size.width(), size.height()).expandedTo(sizeHint()));
  list_->setFocus();
  InstallContextHelp(this, help_, map);
}

void PersonChoiceDialog::accept() {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) {
    prompter_.Message(this, texts_.noSelection, QStringLiteral("Select Names"), Prompter::Icon::kInformation,
                      Prompter::Buttons::kOk);
    list_->setFocus();
    return;
  }
  result_.clear();
  for (const QListWidgetItem* item : selected) {
    const int32_t id = item->data(Qt::UserRole).toInt();
    if (const Person* person = persons_.Find(id)) result_.emplace(id, *person);
  }
  ReadChoices();
  QDialog::accept();
}

}  // namespace vimbo
