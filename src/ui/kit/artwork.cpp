#include "ui/kit/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <functional>

#include "ui/kit/command_ids.h"

namespace vimbo {
namespace {

constexpr int kCanvas = 32;  // drawn at 32 px, shown at toolbar size

const QColor kInk(40, 52, 72);
const QColor kPaper(250, 250, 245);
const QColor kAccent(46, 110, 180);
const QColor kGood(40, 140, 70);
const QColor kBad(200, 50, 40);

QIcon Draw(const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(kCanvas, kCanvas);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter);
  return QIcon(pixmap);
}

void Page(QPainter& p) {
  QPainterPath path;
  path.moveTo(7, 3);
  path.lineTo(19, 3);
  path.lineTo(25, 9);
  path.lineTo(25, 29);
  path.lineTo(7, 29);
  path.closeSubpath();
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kPaper);
  p.drawPath(path);
  p.drawLine(QPointF(19, 3), QPointF(19, 9));
  p.drawLine(QPointF(19, 9), QPointF(25, 9));
}

void Folder(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(QColor(230, 190, 90));
  p.drawRect(QRectF(3, 9, 24, 18));
  p.setBrush(QColor(245, 210, 120));
  QPolygonF flap({QPointF(7, 14), QPointF(30, 14), QPointF(26, 27), QPointF(3, 27)});
  p.drawPolygon(flap);
}

void Disk(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kAccent);
  p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(9, 4, 14, 9));
  p.setBrush(QColor(220, 220, 220));
  p.drawRect(QRectF(8, 18, 16, 10));
}

void Person(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QRectF(8, 3, 11, 11));
  QPainterPath body;
  body.moveTo(3, 28);
  body.cubicTo(3, 17, 24, 17, 24, 28);
  body.closeSubpath();
  p.drawPath(body);
}

void Envelope(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kPaper);
  p.drawRect(QRectF(2, 8, 24, 17));
  p.drawPolyline(QPolygonF({QPointF(2, 8), QPointF(14, 18), QPointF(26, 8)}));
}

// The small sign in the lower right corner telling what a command does.
enum class Badge { kAdd, kDelete, kEdit, kUpdate, kCancel };

void DrawBadge(QPainter& p, Badge badge) {
  const QRectF circle(18, 18, 13, 13);
  const QColor color = badge == Badge::kDelete || badge == Badge::kCancel ? kBad
                       : badge == Badge::kEdit                            ? QColor(210, 140, 30)
                                                                          : kGood;
  p.setPen(QPen(Qt::white, 1));
  p.setBrush(color);
  p.drawEllipse(circle);
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
  const QPointF c = circle.center();
  switch (badge) {
    case Badge::kAdd:
      p.drawLine(c + QPointF(-4, 0), c + QPointF(4, 0));
      p.drawLine(c + QPointF(0, -4), c + QPointF(0, 4));
      break;
    case Badge::kDelete: p.drawLine(c + QPointF(-4, 0), c + QPointF(4, 0)); break;
    case Badge::kEdit: p.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3)); break;
    case Badge::kUpdate: p.drawPolyline(QPolygonF({c + QPointF(-4, 0), c + QPointF(-1, 3), c + QPointF(4, -3)})); break;
    case Badge::kCancel:
      p.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
      p.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3));
      break;
  }
}

void Arrow(QPainter& p, bool right) {
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  QPolygonF arrow = right ? QPolygonF({QPointF(10, 5), QPointF(24, 16), QPointF(10, 27)})
                          : QPolygonF({QPointF(22, 5), QPointF(8, 16), QPointF(22, 27)});
  p.drawPolygon(arrow);
}

void Magnifier(QPainter& p, bool plus) {
  p.setPen(QPen(kInk, 2.5));
  p.setBrush(kPaper);
  p.drawEllipse(QRectF(4, 4, 17, 17));
  p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(19, 19), QPointF(28, 28));
  p.setPen(QPen(kAccent, 2.5));
  p.drawLine(QPointF(8, 12.5), QPointF(17, 12.5));
  if (plus) p.drawLine(QPointF(12.5, 8), QPointF(12.5, 17));
}

