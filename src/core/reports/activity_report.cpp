#include "core/reports/activity_report.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <utility>

#include "core/records/date_time_text.h"

namespace vimbo {
namespace {

constexpr const char* kNoType = "(none)";

// How the parts of one contact type look: a grey, and a hatch drawn over
// it, so the types stay apart on a black-and-white printer too.
enum class Hatch { kNone, kDiagonal, kCross, kHorizontal, kBackDiagonal };
struct Fill {
  int grey;
  Hatch hatch;
};
// Neighbours in the stack differ in brightness as well as in pattern.
constexpr Fill kFills[] = {{96, Hatch::kNone},      {255, Hatch::kDiagonal},    {192, Hatch::kNone},
                           {255, Hatch::kCross},    {32, Hatch::kNone},         {255, Hatch::kHorizontal},
                           {160, Hatch::kDiagonal}, {255, Hatch::kBackDiagonal}};

const Fill& FillOf(std::size_t type) { return kFills[type % std::size(kFills)]; }

DateTimeValue MonthStart(int year, int month) {
  DateTimeValue value;
  value.SetDateTime(year, month, 1, 0, 0, 0);
  return value;
}

ActivityMonth NextMonth(ActivityMonth month) {
  return month.month == 12 ? ActivityMonth{month.year + 1, 1} : ActivityMonth{month.year, month.month + 1};
}

std::string NumberText(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return text;
}

// Diagonal, cross or straight lines across `rect`, `gap` apart.
void DrawHatch(Canvas& canvas, const CanvasRect& rect, Hatch hatch, int gap) {
  const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  if (r <= l || b <= t) return;
  if (hatch == Hatch::kHorizontal) {
    for (int y = t + gap; y < b; y += gap) canvas.DrawLine(l, y, r, y);
    return;
  }
  // Rising lines are those where x + y is constant; falling ones, x - y.
  const bool rising = hatch == Hatch::kDiagonal || hatch == Hatch::kCross;
  const bool falling = hatch == Hatch::kBackDiagonal || hatch == Hatch::kCross;
  if (rising) {
    for (int c = l + t + gap; c < r + b; c += gap) {
      const int x1 = std::max(l, c - b), x2 = std::min(r, c - t);
      canvas.DrawLine(x1, c - x1, x2, c - x2);
    }
  }
  if (falling) {
    for (int c = l - b + gap; c < r - t; c += gap) {
      const int x1 = std::max(l, c + t), x2 = std::min(r, c + b);
      canvas.DrawLine(x1, x1 - c, x2, x2 - c);
    }
  }
}

void DrawOutline(Canvas& canvas, const CanvasRect& rect) {
  canvas.DrawLine(rect.left, rect.top, rect.right, rect.top);
  canvas.DrawLine(rect.right, rect.top, rect.right, rect.bottom);
  canvas.DrawLine(rect.right, rect.bottom, rect.left, rect.bottom);
  canvas.DrawLine(rect.left, rect.bottom, rect.left, rect.top);
}

}  // namespace

int ActivityCounts::MonthTotal(std::size_t month) const {
  const auto row = counts.begin() + static_cast<std::ptrdiff_t>(month * types.size());
  return std::accumulate(row, row + static_cast<std::ptrdiff_t>(types.size()), 0);
}

int ActivityCounts::Total() const { return std::accumulate(counts.begin(), counts.end(), 0); }

namespace {

// The months from `from`'s to `to`'s, and the first moment of each on the
// linear scale: the month of each contact comes from a search among these,
// cheaper than taking every contact's date apart.
std::vector<double> MonthStarts(const DateTimeValue& from, const DateTimeValue& to,
                                std::vector<ActivityMonth>& months) {
  const SystemTime first = from.ToSystemTime();
  const SystemTime last = to.ToSystemTime();
  std::vector<double> starts;
  for (ActivityMonth month{first.year, first.month};
       month.year < last.year || (month.year == last.year && month.month <= last.month); month = NextMonth(month)) {
    months.push_back(month);
    starts.push_back(MonthStart(month.year, month.month).Linear());
  }
  // Calendar fields round to the second: an end a fraction before midnight
  // must not open a month of its own.
  while (starts.size() > 1 && starts.back() > to.Linear()) {
    starts.pop_back();
    months.pop_back();
  }
  return starts;
}

// Counts contacts into a table of months by columns: one column per existing
// contact type, in ascending ID, and a last one for every other type.
class ActivityTally {
 public:
  ActivityTally(const ContactTypes& types, const DateTimeValue& from, const DateTimeValue& to,
                std::vector<double> starts)
      : starts_(std::move(starts)), low_(from.Linear()), high_(to.Linear()) {
    for (const auto& [id, type] : types) {
      typeIds_.push_back(id);
      typeNames_.emplace_back(type.Description);
    }
    columns_ = typeIds_.size() + 1;
    lastColumn_ = typeIds_.size();
    counts_.assign(starts_.size() * columns_, 0);
  }

