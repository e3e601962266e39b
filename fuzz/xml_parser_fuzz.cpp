// Any bytes either parse into a tree that can be walked, or throw the
// parser's exception with a position inside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/document/simple_xml_parser.h"

namespace {

std::size_t Walk(const vimbo::XMLNode& node, int depth) {
  if (depth > vimbo::SimpleXMLParser::kMaxDepth + 1) std::abort();
  std::size_t bytes = node.Name().size() + node.Text().size();
  for (const vimbo::XMLAttribute& attribute : node.Attributes())
    bytes += attribute.name.size() + attribute.value.size();
  for (const vimbo::XMLNode& child : node.Children()) {
    if (node.FindChild(child.Name(), 0).IsAbsent()) std::abort();
    bytes += Walk(child, depth + 1);
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    vimbo::SimpleXMLParser parser;
    auto root = parser.Parse(text);
    if (root->Name().empty()) std::abort();
    Walk(*root, 1);
  } catch (const vimbo::SimpleXMLParser::Exception& error) {
    if (error.line < 1 || error.column < 1 || static_cast<std::size_t>(error.line) > size + 1) std::abort();
  }
  return 0;
}
