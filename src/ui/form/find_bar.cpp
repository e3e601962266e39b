#include "ui/form/find_bar.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "core/find/find.h"
#include "gfx/display_text.h"
#include "ui/form/find_results_model.h"

namespace vimbo {
namespace {

// Long enough that a word typed at speed is searched once, short enough to
// feel immediate.
constexpr int kPauseMs = 200;
constexpr int kVisibleRows = 6;

}  // namespace

FindBar::FindBar(DataSource data, PersonRank rank, QWidget* parent)
    : QWidget(parent), data_(std::move(data)), rank_(std::move(rank)) {
  setAccessibleName(QStringLiteral("Find bar"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(QStringLiteral("F&ind:"), this);
  box_ = new QLineEdit(this);
  box_->setClearButtonEnabled(true);
  // The box's own clear button has no name of its own.
  for (QToolButton* clear : box_->findChildren<QToolButton*>()) clear->setAccessibleName(QStringLiteral("Clear find"));
  box_->setPlaceholderText(QStringLiteral("Names, any field, or words of the notes"));
  box_->setAccessibleName(QStringLiteral("Find"));
  label->setBuddy(box_);
  close_ = new QToolButton(this);
  close_->setText(QStringLiteral("Close"));
  close_->setAccessibleName(QStringLiteral("Close find"));
  close_->setToolTip(QStringLiteral("Close the find bar (Esc)"));
  model_ = new FindResultsModel(this);
  results_ = new QListView(this);
  results_->setModel(model_);
  results_->setAccessibleName(QStringLiteral("Find results"));
  results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  results_->setUniformItemSizes(true);
  results_->setFixedHeight(results_->fontMetrics().height() * kVisibleRows + 2 * results_->frameWidth() + 4);
  noMatch_ = new QLabel(QStringLiteral("No match"), this);
  noMatch_->setAccessibleName(QStringLiteral("No match"));
  noMatch_->hide();

  grid->addWidget(label, 0, 0);
  grid->addWidget(box_, 0, 1);
  grid->addWidget(close_, 0, 2);
  grid->addWidget(results_, 1, 0, 1, 3);
  grid->addWidget(noMatch_, 2, 0, 1, 3);
  grid->setColumnStretch(1, 1);

  pause_ = new QTimer(this);
  pause_->setSingleShot(true);
  pause_->setInterval(kPauseMs);
  connect(pause_, &QTimer::timeout, this, &FindBar::Search);
  connect(box_, &QLineEdit::textEdited, pause_, qOverload<>(&QTimer::start));
  // The clear button changes the text without an edit.
  connect(box_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text.isEmpty()) Search();
  });
  connect(results_, &QListView::activated, this, [this](const QModelIndex& index) { Choose(index.row()); });
  connect(close_, &QToolButton::clicked, this, &FindBar::Close);
  box_->installEventFilter(this);
  results_->installEventFilter(this);
  hide();
}

void FindBar::Open() {
  show();
  box_->setFocus(Qt::ShortcutFocusReason);
  box_->selectAll();
}

void FindBar::Close() {
  pause_->stop();
  model_->Clear();
  hide();
  emit Closed();
}

void FindBar::Refresh() {
  if (isHidden()) {
    model_->Clear();
    return;
  }
  pause_->stop();
  Search();
}

void FindBar::Search() {
  pause_->stop();
  const DocumentData& data = data_();
  // Typed text is stored as UTF-8, so the query is too.
  FindResults results = Find(data, FromDisplay(box_->text()));
  std::vector<std::pair<int, int32_t>> ranked;
  ranked.reserve(results.persons.size());
  for (const int32_t id : results.persons) ranked.emplace_back(rank_(id), id);
  std::sort(ranked.begin(), ranked.end());
  std::transform(ranked.begin(), ranked.end(), results.persons.begin(), [](const auto& entry) { return entry.second; });
  const bool searched = !QueryWords(FromDisplay(box_->text())).empty();
  noMatch_->setVisible(searched && results.Empty());
  model_->Show(data, std::move(results));
  if (model_->rowCount() > 0) results_->setCurrentIndex(model_->index(0));
}

void FindBar::Step(int rows) {
  const int count = model_->rowCount();
  if (count == 0) return;
  const int row = std::clamp(results_->currentIndex().row() + rows, 0, count - 1);
  results_->setCurrentIndex(model_->index(row));
}

void FindBar::Choose(int row) {
  // A result chosen before the pause ran out is a result of what was typed.
  if (pause_->isActive()) {
    Search();
    row = results_->currentIndex().row();
  }
  const FindResultsModel::Target target = model_->TargetAt(row);
  if (target.personId != 0) emit Chosen(target.personId, target.contactId);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Escape: Close(); return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (watched != box_) break;
      if (pause_->isActive()) Search();
      Step(key->key() == Qt::Key_Down ? 1 : -1);
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (watched != box_) break;
      Step(key->key() == Qt::Key_PageDown ? kVisibleRows : -kVisibleRows);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (watched != box_) break;
      Choose(results_->currentIndex().row());
      return true;
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vimbo
