#pragma once
// The window shown while the program starts: closed after three seconds, or
// at once by a mouse click or a key.

#include <QDialog>
#include <chrono>

class QTimer;

namespace vimbo {

class SplashWindow : public QDialog {
  Q_OBJECT
 public:
  static constexpr std::chrono::milliseconds kShowTime{3000};

  // `showTime` is how long the window stays unless closed sooner; tests
  // shorten it.
  explicit SplashWindow(QWidget* parent = nullptr, std::chrono::milliseconds showTime = kShowTime);

  bool TimerRunning() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void done(int result) override;

 private:
  QTimer* timer_;
};

}  // namespace vimbo
