#include "document/xml_node.h"

namespace vimbo {

bool XMLElement::AddChild(XMLNode* node) {
  if (node == nullptr || node->IsAbsent()) return false;
  node->nextSibling_ = nullptr;
  if (lastChild_ == nullptr)
    firstChild_ = node;
  else
    lastChild_->nextSibling_ = node;
  lastChild_ = node;
  return true;
}

const XMLNode& XMLElement::FindChild(std::string_view name, int index) const {
  for (const XMLNode* child = firstChild_; child != nullptr; child = child->nextSibling_) {
    if (child->Name() == name && index-- == 0) return *child;
  }
  return XMLNullNode::Instance();
}

const XMLAttribute* XMLElement::FindAttribute(std::string_view name) const {
  const XMLAttribute* found = nullptr;
  for (const XMLAttribute& attribute : Attributes())
    if (attribute.name == name) found = &attribute;
  return found;
}

const XMLNode& XMLLeafNode::FindChild(std::string_view, int) const { return XMLNullNode::Instance(); }

const XMLNullNode& XMLNullNode::Instance() {
  static const XMLNullNode instance;
  return instance;
}

}  // namespace vimbo
