// Whatever a file holds, mapping it either refuses it (not well-formed, not a
// document) with nothing mapped, or succeeds; and what the writer then makes
// of the records reads back to the same text: a document that loads can
// always be saved and loaded again without loss.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/document/document_loader.h"
#include "core/document/document_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  vimbo::DocumentData first;
  const vimbo::LoadResult result =
      vimbo::LoadDocumentText(first, std::string(reinterpret_cast<const char*>(data), size));
  if (!result.Ok()) {
    if (!first.persons.Empty() || !first.contacts.Empty() || !first.contactTypes.Empty()) std::abort();
    return 0;
  }
  const std::string written = vimbo::DocumentText(first);

  vimbo::DocumentData second;
  if (!vimbo::LoadDocumentText(second, written).Ok()) std::abort();
  if (vimbo::DocumentText(second) != written) std::abort();
  return 0;
}
