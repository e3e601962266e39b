#pragma once
// A small XML parser for the document file: one pass of recursive descent
// over bytes held in memory. It accepts elements, attributes, comments, CDATA
// sections, character references and the five predefined entities, and an
// XML declaration at the very start; anything else is a syntax error, thrown
// as SimpleXMLParser::Exception with the line and column where it was found.
// No character set conversion takes place: names, texts and values are the
// file's bytes, apart from decoded references.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/xml_node.h"

namespace vimbo {

class SimpleXMLParser {
 public:
  // Where a syntax error was found. Both count in 64 bits, so a position deep
  // in a file of several gigabytes is reported as it is.
  struct Exception {
    int64_t line;
    int64_t column;
  };

  // The line and column after `text`, counted on from `from` as the parser
  // reads: a carriage return is skipped and the byte after it delivered in its
  // place, a line feed starts a new line, every other byte is one column.
  static Exception PositionAfter(std::string_view text, Exception from = {1, 1});

  // The deepest element nesting accepted. The document format needs four
  // levels; the limit keeps a hostile file from exhausting the stack.
  static constexpr int kMaxDepth = 256;

  // Parses `bytes` (taken over by the returned root, which owns the tree).
  // A zero byte inside the range reads as the end of the text. A UTF-8 byte
  // order mark at the very start, which some editors add, is skipped.
  std::unique_ptr<XMLElement> Parse(std::string bytes);
  std::unique_ptr<XMLElement> Parse(const char* text, std::size_t length) {
    return Parse(std::string(text, length));
  }

  // The version text of the XML declaration, "1.0" when there was none.
  const std::string& Version() const { return version_; }

 private:
  class TextBuilder;

  [[noreturn]] void Fail() const;
  char Peek() const { return p_ < end_ ? *p_ : '\0'; }
  bool StartsWith(std::string_view literal) const;
  void Expect(char c);
  void SkipWhitespace();
  std::string_view ScanName();

  void ParseDeclaration();
  void SkipMisc();
  std::string_view ParseCommentBody();
  std::string_view ParseCDATABody();
  char ParseReference();
  std::string_view ParseAttributeValue();
  XMLElement* ParseChildElement(int depth);
  void ParseElementRest(XMLElement& element, int depth);
  void ParseContent(XMLElement& element, int depth);
  bool ParseMarkupInContent(XMLElement& element, TextBuilder& text, int depth);
  std::string_view CopyToArena(std::string_view text);

  template <typename Node, typename... Args>
  Node* Make(Args&&... args) {
    void* memory = arena_->allocate(sizeof(Node), alignof(Node));
    return new (memory) Node(std::forward<Args>(args)...);
  }

  const char* begin_ = nullptr;
  const char* p_ = nullptr;
  const char* end_ = nullptr;
  std::string version_ = "1.0";
  XMLArena* arena_ = nullptr;
  std::vector<std::string> textScratch_;  // one per depth, reused
  std::string attributeScratch_;
  std::vector<XMLAttribute> attributes_;
};

}  // namespace vimbo
