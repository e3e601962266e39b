#include "ui/reports/envelope_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "ui/kit/accessible_names.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"

namespace vimbo {

EnvelopeDialog::EnvelopeDialog(const Persons& persons, const EnvelopeOptions& options, Prompter& prompter,
                               HelpSystem& help, QWidget* parent)
    : PersonChoiceDialog(persons,
                         {QStringLiteral("Envelope Printout"), QStringLiteral("Select All"),
                          QStringLiteral("You must select at least one person for whom to print an envelope."),
                          QStringLiteral("envrptdlg.htm")},
                         prompter, help, parent),
      options_(options),
      boxes_{{envelope::kRecipientTitle, &EnvelopeOptions::recipientTitle, nullptr},
             {envelope::kRecipientCompany, &EnvelopeOptions::recipientCompany, nullptr},
             {envelope::kRecipientPosition, &EnvelopeOptions::recipientPosition, nullptr},
             {envelope::kReturnTitle, &EnvelopeOptions::returnTitle, nullptr},
             {envelope::kReturnCompany, &EnvelopeOptions::returnCompany, nullptr},
             {envelope::kReturnPosition, &EnvelopeOptions::returnPosition, nullptr}} {
  Arrange(BuildOptionsGroup(), QSize(297, 140), help::EnvelopeDialog());
}

QWidget* EnvelopeDialog::BuildOptionsGroup() {
  auto* outer = new QGroupBox(QStringLiteral("Extra Information"), this);
  auto* outerColumn = new QVBoxLayout(outer);
  outerColumn->setContentsMargins(Units().X(6), Units().Y(2), Units().X(6), Units().Y(2));
  outerColumn->setSpacing(Units().Y(3));

  const char* const groups[] = {"Recipient", "Return Address"};
  const char* const texts[] = {"Title", "Company", "Position"};
  for (int g = 0; g < 2; ++g) {
    auto* group = new QGroupBox(QString::fromLatin1(groups[g]), outer);
    // Inside another group a group would be read by the outer one's title.
    NameControl(group, group->title());
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(Units().X(4), Units().Y(1), Units().X(4), Units().Y(1));
    column->setSpacing(Units().Y(1));
    for (int i = 0; i < 3; ++i) {
      Option& option = boxes_[g * 3 + i];
      option.box = new QCheckBox(QString::fromLatin1(texts[i]), group);
      SetControlId(option.box, option.id);
      option.box->setMinimumSize(Units().Size(65, 12));
      option.box->setChecked(options_.*option.member);
      // Each text is there twice: the group tells the two apart.
      NameControl(option.box, group->title() + u' ' + option.box->text());
      column->addWidget(option.box);
    }
    outerColumn->addWidget(group);
  }
  outerColumn->addStretch(1);
  return outer;
}

QCheckBox* EnvelopeDialog::OptionBox(int id) const {
  for (const Option& option : boxes_)
    if (option.id == id) return option.box;
  return nullptr;
}

void EnvelopeDialog::ReadChoices() {
  for (const Option& option : boxes_) options_.*option.member = option.box->isChecked();
}

}  // namespace vimbo
