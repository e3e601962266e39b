#pragma once
// The find bar above the form: a box for the query and the list of what it
// finds. It searches as the user types, after a short pause; Up and Down
// move in the results, Enter or a double click chooses one, Esc closes the
// bar.

#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;
class QListView;
class QTimer;
class QToolButton;

namespace vimbo {

struct DocumentData;
class FindResultsModel;

class FindBar : public QWidget {
  Q_OBJECT

 public:
  // The document searched, and the place of a person in the selector, by
  // which the persons found are listed.
  using DataSource = std::function<const DocumentData&()>;
  using PersonRank = std::function<int(int32_t personId)>;

  FindBar(DataSource data, PersonRank rank, QWidget* parent = nullptr);

  // Shows the bar with the focus in the box, its text selected.
  void Open();
  void Close();
  // Searches again at once, as the document changed under the results; a
  // closed bar only forgets them.
  void Refresh();

  QLineEdit* Box() const { return box_; }
  QListView* Results() const { return results_; }
  QLabel* NoMatch() const { return noMatch_; }
  QToolButton* CloseButton() const { return close_; }

 signals:
  // A result was chosen: its person, and its contact (0 for a person).
  void Chosen(int32_t personId, int32_t contactId);
  void Closed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Search();
  void Step(int rows);
  void Choose(int row);

  DataSource data_;
  PersonRank rank_;
  QLineEdit* box_ = nullptr;
  QToolButton* close_ = nullptr;
  QListView* results_ = nullptr;
  QLabel* noMatch_ = nullptr;
  FindResultsModel* model_ = nullptr;
  QTimer* pause_ = nullptr;
};

}  // namespace vimbo
