#include "core/records/partial_date.h"

#include <cstdio>

namespace vimbo {
namespace {

bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysIn(int month, int year) {
  constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && year != 0 && !IsLeap(year)) return 28;
  return kDays[month - 1];
}

}  // namespace

std::string PartialDate::Text() const {
  if (!IsSet()) return {};
  char text[16];
  if (HasYear())
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
  else
    std::snprintf(text, sizeof text, "--%02d-%02d", month, day);
  return text;
}

std::optional<PartialDate> PartialDate::Parse(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (const std::size_t t = text.find('T'); t != std::string_view::npos) text = text.substr(0, t);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  int year = 0;
  std::size_t at = 0;
  if (text.substr(0, 2) == "--") {
    at = 2;
  } else {
    if (!Digits(text, 0, 4, year) || year == 0) return std::nullopt;
    at = 4;
    if (at < text.size() && text[at] == '-') ++at;
  }
  int month = 0;
  int day = 0;
  if (!Digits(text, at, 2, month)) return std::nullopt;
  at += 2;
  if (at < text.size() && text[at] == '-') ++at;
  if (!Digits(text, at, 2, day) || at + 2 != text.size()) return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > DaysIn(month, year)) return std::nullopt;
  return PartialDate{static_cast<int16_t>(year), static_cast<uint8_t>(month), static_cast<uint8_t>(day)};
}

}  // namespace vimbo
