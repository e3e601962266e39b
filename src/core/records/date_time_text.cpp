#include "core/records/date_time_text.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace vimbo {

namespace {

// ---- Writing the document form ----------------------------------------------
// Saving calls this once per contact, so it writes digits straight into a
// small buffer: no streams, no locale.

class TextBuffer {
 public:
  explicit TextBuffer(DocumentDateChars& chars) : chars_(chars) {}

  void Put(char c) { chars_.text[chars_.length++] = c; }

  void PutNumber(int number, int minDigits) {
    char digits[12];
    int count = 0;
    do {
      digits[count++] = static_cast<char>('0' + number % 10);
      number /= 10;
    } while (number > 0);
    while (count < minDigits) digits[count++] = '0';
    while (count > 0) Put(digits[--count]);
  }

 private:
  DocumentDateChars& chars_;
};

void PutDate(TextBuffer& out, const SystemTime& t) {
  out.PutNumber(t.month, 1);
  out.Put('/');
  out.PutNumber(t.day, 1);
  out.Put('/');
  out.PutNumber(t.year, 4);
}

void PutTime(TextBuffer& out, const SystemTime& t) {
  const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
  out.PutNumber(hour12, 1);
  out.Put(':');
  out.PutNumber(t.minute, 2);
  out.Put(':');
  out.PutNumber(t.second, 2);
  out.Put(' ');
  out.Put(t.hour < 12 ? 'A' : 'P');
  out.Put('M');
}

// ---- Reading the document form and its older variants -----------------------

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Reads the text from left to right; every look is bounds-checked, so a
// truncated text simply fails to match.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

  bool Take(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }

  bool TakeLetter(char upper) {
    if (Upper(Peek()) != upper) return false;
    ++pos_;
    return true;
  }

  // Returns how many blanks were skipped.
  size_t SkipBlanks() {
    const size_t start = pos_;
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
    return pos_ - start;
  }

  // A run of digits; fails when there is none or it is longer than
  // `maxDigits` (which also keeps the number far from overflow).
  bool Digits(int maxDigits, int& value, int& digits) {
    value = 0;
    digits = 0;
    while (IsDigit(Peek())) {
      if (++digits > maxDigits) return false;
      value = value * 10 + (text_[pos_++] - '0');
    }
    return digits > 0;
  }

