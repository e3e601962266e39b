#pragma once
// "Envelope Printout": the persons to print envelopes for, and what to print
// beside the names of the recipient and of the return address.

#include "core/reports/report_selection.h"
#include "ui/reports/person_choice_dialog.h"

class QCheckBox;

namespace vimbo {

class EnvelopeDialog : public PersonChoiceDialog {
  Q_OBJECT
 public:
  // The six boxes start as `options` says; the caller passes the options of
  // the previous envelopes so they are offered again.
  EnvelopeDialog(const Persons& persons, const EnvelopeOptions& options, Prompter& prompter, HelpSystem& help,
                 QWidget* parent = nullptr);

  // The boxes as confirmed with OK; before that, the options passed in.
  const EnvelopeOptions& Options() const { return options_; }

  // The box of one option, by its control number (1015, 1003, 1004 for the
  // recipient, 1007, 1009, 1011 for the return address); null for others.
  QCheckBox* OptionBox(int id) const;

 protected:
  void ReadChoices() override;

 private:
  struct Option {
    int id;
    bool EnvelopeOptions::*member;
    QCheckBox* box;
  };

  QWidget* BuildOptionsGroup();

  EnvelopeOptions options_;
  Option boxes_[6];
};

}  // namespace vimbo
