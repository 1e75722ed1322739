#include "text/XmlNavigator.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "text/EncodingNameTable.h"
#include "text/XmlEntities.h"
#include "text/XmlScanner.h"

namespace {

// Only this much of a file is looked at for its declared encoding.
constexpr size_t kEncodingProbeBytes = 1024;

// Offsets in the element table are 32-bit.
constexpr size_t kMaxDocumentUnits = 0xFFFFFFF0u;

constexpr uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
constexpr uint8_t kUtf16LittleEndianMark[] = {0xFF, 0xFE};
constexpr uint8_t kUtf16BigEndianMark[] = {0xFE, 0xFF};

template <size_t N>
bool StartsWith(const uint8_t* data, size_t size, const uint8_t (&mark)[N]) {
  return size >= N && std::memcmp(data, mark, N) == 0;
}

// The loose check that decides between UTF-8 and the ANSI code page for a
// file that names no encoding. Every byte with bit 7 set must be followed
// by the continuation bytes its bits 5 to 3 ask for; the continuation bytes
// themselves only need bit 7.
bool PassesUtf8Test(const uint8_t* bytes, size_t size) {
  size_t at = 0;
  while (at < size) {
    // ASCII runs go eight bytes at a time; a zero byte ends the test.
    if (at + 8 <= size) {
      uint64_t block;
      std::memcpy(&block, bytes + at, 8);
      const bool hasZero = ((block - 0x0101010101010101ull) & ~block & 0x8080808080808080ull) != 0;
      if (!hasZero && !(block & 0x8080808080808080ull)) {
        at += 8;
        continue;
      }
    }
    const uint8_t lead = bytes[at++];
    if (lead == 0) break;
    if (!(lead & 0x80)) continue;
    size_t following;
    if (!(lead & 0x20)) {
      following = 1;
    } else if (!(lead & 0x10)) {
      following = 2;
    } else if (!(lead & 0x08)) {
      following = 3;
    } else {
      return false;
    }
    for (; following > 0; --following, ++at)
      if (at >= size || !(bytes[at] & 0x80)) return false;
  }
  return true;
}

// 16-bit units in file order, zero units left out, bytes swapped for
// big-endian files. Built in pieces so the text is written once.
std::u16string Utf16Units(const uint8_t* data, size_t size, bool bigEndian) {
  constexpr size_t kPiece = 8192;
  char16_t piece[kPiece];
  std::u16string units;
  units.reserve(size / 2);
  const size_t count = size / 2;  // a last odd byte is no unit
  for (size_t done = 0; done < count;) {
    const size_t take = std::min(kPiece, count - done);
    const uint8_t* from = data + 2 * done;
    for (size_t k = 0; k < take; ++k) {
      const uint8_t first = from[2 * k], second = from[2 * k + 1];
      piece[k] = bigEndian ? static_cast<char16_t>((first << 8) | second)
                           : static_cast<char16_t>(first | (second << 8));
    }
    size_t kept = take;
    if (xml::FindUnit(piece, 0, take, 0) < take) {
      kept = 0;
      for (size_t k = 0; k < take; ++k) {
        piece[kept] = piece[k];
        kept += piece[k] != 0;
      }
    }
    units.append(piece, kept);
    done += take;
  }
  return units;
}

// The stack of elements whose end tag has not come yet. End tags usually
// close the innermost one; a name that matches further out is looked up in
// an index once the stack is deep, so a long run of stray end tags inside
// deep nesting costs no more than the nesting itself.
class OpenElements {
 public:
  bool empty() const { return handles_.empty(); }
  size_t size() const { return handles_.size(); }
  uint32_t back() const { return handles_.back(); }
  const std::vector<uint32_t>& handles() const { return handles_; }

  void Push(uint32_t handle, std::u16string_view name) {
    if (handles_.size() >= kShallow) deep_[name].push_back(handles_.size());
    handles_.push_back(handle);
    names_.push_back(name);
  }

