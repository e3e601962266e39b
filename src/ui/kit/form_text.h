#pragma once
// How the main form turns stored bytes and the user's locale into what its
// widgets show.

#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

class QDate;
class QFontMetrics;
class QPlainTextEdit;
class QTime;

namespace vimbo {

class DateTimeValue;

// The locale's short date with the year always in four digits: a two-digit
// year would make the picker guess the century of every date it reads.
QString PickerDateFormat(const QLocale& locale);

// The locale's time of day with seconds and without the time zone, since a
// contact's time is local and kept to the second.
QString PickerTimeFormat(const QLocale& locale);

// The date and time texts of the form: the contacts list, the find results
// and the pickers (which show PickerDateFormat and PickerTimeFormat in the
// same locale) give one moment the same text. The formats are worked out
// once, as a list formats a row each time it scrolls into view.
class FormDateTimeText {
 public:
  explicit FormDateTimeText(const QLocale& locale = QLocale());

  // Empty for a moment that is no date.
  QString Date(const DateTimeValue& value) const;
  QString Time(const DateTimeValue& value) const;

  // The widest text in `metrics` that each format gives, from a sample of
  // every month, weekday and hour: a column as wide shows any date or time
  // without cutting it.
  QString WidestDate(const QFontMetrics& metrics) const;
  QString WidestTime(const QFontMetrics& metrics) const;

 private:
  QLocale locale_;
  QString dateFormat_;
  QString timeFormat_;
};

// Text for a multi-line box: each line break as stored (CR LF, a lone LF, a
// lone CR, or the CR CR LF an edit box leaves) shows as one break.
QString MultiLineToDisplay(std::string_view bytes);

// What a multi-line box holds, with each break as one "\n". Read from the
// raw document: plain text would turn no-break spaces into blanks.
QString MultiLineBoxText(const QPlainTextEdit& box);

// The bytes for what a multi-line box holds: each line break stored as one
// CR LF pair. When the box still shows exactly what `original` shows, the
// original bytes are kept, so an unedited text is stored unchanged.
std::string MultiLineFromDisplay(const QString& text, std::string_view original);

// Text for one list cell: line breaks show as a single blank, so a note
// never changes the height of its row.
QString SingleLineToDisplay(std::string_view bytes);

}  // namespace vimbo
