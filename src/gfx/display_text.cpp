#include "gfx/display_text.h"

#include <QFile>
#include <cstdint>

#include "core/records/text_encoding.h"

namespace vimbo {

QString ToDisplay(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char byte : bytes)
    text.append(QChar(static_cast<char16_t>(Windows1252Character(static_cast<uint8_t>(byte)))));
  return text;
}

std::string FromDisplay(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::string FromDisplay(const QString& text, std::string_view original) {
  if (ToDisplay(original) == text) return std::string(original);
  return FromDisplay(text);
}

std::string LocalPath(const QString& path) {
  const QByteArray encoded = QFile::encodeName(path);
  return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

}  // namespace vimbo
