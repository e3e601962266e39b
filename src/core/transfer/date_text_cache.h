#pragma once
// The locale's short date or time text of many values, as a contacts export
// needs it once per contact, without a call into the C library per contact.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/records/date_time_value.h"

namespace vimbo {

class DateTextCache {
 public:
  // The date text depends on the year, month and day only; the time text on
  // the hour, minute and second.
  enum class Part { kDate, kTime };
  using Format = std::string (*)(const DateTimeValue& value);

  // `format` gives the texts, as ShortDateText or ShortTimeText do; its text
  // must depend only on the `part` of the value.
  DateTextCache(Part part, Format format);
  ~DateTextCache();
  DateTextCache(const DateTextCache&) = delete;
  DateTextCache& operator=(const DateTextCache&) = delete;

  // The text `format` gives for `value`, whose calendar fields are `fields`
  // (its ToSystemTime()). It holds until the next call.
  std::string_view Text(const DateTimeValue& value, const SystemTime& fields);

 private:
  struct Pattern;
  using Pair = std::pair<int, int>;
  bool Learn(Pattern& pattern, int key) const;
  static bool Cut(const std::string& text, int first, int second, Pattern& pattern);
  bool FitPadding(Pattern& pattern, int key, Pair low, Pair high, int first, int second) const;
  DateTimeValue Probe(int key, int first, int second) const;

  Part part_;
  Format format_;
  // One pattern per year (dates) or hour (times), learned when first needed.
  std::vector<std::unique_ptr<Pattern>> patterns_;
  std::string text_;
  std::string store_;
};

}  // namespace vimbo
