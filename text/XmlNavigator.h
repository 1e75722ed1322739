#pragma once

// CXmlNavigator: the program's own small XML reader. It reads a whole file
// into wide text (recognising byte-order marks and declared encodings),
// indexes every element once, and lets the caller walk the element tree
// with a cursor of three handles: the parent position, the current element
// and its child. Reads never fail loudly: a missing element or attribute is
// an empty string.
//
// The reader is forgiving on purpose. An ill-formed document still gets an
// element table as far as it makes sense (elements left open are closed
// where their parent closes, stray end tags are dropped), and the load
// reports false so that callers that need a clean file can refuse it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CXmlNavigator {
 public:
  CXmlNavigator();

  // Reads and decodes the file, then indexes it. False when the file cannot
  // be read (the document is then empty) or when the document is not well
  // formed (the index is still usable).
  bool LoadFile(const std::u16string& path);
  // The same for a document already in memory, bytes as they would be on disk.
  bool LoadBytes(const uint8_t* data, size_t size);

  void ResetPosition();

  // Moves the current element to the next sibling named `name` (any name
  // when empty); with no current element, searches the children of the
  // parent position from the first.
  bool FindElement(std::u16string_view name = {});
  // Moves the child to the next child of the current element named `name`
  // (any name when empty), selecting the first element of the parent
  // position as current first when there is none.
  bool FindChildElement(std::u16string_view name = {});
  // The child becomes the current element and the current one the parent.
  bool EnterElement();
  // Back up one level: the current element becomes the child again.
  bool LeaveElement();

  // Value of the child's attribute, references decoded; empty when there is
  // no child or no such attribute.
  std::u16string ChildAttribute(std::u16string_view name) const;
  // Text of the child, references decoded and CDATA sections included, not
  // trimmed; empty for a child that has children, is an empty-element tag,
  // or was never closed.
  std::u16string ChildText() const;

  // The decoded document.
  const std::u16string& Text() const { return text_; }

 private:
  using Handle = uint32_t;

  // Fields are set when the entry is added (ElementTable::Add), so the
  // blocks need not be cleared when they are allocated.
  struct Element {
    uint32_t start;            // offset of the start tag's '<'
    uint32_t length;           // through the end tag's '>'; the start tag alone if empty or unended
    uint32_t startTagLength;
    uint32_t endTagLength;     // 0 for empty and unended elements
    Handle parent;
    Handle firstChild;
    Handle nextSibling;
    Handle previousSibling;    // of a first child: the parent's last child
  };

  // The element table in fixed blocks: it grows without moving what is in
  // it, and large documents need no single huge allocation.
  class ElementTable {
   public:
    Element& operator[](Handle handle) { return blocks_[handle >> kBlockBits][handle & kBlockMask]; }
    const Element& operator[](Handle handle) const { return blocks_[handle >> kBlockBits][handle & kBlockMask]; }
    size_t size() const { return size_; }
    Handle Add();
    // Back to entry 0 alone, all fields 0.
    void Reset();

   private:
    static constexpr uint32_t kBlockBits = 11;
    static constexpr uint32_t kBlockMask = (1u << kBlockBits) - 1;
    std::vector<std::unique_ptr<Element[]>> blocks_;
    size_t size_ = 0;
  };

  void Clear();
  void Decode(const uint8_t* data, size_t size);
  void Parse();
  Handle AddElement(size_t start, size_t startTagLength, Handle parent);
  void CloseUnended(const std::vector<Handle>& open, size_t from, Handle newParent);
  size_t NameLength(Handle element) const;
  // Whether the element's name is `name`; any name matches an empty one.
  bool HasName(Handle element, std::u16string_view name) const;

  std::u16string text_;
  // Entry 0 stands for the document itself; real elements start at 1, so
  // 0 also means "none".
  ElementTable elements_;
  bool illFormed_ = false;

  Handle parent_ = 0;
  Handle current_ = 0;
  Handle child_ = 0;
};
