#include "core/document/simple_xml_parser.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace vimbo {
namespace {

enum CharClass : uint8_t {
  kWhitespace = 1,
  kNameStart = 2,
  kNameChar = 4,
  kContentStop = 8,  // bytes that end a run of character data
  kCDATAByte = 16,   // bytes allowed inside a CDATA section
  kHexDigit = 32,
};

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> table{};
  for (const char c : {'\t', '\n', '\r', ' '}) table[static_cast<unsigned char>(c)] |= kWhitespace;
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const bool digit = c >= '0' && c <= '9';
    if (letter || c == '_' || c == ':') table[c] |= kNameStart;
    if (letter || digit || c == '.' || c == '-' || c == '_' || c == ':') table[c] |= kNameChar;
    if ((c >= 0x20 && c <= 0x7F) || c == '\t' || c == '\n' || c == '\r') table[c] |= kCDATAByte;
    if (digit || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) table[c] |= kHexDigit;
  }
  for (const char c : {'\0', '&', '<', ']'}) table[static_cast<unsigned char>(c)] |= kContentStop;
  return table;
}

constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

bool Is(char c, CharClass cls) { return (kClasses[static_cast<uint8_t>(c)] & cls) != 0; }

// Every byte value once, so a decoded reference can be appended as a view.
constexpr std::array<char, 256> MakeBytes() {
  std::array<char, 256> bytes{};
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
  return bytes;
}
constexpr std::array<char, 256> kBytes = MakeBytes();

}  // namespace

// Collects the text of one element or attribute value. Most texts are a
// single run of the buffer and stay a view into it; only a text made of
// several pieces (runs around references, children or CDATA sections) is
// assembled in a scratch string.
class SimpleXMLParser::TextBuilder {
 public:
  explicit TextBuilder(std::string& scratch) : scratch_(scratch) {}

  void Append(std::string_view piece) {
    if (piece.empty()) return;
    if (!assembling_) {
      if (single_.empty()) {
        single_ = piece;
        return;
      }
      scratch_.assign(single_);
      assembling_ = true;
    }
    scratch_.append(piece);
  }

  std::string_view Finish() const { return assembling_ ? std::string_view(scratch_) : single_; }

 private:
  std::string& scratch_;
  std::string_view single_;
  bool assembling_ = false;
};

SimpleXMLParser::Exception SimpleXMLParser::PositionAfter(std::string_view text, Exception from) {
  Exception position = from;
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i++];
    if (c == '\r') {
      if (i == text.size()) break;
      c = text[i++];
    }
    if (c == '\n') {
      ++position.line;
      position.column = 1;
    } else {
      ++position.column;
    }
  }
  return position;
}

void SimpleXMLParser::Parse(std::string_view bytes, XMLHandler& handler) {
  handler_ = &handler;
  begin_ = p_ = bytes.data();
  end_ = begin_ + bytes.size();
  version_ = "1.0";
  textScratch_.resize(kMaxDepth + 2);

  // Positions count from after the mark, which an editor does not show.
  if (StartsWith("\xEF\xBB\xBF")) begin_ = p_ += 3;

  if (p_ + 5 <= end_ &&
      std::equal(p_, p_ + 5, "<?xml", [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; })) {
    p_ += 5;
    ParseDeclaration();
  }
  SkipMisc();
  Expect('<');
  const std::string_view rootName = ScanName();
  if (rootName.empty()) Fail();
  ParseElement(rootName, 1);
  SkipMisc();
  handler_ = nullptr;
}

void SimpleXMLParser::Fail() const {
  throw PositionAfter({begin_, static_cast<std::size_t>(std::min(p_, end_) - begin_)});
}

bool SimpleXMLParser::StartsWith(std::string_view literal) const {
  return static_cast<std::size_t>(end_ - p_) >= literal.size() && std::memcmp(p_, literal.data(), literal.size()) == 0;
}

void SimpleXMLParser::Expect(char c) {
  if (Peek() != c || c == '\0') Fail();
  ++p_;
}

void SimpleXMLParser::SkipWhitespace() {
  while (p_ < end_ && Is(*p_, kWhitespace)) ++p_;
}

std::string_view SimpleXMLParser::ScanName() {
  const char* start = p_;
  if (!Is(Peek(), kNameStart)) return {};
  ++p_;
  while (p_ < end_ && Is(*p_, kNameChar)) ++p_;
  return {start, static_cast<std::size_t>(p_ - start)};
}

// After "<?xml": version="..." [encoding="..."] ?>
void SimpleXMLParser::ParseDeclaration() {
  const auto quotedValue = [this](bool encoding) {
    SkipWhitespace();
    Expect('=');
    SkipWhitespace();
    const char quote = Peek();
    if (quote != '"' && quote != '\'') Fail();
    ++p_;
    const char* start = p_;
    if (encoding ? !Is(Peek(), kNameStart) || Peek() == '_' || Peek() == ':' : !Is(Peek(), kNameChar)) Fail();
    ++p_;
    while (p_ < end_ && Is(*p_, kNameChar)) ++p_;
    const std::string_view value(start, static_cast<std::size_t>(p_ - start));
    Expect(quote);
    return value;
  };

  if (!Is(Peek(), kWhitespace)) Fail();
  SkipWhitespace();
  if (!StartsWith("version")) Fail();
  p_ += 7;
  version_ = std::string(quotedValue(false));
  SkipWhitespace();
  if (StartsWith("encoding")) {
    p_ += 8;
    quotedValue(true);
    SkipWhitespace();
  }
  if (!StartsWith("?>")) Fail();
  p_ += 2;
}

// Whitespace and comments around the root; the comments are dropped.
void SimpleXMLParser::SkipMisc() {
  for (;;) {
    SkipWhitespace();
    if (!StartsWith("<!--")) return;
    p_ += 4;
    ParseCommentBody();
  }
}

