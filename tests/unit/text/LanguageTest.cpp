// Loading the language file into the label table.

#include <gtest/gtest.h>

#include <string>

#include "fakes/TempFolder.h"
#include "text/LabelTable.h"

namespace {

class LanguageTest : public ::testing::Test {
 protected:
  void TearDown() override { LabelTable::Instance().Clear(); }

  bool LoadFrom(const std::string& document) {
    folder_.Write("language.xml", document);
    return LoadLanguage(folder_.ProgramPath() + u"language.xml");
  }

  fakes::TempFolder folder_;
};

TEST_F(LanguageTest, SectionRules) {
  struct Case {
    const char* document;
    std::u16string okText;
  };
  const Case cases[] = {
      {"<lang><config><tc_ok>OK</tc_ok></config></lang>", u"OK"},
      {"<lang><config><tc_ok> OK </tc_ok></config></lang>", u" OK "},
      {"<lang><config><tc_ok>A &amp; B</tc_ok></config></lang>", u"A & B"},
      {"<lang><config><config><tc_ok>Fine</tc_ok></config></config></lang>", u"Fine"},   // nested section
      {"<lang><config><x/><config><config><tc_ok>Deep</tc_ok></config></config></config></lang>", u"Deep"},
      {"<lang><config><tc_ok>Near</tc_ok><config><tc_ok>Far</tc_ok></config></config></lang>", u"Near"},
      {"<lang><config/><config><tc_ok>OK</tc_ok></config></lang>", u""},               // second section unseen
      {"<lang><config><x><tc_ok>OK</tc_ok></x></config></lang>", u""},                 // only sections nest
      {"<lang><config><TC_OK>OK</TC_OK></config></lang>", u""},                        // keys are case-sensitive
      {"<config><tc_ok>OK</tc_ok></config>", u""},                                     // top level is no section
      {"<lang><tc_ok>OK</tc_ok></lang>", u""},
      {"<lang><config><tc_ok>OK<b/></tc_ok></config></lang>", u""},                    // children: no text
      {"<lang><config><tc_ok>OK</tc_ok></oops></config></lang>", u"OK"},               // ill formed, still read
  };
  for (const Case& c : cases) {
    LoadFrom(c.document);
    EXPECT_EQ(Label("tc_ok"), c.okText) << c.document;
    EXPECT_EQ(Label("tc_cancel"), u"") << c.document;
  }
}

TEST_F(LanguageTest, EveryKeyIsFilledInOrder) {
  // A file that gives every key its own name as text, plus keys the table
  // does not know.
  std::string document = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<language><config>\n<tc_unknown>x</tc_unknown>\n";
  for (std::string_view key : LabelTable::Keys()) {
    if (key == "tc_reset" && document.find("<tc_reset>") != std::string::npos) continue;
    document += "  <" + std::string(key) + ">" + std::string(key) + "</" + std::string(key) + ">\n";
  }
  document += "</config></language>\n";
  EXPECT_TRUE(LoadFrom(document));
  const LabelTable& table = LabelTable::Instance();
  for (size_t i = 0; i < LabelTable::kCount; ++i) {
    const std::string_view key = LabelTable::Keys()[i];
    EXPECT_EQ(table.At(i), std::u16string(key.begin(), key.end())) << key;
  }
  // "tc_reset" fills two neighbouring entries.
  const size_t reset = LabelTable::IndexOf("tc_reset");
  ASSERT_LT(reset + 1, LabelTable::kCount);
  EXPECT_EQ(LabelTable::Keys()[reset + 1], "tc_reset");
  EXPECT_EQ(table.At(reset + 1), u"tc_reset");
  EXPECT_EQ(Label("tc_PL"), u"tc_PL");
  EXPECT_EQ(Label("tc_unknown"), u"");
  EXPECT_EQ(LabelTable::IndexOf("tc_unknown"), LabelTable::kCount);
}

TEST_F(LanguageTest, MissingFileBlanksEveryLabel) {
  LoadFrom("<lang><config><tc_ok>OK</tc_ok><tc_mouse_title>Title</tc_mouse_title></config></lang>");
  ASSERT_EQ(Label("tc_mouse_title"), u"Title");
  EXPECT_FALSE(LoadLanguage(folder_.ProgramPath() + u"nothing-here.xml"));
  for (size_t i = 0; i < LabelTable::kCount; ++i) EXPECT_EQ(LabelTable::Instance().At(i), u"") << i;
  EXPECT_EQ(LookupLabel(u"config", u"tc_ok"), u"");
}

TEST_F(LanguageTest, ShippedFileHasEveryLabel) {
  const std::string folder = VN24G_SHIPPED_DATA_DIR;
  EXPECT_TRUE(LoadLanguage(std::u16string(folder.begin(), folder.end()) + u"/language.xml"));
  for (size_t i = 0; i < LabelTable::kCount; ++i)
    EXPECT_FALSE(LabelTable::Instance().At(i).empty()) << LabelTable::Keys()[i];
}

}  // namespace
