#pragma once
// Find: the persons and contacts of a document that a query names.
//
// A query is words separated by blanks. A person matches when every word
// occurs in some field of the person; a contact when every word occurs in
// its notes or in its person's display name. Words and text are compared
// folded (see text_fold.h): without regard to case or accents. A word of
// digits alone also finds a phone number by its digits, so "5550108" finds
// "(217) 555-0108". A query of blanks finds nothing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/records/document_data.h"

namespace vimbo {

struct FindResults {
  // In ascending ID: each program lists them in its own name order.
  std::vector<int32_t> persons;
  // The newest first; contacts of the same moment in ascending ID.
  std::vector<int32_t> contacts;

  bool Empty() const { return persons.empty() && contacts.empty(); }
};

// The folded words of `query`, each once, in the order given.
std::vector<std::string> QueryWords(std::string_view query);

FindResults Find(const DocumentData& data, std::string_view query);

}  // namespace vimbo
