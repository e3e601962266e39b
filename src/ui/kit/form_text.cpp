#include "ui/kit/form_text.h"

#include <QLocale>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <algorithm>

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
  return RewriteRuns(locale.timeFormat(QLocale::LongFormat), u't',
                     [](qsizetype) { return QString(); })
      .trimmed();
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
