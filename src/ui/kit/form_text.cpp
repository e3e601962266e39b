#include "ui/kit/form_text.h"

#include <QDate>
#include <QFontMetrics>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTime>
#include <algorithm>

#include "core/records/date_time_value.h"
#include "core/records/text_rules.h"
#include "gfx/display_text.h"

namespace vimbo {
namespace {

// Rewrites every unquoted run of `letter` in a date/time format through
// `rewrite`, which gets the run's length and answers its replacement.
template <typename Rewrite>
QString RewriteRuns(const QString& format, QChar letter, Rewrite rewrite) {
  QString result;
  bool quoted = false;
  for (qsizetype i = 0; i < format.size();) {
    const QChar c = format[i];
    if (c == u'\'') quoted = !quoted;
    if (quoted || c != letter) {
      result.append(c);
      ++i;
      continue;
    }
    qsizetype end = i;
    while (end < format.size() && format[end] == letter) ++end;
    result.append(rewrite(end - i));
    i = end;
  }
  return result;
}

}  // namespace

QString PickerDateFormat(const QLocale& locale) {
  return RewriteRuns(locale.dateFormat(QLocale::ShortFormat), u'y',
                     [](qsizetype length) { return QString(length == 2 ? 4 : length, u'y'); });
}

QString PickerTimeFormat(const QLocale& locale) {
  return RewriteRuns(locale.timeFormat(QLocale::LongFormat), u't', [](qsizetype) { return QString(); }).trimmed();
}

FormDateTimeText::FormDateTimeText(const QLocale& locale)
    : locale_(locale), dateFormat_(PickerDateFormat(locale)), timeFormat_(PickerTimeFormat(locale)) {}

QString FormDateTimeText::Date(const DateTimeValue& value) const {
  if (!value.IsValid()) return {};
  const SystemTime fields = value.ToSystemTime();
  return locale_.toString(QDate(fields.year, fields.month, fields.day), dateFormat_);
}

QString FormDateTimeText::Time(const DateTimeValue& value) const {
  if (!value.IsValid()) return {};
  const SystemTime fields = value.ToSystemTime();
  return locale_.toString(QTime(fields.hour, fields.minute, fields.second), timeFormat_);
}

namespace {

QString Widest(const QFontMetrics& metrics, const QString& widest, const QString& text) {
  return metrics.horizontalAdvance(text) > metrics.horizontalAdvance(widest) ? text : widest;
}

}  // namespace

// Days 22 to 28 of each month fall on every weekday, with two-digit days.
QString FormDateTimeText::WidestDate(const QFontMetrics& metrics) const {
  QString widest;
  for (int month = 1; month <= 12; ++month)
    for (int day = 22; day <= 28; ++day)
      widest = Widest(metrics, widest, locale_.toString(QDate(2028, month, day), dateFormat_));
  return widest;
}

// Every hour, for one- and two-digit hours and both halves of the day.
QString FormDateTimeText::WidestTime(const QFontMetrics& metrics) const {
  QString widest;
  for (int hour = 0; hour < 24; ++hour)
    widest = Widest(metrics, widest, locale_.toString(QTime(hour, 58, 58), timeFormat_));
  return widest;
}

QString MultiLineToDisplay(std::string_view bytes) { return ToDisplay(LineFeedBreaks(bytes)); }

QString MultiLineBoxText(const QPlainTextEdit& box) {
  QString text = box.document()->toRawText();
  text.replace(QChar::ParagraphSeparator, u'\n');
  text.replace(QChar::LineSeparator, u'\n');
  return text;
}

std::string MultiLineFromDisplay(const QString& text, std::string_view original) {
  if (text == MultiLineToDisplay(original)) return std::string(original);
  QString withPairs = text;
  withPairs.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  withPairs.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  withPairs.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return FromDisplay(withPairs);
}

QString SingleLineToDisplay(std::string_view bytes) {
  std::string text = LineFeedBreaks(bytes);
  std::replace(text.begin(), text.end(), '\n', ' ');
  return ToDisplay(text);
}

}  // namespace vimbo
