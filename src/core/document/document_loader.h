#pragma once
// Loading a document file into DocumentData.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/records/document_data.h"

namespace vimbo {

struct LoadResult {
  enum class Status {
    kLoaded,
    // The file could not be opened or read, is not a regular file, or memory
    // ran out. Load changes nothing when the read fails; memory running out
    // part way leaves the collections empty, as a parse error does.
    kUnreadable,
    kParseError,   // the text is not well-formed; the collections are left empty
    kNotDocument,  // well-formed, but its root is not a Vimbo document; nothing mapped
  };
  Status status = Status::kLoaded;
  int64_t errorLine = 0;  // with kParseError: the line of the error
  bool upgraded = false;  // a version 1 file got the default contact types

  bool Ok() const { return status == Status::kLoaded; }
};

// The text of the message the program shows for a parse error.
std::string ParseErrorMessage(int64_t line);
inline constexpr const char* kParseErrorCaption = "Error Loading File";

// Reads the file, clears `data` (keeping the user and the version) and maps
// the file into it; a version 1 document also gets the default contact
// types. The caller marks the document modified when `upgraded` is set.
LoadResult Load(DocumentData& data, const std::string& path, Clock clock = &DateTimeValue::Now);

// The part of Load after the read and the clearing, for a caller that reads
// the file and clears the document itself: maps the text, raises each
// collection's LastID to its highest ID and upgrades a version 1 document.
// A root not named "Vimbo" maps nothing and gives kNotDocument. When memory
// runs out, gives kUnreadable with `data` as the caller gave it. Contacts
// without a readable date all get the one moment `clock` tells.
LoadResult LoadDocumentText(DocumentData& data, std::string text, Clock clock = &DateTimeValue::Now);

// The C library's integer reading as the file's numbers use it: leading
// whitespace, an optional sign, decimal digits; no digits give 0, and a
// number beyond the 32-bit range gives the nearest end of it.
int32_t ParseInteger(std::string_view text);

}  // namespace vimbo