  // Position of the innermost open element named `name`, or size().
  size_t FindInnermost(std::u16string_view name) const {
    const size_t count = handles_.size();
    if (count == 0) return 0;
    if (names_[count - 1] == name) return count - 1;
    if (count > kShallow) {
      auto it = deep_.find(name);
      if (it != deep_.end() && !it->second.empty()) return it->second.back();
    }
    for (size_t at = std::min(count, kShallow); at-- > 0;)
      if (names_[at] == name) return at;
    return count;
  }

  void TruncateTo(size_t count) {
    while (handles_.size() > count) {
      if (handles_.size() > kShallow) deep_[names_.back()].pop_back();
      handles_.pop_back();
      names_.pop_back();
    }
  }

 private:
  static constexpr size_t kShallow = 64;

  std::vector<uint32_t> handles_;
  std::vector<std::u16string_view> names_;
  std::unordered_map<std::u16string_view, std::vector<size_t>> deep_;
};

}  // namespace

CXmlNavigator::Handle CXmlNavigator::ElementTable::Add() {
  if ((size_ & kBlockMask) == 0 && (size_ >> kBlockBits) == blocks_.size())
    blocks_.push_back(std::unique_ptr<Element[]>(new Element[size_t{1} << kBlockBits]));
  const Handle handle = static_cast<Handle>(size_++);
  (*this)[handle] = Element{};
  return handle;
}

void CXmlNavigator::ElementTable::Reset() {
  // One block stays for the next document.
  if (blocks_.size() > 1) blocks_.resize(1);
  size_ = 0;
  Add();
}

CXmlNavigator::CXmlNavigator() { Clear(); }

void CXmlNavigator::Clear() {
  text_.clear();
  elements_.Reset();
  illFormed_ = false;
  ResetPosition();
}

bool CXmlNavigator::LoadFile(const std::u16string& path) {
  std::vector<uint8_t> bytes;
  if (!platform::Service<platform::FileSystem>::Get().ReadWholeFile(path, bytes)) {
    Clear();
    return false;
  }
  return LoadBytes(bytes.data(), bytes.size());
}

bool CXmlNavigator::LoadBytes(const uint8_t* data, size_t size) {
  Clear();
  Decode(data, size);
  if (text_.size() > kMaxDocumentUnits) {
    Clear();
    return false;
  }
  Parse();
  ResetPosition();
  size_t topLevel = 0;
  for (Handle h = elements_[0].firstChild; h != 0; h = elements_[h].nextSibling) ++topLevel;
  return !text_.empty() && topLevel == 1 && !illFormed_;
}

void CXmlNavigator::Decode(const uint8_t* data, size_t size) {
  platform::CodePage& codePages = platform::Service<platform::CodePage>::Get();
  std::u16string encoding;
  if (StartsWith(data, size, kUtf8Mark)) {
    encoding = u"UTF-8";
    data += sizeof(kUtf8Mark);
    size -= sizeof(kUtf8Mark);
  } else if (StartsWith(data, size, kUtf16LittleEndianMark) || StartsWith(data, size, kUtf16BigEndianMark)) {
    // UTF-16 is the text as it stands.
    text_ = Utf16Units(data + 2, size - 2, data[0] == 0xFE);
    return;
  } else {
    std::u16string head;
    codePages.ToWide(platform::kCodePageUtf8, data, std::min(size, kEncodingProbeBytes), head);
    encoding = xml::DeclaredEncoding(head);
    if (encoding.empty() && size > 0 && data[0] == '<') encoding = u"UTF-8";
  }

  // Zero bytes carry no text in an 8-bit file; they go before conversion.
  std::vector<uint8_t> compact;
  if (size > 0 && std::memchr(data, 0, size) != nullptr) {
    compact.reserve(size);
    std::copy_if(data, data + size, std::back_inserter(compact), [](uint8_t byte) { return byte != 0; });
    data = compact.data();
    size = compact.size();
  }
  if (encoding.empty() && PassesUtf8Test(data, size)) encoding = u"UTF-8";
  // A code page the system cannot convert from (a document that calls
  // itself "utf-16" without being so, say) would lose the whole text; the
  // ANSI code page keeps at least its ASCII part readable.
  if (!codePages.ToWide(CodePageForEncodingName(encoding), data, size, text_))
    codePages.ToWide(platform::kCodePageAnsi, data, size, text_);
}

