#include "ui/shell/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/kit/artwork.h"
#include "ui/kit/control_id.h"
#include "ui/kit/program_texts.h"

namespace vimbo {
namespace {

QLabel* Line(const QString& text, int id, int points, bool italic, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  SetControlId(label, id);
  QFont font = label->font();
  font.setPointSize(points);
  font.setItalic(italic);
  label->setFont(font);
  return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Vimbo"));
  auto* picture = new QLabel(this);
  SetControlId(picture, 1088);
  picture->setPixmap(ProgramPicture(QSize(96, 96)));

  auto* lines = new QVBoxLayout;
  lines->addWidget(Line(QLatin1String(texts::kProgramName), 1089, 16, true, this));
  lines->addWidget(Line(QLatin1String(texts::kTagline), 1092, 8, true, this));
  lines->addWidget(Line(QLatin1String(texts::kVersion), 1091, 8, false, this));
  lines->addWidget(Line(QLatin1String(texts::kNotice), 1090, 8, false, this));
  lines->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addLayout(lines, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace vimbo
