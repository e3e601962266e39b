#include "ui/transfer/transfer_page.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/kit/artwork.h"
#include "ui/kit/control_id.h"
#include "ui/kit/control_ids.h"

namespace vimbo {
namespace {

// The program's picture, stretched over the whole of its place.
class PagePicture : public QWidget {
 public:
  explicit PagePicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(110, 200);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawPixmap(rect(), ProgramPicture(size()));
  }
};

}  // namespace

TransferPage::TransferPage(TextTransferSettings& settings, TransferDirection direction, Prompter& prompter,
                           const QString& heading)
    : settings_(settings), importMode_(direction == TransferDirection::kImport), prompter_(prompter) {
  setTitle(heading);
  auto* layout = new QHBoxLayout(this);
  auto* picture = new PagePicture(this);
  SetControlId(picture, transfer_page::kPicture);
  layout->addWidget(picture);
  content_ = new QVBoxLayout;
  layout->addLayout(content_, 1);
}

void TransferPage::Activate() {
  if (!displayed_) {
    displayed_ = true;
    FirstDisplay();
  }
  Activated();
}

}  // namespace vimbo
