#pragma once
// The wizard's last page. An export ticks the fields to write (Finish waits
// for one) and, for contacts, may ask for ISO dates; an import lists the
// columns of the file's first line and assigns each a field of the record
// through the "Fields" dialog, starting from the fields the columns' names
// are known for when the first line holds names.

#include <string>
#include <vector>

#include "ui/transfer/transfer_page.h"

class QCheckBox;
class QLabel;
class QTreeWidget;

namespace vimbo {

class HelpSystem;

class FieldsPage : public TransferPage {
  Q_OBJECT

 public:
  FieldsPage(TextTransferSettings& settings, TransferDirection direction, Prompter& prompter, HelpSystem& help,
             const QString& heading);

  QString Caption() const override;
  bool validatePage() override;
  bool isComplete() const override;

  QTreeWidget* List() const { return list_; }
  // Export of contacts only; nullptr otherwise.
  QCheckBox* IsoDatesBox() const { return isoDates_; }
  // Import: which columns were assigned by their names.
  QLabel* MatchedText() const { return matched_; }
  // Import: each column's assigned key, empty for a column not imported.
  const std::vector<std::string>& Assignments() const { return assignments_; }

 protected:
  void FirstDisplay() override;
  void Activated() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What the import rows were split from.
  struct Source {
    std::string firstLine;
    std::string separator;
    std::string encloser;
    bool names = false;
    bool operator==(const Source&) const = default;
  };

  void BuildExportRows();
  void BuildImportRows();
  void AssignByNames();
  void AssignColumn(int row);
  void ShowAssignment(int row);

  HelpSystem& help_;
  QTreeWidget* list_;
  QCheckBox* isoDates_ = nullptr;
  QLabel* matched_ = nullptr;
  std::vector<std::string> available_;
  std::vector<std::string> required_;
  std::vector<std::string> assignments_;
  Source builtFrom_;
  bool built_ = false;
};

}  // namespace vimbo
