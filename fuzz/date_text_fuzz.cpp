// Feeds arbitrary bytes to the document date reader. Whatever it accepts must
// be a valid value, and a whole-second value must survive being written in
// the document form and read back, to the exact number.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/records/date_time_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using vimbo::DateTimeValue;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  DateTimeValue value;
  if (!vimbo::ParseDocumentDateText(text, value)) {
    if (value.Number() != DateTimeValue::kInvalid) std::abort();
    return 0;
  }
  if (!value.IsValid()) std::abort();

  // A value is whole seconds when rebuilding it from its fields changes nothing.
  DateTimeValue rebuilt;
  if (!rebuilt.FromSystemTime(value.ToSystemTime()) || !(rebuilt == value)) return 0;

  const std::string written = vimbo::DocumentDateText(value);
  DateTimeValue reread;
  if (!vimbo::ParseDocumentDateText(written, reread) || !(reread == value)) std::abort();
  return 0;
}
