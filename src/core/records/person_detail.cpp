#include "core/records/person_detail.h"

namespace vimbo {
namespace {

constexpr std::array<std::string_view, 10> kKindNames = {"phone", "email", "address", "url",    "im",
                                                         "sip",   "name",  "org",     "custom", "photo"};

}  // namespace

std::size_t PersonDetail::HeapBytes() const {
  std::size_t bytes = label.HeapBytes() + value.HeapBytes() + type.HeapBytes();
  for (const AddressPart& part : kAddressParts) bytes += (this->*part.member).HeapBytes();
  return bytes;
}

bool operator==(const PersonDetail& a, const PersonDetail& b) {
  if (a.kind != b.kind || a.label.view() != b.label.view() || a.value.view() != b.value.view() ||
      a.type.view() != b.type.view())
    return false;
  for (const AddressPart& part : kAddressParts)
    if ((a.*part.member).view() != (b.*part.member).view()) return false;
  return true;
}

std::string_view DetailKindName(DetailKind kind) { return kKindNames[static_cast<std::size_t>(kind)]; }

std::optional<DetailKind> DetailKindNamed(std::string_view name) {
  for (std::size_t i = 0; i < kKindNames.size(); ++i)
    if (kKindNames[i] == name) return static_cast<DetailKind>(i);
  return std::nullopt;
}

}  // namespace vimbo
