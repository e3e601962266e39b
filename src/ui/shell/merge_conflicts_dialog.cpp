#include "ui/shell/merge_conflicts_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "gfx/display_text.h"

namespace vimbo {
namespace {

QString RecordName(RecordKind kind) {
  switch (kind) {
    case RecordKind::kUser: return QStringLiteral("Owner");
    case RecordKind::kPerson: return QStringLiteral("Person");
    case RecordKind::kContact: return QStringLiteral("Contact");
    case RecordKind::kContactType: return QStringLiteral("Contact type");
  }
  return {};
}

// The person a person's or a contact's conflict is about, and a contact
// type by its name.
QString NameOf(const MergeConflict& conflict, const DocumentData& merged) {
  int32_t personId = 0;
  switch (conflict.kind) {
    case RecordKind::kUser: return {};
    case RecordKind::kPerson: personId = conflict.id; break;
    case RecordKind::kContact:
      if (const Contact* contact = merged.contacts.Find(conflict.id)) personId = contact->PersonID;
      break;
    case RecordKind::kContactType: {
      const ContactType* type = merged.contactTypes.Find(conflict.id);
      return type ? ToDisplay(type->Description.view()) : QString();
    }
  }
  const Person* person = merged.persons.Find(personId);
  return person ? ToDisplay(person->DisplayName()) : QString();
}

// A value of several lines shows as one.
QString OneLine(const std::string& value) {
  QString text = ToDisplay(value);
  text.replace(QLatin1String("\r\n"), QLatin1String(" "));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  text.replace(QLatin1Char('\t'), QLatin1Char(' '));
  return text;
}

}  // namespace

MergeConflictsDialog::MergeConflictsDialog(const std::vector<MergeConflict>& conflicts, const DocumentData& merged,
                                           QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this)) {
  setWindowTitle(QStringLiteral("Merge"));
  auto* intro = new QLabel(QStringLiteral("The copies are merged. Where both changed the same thing, the document "
                                          "keeps the first value below; the other one is shown beside it. The "
                                          "merge is one step: Undo takes it back."),
                           this);
  intro->setWordWrap(true);
  intro->setBuddy(list_);

  list_->setHeaderLabels({QStringLiteral("Record"), QStringLiteral("ID"), QStringLiteral("Name"),
                          QStringLiteral("Field"), QStringLiteral("Kept"), QStringLiteral("Other")});
  list_->setRootIsDecorated(false);
  list_->setAccessibleName(QStringLiteral("Merge Conflicts"));
  list_->setUniformRowHeights(true);
  for (const MergeConflict& conflict : conflicts) {
    list_->addTopLevelItem(
        new QTreeWidgetItem({RecordName(conflict.kind), QString::number(conflict.id), NameOf(conflict, merged),
                             QString::fromStdString(conflict.field), OneLine(conflict.kept), OneLine(conflict.other)}));
  }
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  resize(720, 360);
}

}  // namespace vimbo
