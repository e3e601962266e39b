#pragma once
// What a person has beyond the seventeen boxes, beside them on the form:
// birthday, anniversary, how often to keep in touch, notes about the person, the photo, and a list of
// labelled values (further phones and e-mails, addresses, messaging
// accounts, name parts...) with Add and Remove. Read-only while browsing,
// editable in the person edit modes like the boxes.

#include <QGroupBox>
#include <vector>

#include "core/records/records.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace vimbo {

class PartialDateEdit;

class PersonDetailsPanel : public QGroupBox {
  Q_OBJECT

 public:
  explicit PersonDetailsPanel(QWidget* parent = nullptr);

  // Shows `person`'s details, or none for null.
  void Show(const Person* person);
  // Ends the editing of a cell of the list, keeping what was typed.
  void CommitEdit();
  // Gives `person` the details as the panel holds them. A value the user
  // left alone keeps its bytes, whatever their encoding.
  void ApplyTo(Person& person, const Person& original) const;
  void SetReadOnly(bool readOnly);
  bool IsReadOnly() const { return readOnly_; }

  PartialDateEdit* Birthday() const { return birthday_; }
  PartialDateEdit* Anniversary() const { return anniversary_; }
  QSpinBox* KeepInTouch() const { return keepInTouch_; }
  QPlainTextEdit* Notes() const { return notes_; }
  QTableWidget* List() const { return list_; }
  QPushButton* AddButton() const { return add_; }
  QPushButton* RemoveButton() const { return remove_; }
  QLabel* Photo() const { return photo_; }

 private:
  enum Column { kKindColumn, kLabelColumn, kValueColumn };

  void AddRow(const PersonDetail& detail);
  // The detail a row of the list holds now; a cell left alone keeps its bytes.
  PersonDetail DetailOfRow(int row) const;
  void AddDetail();
  void RemoveDetail();
  void ShowPhoto(const Person* person);
  void ShowButtons();

  PartialDateEdit* birthday_ = nullptr;
  PartialDateEdit* anniversary_ = nullptr;
  QSpinBox* keepInTouch_ = nullptr;
  QPlainTextEdit* notes_ = nullptr;
  QTableWidget* list_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
  QLabel* photo_ = nullptr;
  // The detail each row of the list was filled from, so an untouched cell
  // keeps its bytes; a new row's is blank.
  std::vector<PersonDetail> shown_;
  bool readOnly_ = true;
};

}  // namespace vimbo
