// Feeds arbitrary bytes to the XML reader as a file's content, then walks
// every element with the cursor the way the program's readers do, reading
// texts and attributes, and looks a label up as the language table would.

#include <cstddef>
#include <cstdint>

#include "text/LabelTable.h"
#include "text/XmlNavigator.h"

namespace {

void ReadChild(const CXmlNavigator& xml) {
  // Decoding only ever shortens references, so nothing read can be longer
  // than the document; more would mean reading outside it.
  const size_t limit = xml.Text().size();
  if (xml.ChildText().size() > limit) __builtin_trap();
  if (xml.ChildAttribute(u"name").size() > limit) __builtin_trap();
  if (xml.ChildAttribute(u"a").size() > limit) __builtin_trap();
}

// Depth first through the whole tree; every step either enters, leaves or
// moves on, so the walk ends after a few steps per element.
void WalkAll(CXmlNavigator& xml) {
  xml.ResetPosition();
  if (!xml.FindElement()) return;
  size_t depth = 0;
  for (;;) {
    if (xml.FindChildElement()) {
      ReadChild(xml);
      if (!xml.EnterElement()) __builtin_trap();
      ++depth;
    } else if (depth > 0) {
      if (!xml.LeaveElement()) __builtin_trap();
      --depth;
    } else if (!xml.FindElement()) {
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CXmlNavigator xml;
  const bool wellFormed = xml.LoadBytes(data, size);
  xml.ResetPosition();
  if (wellFormed && !xml.FindElement()) __builtin_trap();
  WalkAll(xml);
  LookupLabel(xml, u"config", u"tc_ok");
  xml.ResetPosition();
  xml.FindChildElement(u"config");
  xml.ChildAttribute(u"encoding");
  return 0;
}