CXmlNavigator::Handle CXmlNavigator::AddElement(size_t start, size_t startTagLength, Handle parent) {
  const Handle handle = elements_.Add();
  Element& entry = elements_[handle];
  entry.start = static_cast<uint32_t>(start);
  entry.length = static_cast<uint32_t>(startTagLength);
  entry.startTagLength = static_cast<uint32_t>(startTagLength);
  entry.parent = parent;
  Element& above = elements_[parent];
  if (above.firstChild == 0) {
    above.firstChild = handle;
    entry.previousSibling = handle;
  } else {
    const Handle last = elements_[above.firstChild].previousSibling;
    elements_[last].nextSibling = handle;
    entry.previousSibling = last;
    elements_[above.firstChild].previousSibling = handle;
  }
  return handle;
}

// The elements open[from...] were never closed. Each keeps its start tag
// alone and gives its children up to follow it under its own parent. Since
// each of them is the last child of the one before, handing every child
// straight to `newParent`, in stack order, builds the same sibling order
// as moving them up one level at a time, and touches each child once.
void CXmlNavigator::CloseUnended(const std::vector<Handle>& open, size_t from, Handle newParent) {
  for (size_t at = from; at < open.size(); ++at) {
    Element& element = elements_[open[at]];
    element.length = element.startTagLength;
    element.endTagLength = 0;
    const Handle first = element.firstChild;
    if (first == 0) continue;
    element.firstChild = 0;
    const Handle last = elements_[first].previousSibling;
    for (Handle h = first; h != 0; h = elements_[h].nextSibling) elements_[h].parent = newParent;
    // newParent's list is never empty here: open[at] is its last child.
    const Handle parentFirst = elements_[newParent].firstChild;
    const Handle parentLast = elements_[parentFirst].previousSibling;
    elements_[parentLast].nextSibling = first;
    elements_[first].previousSibling = parentLast;
    elements_[parentFirst].previousSibling = last;
  }
}

void CXmlNavigator::Parse() {
  const char16_t* text = text_.data();
  const size_t end = text_.size();
  OpenElements open;
  size_t at = 0;
  while (at < end) {
    if (text[at] != '<') {
      at = xml::FindUnit(text, at, end, '<');
      continue;
    }
    const xml::Markup node = xml::ScanMarkup(text, at, end);
    const std::u16string_view name(text + node.nameBegin, node.nameEnd - node.nameBegin);
    switch (node.kind) {
      case xml::NodeKind::kStartTag: {
        const Handle element = AddElement(at, node.end - at, open.empty() ? 0 : open.back());
        if (!node.empty) open.Push(element, name);
        break;
      }
      case xml::NodeKind::kEndTag: {
        const size_t match = open.FindInnermost(name);
        if (match >= open.size()) {
          illFormed_ = true;  // a stray end tag is dropped
          break;
        }
        Element& closed = elements_[open.handles()[match]];
        closed.length = static_cast<uint32_t>(node.end - closed.start);
        closed.endTagLength = static_cast<uint32_t>(node.end - at);
        if (match + 1 < open.size()) {
          CloseUnended(open.handles(), match + 1, open.handles()[match]);
          illFormed_ = true;
        }
        open.TruncateTo(match);
        break;
      }
      case xml::NodeKind::kError:
        illFormed_ = true;
        break;
      default:
        break;
    }
    at = node.end;
  }
  if (!open.empty()) {
    CloseUnended(open.handles(), 0, 0);
    illFormed_ = true;
  }
}

size_t CXmlNavigator::NameLength(Handle element) const {
  const Element& entry = elements_[element];
  const char16_t* tag = text_.data() + entry.start;
  size_t length = 0;
  // A start tag's name follows its '<' directly and ends before its '>'.
  while (!xml::EndsName(tag[1 + length])) ++length;
  return length;
}

