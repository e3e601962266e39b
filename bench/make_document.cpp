// make_document N M [OUT]: writes the benchmark document with N persons and
// M contacts to OUT, or to standard output.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/document/file_io.h"
#include "document_generator.h"

namespace {

// A count is a whole decimal number within int32, the identifiers' range.
bool ParseCount(std::string_view text, int32_t& count) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  return error == std::errc() && end == text.data() + text.size() && count >= 0;
}

int Usage() {
  std::fputs("usage: make_document PERSONS CONTACTS [OUTPUT]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int32_t persons = 0;
  int32_t contacts = 0;
  if (argc < 3 || argc > 4 || !ParseCount(argv[1], persons) || !ParseCount(argv[2], contacts)) return Usage();

  const std::string text = vimbo::GenerateDocumentText(persons, contacts);
  if (argc == 4) {
    // The same safe save as the program's, so an interrupted run never
    // leaves a half-written document behind under the name.
    if (!vimbo::WriteFileAtomically(argv[3], text)) {
      std::fprintf(stderr, "make_document: cannot write %s\n", argv[3]);
      return 1;
    }
    return 0;
  }
  // A full disk or a closed pipe shows up only in the write, flush or close.
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  if (!written || std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("make_document: cannot write the document to standard output\n", stderr);
    return 1;
  }
  return 0;
}
