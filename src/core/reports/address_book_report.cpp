#include "core/reports/address_book_report.h"

#include <algorithm>
#include <string>

#include "core/records/text_rules.h"

namespace vimbo {
namespace {

// City, state and zip, each trailing blank dropped as the parts are joined:
// without state and zip this leaves "City,", without anything a lone ",".
std::string CityLine(const Person& person) {
  std::string line = TrimRight(person.City) + ", " + person.State;
  line = TrimRight(line) + " " + person.Zip;
  return TrimRight(line);
}

// A person's further phones and e-mail addresses, after the seventeen
// fields' lines: "Phone (work): 555-7", or without a label "E-Mail: a@b.c".
std::vector<std::string> ExtraLines(const Person& person) {
  std::vector<std::string> lines;
  for (const PersonDetail& detail : person.Details) {
    if (detail.kind != DetailKind::kPhone && detail.kind != DetailKind::kEmail) continue;
    std::string line = detail.kind == DetailKind::kPhone ? "Phone" : "E-Mail";
    if (!detail.label.empty()) line.append(" (").append(detail.label.view()).append(")");
    lines.push_back(line.append(": ").append(detail.value.view()));
  }
  return lines;
}

// Eight lines an entry, and one more for each further phone and e-mail.
int EntryLines(const Person& person) {
  int lines = 8;
  for (const PersonDetail& detail : person.Details)
    lines += detail.kind == DetailKind::kPhone || detail.kind == DetailKind::kEmail ? 1 : 0;
  return lines;
}

}  // namespace

AddressBookReport::AddressBookReport(Canvas& canvas, const std::map<int32_t, Person>& chosenPersons) : Report(canvas) {
  persons_.reserve(chosenPersons.size());
  for (const auto& [id, person] : chosenPersons) persons_.push_back(person);
  std::stable_sort(persons_.begin(), persons_.end(),
                   [](const Person& a, const Person& b) { return a.DisplayName() < b.DisplayName(); });
}

void AddressBookReport::Paginate() {
  pages_.clear();
  pageCount_ = 0;
  if (persons_.empty()) return;

  const int firstY = pageRect_.top + kFirstEntryLine * lineHeight_;
  pages_.emplace_back();
  int y = firstY;
  for (std::size_t k = 0; k < persons_.size(); ++k) {
    const int entryHeight = EntryLines(persons_[k]) * lineHeight_;
    // An entry taller than a whole page stays on the page it starts, rather
    // than leaving that page blank.
    if (y + entryHeight >= pageRect_.bottom && !pages_.back().empty()) {
      pages_.emplace_back();
      y = firstY;
    }
    pages_.back().push_back(k);
    y += entryHeight;
  }
  pageCount_ = static_cast<int>(pages_.size());
}

void AddressBookReport::DrawPage(Canvas& canvas, int pageIndex) {
  if (pageIndex < 0 || pageIndex >= pageCount_) return;
  DrawFrame(canvas, [&] {
    DrawHeader();
    DrawFooter(pageIndex + 1);
    DrawDecorations();
    currentY_ = pageRect_.top + kFirstEntryLine * lineHeight_;
    for (std::size_t k : pages_[pageIndex]) DrawEntry(persons_[k]);
  });
}

void AddressBookReport::DrawHeader() { DrawCentredBold("ADDRESS BOOK", pageRect_.top); }

void AddressBookReport::DrawFooter(int pageNumber) { DrawStandardFooter(pageNumber); }

void AddressBookReport::DrawDecorations() {
  const int l = pageRect_.left, t = pageRect_.top, r = pageRect_.right, b = pageRect_.bottom;
  const int inch = canvas_->LogPixelsX();
  canvas_->DrawLine(l, t, l, b);
  canvas_->DrawLine(r, t, r, b);
  canvas_->DrawLine(l, t, l + inch, t);
  canvas_->DrawLine(r, t, r - inch, t);
  canvas_->DrawLine(l, b, l + inch, b);
  canvas_->DrawLine(r, b, r - inch, b);
}

void AddressBookReport::DrawEntry(const Person& person) {
  const int y0 = currentY_;
  auto leftLine = [&](const std::string& text) {
    canvas_->DrawText(leftColumnX_, currentY_, text);
    currentY_ += lineHeight_;
  };
  leftLine(TrimRight(person.FName) + " " + person.LName);
  leftLine("Company: " + person.Company);
  leftLine("Position: " + person.Position);
  // The address may run past the entry's lines into the next entry; the
  // page layout counts eight lines per person (and one per further phone
  // or e-mail) whatever the address holds.
  const CanvasRect addressRect{leftColumnX_, currentY_, rightColumnX_, currentY_ + lineHeight_};
  currentY_ += DrawTextBlock(LineFeedBreaks(person.Address), addressRect, Canvas::Wrap::kLineFeedsOnly);
  canvas_->DrawText(leftColumnX_, currentY_, CityLine(person));

  const std::string rightLines[] = {
      "Home Phone: " + person.Phone, "Work Phone: " + person.WkPhone + " Ext. " + person.WkExt,
      "Pager: " + person.Pager,      "Cel Phone: " + person.CelPhone,
      "Fax: " + person.Fax,          "E-Mail: " + person.EMail,
      "Web Page: " + person.WebPage,
  };
  int y = y0;
  for (const std::string& text : rightLines) {
    canvas_->DrawText(rightColumnX_, y, text);
    y += lineHeight_;
  }
  for (const std::string& text : ExtraLines(person)) {
    canvas_->DrawText(rightColumnX_, y, text);
    y += lineHeight_;
  }

  currentY_ = y0 + (EntryLines(person) - 1) * lineHeight_;
  canvas_->DrawLine(leftColumnX_, currentY_, pageRect_.right - charWidth_, currentY_);
  currentY_ += lineHeight_;
}

}  // namespace vimbo
