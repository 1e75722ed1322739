// The language document and the filling of the label table from it.

#include "text/LabelTable.h"
#include "text/XmlNavigator.h"

CXmlNavigator& LanguageDocument() {
  static CXmlNavigator document;
  return document;
}

std::u16string LookupLabel(CXmlNavigator& document, std::u16string_view section, std::u16string_view key) {
  document.ResetPosition();
  // The first search selects the top-level element, so a top-level element
  // named like the section does not count as one. Each round goes one
  // section deeper: the first section element among the children of the
  // current one.
  while (document.FindChildElement(section)) {
    document.EnterElement();
    if (document.FindChildElement(key)) return document.ChildText();
  }
  return {};
}

std::u16string LookupLabel(std::u16string_view section, std::u16string_view key) {
  return LookupLabel(LanguageDocument(), section, key);
}

bool LoadLanguage(const std::u16string& path) {
  CXmlNavigator& document = LanguageDocument();
  // An ill-formed file is still searched as far as it could be indexed.
  const bool wellFormed = document.LoadFile(path);
  LabelTable& table = LabelTable::Instance();
  const auto& keys = LabelTable::Keys();
  for (size_t index = 0; index < LabelTable::kCount; ++index) {
    const std::u16string key(keys[index].begin(), keys[index].end());
    table.Set(index, LookupLabel(document, u"config", key));
  }
  return wellFormed;
}