  void Add(const Contact& contact) {
    if (!contact.DateTime.IsValid()) return;
    const double when = contact.DateTime.Linear();
    if (when < low_ || when > high_) return;
    // The range's first moment may lie a rounded second before its month's.
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), when);
    const std::size_t month = after == starts_.begin() ? 0 : static_cast<std::size_t>(after - starts_.begin()) - 1;
    ++counts_[month * columns_ + Column(contact.ContactTypeID)];
  }

  // Only the types that occur take a place in the legend.
  void TakeUsedTypes(ActivityCounts& result) const {
    const std::size_t months = starts_.size();
    std::vector<std::size_t> used;
    for (std::size_t c = 0; c < columns_; ++c) {
      bool any = false;
      for (std::size_t m = 0; m < months && !any; ++m) any = counts_[m * columns_ + c] != 0;
      if (any) used.push_back(c);
    }
    for (const std::size_t c : used) result.types.push_back(c < typeIds_.size() ? typeNames_[c] : kNoType);
    result.counts.reserve(months * used.size());
    for (std::size_t m = 0; m < months; ++m)
      for (const std::size_t c : used) result.counts.push_back(counts_[m * columns_ + c]);
  }

 private:
  std::size_t Column(int32_t typeId) {
    // Contacts of one type tend to come in runs; the last answer is kept.
    if (typeKnown_ && typeId == lastTypeId_) return lastColumn_;
    const auto at = std::lower_bound(typeIds_.begin(), typeIds_.end(), typeId);
    lastColumn_ =
        at != typeIds_.end() && *at == typeId ? static_cast<std::size_t>(at - typeIds_.begin()) : typeIds_.size();
    lastTypeId_ = typeId;
    typeKnown_ = true;
    return lastColumn_;
  }

  std::vector<double> starts_;
  double low_;
  double high_;
  std::vector<int32_t> typeIds_;
  std::vector<std::string> typeNames_;
  std::size_t columns_ = 1;
  std::vector<int> counts_;
  int32_t lastTypeId_ = 0;
  std::size_t lastColumn_ = 0;
  bool typeKnown_ = false;
};

}  // namespace

ActivityCounts CountActivity(const DocumentData& data, const DateTimeValue& from, const DateTimeValue& to,
                             const std::vector<int32_t>* persons) {
  ActivityCounts result;
  if (!from.IsValid() || !to.IsValid() || Less(to, from)) return result;
  ActivityTally tally(data.contactTypes, from, to, MonthStarts(from, to, result.months));
  if (persons) {
    std::vector<int32_t> ids = *persons;
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    for (const int32_t person : ids)
      for (const int32_t contactId : data.contacts.GetIndex().ContactIdsOf(person))
        if (const Contact* contact = data.contacts.Find(contactId)) tally.Add(*contact);
  } else {
    for (const auto& [id, contact] : data.contacts) tally.Add(contact);
  }
  tally.TakeUsedTypes(result);
  return result;
}

ChartScale RoundScale(int largest) {
  if (largest <= 0) return {};
  for (int power = 1;; power *= 10) {
    for (const int factor : {1, 2, 5}) {
      const int step = factor * power;
      const int steps = (largest + step - 1) / step;
      if (steps <= 5) return {steps * step, step};
    }
  }
}

