// Any bytes either parse, telling the handler of balanced elements with
// names, never nested deeper than the limit, or throw the parser's exception
// with a position inside the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "core/document/simple_xml_parser.h"

namespace {

class CheckingHandler final : public vimbo::XMLHandler {
 public:
  void StartElement(std::string_view name, std::span<const vimbo::XMLAttribute> attributes) override {
    if (name.empty() || ++depth_ > vimbo::SimpleXMLParser::kMaxDepth) std::abort();
    for (const vimbo::XMLAttribute& attribute : attributes)
      if (attribute.name.empty()) std::abort();
    ++elements_;
  }
  void EndElement(std::string_view) override {
    if (--depth_ < 0) std::abort();
  }
  void Comment(std::string_view) override {
    if (depth_ == 0) std::abort();
  }

  int Depth() const { return depth_; }
  std::size_t Elements() const { return elements_; }

 private:
  int depth_ = 0;
  std::size_t elements_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckingHandler handler;
  try {
    vimbo::SimpleXMLParser().Parse(text, handler);
    if (handler.Depth() != 0 || handler.Elements() == 0) std::abort();
  } catch (const vimbo::SimpleXMLParser::Exception& error) {
    if (error.line < 1 || error.column < 1 || static_cast<std::size_t>(error.line) > size + 1) std::abort();
  }
  return 0;
}
