#pragma once
// A calendar date whose year may be unknown: a birthday or an anniversary as
// address books keep them. In the document it reads "1980-04-12", or
// "--04-12" without a year.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vimbo {

struct PartialDate {
  int16_t year = 0;   // 0: not known
  uint8_t month = 0;  // 0: no date at all
  uint8_t day = 0;

  bool IsSet() const { return month != 0; }
  bool HasYear() const { return year != 0; }

  // "YYYY-MM-DD", "--MM-DD", or empty when not set.
  std::string Text() const;

  // Reads the document form and the other forms cards write: "19800412",
  // "--0412", "1980-04-12T00:00:00Z" (the time is dropped). Nothing when the
  // text names no real day; 29 February needs no year.
  static std::optional<PartialDate> Parse(std::string_view text);

  friend bool operator==(const PartialDate&, const PartialDate&) = default;
};

}  // namespace vimbo
