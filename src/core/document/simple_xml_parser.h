#pragma once
// A small XML parser for the document file: one pass of recursive descent
// over bytes held in memory, telling a handler what it reads (the loader
// fills records straight from it). It accepts
// elements, attributes, comments, CDATA sections, character references and
// the five predefined entities, and an XML declaration at the very start; anything else is a syntax error, thrown
// as SimpleXMLParser::Exception with the line and column where it was found.
// No character set conversion takes place: names, texts and values are the
// file's bytes, apart from decoded references.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vimbo {

// A name and value pair of an element; the value has its references decoded.
struct XMLAttribute {
  std::string_view name;
  std::string_view value;
};

// What the parser reports as it reads, in document order. The views are
// valid for the call only: they point into the parsed bytes or into the
// parser's scratch space.
class XMLHandler {
 public:
  virtual ~XMLHandler() = default;
  // A start tag, with its attributes in order and their values decoded.
  virtual void StartElement(std::string_view name, std::span<const XMLAttribute> attributes) = 0;
  // The end of the innermost open element, with its text: every run of its
  // own character data and CDATA, in order, references decoded.
  virtual void EndElement(std::string_view text) = 0;
  // A comment in an element's content; comments around the root are dropped.
  virtual void Comment(std::string_view) {}
};

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

  // Reads `bytes` and tells `handler` what it finds, without building
  // anything. A zero byte inside the range reads as the end of the text. A
  // UTF-8 byte order mark at the very start, which some editors add, is
  // skipped. On a syntax error the handler has heard of everything before it.
  void Parse(std::string_view bytes, XMLHandler& handler);

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
  std::string_view ParseAttributeValue(std::string& scratch);
  void ParseElement(std::string_view name, int depth);
  void ParseContent(std::string_view name, int depth);
  bool ParseMarkupInContent(std::string_view name, TextBuilder& text, int depth);

  const char* begin_ = nullptr;
  const char* p_ = nullptr;
  const char* end_ = nullptr;
  std::string version_ = "1.0";
  XMLHandler* handler_ = nullptr;
  std::vector<std::string> textScratch_;      // one per depth, reused
  std::deque<std::string> attributeScratch_;  // one per attribute of a tag; a deque keeps them in place
  std::vector<XMLAttribute> attributes_;
};

}  // namespace vimbo
