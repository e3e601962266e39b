// Reads arbitrary bytes as vCard cards; nothing may crash or hang. Then what
// was read is written and read again twice: after the first pass every
// field is UTF-8 with CR LF line breaks, so the second pass must give back
// exactly the persons of the first.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "core/records/field_tables.h"
#include "core/transfer/vcard_reader.h"
#include "core/transfer/vcard_writer.h"

namespace {

std::vector<vimbo::Person> Again(const std::vector<vimbo::Person>& persons) {
  std::vector<const vimbo::Person*> written;
  for (const vimbo::Person& person : persons) written.push_back(&person);
  vimbo::VCardImport read = vimbo::ReadVCards(vimbo::VCardText(written));
  if (read.unreadable != 0 || read.persons.size() != persons.size()) std::abort();
  return std::move(read.persons);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vimbo::VCardImport read = vimbo::ReadVCards(text);
  const std::vector<vimbo::Person> once = Again(read.persons);
  const std::vector<vimbo::Person> twice = Again(once);
  for (std::size_t i = 0; i < once.size(); ++i)
    for (const vimbo::RecordField<vimbo::Person>& field : vimbo::kPersonFields)
      if ((once[i].*field.member).view() != (twice[i].*field.member).view()) std::abort();
  return 0;
}
