#include "ui/form/contacts_list_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <utility>

#include "core/records/document_data.h"
#include "gfx/display_text.h"
#include "ui/kit/form_text.h"

namespace vimbo {
namespace {

enum Column { kDate, kTime, kType, kNotes, kColumnCount };

constexpr std::size_t kRememberedLength = 1000;

}  // namespace

void ContactsListModel::Fill(const DocumentData& data, int32_t personId) {
  if (&data != data_) orders_.clear();
  if (const auto known = orders_.find(personId); known != orders_.end()) {
    beginResetModel();
    data_ = &data;
    ids_ = known->second;
    endResetModel();
    return;
  }
  // Latest first, on the scale Greater compares moments by, so that a day
  // before 1900 runs forward too; each moment is read once.
  std::vector<std::pair<double, int32_t>> listed;
  const std::span<const int32_t> ids = data.contacts.GetIndex().ContactIdsOf(personId);
  listed.reserve(ids.size());
  // The person's IDs ascend, as do the records' unique IDs, so the record of
  // `id` lies at most `id - fromId` places past the one found last: exactly
  // there while no record in between has been deleted. One look then finds
  // it, where halving the whole document would touch a dozen records spread
  // over its memory; and as the next place is worked out from IDs alone,
  // the processor fetches the records of many contacts at once.
  const auto end = data.contacts.end();
  auto from = data.contacts.begin();
  int32_t fromId = from != end ? from->first : 0;
  const auto before = [](const Contacts::Entry& entry, int32_t key) { return entry.first < key; };
  for (const int32_t id : ids) {
    if (from == end) break;
    const std::ptrdiff_t gap = std::max<std::ptrdiff_t>(0, std::ptrdiff_t{id} - fromId);
    const auto last = gap < end - from ? from + gap + 1 : end;
    auto at = std::prev(last);
    if (at->first != id) at = std::lower_bound(from, last, id, before);
    from = at;
    if (at == end || at->first != id) {
      if (at != end) fromId = at->first;
      continue;
    }
    fromId = id;
    // A moment that is no number (no file or picker gives one) would break
    // the sort's order; it is listed last.
    const double moment = at->second.DateTime.Linear();
    listed.emplace_back(std::isnan(moment) ? -std::numeric_limits<double>::infinity() : moment, id);
  }
  // Contacts of the same moment stay in ascending ID; with the ID as the
  // tie-break every pair differs, so a plain sort gives the one order.
  std::sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) {
    return a.first > b.first || (a.first == b.first && a.second < b.second);
  });

  beginResetModel();
  data_ = &data;
  ids_.resize(listed.size());
  std::transform(listed.begin(), listed.end(), ids_.begin(), [](const auto& entry) { return entry.second; });
  endResetModel();
  // A short list sorts in less time than a look-up saves.
  if (ids_.size() >= kRememberedLength) orders_.emplace(personId, ids_);
}

void ContactsListModel::Clear() {
  beginResetModel();
  data_ = nullptr;
  ids_.clear();
  endResetModel();
}

int32_t ContactsListModel::ContactIdAt(int row) const {
  return row >= 0 && row < rowCount() ? ids_[static_cast<std::size_t>(row)] : 0;
}

int ContactsListModel::RowOf(int32_t contactId) const {
  const auto found = std::find(ids_.begin(), ids_.end(), contactId);
  return found == ids_.end() ? -1 : static_cast<int>(found - ids_.begin());
}

int ContactsListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(ids_.size());
}

int ContactsListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant ContactsListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != kContactIdRole)) return {};
  const int32_t id = ContactIdAt(index.row());
  if (role == kContactIdRole) return id;
  // A contact deleted since the last Fill shows nothing until the refill.
  const Contact* contact = data_ ? data_->contacts.Find(id) : nullptr;
  if (!contact) return {};
  switch (index.column()) {
    case kDate: return dateTimeText_.Date(contact->DateTime);
    case kTime: return dateTimeText_.Time(contact->DateTime);
    case kType: {
      const ContactType* type = data_->contactTypes.Find(contact->ContactTypeID);
      return type ? ToDisplay(type->Description) : QString();
    }
    case kNotes: return SingleLineToDisplay(contact->Description);
    default: return {};
  }
}

QVariant ContactsListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  static const char* const kHeaders[kColumnCount] = {"Date", "Time", "Contact Type", "Notes"};
  return section >= 0 && section < kColumnCount ? QString::fromLatin1(kHeaders[section]) : QVariant();
}

}  // namespace vimbo
