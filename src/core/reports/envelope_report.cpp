#include "core/reports/envelope_report.h"

#include <string>

#include "core/records/text_rules.h"

namespace vimbo {
namespace {

std::string TitlePrefix(bool withTitle, std::string_view title) {
  return withTitle ? TrimRight(title) + " " : std::string();
}

// The return address keeps a leading blank when the user has no first name.
std::string SenderName(const User& user, bool withTitle) {
  const std::string name = TrimRight(TitlePrefix(withTitle, user.Title) + user.FName);
  return TrimRight(name + " " + user.LName);
}

std::string SenderCityLine(const User& user) {
  const std::string line = TrimRight(TrimRight(user.City) + ", " + user.State);
  return TrimRight(line + " " + user.Zip);
}

std::string RecipientName(const Person& person, bool withTitle) {
  const std::string name = Trim(TitlePrefix(withTitle, person.Title) + person.FName);
  return Trim(name.empty() ? person.LName : name + " " + person.LName);
}

std::string RecipientCityLine(const Person& person) {
  std::string line = Trim(person.City);
  if (!person.State.empty()) line += ", " + person.State;
  return Trim(Trim(line) + " " + person.Zip);
}

}  // namespace

EnvelopeReport::EnvelopeReport(Canvas& canvas, const User& sender, const std::vector<Person>& persons,
                               const EnvelopeOptions& options)
    : Report(canvas), sender_(sender), persons_(persons), options_(options) {
  Paginate();
}

void EnvelopeReport::Paginate() { pageCount_ = static_cast<int>(persons_.size()); }

void EnvelopeReport::DrawPage(Canvas& canvas, int pageIndex) {
  if (pageIndex < 0 || pageIndex >= pageCount_) return;
  DrawFrame(canvas, [&] {
    DrawHeader();
    const Person& person = persons_[pageIndex];
    const std::string cityLine = RecipientCityLine(person);
    // Centred on the right column by the city line; the height is measured
    // from the top of the printable area, not from the margin.
    const int x = rightColumnX_ - canvas_->TextWidth(cityLine) / 2;
    const int y = (pageRect_.bottom - pageRect_.top) / 2 + lineHeight_;
    DrawAddress(x, y, RecipientName(person, options_.recipientTitle),
                options_.recipientPosition ? &person.Position : nullptr,
                options_.recipientCompany ? &person.Company : nullptr, person.Address, cityLine);
  });
}

void EnvelopeReport::DrawHeader() {
  DrawAddress(leftColumnX_, pageRect_.top, SenderName(sender_, options_.returnTitle),
              options_.returnPosition ? &sender_.Position : nullptr,
              options_.returnCompany ? &sender_.Company : nullptr, sender_.Address, SenderCityLine(sender_));
}

void EnvelopeReport::DrawFooter(int) {}

void EnvelopeReport::DrawDecorations() {}

void EnvelopeReport::DrawAddress(int x, int y, std::string_view name, const CompactText* position,
                                 const CompactText* company, std::string_view address, std::string_view cityLine) {
  canvas_->DrawText(x, y, name);
  y += lineHeight_;
  for (const CompactText* extra : {position, company}) {
    if (extra == nullptr) continue;
    canvas_->DrawText(x, y, *extra);
    y += lineHeight_;
  }
  y += DrawTextBlock(LineFeedBreaks(address), CanvasRect{x, y, x, y + lineHeight_}, Canvas::Wrap::kLineFeedsOnly);
  canvas_->DrawText(x, y, cityLine);
}

}  // namespace vimbo
