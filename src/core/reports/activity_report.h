#pragma once
// The activity report: how many contacts were logged in each calendar month
// of a range, as a bar chart with one bar per month, each bar stacked by
// contact type, with a scale of round numbers, the months named under the
// bars and a legend of the types' fills, under the title
// "ACTIVITY <begin> - <end>". A page holds up to kMonthsPerPage months; a
// longer range goes on over further pages on one common scale, so bars on
// different pages compare.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/records/date_time_value.h"
#include "core/records/document_data.h"
#include "core/reports/report.h"

namespace vimbo {

struct ActivityMonth {
  int year = 0;
  int month = 0;  // 1..12
  friend bool operator==(const ActivityMonth&, const ActivityMonth&) = default;
};

// Contacts per month and contact type.
struct ActivityCounts {
  // Every month from the range's first to its last, the empty ones too.
  std::vector<ActivityMonth> months;
  // The contact types that have a contact in the range, in ascending ID,
  // by their descriptions; contacts of a type that no longer exists (or
  // of none) count under "(none)", last.
  std::vector<std::string> types;
  // months.size() rows of types.size() counts.
  std::vector<int> counts;

  int At(std::size_t month, std::size_t type) const { return counts[month * types.size() + type]; }
  int MonthTotal(std::size_t month) const;
  int Total() const;
};

// The contacts dated from `from` to `to`, both included, of every person
// (`persons` null) or of the persons listed. An invalid bound or a range
// that ends before it begins counts nothing over no months.
ActivityCounts CountActivity(const DocumentData& data, const DateTimeValue& from, const DateTimeValue& to,
                             const std::vector<int32_t>* persons);

// A scale from 0 to `top` in steps of 1, 2 or 5 times a power of ten, with at
// most five steps, that reaches `largest`.
struct ChartScale {
  int top = 1;
  int step = 1;
};
ChartScale RoundScale(int largest);

class ActivityReport : public Report {
 public:
  static constexpr int kMonthsPerPage = 24;

  // Counts at once; pages are laid out once the margins are set.
  ActivityReport(Canvas& canvas, const DocumentData& data, const DateTimeValue& beginDate, const DateTimeValue& endDate,
                 const std::vector<int32_t>* persons);

  void DrawPage(Canvas& canvas, int pageIndex) override;
  // No contact of the chosen persons falls within the range: every bar
  // would be empty.
  bool ListsNothing() const override { return counts_.Total() == 0; }
  const ActivityCounts& Counts() const { return counts_; }

 protected:
  void DrawHeader() override;
  void DrawFooter(int pageNumber) override;
  void DrawDecorations() override;
  void Paginate() override;

 private:
  struct Chart;
  void DrawChart(int pageIndex);
  void DrawScale(const Chart& chart);
  void DrawBars(const Chart& chart, std::size_t first, std::size_t last);
  void DrawMonthLabels(const Chart& chart, std::size_t first, std::size_t last);
  // The legend from `top`; returns its height. Draws nothing when `draw` is false.
  int DrawLegend(int top, bool draw);
  // A box filled as type `type`'s parts of the bars.
  void DrawSwatch(const CanvasRect& rect, std::size_t type);

  ActivityCounts counts_;
  ChartScale scale_;
  DateTimeValue beginDate_;
  DateTimeValue endDate_;
};

}  // namespace vimbo
