#pragma once
// A date and time value from its calendar fields, for test data.

#include "core/records/date_time_value.h"

namespace vimbo::testing {

inline DateTimeValue At(int year, int month, int day, int hour, int minute, int second = 0) {
  DateTimeValue value;
  value.SetDateTime(year, month, day, hour, minute, second);
  return value;
}

}  // namespace vimbo::testing
