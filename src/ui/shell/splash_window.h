#pragma once
// The window shown while the program starts: closed after three seconds, or
// at once by a mouse click or a key.

#include <QDialog>

class QTimer;

namespace vimbo {

class SplashWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kShowMilliseconds = 3000;

  explicit SplashWindow(QWidget* parent = nullptr);

  bool TimerRunning() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void done(int result) override;

 private:
  QTimer* timer_;
};

}  // namespace vimbo