// Where the chart's parts go on the page in use.
struct ActivityReport::Chart {
  int axisX = 0;      // the vertical axis
  int right = 0;      // the horizontal axis's end
  int zeroY = 0;      // the horizontal axis
  int plotTop = 0;    // where the scale's top value stands
  int slotWidth = 0;  // one month
  int labelsTop = 0;  // the month names; the years below them
  int legendTop = 0;

  int Y(int64_t value, int top) const { return zeroY - static_cast<int>(value * (zeroY - plotTop) / std::max(1, top)); }
};

ActivityReport::ActivityReport(Canvas& canvas, const DocumentData& data, const DateTimeValue& beginDate,
                               const DateTimeValue& endDate, const std::vector<int32_t>* persons)
    : Report(canvas), beginDate_(beginDate), endDate_(endDate) {
  counts_ = CountActivity(data, beginDate, endDate, persons);
  int largest = 0;
  for (std::size_t m = 0; m < counts_.months.size(); ++m) largest = std::max(largest, counts_.MonthTotal(m));
  scale_ = RoundScale(largest);
}

void ActivityReport::Paginate() {
  entriesPaginated_ = 0;
  entriesToPaginate_ = 0;
  const auto months = static_cast<int>(counts_.months.size());
  pageCount_ = (months + kMonthsPerPage - 1) / kMonthsPerPage;
}

void ActivityReport::DrawPage(Canvas& canvas, int pageIndex) {
  if (pageIndex < 0 || pageIndex >= pageCount_) return;
  DrawFrame(canvas, [&] {
    currentY_ = pageRect_.top;
    DrawHeader();
    DrawFooter(pageIndex + 1);
    DrawChart(pageIndex);
  });
}

void ActivityReport::DrawHeader() {
  DrawCentredBold("ACTIVITY " + ShortDateText(beginDate_) + " - " + ShortDateText(endDate_), pageRect_.top);
}

void ActivityReport::DrawFooter(int pageNumber) { DrawStandardFooter(pageNumber); }

void ActivityReport::DrawDecorations() {}

void ActivityReport::DrawChart(int pageIndex) {
  const std::size_t first = static_cast<std::size_t>(pageIndex) * kMonthsPerPage;
  const std::size_t last = std::min(counts_.months.size(), first + kMonthsPerPage);
  // Every page divides its width as a full page would, so a short last
  // page has bars as wide as the pages before it.
  const auto slots = static_cast<int>(std::min<std::size_t>(counts_.months.size(), kMonthsPerPage));

  Chart chart;
  const int footerTop = pageRect_.bottom - lineHeight_;
  chart.legendTop = footerTop - lineHeight_ - DrawLegend(0, false);
  chart.labelsTop = chart.legendTop - 3 * lineHeight_;
  chart.zeroY = chart.labelsTop - lineHeight_ / 4;
  // Room above the top for its number and a bar's total.
  chart.plotTop = std::min(pageRect_.top + 3 * lineHeight_, chart.zeroY - 1);
  chart.axisX = pageRect_.left + canvas_->TextWidth(NumberText(scale_.top)) + charWidth_;
  chart.right = pageRect_.right;
  chart.slotWidth = std::max(1, (chart.right - chart.axisX) / std::max(1, slots));

  DrawScale(chart);
  DrawBars(chart, first, last);
  DrawMonthLabels(chart, first, last);
  DrawLegend(chart.legendTop, true);
}

void ActivityReport::DrawScale(const Chart& chart) {
  canvas_->DrawLine(chart.axisX, chart.plotTop, chart.axisX, chart.zeroY);
  canvas_->DrawLine(chart.axisX, chart.zeroY, chart.right, chart.zeroY);
  const int tick = std::max(1, charWidth_ / 2);
  for (int value = 0; value <= scale_.top; value += scale_.step) {
    const int y = chart.Y(value, scale_.top);
    const std::string text = NumberText(value);
    canvas_->DrawLine(chart.axisX - tick, y, chart.axisX, y);
    canvas_->DrawText(chart.axisX - tick - charWidth_ / 2 - canvas_->TextWidth(text), y - lineHeight_ / 2, text);
  }
}

