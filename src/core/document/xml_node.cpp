#include "core/document/xml_node.h"

#include <cstddef>
#include <cstdint>

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

XMLArena::~XMLArena() {
  for (const Block& block : blocks_) upstream_->deallocate(block.memory, block.size, alignof(std::max_align_t));
}

void* XMLArena::NewBlock(std::size_t size) {
  // Room first, so a block is never lost to a failed push_back.
  if (blocks_.size() == blocks_.capacity()) blocks_.reserve(2 * blocks_.size() + 8);
  void* memory = upstream_->allocate(size, alignof(std::max_align_t));
  blocks_.push_back({memory, size});
  return memory;
}

void* XMLArena::do_allocate(std::size_t bytes, std::size_t alignment) {
  const std::size_t padding = (alignment - reinterpret_cast<std::uintptr_t>(next_) % alignment) % alignment;
  if (next_ == nullptr || padding + bytes > left_) {
    if (bytes > blockSize_ / 2) return NewBlock(bytes);
    next_ = static_cast<char*>(NewBlock(blockSize_));
    left_ = blockSize_;
    return do_allocate(bytes, alignment);
  }
  void* memory = next_ + padding;
  next_ += padding + bytes;
  left_ -= padding + bytes;
  return memory;
}

const XMLNullNode& XMLNullNode::Instance() {
  static const XMLNullNode instance;
  return instance;
}

}  // namespace vimbo
