#pragma once
// An element tree built from what SimpleXMLParser reports, for the tests that
// look at a parsed document as a whole.
//
// A tree lives in one arena owned by its root: the parser allocates every
// descendant node, name, text and attribute list there, and the names and
// texts that need no decoding are views into the parsed bytes, which the root
// also keeps. Destroying the root releases the whole tree at once, which is
// what makes loading a large document cheap.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <memory_resource>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/simple_xml_parser.h"

namespace vimbo::testing {

class XMLNode;

// The children of a node in document order (a forward range over siblings).
class XMLNodeList {
 public:
  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = XMLNode;
    using difference_type = std::ptrdiff_t;
    using pointer = const XMLNode*;
    using reference = const XMLNode&;

    iterator() = default;
    explicit iterator(const XMLNode* node) : node_(node) {}
    reference operator*() const { return *node_; }
    pointer operator->() const { return node_; }
    iterator& operator++();
    iterator operator++(int) {
      iterator old = *this;
      ++*this;
      return old;
    }
    friend bool operator==(iterator a, iterator b) { return a.node_ == b.node_; }

   private:
    const XMLNode* node_ = nullptr;
  };

  XMLNodeList() = default;
  explicit XMLNodeList(const XMLNode* first) : first_(first) {}
  iterator begin() const { return iterator(first_); }
  iterator end() const { return iterator(); }
  bool empty() const { return first_ == nullptr; }

 private:
  const XMLNode* first_ = nullptr;
};

class XMLNode {
 public:
  XMLNode(std::string_view name, std::string_view text) : name_(name), text_(text) {}
  XMLNode(const XMLNode&) = delete;
  XMLNode& operator=(const XMLNode&) = delete;
  virtual ~XMLNode() = default;

  // True only for the shared null node that stands for an absent node.
  virtual bool IsAbsent() const = 0;
  // Appends `node`, which must belong to the same tree; false for leaf nodes.
  virtual bool AddChild(XMLNode* node) = 0;
  // The children in document order; empty when there are none.
  virtual XMLNodeList Children() const = 0;
  // The `index`-th (from 0) child named `name`, or the null node.
  virtual const XMLNode& FindChild(std::string_view name, int index = 0) const = 0;
  // The attributes in document order; empty when there are none.
  virtual std::span<const XMLAttribute> Attributes() const = 0;

  std::string_view Name() const { return name_; }
  std::string_view Text() const { return text_; }

 private:
  friend class XMLElement;
  friend class XMLNodeList::iterator;
  friend class XMLTreeBuilder;

  std::string_view name_;
  std::string_view text_;
  XMLNode* nextSibling_ = nullptr;
};

inline XMLNodeList::iterator& XMLNodeList::iterator::operator++() {
  node_ = node_->nextSibling_;
  return *this;
}

class XMLElement : public XMLNode {
 public:
  explicit XMLElement(std::string_view name) : XMLNode(name, {}) {}

  bool IsAbsent() const override { return false; }
  bool AddChild(XMLNode* node) override;
  XMLNodeList Children() const override { return XMLNodeList(firstChild_); }
  const XMLNode& FindChild(std::string_view name, int index = 0) const override;
  std::span<const XMLAttribute> Attributes() const override { return {attributes_, attributeCount_}; }

  // The value of the last attribute named `name`, or nothing.
  const XMLAttribute* FindAttribute(std::string_view name) const;

 private:
  friend class XMLTreeBuilder;

  XMLNode* firstChild_ = nullptr;
  XMLNode* lastChild_ = nullptr;
  const XMLAttribute* attributes_ = nullptr;
  std::size_t attributeCount_ = 0;
};

// The behaviour shared by nodes that can have neither children nor attributes.
class XMLLeafNode : public XMLNode {
 public:
  using XMLNode::XMLNode;

  bool IsAbsent() const override { return false; }
  bool AddChild(XMLNode*) override { return false; }
  XMLNodeList Children() const override { return {}; }
  const XMLNode& FindChild(std::string_view name, int index = 0) const override;
  std::span<const XMLAttribute> Attributes() const override { return {}; }
};

class XMLComment : public XMLLeafNode {
 public:
  explicit XMLComment(std::string_view text) : XMLLeafNode("!", text) {}
};

class XMLNullNode : public XMLLeafNode {
 public:
  // The one null node, shared by every tree.
  static const XMLNullNode& Instance();
  bool IsAbsent() const override { return true; }

 private:
  XMLNullNode() : XMLLeafNode({}, {}) {}
};

// The memory of one tree, taken from the default resource in blocks of one
// size as the tree grows and given back all at once, so what is taken but
// unused is about one block whatever the size of the tree. A piece larger
// than half a block gets a block of its own.
class XMLArena final : public std::pmr::memory_resource {
 public:
  explicit XMLArena(std::size_t blockSize) : blockSize_(blockSize) {}
  XMLArena(const XMLArena&) = delete;
  XMLArena& operator=(const XMLArena&) = delete;
  ~XMLArena() override;

 private:
  struct Block {
    void* memory;
    std::size_t size;
  };

  void* do_allocate(std::size_t bytes, std::size_t alignment) override;
  void do_deallocate(void*, std::size_t, std::size_t) override {}
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }
  void* NewBlock(std::size_t size);

  std::pmr::memory_resource* upstream_ = std::pmr::get_default_resource();
  std::size_t blockSize_;
  std::vector<Block> blocks_;
  char* next_ = nullptr;
  std::size_t left_ = 0;
};

// The root of a parsed tree: owns the parsed bytes and the arena that holds
// every other node, so deleting it deletes the tree.
class XMLRootElement : public XMLElement {
 public:
  XMLRootElement(std::string_view name, std::string bytes, std::unique_ptr<XMLArena> arena)
      : XMLElement(name), bytes_(std::move(bytes)), arena_(std::move(arena)) {}

  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  std::unique_ptr<XMLArena> arena_;
};

// Parses `bytes` into an element tree; the returned root owns the bytes and
// the tree. Throws the parser's exception on a syntax error.
std::unique_ptr<XMLElement> ParseTree(SimpleXMLParser& parser, std::string bytes);
inline std::unique_ptr<XMLElement> ParseTree(std::string bytes) {
  SimpleXMLParser parser;
  return ParseTree(parser, std::move(bytes));
}

}  // namespace vimbo::testing
