#pragma once
// "About Vimbo": the program's name, tagline, version and notice.

#include <QDialog>

namespace vimbo {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace vimbo
