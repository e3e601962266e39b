#pragma once
// The elements of a document as SimpleXMLParser reports them, kept as a
// plain tree for the parser's tests: each node owns its name, text,
// attributes and children. A comment is a child named "!".

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/simple_xml_parser.h"

namespace vimbo::testing {

struct XMLTreeAttribute {
  std::string name;
  std::string value;
};

class XMLNode {
 public:
  // What FindChild gives for a child that is not there.
  static const XMLNode& Absent();

  bool IsAbsent() const { return this == &Absent(); }
  std::string_view Name() const { return name_; }
  // An element's own character data, or a comment's body.
  std::string_view Text() const { return text_; }
  const std::vector<XMLNode>& Children() const { return children_; }
  const std::vector<XMLTreeAttribute>& Attributes() const { return attributes_; }
  // The `index`th child named `name`, counted among those of that name.
  const XMLNode& FindChild(std::string_view name, int index = 0) const;
  // The last attribute named `name`; null when there is none.
  const XMLTreeAttribute* FindAttribute(std::string_view name) const;

 private:
  friend class XMLTreeBuilder;

  std::string name_;
  std::string text_;
  std::vector<XMLTreeAttribute> attributes_;
  std::vector<XMLNode> children_;
};

// The root element of `bytes`; the parser's exception passes through.
std::unique_ptr<XMLNode> ParseTree(SimpleXMLParser& parser, std::string_view bytes);
inline std::unique_ptr<XMLNode> ParseTree(std::string_view bytes) {
  SimpleXMLParser parser;
  return ParseTree(parser, bytes);
}

}  // namespace vimbo::testing
