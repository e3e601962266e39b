#include "ui/shell/splash_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/kit/artwork.h"
#include "ui/kit/program_texts.h"

namespace vimbo {
namespace {

QLabel* Line(const QString& text, int points, bool italic, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setPointSize(points);
  font.setItalic(italic);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent, std::chrono::milliseconds showTime)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), timer_(new QTimer(this)) {
  setWindowTitle(QLatin1String(texts::kProgramName));
  auto* layout = new QVBoxLayout(this);
  auto* picture = new QLabel(this);
  picture->setPixmap(ProgramPicture(QSize(320, 160)));
  picture->setAlignment(Qt::AlignCenter);
  layout->addWidget(picture);
  layout->addWidget(Line(QString::fromLatin1(texts::kTagline).toUpper(), 8, true, this));
  layout->addWidget(Line(QLatin1String(texts::kProgramName), 16, true, this));
  layout->addWidget(Line(QLatin1String(texts::kVersion), 8, false, this));
  layout->addWidget(Line(QLatin1String(texts::kNotice), 8, false, this));
  layout->addWidget(Line(QLatin1String(texts::kLegalNotice), 7, false, this));

  timer_->setSingleShot(true);
  connect(timer_, &QTimer::timeout, this, &QDialog::accept);
  timer_->start(showTime);
}

bool SplashWindow::TimerRunning() const { return timer_->isActive(); }

void SplashWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton || event->button() == Qt::MiddleButton)
    accept();
}

void SplashWindow::keyPressEvent(QKeyEvent*) { accept(); }

void SplashWindow::done(int result) {
  timer_->stop();
  QDialog::done(result);
}

}  // namespace vimbo
