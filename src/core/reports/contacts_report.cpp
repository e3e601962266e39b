#include "core/reports/contacts_report.h"

#include <algorithm>
#include <unordered_map>

#include "core/records/date_time_text.h"
#include "core/records/text_rules.h"

namespace vimbo {
namespace {

// A person known only by the company is printed under the company's name:
// a blank name would make that person's contacts read as the contacts of
// the person printed above.
std::string PrintedName(const Person& person) {
  const std::string name = TrimRight(TrimRight(person.FName) + " " + person.LName);
  return Trim(name).empty() ? TrimRight(person.Company) : name;
}

}  // namespace

ContactsReport::ContactsReport(Canvas& canvas, const std::map<int32_t, Person>& chosenPersons,
                               const DateTimeValue& beginDate, const DateTimeValue& endDate, const Contacts& contacts)
    : Report(canvas), beginDate_(beginDate), endDate_(endDate) {
  persons_.reserve(chosenPersons.size());
  for (const auto& [id, person] : chosenPersons) persons_.push_back(person);
  std::stable_sort(persons_.begin(), persons_.end(),
                   [](const Person& a, const Person& b) { return a.DisplayName() < b.DisplayName(); });

  for (const auto& [id, contact] : contacts) {
    if (chosenPersons.count(contact.PersonID) == 0) continue;
    if (Less(contact.DateTime, beginDate_) || Greater(contact.DateTime, endDate_)) continue;
    contacts_.push_back(contact);
  }
  std::stable_sort(contacts_.begin(), contacts_.end(),
                   [](const Contact& a, const Contact& b) { return Greater(a.DateTime, b.DateTime); });

  // The range and the persons are fixed for the report's life, so the
  // entries are gathered once; repagination only measures them again.
  std::unordered_map<int32_t, std::vector<std::size_t>> contactsByPerson;
  for (std::size_t c = 0; c < contacts_.size(); ++c) contactsByPerson[contacts_[c].PersonID].push_back(c);
  for (std::size_t p = 0; p < persons_.size(); ++p) {
    const auto found = contactsByPerson.find(persons_[p].ID);
    if (found == contactsByPerson.end()) continue;
    for (std::size_t c : found->second) entries_.push_back({p, c});
  }
}

CanvasRect ContactsReport::DescriptionRect(int top) const {
  return {rightColumnX_, top, pageRect_.right, top + lineHeight_};
}

void ContactsReport::Paginate() {
  pages_.clear();
  pageCount_ = 0;
  entriesPaginated_ = 0;
  entriesToPaginate_ = 0;
  if (persons_.empty()) return;

  pages_.emplace_back();
  nextY_ = pageRect_.top + kFirstEntryLine * lineHeight_;
  entriesToPaginate_ = entries_.size();
  if (entries_.empty()) pageCount_ = 1;
  PaginateThrough(0);
}

void ContactsReport::ContinuePagination(std::size_t entries) {
  const int firstY = pageRect_.top + kFirstEntryLine * lineHeight_;
  const std::size_t end = entriesPaginated_ + std::min(entries, entries_.size() - entriesPaginated_);
  for (std::size_t e = entriesPaginated_; e < end; ++e) {
    const std::string description = LineFeedBreaks(contacts_[entries_[e].contact].Description);
    const int height = MeasureBlockHeight(description, DescriptionRect(nextY_), Canvas::Wrap::kWords);
    // An entry taller than a whole page stays on the page it starts, rather
    // than leaving that page blank.
    if (nextY_ + height >= pageRect_.bottom && !pages_.back().empty()) {
      pages_.emplace_back();
      nextY_ = firstY;
    }
    pages_.back().push_back(e);
    nextY_ += height + lineHeight_;
  }
  entriesPaginated_ = end;
  // A page is final once the next one has started, the last one when every
  // entry has its place.
  pageCount_ = static_cast<int>(PaginationDone() ? pages_.size() : pages_.size() - 1);
}

void ContactsReport::DrawPage(Canvas& canvas, int pageIndex) {
  // Laid out before the frame: pagination measures with the report's own
  // canvas and metrics, which the frame replaces with the page's.
  PaginateThrough(pageIndex);
  if (pageIndex < 0 || pageIndex >= pageCount_) return;
  DrawFrame(canvas, [&] {
    currentY_ = pageRect_.top;
    dateColumnX_ = leftColumnX_ + (rightColumnX_ - leftColumnX_) / 2 + charWidth_;
    DrawHeader();
    DrawFooter(pageIndex + 1);
    // The name is printed again at the top of every page.
    lastPersonName_.clear();
    for (std::size_t e : pages_[pageIndex]) DrawEntry(entries_[e]);
  });
}

void ContactsReport::DrawHeader() {
  DrawCentredBold("CONTACTS " + ShortDateText(beginDate_) + " - " + ShortDateText(endDate_), pageRect_.top);

  const CanvasFont previous = canvas_->SelectFont(boldFont_);
  currentY_ += 2 * lineHeight_;
  canvas_->DrawText(leftColumnX_, currentY_, "Person");
  canvas_->DrawText(dateColumnX_, currentY_, "Date / Time");
  canvas_->DrawText(rightColumnX_, currentY_, "Description");
  canvas_->DrawLine(leftColumnX_, currentY_, pageRect_.right, currentY_);
  currentY_ += lineHeight_;
  canvas_->SelectFont(previous);
}

void ContactsReport::DrawFooter(int pageNumber) { DrawStandardFooter(pageNumber); }

void ContactsReport::DrawDecorations() {}

void ContactsReport::DrawEntry(const Entry& entry) {
  const Contact& contact = contacts_[entry.contact];
  // Neighbours with the same printed name share it, as one person would.
  const std::string name = PrintedName(persons_[entry.person]);
  if (name != lastPersonName_) {
    canvas_->DrawText(leftColumnX_, currentY_, name);
    lastPersonName_ = name;
  }
  canvas_->DrawText(dateColumnX_, currentY_, FormatDateTime(contact.DateTime, "%m/%d/%y %I:%M%p"));
  const std::string description = LineFeedBreaks(contact.Description);
  currentY_ += DrawTextBlock(description, DescriptionRect(currentY_), Canvas::Wrap::kWords) + lineHeight_;
}

}  // namespace vimbo
