// Reads arbitrary bytes as vCard cards; nothing may crash or hang. Then what
// was read is written and read again twice, in either version: after the
// first pass every field and detail is UTF-8 with CR LF line breaks, so the
// second pass must give back exactly the persons of the first, details,
// dates and notes included.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/records/field_tables.h"
#include "core/records/text_encoding.h"
#include "core/transfer/vcard_reader.h"
#include "core/transfer/vcard_writer.h"

namespace {

std::vector<vimbo::Person> Again(const std::vector<vimbo::Person>& persons, vimbo::VCardVersion version) {
  std::vector<const vimbo::Person*> written;
  for (const vimbo::Person& person : persons) written.push_back(&person);
  vimbo::VCardImport read = vimbo::ReadVCards(vimbo::VCardText(written, version));
  if (read.unreadable != 0 || read.persons.size() != persons.size()) std::abort();
  return std::move(read.persons);
}

bool SameDetail(const vimbo::PersonDetail& a, const vimbo::PersonDetail& b) {
  if (a.kind != b.kind || a.label.view() != b.label.view() || a.value.view() != b.value.view() ||
      a.type.view() != b.type.view())
    return false;
  for (const vimbo::AddressPart& part : vimbo::kAddressParts)
    if ((a.*part.member).view() != (b.*part.member).view()) return false;
  return true;
}

bool Same(const vimbo::Person& a, const vimbo::Person& b) {
  for (const vimbo::RecordField<vimbo::Person>& field : vimbo::kPersonFields)
    if ((a.*field.member).view() != (b.*field.member).view()) return false;
  if (a.Details.size() != b.Details.size()) return false;
  for (std::size_t i = 0; i < a.Details.size(); ++i)
    if (!SameDetail(a.Details[i], b.Details[i])) return false;
  return a.Birthday == b.Birthday && a.Anniversary == b.Anniversary && a.Notes.view() == b.Notes.view();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vimbo::VCardImport read = vimbo::ReadVCards(text);
  // Whatever the bytes, a person holds UTF-8.
  for (const vimbo::Person& person : read.persons) {
    for (const vimbo::RecordField<vimbo::Person>& field : vimbo::kPersonFields)
      if (!vimbo::IsValidUtf8(person.*field.member)) std::abort();
    for (const vimbo::PersonDetail& detail : person.Details)
      if (!vimbo::IsValidUtf8(detail.value) || !vimbo::IsValidUtf8(detail.label)) std::abort();
  }
  const auto version = size % 2 == 0 ? vimbo::VCardVersion::kFour : vimbo::VCardVersion::kThree;
  const std::vector<vimbo::Person> once = Again(read.persons, version);
  const std::vector<vimbo::Person> twice = Again(once, version);
  for (std::size_t i = 0; i < once.size(); ++i)
    if (!Same(once[i], twice[i])) std::abort();
  return 0;
}
