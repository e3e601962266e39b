#include "support/xml_tree.h"

namespace vimbo::testing {

const XMLNode& XMLNode::Absent() {
  static const XMLNode absent;
  return absent;
}

const XMLNode& XMLNode::FindChild(std::string_view name, int index) const {
  for (const XMLNode& child : children_)
    if (child.name_ == name && index-- == 0) return child;
  return Absent();
}

const XMLTreeAttribute* XMLNode::FindAttribute(std::string_view name) const {
  const XMLTreeAttribute* found = nullptr;
  for (const XMLTreeAttribute& attribute : attributes_)
    if (attribute.name == name) found = &attribute;
  return found;
}

// Only the innermost open element gains children, so the pointers to the
// open ones stay valid.
class XMLTreeBuilder final : public XMLHandler {
 public:
  explicit XMLTreeBuilder(XMLNode& root) : root_(root) {}

  void StartElement(std::string_view name, std::span<const XMLAttribute> attributes) override {
    XMLNode* element = open_.empty() ? &root_ : &open_.back()->children_.emplace_back();
    element->name_ = name;
    for (const XMLAttribute& attribute : attributes)
      element->attributes_.push_back({std::string(attribute.name), std::string(attribute.value)});
    open_.push_back(element);
  }

  void EndElement(std::string_view text) override {
    open_.back()->text_ = text;
    open_.pop_back();
  }

  void Comment(std::string_view body) override {
    XMLNode& comment = open_.back()->children_.emplace_back();
    comment.name_ = "!";
    comment.text_ = body;
  }

 private:
  XMLNode& root_;
  std::vector<XMLNode*> open_;
};

std::unique_ptr<XMLNode> ParseTree(SimpleXMLParser& parser, std::string_view bytes) {
  auto root = std::make_unique<XMLNode>();
  XMLTreeBuilder builder(*root);
  parser.Parse(bytes, builder);
  return root;
}

}  // namespace vimbo::testing
