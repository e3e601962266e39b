#pragma once
// Context help on a form: F1 in a control, and the help pointer that picks
// a control with the next click. Both ask for the control's help by its
// number; the window answers the request.

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace vimbo {

class FormHelpMode : public QObject {
  Q_OBJECT

 public:
  explicit FormHelpMode(QWidget& form);

  // F1 in `control` asks for its help.
  void Watch(QWidget* control);
  // The next left-button release on the form picks a control.
  void Enter();
  bool IsOn() const { return on_; }
  // A release outside the form is offered to `pick`; when it picks
  // something, help mode ends, else it stays on.
  void SetOutsidePick(std::function<bool(const QPoint& globalPos)> pick) { outsidePick_ = std::move(pick); }

 signals:
  void HelpRequested(int controlId, QPoint globalPos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Pick(QEvent* event);
  void ReleaseGrab();
  int ControlAt(const QPoint& pos) const;

  QWidget& form_;
  std::function<bool(const QPoint&)> outsidePick_;
  bool on_ = false;
  bool grabbed_ = false;
};

}  // namespace vimbo
