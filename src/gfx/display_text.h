#pragma once
// The one conversion between the bytes that records hold and the text that
// widgets show. Bytes that are valid UTF-8 are shown as UTF-8; any other
// bytes are read as Windows-1252, so a document from an older system shows
// its accented names instead of replacement characters. Typed text is
// stored as UTF-8.

#include <QString>
#include <string>
#include <string_view>

namespace vimbo {

QString ToDisplay(std::string_view bytes);
std::string FromDisplay(const QString& text);

// The bytes for a widget's text: the original bytes when the widget still
// shows exactly what they convert to, so an unedited field keeps its bytes.
std::string FromDisplay(const QString& text, std::string_view original);

// A path as the C library's file functions take it.
std::string LocalPath(const QString& path);

}  // namespace vimbo