// After "<!--": everything up to the first "--", which must close with ">".
std::string_view SimpleXMLParser::ParseCommentBody() {
  const char* start = p_;
  const std::string_view rest(p_, static_cast<std::size_t>(end_ - p_));
  const std::size_t dashes = rest.find("--");
  const std::size_t zero = rest.find('\0');
  if (zero != std::string_view::npos && (dashes == std::string_view::npos || zero < dashes)) {
    p_ += zero;
    Fail();
  }
  if (dashes == std::string_view::npos) {
    p_ = end_;
    Fail();
  }
  p_ += dashes + 2;
  Expect('>');
  return {start, dashes};
}

// After "<![CDATA[": plain bytes up to the first "]]>".
std::string_view SimpleXMLParser::ParseCDATABody() {
  const char* start = p_;
  while (!StartsWith("]]>")) {
    if (p_ >= end_ || !Is(*p_, kCDATAByte)) Fail();
    ++p_;
  }
  const std::string_view content(start, static_cast<std::size_t>(p_ - start));
  p_ += 3;
  return content;
}

// After "&": a numeric reference or one of the five predefined entities.
// A numeric reference gives the low byte of its number; the number wraps
// rather than overflowing, which keeps that byte.
char SimpleXMLParser::ParseReference() {
  if (Peek() == '#') {
    ++p_;
    const bool hex = Peek() == 'x';
    if (hex) ++p_;
    uint32_t number = 0;
    const char* digits = p_;
    while (p_ < end_) {
      const char c = *p_;
      if (hex && Is(c, kHexDigit))
        number = number * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
      else if (!hex && c >= '0' && c <= '9')
        number = number * 10 + static_cast<uint32_t>(c - '0');
      else
        break;
      ++p_;
    }
    if (p_ == digits) Fail();
    Expect(';');
    return static_cast<char>(number & 0xFF);
  }
  const std::string_view name = ScanName();
  if (name.empty()) Fail();
  char decoded;
  if (name == "lt")
    decoded = '<';
  else if (name == "gt")
    decoded = '>';
  else if (name == "amp")
    decoded = '&';
  else if (name == "apos")
    decoded = '\'';
  else if (name == "quot")
    decoded = '"';
  else
    Fail();
  Expect(';');
  return decoded;
}

std::string_view SimpleXMLParser::ParseAttributeValue(std::string& scratch) {
  const char quote = Peek();
  if (quote != '"' && quote != '\'') Fail();
  ++p_;
  TextBuilder value(scratch);
  const char* run = p_;
  for (;;) {
    while (p_ < end_ && *p_ != quote && *p_ != '&' && *p_ != '<' && *p_ != '\0') ++p_;
    if (p_ >= end_ || *p_ == '<' || *p_ == '\0') Fail();
    value.Append({run, static_cast<std::size_t>(p_ - run)});
    if (*p_ == quote) break;
    ++p_;
    const char byte = ParseReference();
    value.Append({&kBytes[static_cast<uint8_t>(byte)], 1});
    run = p_;
  }
  ++p_;
  return value.Finish();
}

// After "<" and the element's name: the attributes, the end of the start
// tag, then the content.
void SimpleXMLParser::ParseElement(std::string_view name, int depth) {
  attributes_.clear();
  for (;;) {
    SkipWhitespace();
    const std::string_view attribute = ScanName();
    if (attribute.empty()) break;
    SkipWhitespace();
    Expect('=');
    SkipWhitespace();
    if (attributeScratch_.size() == attributes_.size()) attributeScratch_.emplace_back();
    attributes_.push_back({attribute, ParseAttributeValue(attributeScratch_[attributes_.size()])});
  }
  if (StartsWith("/>")) {
    p_ += 2;
    handler_->StartElement(name, attributes_);
    handler_->EndElement({});
    return;
  }
  Expect('>');
  handler_->StartElement(name, attributes_);
  ParseContent(name, depth);
}

void SimpleXMLParser::ParseContent(std::string_view name, int depth) {
  TextBuilder text(textScratch_[static_cast<std::size_t>(depth)]);
  const char* run = p_;
  for (;;) {
    while (p_ < end_ && !Is(*p_, kContentStop)) ++p_;
    if (p_ >= end_ || *p_ == '\0') Fail();
    if (*p_ == ']') {
      if (StartsWith("]]>")) Fail();
      ++p_;
      continue;
    }
    text.Append({run, static_cast<std::size_t>(p_ - run)});
    if (*p_ == '&') {
      ++p_;
      const char byte = ParseReference();
      text.Append({&kBytes[static_cast<uint8_t>(byte)], 1});
    } else {
      ++p_;  // past '<'
      if (ParseMarkupInContent(name, text, depth)) break;
    }
    run = p_;
  }
  handler_->EndElement(text.Finish());
}

// After a '<' in the content of the element `name`: its end tag, which ends
// the content (true), or a comment, a CDATA section or a child element.
bool SimpleXMLParser::ParseMarkupInContent(std::string_view name, TextBuilder& text, int depth) {
  if (Peek() == '/') {
    ++p_;
    if (ScanName() != name) Fail();
    SkipWhitespace();
    Expect('>');
    return true;
  }
  if (StartsWith("!--")) {
    p_ += 3;
    handler_->Comment(ParseCommentBody());
  } else if (StartsWith("![CDATA[")) {
    p_ += 8;
    text.Append(ParseCDATABody());
  } else if (Is(Peek(), kNameStart)) {
    if (depth + 1 > kMaxDepth) Fail();
    ParseElement(ScanName(), depth + 1);
  } else {
    Fail();
  }
  return false;
}

}  // namespace vimbo
