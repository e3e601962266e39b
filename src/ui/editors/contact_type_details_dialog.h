#pragma once
// "Contact Type Details": the name of one contact type, typed for a new type
// or changed for an existing one. OK refuses a name another type already
// has, so the names in a document stay unique.

#include <QDialog>
#include <cstdint>
#include <string>
#include <string_view>

class QLineEdit;
class QPushButton;

namespace vimbo {

struct DocumentData;
class HelpSystem;
class Prompter;

class ContactTypeDetailsDialog : public QDialog {
  Q_OBJECT
 public:
  // `editedTypeId` is the type being renamed, or -1 when adding; a type may
  // keep its own name.
  ContactTypeDetailsDialog(const DocumentData& data, bool adding, int32_t editedTypeId, std::string_view description,
                           Prompter& prompter, HelpSystem& help, QWidget* parent = nullptr);

  // The accepted name, in the bytes the document stores.
  const std::string& Description() const { return description_; }

  QLineEdit* DescriptionBox() const { return box_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  void accept() override;

 private:
  bool IsDuplicate(const std::string& name) const;

  const DocumentData& data_;
  const bool adding_;
  const int32_t editedTypeId_;
  const std::string original_;
  std::string description_;
  Prompter& prompter_;
  QLineEdit* box_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace vimbo
