#include "ui/kit/accessible_combo_box.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace vimbo {
namespace {

class NamedComboBox : public QAccessibleWidget {
 public:
  explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return Box()->accessibleName();
    if (kind == QAccessible::Value) return Box()->isEditable() ? Box()->lineEdit()->text() : Box()->currentText();
    return QAccessibleWidget::text(kind);
  }

  // The list of entries, and the text box of an editable one.
  int childCount() const override { return Box()->isEditable() ? 2 : 1; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Box()->view());
    if (index == 1 && Box()->isEditable()) return QAccessible::queryAccessibleInterface(Box()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child->object() == Box()->view()) return 0;
    if (Box()->isEditable() && child->object() == Box()->lineEdit()) return 1;
    return -1;
  }

  QStringList actionNames() const override { return QStringList{showMenuAction()} + QAccessibleWidget::actionNames(); }
  void doAction(const QString& action) override {
    if (action == showMenuAction())
      Box()->showPopup();
    else
      QAccessibleWidget::doAction(action);
  }

 private:
  QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* NamedComboBoxes(const QString& key, QObject* object) {
  if (key != QLatin1String("QComboBox")) return nullptr;
  auto* box = qobject_cast<QComboBox*>(object);
  if (!box || box->accessibleName().isEmpty()) return nullptr;
  return new NamedComboBox(box);
}

}  // namespace

void InstallAccessibleComboBoxes() { QAccessible::installFactory(&NamedComboBoxes); }

}  // namespace vimbo