void ActivityReport::DrawBars(const Chart& chart, std::size_t first, std::size_t last) {
  const int barWidth = std::max(1, chart.slotWidth * 3 / 5);
  for (std::size_t m = first; m < last; ++m) {
    const int left = chart.axisX + static_cast<int>(m - first) * chart.slotWidth + (chart.slotWidth - barWidth) / 2;
    // Each part runs between the running totals below and above it, so
    // the rounding of one part never shifts the next.
    int64_t below = 0;
    for (std::size_t t = 0; t < counts_.types.size(); ++t) {
      const int count = counts_.At(m, t);
      if (count == 0) continue;
      const CanvasRect part{left, chart.Y(below + count, scale_.top), left + barWidth, chart.Y(below, scale_.top)};
      DrawSwatch(part, t);
      below += count;
    }
    const int total = static_cast<int>(below);
    const std::string text = NumberText(total);
    const int width = canvas_->TextWidth(text);
    if (total > 0 && width <= chart.slotWidth)
      canvas_->DrawText(left + (barWidth - width) / 2, chart.Y(total, scale_.top) - lineHeight_, text);
  }
}

void ActivityReport::DrawMonthLabels(const Chart& chart, std::size_t first, std::size_t last) {
  // The locale's short month names when the widest fits its slot; month
  // numbers otherwise.
  std::vector<std::string> names;
  bool fit = true;
  for (std::size_t m = first; m < last; ++m) {
    names.push_back(FormatDateTime(MonthStart(counts_.months[m].year, counts_.months[m].month), "%b"));
    fit = fit && canvas_->TextWidth(names.back()) < chart.slotWidth;
  }
  const auto slotLeft = [&](std::size_t m) { return chart.axisX + static_cast<int>(m - first) * chart.slotWidth; };
  for (std::size_t m = first; m < last; ++m) {
    const std::string text = fit ? names[m - first] : NumberText(counts_.months[m].month);
    canvas_->DrawText(slotLeft(m) + (chart.slotWidth - canvas_->TextWidth(text)) / 2, chart.labelsTop, text);
  }
  // The year under the page's first month and under each January; a first
  // month too close to the next January for both leaves the year to it.
  std::vector<std::size_t> yearAt;
  for (std::size_t m = first; m < last; ++m)
    if (m == first || counts_.months[m].month == 1) yearAt.push_back(m);
  for (std::size_t i = 0; i < yearAt.size(); ++i) {
    const std::size_t m = yearAt[i];
    const std::string text = NumberText(counts_.months[m].year);
    const int x = slotLeft(m) + std::max(0, (chart.slotWidth - canvas_->TextWidth(text)) / 2);
    if (i + 1 < yearAt.size() && x + canvas_->TextWidth(text) + charWidth_ > slotLeft(yearAt[i + 1])) continue;
    canvas_->DrawText(x, chart.labelsTop + lineHeight_, text);
  }
}

int ActivityReport::DrawLegend(int top, bool draw) {
  if (counts_.types.empty()) return 0;
  const int box = std::max(1, lineHeight_ * 3 / 4);
  const int gap = 2 * charWidth_;
  int x = leftColumnX_;
  int y = top;
  for (std::size_t t = 0; t < counts_.types.size(); ++t) {
    const int width = box + charWidth_ + canvas_->TextWidth(counts_.types[t]);
    // An entry that does not fit the line starts the next; one wider than
    // the page stands alone on its line.
    if (x > leftColumnX_ && x + width > pageRect_.right) {
      x = leftColumnX_;
      y += lineHeight_;
    }
    if (draw) {
      const int boxTop = y + (lineHeight_ - box) / 2;
      DrawSwatch({x, boxTop, x + box, boxTop + box}, t);
      canvas_->DrawText(x + box + charWidth_, y, counts_.types[t]);
    }
    x += width + gap;
  }
  return y + lineHeight_ - top;
}

void ActivityReport::DrawSwatch(const CanvasRect& rect, std::size_t type) {
  const Fill& fill = FillOf(type);
  canvas_->FillRect(rect, fill.grey);
  DrawHatch(*canvas_, rect, fill.hatch, std::max(3, canvas_->LogPixelsX() / 12));
  DrawOutline(*canvas_, rect);
}

}  // namespace vimbo
