#include "core/editing/merge_conflict.h"

namespace vimbo {
namespace {

void AppendOnOneLine(std::string& line, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    line += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
  }
}

// The bytes a photo's base64 text stands for.
std::size_t DecodedSize(std::string_view base64) {
  std::size_t size = base64.size() / 4 * 3;
  for (std::size_t i = base64.size(); i > 0 && base64[i - 1] == '=' && size > 0; --i) --size;
  return size;
}

}  // namespace

std::string_view RecordKindName(RecordKind kind) {
  switch (kind) {
    case RecordKind::kUser: return "user";
    case RecordKind::kPerson: return "person";
    case RecordKind::kContact: return "contact";
    case RecordKind::kContactType: return "contacttype";
  }
  return "";
}

std::string ConflictLine(const MergeConflict& conflict) {
  std::string line = "conflict\t";
  line.append(RecordKindName(conflict.kind)).append("\t").append(std::to_string(conflict.id)).append("\t");
  AppendOnOneLine(line, conflict.field);
  line += '\t';
  AppendOnOneLine(line, conflict.kept);
  line += '\t';
  AppendOnOneLine(line, conflict.other);
  line += '\n';
  return line;
}

std::string DetailsText(const std::vector<PersonDetail>& details) {
  std::string text;
  for (const PersonDetail& detail : details) {
    if (!text.empty()) text += "; ";
    text.append(DetailKindName(detail.kind));
    if (!detail.label.empty()) text.append(" ").append(detail.label.view());
    text += ':';
    if (detail.kind == DetailKind::kPhoto) {
      text.append(" ").append(detail.type.view()).append(" (");
      text.append(std::to_string(DecodedSize(detail.value))).append(" bytes)");
      continue;
    }
    bool first = true;
    for (const AddressPart& part : kAddressParts) {
      const std::string_view value = detail.*part.member;
      if (value.empty()) continue;
      text.append(first ? " " : ", ").append(value);
      first = false;
    }
    if (!detail.value.empty()) text.append(first ? " " : ", ").append(detail.value.view());
  }
  return text;
}

}  // namespace vimbo
