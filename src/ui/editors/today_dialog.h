#pragma once
// Today: what is due, in one list of three groups: follow-ups due or
// overdue, persons due by their keep-in-touch interval, and birthdays and
// anniversaries of the next two weeks. Enter or a double click picks an
// entry for the form to show; Mark Done marks a follow-up done, as one step
// Undo takes back.

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace vimbo {

class LogDocument;

class TodayDialog : public QDialog {
  Q_OBJECT

 public:
  // The days ahead that birthdays and anniversaries are listed for.
  static constexpr int kDaysAhead = 14;

  TodayDialog(LogDocument& document, int64_t today, bool showAtStart, QWidget* parent = nullptr);

  // The entry picked: its person, and its contact (0 for none).
  int32_t ChosenPerson() const { return chosenPerson_; }
  int32_t ChosenContact() const { return chosenContact_; }
  bool ShowAtStart() const;

  QTreeWidget* List() const { return list_; }
  QPushButton* MarkDoneButton() const { return markDone_; }

 private:
  void Fill();
  void ShowButtons();
  void Pick();
  void MarkDone();

  LogDocument& document_;
  int64_t today_;
  QTreeWidget* list_;
  QLabel* nothing_;
  QPushButton* show_;
  QPushButton* markDone_;
  QCheckBox* atStart_;
  int32_t chosenPerson_ = 0;
  int32_t chosenContact_ = 0;
};

}  // namespace vimbo
