#include "support/xml_tree.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

namespace vimbo::testing {

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

// Builds the element tree from what the parser reports. Names, comments and
// single-run texts are views into the root's bytes; texts and values that
// were assembled from pieces live in the parser's scratch space only for the
// call, so they are copied into the arena.
class XMLTreeBuilder final : public XMLHandler {
 public:
  XMLTreeBuilder(XMLRootElement& root, XMLArena& arena) : root_(root), arena_(arena) {}

  void StartElement(std::string_view name, std::span<const XMLAttribute> attributes) override {
    XMLElement* element = &root_;
    if (open_.empty())
      root_.name_ = name;
    else
      open_.back()->AddChild(element = Make<XMLElement>(name));
    if (!attributes.empty()) {
      void* memory = arena_.allocate(sizeof(XMLAttribute) * attributes.size(), alignof(XMLAttribute));
      auto* stored = static_cast<XMLAttribute*>(memory);
      for (std::size_t i = 0; i < attributes.size(); ++i)
        new (stored + i) XMLAttribute{attributes[i].name, Keep(attributes[i].value)};
      element->attributes_ = stored;
      element->attributeCount_ = attributes.size();
    }
    open_.push_back(element);
  }

  void EndElement(std::string_view text) override {
    open_.back()->text_ = Keep(text);
    open_.pop_back();
  }

  void Comment(std::string_view body) override { open_.back()->AddChild(Make<XMLComment>(body)); }

 private:
  template <typename Node, typename... Args>
  Node* Make(Args&&... args) {
    void* memory = arena_.allocate(sizeof(Node), alignof(Node));
    return new (memory) Node(std::forward<Args>(args)...);
  }

  std::string_view Keep(std::string_view text) {
    const std::string& bytes = root_.Bytes();
    if (text.empty() || (text.data() >= bytes.data() && text.data() < bytes.data() + bytes.size())) return text;
    char* memory = static_cast<char*>(arena_.allocate(text.size(), 1));
    std::memcpy(memory, text.data(), text.size());
    return {memory, text.size()};
  }

  XMLRootElement& root_;
  XMLArena& arena_;
  std::vector<XMLElement*> open_;
};

std::unique_ptr<XMLElement> ParseTree(SimpleXMLParser& parser, std::string bytes) {
  // The arena takes memory block by block as the tree grows. A count of
  // markup cannot size it in advance: a comment may hold any number of '<'
  // bytes and builds a single node. The block size follows the text's, so a
  // large document takes few blocks and a small one little memory.
  const std::size_t blockSize =
      std::clamp<std::size_t>(bytes.size() / 16, std::size_t{16} * 1024, std::size_t{4} * 1024 * 1024);
  auto arena = std::make_unique<XMLArena>(blockSize);
  XMLArena& tree = *arena;
  auto root = std::make_unique<XMLRootElement>(std::string_view{}, std::move(bytes), std::move(arena));
  XMLTreeBuilder builder(*root, tree);
  parser.Parse(std::string_view(root->Bytes()), builder);
  return root;
}

}  // namespace vimbo::testing