void Printer(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kPaper);
  p.drawRect(QRectF(9, 3, 14, 10));
  p.setBrush(QColor(190, 195, 205));
  p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(9, 20, 14, 9));
}

void HelpArrow(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({QPointF(3, 3), QPointF(3, 22), QPointF(8, 17), QPointF(12, 25), QPointF(15, 23),
                           QPointF(11, 16), QPointF(17, 16)}));
  QFont font;
  font.setBold(true);
  font.setPixelSize(18);
  p.setFont(font);
  p.setPen(kAccent);
  p.drawText(QRectF(15, 4, 16, 24), Qt::AlignCenter, QStringLiteral("?"));
}

// A person or an envelope with the badge of what the command does to it.
QIcon Badged(void (*figure)(QPainter&), Badge badge) {
  return Draw([figure, badge](QPainter& p) {
    figure(p);
    DrawBadge(p, badge);
  });
}

}  // namespace

QIcon CommandIcon(CommandId commandId) {
  using namespace command;
  switch (commandId) {
    case kNew: return Draw(Page);
    case kOpen: return Draw(Folder);
    case kSave: return Draw(Disk);
    case kPersonAdd: return Badged(Person, Badge::kAdd);
    case kPersonDelete: return Badged(Person, Badge::kDelete);
    case kPersonEdit: return Badged(Person, Badge::kEdit);
    case kPersonUpdate: return Badged(Person, Badge::kUpdate);
    case kPersonCancel: return Badged(Person, Badge::kCancel);
    case kContactAdd: return Badged(Envelope, Badge::kAdd);
    case kContactDelete: return Badged(Envelope, Badge::kDelete);
    case kContactEdit: return Badged(Envelope, Badge::kEdit);
    case kContactUpdate: return Badged(Envelope, Badge::kUpdate);
    case kContactCancel: return Badged(Envelope, Badge::kCancel);
    case kHelpMode: return Draw(HelpArrow);
    case kPreviousPage: return Draw([](QPainter& p) { Arrow(p, false); });
    case kNextPage: return Draw([](QPainter& p) { Arrow(p, true); });
    case kPrint: return Draw(Printer);
    case kPageSetup:
      return Draw([](QPainter& p) {
        Page(p);
        p.setPen(QPen(kAccent, 1));
        p.drawRect(QRectF(10, 12, 12, 14));
      });
    case kZoomIn: return Draw([](QPainter& p) { Magnifier(p, true); });
    case kZoomOut: return Draw([](QPainter& p) { Magnifier(p, false); });
    default: return {};
  }
}

QIcon ProgramIcon() {
  // Drawn from the same picture as the installed icons, at each size a
  // window manager or task bar asks for, so small sizes stay crisp.
  QSvgRenderer renderer(QStringLiteral(":/icons/vimbo.svg"));
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QPixmap ProgramPicture(const QSize& size) {
  QPixmap pixmap(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(46, 110, 180));
  sky.setColorAt(1, QColor(20, 45, 85));
  p.fillRect(pixmap.rect(), sky);
  // A few cards fanned out: the address book.
  const double w = size.width(), h = size.height();
  for (int i = 0; i < 3; ++i) {
    p.save();
    p.translate(w * 0.5, h * 0.62);
    p.rotate(-14 + 14 * i);
    p.setPen(QPen(QColor(20, 30, 50), 1));
    p.setBrush(QColor(250, 250, 245));
    const QRectF card(-w * 0.22, -h * 0.36, w * 0.44, h * 0.5);
    p.drawRoundedRect(card, 4, 4);
    p.setPen(QPen(QColor(160, 170, 185), 1));
    for (int line = 1; line <= 4; ++line) {
      const double y = card.top() + card.height() * line / 5.0;
      p.drawLine(QPointF(card.left() + 8, y), QPointF(card.right() - 8, y));
    }
    p.restore();
  }
  return pixmap;
}

}  // namespace vimbo