  // A run of `minDigits` to `maxDigits` digits.
  bool Number(int minDigits, int maxDigits, int& value) {
    int digits = 0;
    return Digits(maxDigits, value, digits) && digits >= minDigits;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

struct Fields {
  // With no date in the text, the time is on day 0.
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// One- and two-digit years name the century by a fixed pivot; longer years are
// taken as written.
int FullYear(int year, int digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

// The rest of "M/D/Y" (or "D/M/Y" when the first number cannot be a month)
// and of "D.M.Y", after the first number and its separator.
bool ReadDayMonthYear(Cursor& in, int first, char separator, Fields& f) {
  int second = 0;
  int year = 0;
  int yearDigits = 0;
  if (!in.Number(1, 2, second) || !in.Take(separator) || !in.Digits(4, year, yearDigits)) {
    return false;
  }
  const bool monthFirst = separator == '/' && first <= 12;
  f.month = monthFirst ? first : second;
  f.day = monthFirst ? second : first;
  f.year = FullYear(year, yearDigits);
  return true;
}

// The rest of "YYYY-MM-DD" after the year and its dash.
bool ReadIsoMonthDay(Cursor& in, Fields& f) {
  return in.Number(1, 2, f.month) && in.Take('-') && in.Number(1, 2, f.day);
}

// The rest of "h:mm", "h:mm:ss", each optionally followed by AM or PM, after
// the hour and its colon. Runs to the end of the text.
bool ReadTime(Cursor& in, int hour, Fields& f) {
  if (!in.Number(2, 2, f.minute)) return false;
  if (in.Take(':') && !in.Number(2, 2, f.second)) return false;

  in.SkipBlanks();
  if (in.AtEnd()) {
    f.hour = hour;
    return true;
  }
  const bool pm = in.TakeLetter('P');
  if (!pm && !in.TakeLetter('A')) return false;
  if (!in.TakeLetter('M') || !in.AtEnd()) return false;
  // On a 12-hour clock, 12 AM is the first hour of the day and 12 PM noon.
  if (hour < 1 || hour > 12) return false;
  f.hour = hour % 12 + (pm ? 12 : 0);
  return true;
}

bool ReadDateTime(std::string_view text, Fields& f) {
  Cursor in(text);
  int first = 0;
  int firstDigits = 0;
  if (!in.Digits(4, first, firstDigits)) return false;

  if (firstDigits <= 2 && in.Take(':')) return ReadTime(in, first, f);

  bool iso = false;
  if (firstDigits <= 2 && (in.Peek() == '/' || in.Peek() == '.')) {
    const char separator = in.Peek();
    in.Take(separator);
    if (!ReadDayMonthYear(in, first, separator, f)) return false;
  } else if (firstDigits == 4 && in.Take('-')) {
    f.year = first;
    if (!ReadIsoMonthDay(in, f)) return false;
    iso = true;
  } else {
    return false;
  }

  if (in.AtEnd()) return true;
  if (!(iso && in.Take('T')) && in.SkipBlanks() == 0) return false;
  int hour = 0;
  return in.Number(1, 2, hour) && in.Take(':') && ReadTime(in, hour, f);
}

// ---- Locale forms --------------------------------------------------------------

int DayOfYear(const SystemTime& t) {
  static constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
  return kDaysBeforeMonth[t.month - 1] + t.day - 1 + (leap && t.month > 2 ? 1 : 0);
}

std::tm ToTm(const SystemTime& t) {
  std::tm fields{};
  fields.tm_year = t.year - 1900;
  fields.tm_mon = t.month - 1;
  fields.tm_mday = t.day;
  fields.tm_hour = t.hour;
  fields.tm_min = t.minute;
  fields.tm_sec = t.second;
  fields.tm_wday = t.dayOfWeek;
  fields.tm_yday = DayOfYear(t);
  fields.tm_isdst = -1;  // unknown: the value carries no time zone
  return fields;
}

template <size_t Size>
std::string Format(const DateTimeValue& value, const char* picture) {
  if (!value.IsValid() || picture == nullptr) return {};
  const std::tm fields = ToTm(value.ToSystemTime());
  char text[Size];
  // strftime gives 0 both for a text that does not fit and for an empty
  // result; either way the caller gets the empty text.
  const size_t length = std::strftime(text, Size, picture, &fields);
  return std::string(text, length);
}

}  // namespace

DocumentDateChars DocumentDateForm(const DateTimeValue& value) {
  DocumentDateChars chars;
  if (!value.IsValid()) return chars;
  const SystemTime t = value.ToSystemTime();
  const bool dayZero = t.year == 1899 && t.month == 12 && t.day == 30;
  const bool midnight = t.hour == 0 && t.minute == 0 && t.second == 0;

  TextBuffer out(chars);
  if (!dayZero) PutDate(out, t);
  if (dayZero || !midnight) {
    if (!dayZero) out.Put(' ');
    PutTime(out, t);
  }
  return chars;
}

std::string_view DocumentDateWriter::Text(const DateTimeValue& value) {
  chars_.length = 0;
  if (!value.IsValid()) return {};
  const auto [dayNumber, second] = value.SplitDay();
  if (days_.empty()) days_.resize(8192);
  Day& day = days_[static_cast<uint64_t>(dayNumber) % days_.size()];
  if (day.number != dayNumber) {
    day.number = dayNumber;
    day.date.length = 0;
    TextBuffer date(day.date);
    if (dayNumber != 0) PutDate(date, value.ToSystemTime());
  }
  std::memcpy(chars_.text, day.date.text, day.date.length);
  chars_.length = day.date.length;
  // Day 0 is 30 December 1899, written as its time alone.
  if (dayNumber == 0 || second != 0) {
    TextBuffer out(chars_);
    if (dayNumber != 0) out.Put(' ');
    SystemTime time;
    time.hour = second / 3600;
    time.minute = second / 60 % 60;
    time.second = second % 60;
    PutTime(out, time);
  }
  return chars_.View();
}

std::string DocumentDateText(const DateTimeValue& value) { return std::string(DocumentDateForm(value).View()); }

bool ParseDocumentDateText(std::string_view text, DateTimeValue& value) {
  value = DateTimeValue();
  Fields f;
  if (!ReadDateTime(TrimBlanks(text), f)) return false;
  return value.SetDateTime(f.year, f.month, f.day, f.hour, f.minute, f.second);
}

std::string IsoDateText(const DateTimeValue& value) {
  if (!value.IsValid()) return {};
  const SystemTime fields = value.ToSystemTime();
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", fields.year, fields.month, fields.day);
  return text;
}

std::string IsoTimeText(const DateTimeValue& value) {
  if (!value.IsValid()) return {};
  const SystemTime fields = value.ToSystemTime();
  char text[40];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", fields.hour, fields.minute, fields.second);
  return text;
}

std::string ShortDateText(const DateTimeValue& value) { return Format<255>(value, "%x"); }

std::string ShortTimeText(const DateTimeValue& value) { return Format<255>(value, "%X"); }

std::string FormatDateTime(const DateTimeValue& value, const char* picture) { return Format<4096>(value, picture); }

}  // namespace vimbo
