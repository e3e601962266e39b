#pragma once
// "Contact Types": the document's table of contact types, with Add, Edit and
// Delete. Each change goes into the document at once, and the list follows
// the document's changes, so Close has nothing left to apply and there is
// nothing to cancel.

#include <QDialog>
#include <cstdint>
#include <optional>

class QPushButton;
class QTreeWidget;

namespace vimbo {

class HelpSystem;
class Prompter;
class LogDocument;

class ContactTypesDialog : public QDialog {
  Q_OBJECT
 public:
  ContactTypesDialog(LogDocument& document, Prompter& prompter, HelpSystem& help, QWidget* parent = nullptr);

  QTreeWidget* List() const { return list_; }
  // The button with control number contact_types::kAdd, kDelete, kEdit or
  // kClose; null for any other number.
  QPushButton* Button(int id) const;

  // Only Close ends the dialog: Escape and the title bar's close button
  // leave it open.
  void reject() override;

 private:
  void Fill();
  void Add();
  void Edit();
  void Delete();
  // The ID of the selected type, when one is selected and still exists.
  std::optional<int32_t> SelectedId() const;

  LogDocument& document_;
  Prompter& prompter_;
  HelpSystem& help_;
  QTreeWidget* list_;
  QPushButton* add_;
  QPushButton* delete_;
  QPushButton* edit_;
  QPushButton* close_;
};

}  // namespace vimbo
