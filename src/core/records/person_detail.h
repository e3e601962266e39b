#pragma once
// A value a person has beyond the seventeen fields of the form: a second
// phone or e-mail, another address, an instant-messaging account, a name
// part, a photo... Each carries its kind and a label ("work", "mobile",
// "nickname"); an address carries its parts instead of a value, and a photo
// its media type beside the base64 bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/records/compact_text.h"

namespace vimbo {

enum class DetailKind : uint8_t { kPhone, kEmail, kAddress, kUrl, kIm, kSip, kName, kOrg, kCustom, kPhoto };

struct PersonDetail {
  DetailKind kind = DetailKind::kCustom;
  CompactText label;
  CompactText value;
  // An address's parts.
  CompactText street;
  CompactText city;
  CompactText region;
  CompactText postalCode;
  CompactText country;
  // A photo's media type: "image/jpeg".
  CompactText type;

  // A detail that holds one value.
  static PersonDetail Of(DetailKind kind, std::string_view label, std::string_view value) {
    PersonDetail detail;
    detail.kind = kind;
    detail.label = label;
    detail.value = value;
    return detail;
  }

  // The bytes of the heap blocks, for bounding the undo history.
  std::size_t HeapBytes() const;

  friend bool operator==(const PersonDetail& a, const PersonDetail& b);
};

// The parts of an address in their order in the file and on cards.
struct AddressPart {
  std::string_view fileName;
  CompactText PersonDetail::*member;
};
inline constexpr std::array<AddressPart, 5> kAddressParts = {{
    {"Street", &PersonDetail::street},
    {"City", &PersonDetail::city},
    {"Region", &PersonDetail::region},
    {"PostalCode", &PersonDetail::postalCode},
    {"Country", &PersonDetail::country},
}};

// "phone", "email", ... as the document file names the kinds.
std::string_view DetailKindName(DetailKind kind);
std::optional<DetailKind> DetailKindNamed(std::string_view name);

// The labels of name parts, as the file and the form give them.
inline constexpr std::string_view kPrefixLabel = "prefix";
inline constexpr std::string_view kMiddleLabel = "middle";
inline constexpr std::string_view kSuffixLabel = "suffix";
inline constexpr std::string_view kNicknameLabel = "nickname";
// The label of an organisation's unit (a department).
inline constexpr std::string_view kUnitLabel = "unit";

// The largest photo kept, in bytes before base64.
inline constexpr std::size_t kLargestPhoto = std::size_t{1024} * 1024;

}  // namespace vimbo