bool CXmlNavigator::HasName(Handle element, std::u16string_view name) const {
  if (name.empty()) return true;
  const Element& entry = elements_[element];
  // Compared in place: most candidates differ in their first unit.
  if (name.size() + 2 > entry.startTagLength) return false;
  const char16_t* tag = text_.data() + entry.start + 1;
  return std::u16string_view(tag, name.size()) == name && xml::EndsName(tag[name.size()]);
}

void CXmlNavigator::ResetPosition() { parent_ = current_ = child_ = 0; }

bool CXmlNavigator::FindElement(std::u16string_view name) {
  Handle candidate = current_ != 0 ? elements_[current_].nextSibling : elements_[parent_].firstChild;
  for (; candidate != 0; candidate = elements_[candidate].nextSibling) {
    if (HasName(candidate, name)) {
      current_ = candidate;
      parent_ = elements_[candidate].parent;
      child_ = 0;
      return true;
    }
  }
  return false;
}

bool CXmlNavigator::FindChildElement(std::u16string_view name) {
  if (current_ == 0) FindElement();
  // Inside an element that has no children there is nothing to search; the
  // top-level elements are not children of anything in it.
  if (current_ == 0 && parent_ != 0) return false;
  Handle candidate = child_ != 0 ? elements_[child_].nextSibling : elements_[current_].firstChild;
  for (; candidate != 0; candidate = elements_[candidate].nextSibling) {
    if (HasName(candidate, name)) {
      child_ = candidate;
      current_ = elements_[candidate].parent;
      parent_ = elements_[current_].parent;
      return true;
    }
  }
  return false;
}

bool CXmlNavigator::EnterElement() {
  if (current_ == 0) return false;
  parent_ = current_;
  current_ = child_;
  child_ = 0;
  return true;
}

bool CXmlNavigator::LeaveElement() {
  if (parent_ == 0) return false;
  child_ = current_;
  current_ = parent_;
  parent_ = elements_[parent_].parent;
  return true;
}

std::u16string CXmlNavigator::ChildAttribute(std::u16string_view name) const {
  if (child_ == 0 || name.empty()) return {};
  const Element& element = elements_[child_];
  const size_t attributesBegin = element.start + 1 + NameLength(child_);
  const size_t tagEnd = element.start + element.startTagLength - 1;  // the closing '>'
  std::u16string_view value;
  if (!xml::FindAttribute(text_.data(), attributesBegin, tagEnd, name, false, value)) return {};
  return DecodeEntities(value);
}

std::u16string CXmlNavigator::ChildText() const {
  if (child_ == 0) return {};
  const Element& element = elements_[child_];
  if (element.firstChild != 0 || element.endTagLength == 0) return {};
  const char16_t* text = text_.data();
  const size_t contentEnd = element.start + element.length - element.endTagLength;
  size_t at = element.start + element.startTagLength;
  std::u16string result;
  if (xml::FindUnit(text, at, contentEnd, '<') == contentEnd) {
    AppendDecodedEntities(result, std::u16string_view(text + at, contentEnd - at));
    return result;
  }
  while (at < contentEnd) {
    if (text[at] != '<') {
      const size_t runEnd = xml::FindUnit(text, at, contentEnd, '<');
      if (!xml::IsAllSpace(text, at, runEnd)) AppendDecodedEntities(result, std::u16string_view(text + at, runEnd - at));
      at = runEnd;
      continue;
    }
    const xml::Markup node = xml::ScanMarkup(text, at, contentEnd);
    if (node.kind == xml::NodeKind::kCData) {
      // <![CDATA[ ... ]]>; a section too short for its full opener has no text.
      const size_t innerEnd = node.end - 3;
      const size_t innerBegin = std::min(at + 9, innerEnd);
      result.append(text + innerBegin, innerEnd - innerBegin);
    }
    at = node.end;
  }
  return result;
}
