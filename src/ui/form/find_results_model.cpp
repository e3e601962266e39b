#include "ui/form/find_results_model.h"

#include "core/records/document_data.h"
#include "gfx/display_text.h"
#include "ui/kit/form_text.h"

namespace vimbo {

void FindResultsModel::Show(const DocumentData& data, FindResults results) {
  beginResetModel();
  data_ = &data;
  results_ = std::move(results);
  endResetModel();
}

void FindResultsModel::Clear() {
  beginResetModel();
  data_ = nullptr;
  results_ = {};
  endResetModel();
}

FindResultsModel::Target FindResultsModel::TargetAt(int row) const {
  if (!data_ || row < 0) return {};
  const auto index = static_cast<std::size_t>(row);
  if (index < results_.persons.size()) {
    const int32_t id = results_.persons[index];
    return data_->persons.Find(id) ? Target{id, 0} : Target{};
  }
  if (index - results_.persons.size() < results_.contacts.size()) {
    const Contact* contact = data_->contacts.Find(results_.contacts[index - results_.persons.size()]);
    if (contact && data_->persons.Find(contact->PersonID)) return {contact->PersonID, contact->ID};
  }
  return {};
}

int FindResultsModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(results_.persons.size() + results_.contacts.size());
}

QString FindResultsModel::PersonName(int32_t personId) const {
  const Person* person = data_->persons.Find(personId);
  return person ? ToDisplay(person->DisplayName()) : QString();
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const Target target = TargetAt(index.row());
  if (target.personId == 0) return {};
  if (target.contactId == 0) return PersonName(target.personId);
  // A contact reads as its day, its person and its notes on one line.
  const Contact& contact = *data_->contacts.Find(target.contactId);
  return dateTimeText_.Date(contact.DateTime) + QStringLiteral("  ") + PersonName(target.personId) +
         QStringLiteral(": ") + SingleLineToDisplay(contact.Description);
}

}  // namespace vimbo
