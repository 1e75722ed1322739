// Parsing, the element tree and the cursor of CXmlNavigator.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "fakes/TempFolder.h"
#include "text/XmlNavigator.h"

namespace {

bool Load(CXmlNavigator& xml, std::string_view bytes) {
  return xml.LoadBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// Text of the first child named `name` of the top-level element.
std::u16string TextOf(std::string_view document, std::u16string_view name) {
  CXmlNavigator xml;
  Load(xml, document);
  xml.ResetPosition();
  return xml.FindChildElement(name) ? xml.ChildText() : u"<missing>";
}

std::u16string AttributeOf(std::string_view document, std::u16string_view attribute) {
  CXmlNavigator xml;
  Load(xml, document);
  xml.ResetPosition();
  return xml.FindChildElement(u"a") ? xml.ChildAttribute(attribute) : u"<missing>";
}

struct TextCase {
  const char* document;
  std::u16string expected;
};

TEST(XmlNavigatorText, ContentRules) {
  const TextCase cases[] = {
      {"<r><a> OK </a></r>", u" OK "},                        // never trimmed
      {"<r><a>x<![CDATA[<y>]]> z</a></r>", u"x<y> z"},        // CDATA as it stands
      {"<r><a>&lt;&#65;&#x42;&foo;</a></r>", u"<AB&foo;"},    // unknown name stays
      {"<r><a> <![CDATA[y]]> </a></r>", u"y"},                // whitespace runs between nodes drop
      {"<r><a>   </a></r>", u"   "},                          // but plain content is whole
      {"<r><a>x<!--c-->y<?p q?>z</a></r>", u"xyz"},           // comments and instructions add nothing
      {"<r><a>&amp</a><b>;</b></r>", u"&amp"},                // the ';' must be in the same text
      {"<r><a>x&amp<![CDATA[;]]></a></r>", u"x&amp;"},        // ... not in a neighbouring CDATA
      {"<r><a><![CDATA[&amp;]]></a></r>", u"&amp;"},          // CDATA is not decoded
      {"<r><a>&#x1F600;&#128512;</a></r>", u"\U0001F600\U0001F600"},  // surrogate pairs
      {"<r><a>x<b/>y</a></r>", u""},                          // an element with children has no text
      {"<r><a/></r>", u""},
      {"<r><a>t</x>u</a></r>", u"tu"},                         // a dropped end tag adds nothing
  };
  for (const TextCase& c : cases) EXPECT_EQ(TextOf(c.document, u"a"), c.expected) << c.document;
}

TEST(XmlNavigatorText, AttributesQuotedUnquotedAndDecoded) {
  const TextCase cases[] = {
      {"<r><a pos = '1,2,3,4'/></r>", u"1,2,3,4"},
      {"<r><a pos=\"x>y\"/></r>", u"x>y"},
      {"<r><a pos=12 q=3/></r>", u"12"},
      {"<r><a q=3 pos=x/y></a></r>", u"x/y"},
      {"<r><a pos=\"a&amp;b&#x21;\"/></r>", u"a&b!"},
      {"<r><a pos/></r>", u"pos"},                  // written without a value
      {"<r><a pos=\"1\" pos=\"2\"/></r>", u"1"},    // the first one counts
      {"<r><a POS=\"1\"/></r>", u""},               // names are case-sensitive
      {"<r><a xpos=\"1\" posx=\"2\"/></r>", u""},
      {"<r><a/ pos=\"1\"></r>", u""},               // nothing after the '/'
      {"<r><a pos=don't/></r>", u"don't/"},
      {"<r><a pos=\"it's\"></a></r>", u"it's"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(AttributeOf(c.document, u"pos"), c.expected) << c.document;
}

TEST(XmlNavigatorText, SlashInUnquotedValueDoesNotEmptyTheElement) {
  // In <a b=c/> the '/' belongs to the value, so </a> closes a.
  CXmlNavigator xml;
  EXPECT_TRUE(Load(xml, "<r><a b=c/>t</a></r>"));
  EXPECT_EQ(TextOf("<r><a b=c/>t</a></r>", u"a"), u"t");
  // After a closing quote the '/' ends the tag, and </a> is stray.
  EXPECT_FALSE(Load(xml, "<r><a b=\"c\"/>t</a></r>"));
  EXPECT_EQ(TextOf("<r><a b=\"c\"/>t</a></r>", u"a"), u"");
  // So does a '/' right after an attribute written without a value: a is
  // empty, the text is r's, and </a> is stray.
  EXPECT_FALSE(Load(xml, "<r><a b/>t</a></r>"));
  EXPECT_EQ(TextOf("<r><a b/>t</a></r>", u"a"), u"");
  // What follows the empty a is its sibling, not its child.
  EXPECT_FALSE(Load(xml, "<r><a b/><c>x</c></a></r>"));
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindChildElement(u"a"));
  ASSERT_TRUE(xml.FindChildElement(u"c"));
  EXPECT_EQ(xml.ChildText(), u"x");
}

TEST(XmlNavigatorText, ApostropheOutsideAValueDoesNotHideTheRest) {
  CXmlNavigator xml;
  EXPECT_TRUE(Load(xml, "<r><a t=don't>x</a><b>y</b></r>"));
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindChildElement(u"b"));
  EXPECT_EQ(xml.ChildText(), u"y");
}

TEST(XmlNavigatorParse, WellFormedVerdict) {
  const char* wellFormed[] = {
      "<r/>",
      "\n<r>x</r>\n",
      "<?xml version='1.0'?><!DOCTYPE r [<!ENTITY e \"a>b\"><!-- > --><!ELEMENT r ANY>]><r/>",
      "<r><![CDATA[</r>]]></r>",
      "<!--c--><r a='>' b=\"/>\"></r><!--d-->",
      "<r><!ELEMENT x ANY><!ATTLIST r b CDATA \">\"></r>",
      "<r>a > b</r>",
  };
  for (const char* document : wellFormed) {
    CXmlNavigator xml;
    EXPECT_TRUE(Load(xml, document)) << document;
  }
  const char* illFormed[] = {
      "",
      "just text",
      "<!-- only a comment -->",
      "<a/><b/>",             // two top-level elements
      "<r><1></r>",           // error nodes
      "<r><></r>",
      "<r><!x></r>",
      "<r><!-x></r>",
      "<r><![x]></r>",
      "<r><![CDATA[x</r>",    // runs into the end
      "<r></r><!--",
      "<r a=\"x></r>",
      "<r",
      "<r/><",
      "<r><?p</r>",
      "<r><a></r>",           // unended
      "<r></x></r>",          // stray end tag
      "</r><r/>",
  };
  for (const char* document : illFormed) {
    CXmlNavigator xml;
    EXPECT_FALSE(Load(xml, document)) << document;
  }
}

TEST(XmlNavigatorParse, UnendedElementsHandTheirChildrenToTheirParent) {
  CXmlNavigator xml;
  EXPECT_FALSE(Load(xml, "<r><a><b><c>t</c></r>"));
  // a, b and c all follow one another as children of r.
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindChildElement(u"a"));
  EXPECT_EQ(xml.ChildText(), u"");  // unended: no text
  ASSERT_TRUE(xml.FindChildElement(u"b"));
  EXPECT_EQ(xml.ChildText(), u"");
  ASSERT_TRUE(xml.FindChildElement(u"c"));
  EXPECT_EQ(xml.ChildText(), u"t");
  EXPECT_FALSE(xml.FindChildElement());
}

TEST(XmlNavigatorParse, UnendedChildrenKeepTheirOrderAmongLaterSiblings) {
  CXmlNavigator xml;
  EXPECT_FALSE(Load(xml, "<d><r><p/><a><x/><b><y/></r><z/></d>"));
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindChildElement(u"r"));
  ASSERT_TRUE(xml.EnterElement());
  for (const char16_t* name : {u"p", u"a", u"x", u"b", u"y"}) EXPECT_TRUE(xml.FindChildElement(name)) << name;
  EXPECT_FALSE(xml.FindChildElement());
  // z is r's sibling, not swallowed by the unended elements.
  ASSERT_TRUE(xml.LeaveElement());
  EXPECT_TRUE(xml.FindChildElement(u"z"));
}

TEST(XmlNavigatorParse, EndTagMatchesFarOutInsideDeepNesting) {
  // b sits deeper than the shallow part of the open-element stack, so its
  // end tag is found through the name index; the c elements it skips over
  // become its children.
  std::string document = "<r>";
  for (int i = 0; i < 100; ++i) document += "<a>";
  document += "<b>";
  for (int i = 0; i < 10; ++i) document += "<c>";
  document += "</b>";
  for (int i = 0; i < 100; ++i) document += "</a>";
  document += "</r>";
  CXmlNavigator xml;
  EXPECT_FALSE(Load(xml, document));
  xml.ResetPosition();
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(xml.FindChildElement(u"a")) << i;
    ASSERT_TRUE(xml.EnterElement());
  }
  ASSERT_TRUE(xml.FindChildElement(u"b"));
  ASSERT_TRUE(xml.EnterElement());
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(xml.FindChildElement(u"c")) << i;
  EXPECT_FALSE(xml.FindChildElement());
}

TEST(XmlNavigatorParse, StrayEndTagLeavesTheElementComplete) {
  CXmlNavigator xml;
  EXPECT_FALSE(Load(xml, "<d><r>t</x>u</r></d>"));
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindChildElement(u"r"));
  EXPECT_EQ(xml.ChildText(), u"tu");
}

TEST(XmlNavigatorCursor, TwoTopLevelElements) {
  CXmlNavigator xml;
  EXPECT_FALSE(Load(xml, "<a x='1'/><b x='2'/>"));
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindElement());
  EXPECT_FALSE(xml.FindChildElement());  // a has no children
  xml.ResetPosition();
  EXPECT_TRUE(xml.FindElement(u"a"));
  EXPECT_TRUE(xml.FindElement(u"b"));
  EXPECT_FALSE(xml.FindElement(u"a"));  // only later siblings are searched
}

TEST(XmlNavigatorCursor, RepeatedSearchesWalkSiblings) {
  CXmlNavigator xml;
  ASSERT_TRUE(Load(xml, "<r><k>1</k><j/><k>2</k><K>3</K></r>"));
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindChildElement(u"k"));
  EXPECT_EQ(xml.ChildText(), u"1");
  ASSERT_TRUE(xml.FindChildElement(u"k"));
  EXPECT_EQ(xml.ChildText(), u"2");
  EXPECT_FALSE(xml.FindChildElement(u"k"));
  EXPECT_EQ(xml.ChildText(), u"2");  // a failed search moves nothing
}

TEST(XmlNavigatorCursor, EnterAndLeave) {
  CXmlNavigator xml;
  ASSERT_TRUE(Load(xml, "<r><s><k>in</k></s><k>out</k><t><k>t</k></t></r>"));
  xml.ResetPosition();
  EXPECT_FALSE(xml.EnterElement());  // nothing current yet
  EXPECT_FALSE(xml.LeaveElement());
  ASSERT_TRUE(xml.FindChildElement(u"s"));
  ASSERT_TRUE(xml.EnterElement());
  ASSERT_TRUE(xml.FindChildElement(u"k"));
  EXPECT_EQ(xml.ChildText(), u"in");
  ASSERT_TRUE(xml.LeaveElement());  // s is the child again
  ASSERT_TRUE(xml.FindChildElement(u"k"));
  EXPECT_EQ(xml.ChildText(), u"out");
  // FindElement moves among the siblings of the current element.
  ASSERT_TRUE(xml.EnterElement());
  ASSERT_TRUE(xml.FindElement(u"t"));
  ASSERT_TRUE(xml.FindChildElement(u"k"));
  EXPECT_EQ(xml.ChildText(), u"t");
}

TEST(XmlNavigatorCursor, EnteringAnElementWithoutChildrenFindsNothingOutsideIt) {
  CXmlNavigator xml;
  ASSERT_TRUE(Load(xml, "<r><e/></r>"));
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindChildElement(u"e"));
  ASSERT_TRUE(xml.EnterElement());
  ASSERT_TRUE(xml.EnterElement());  // into e, which has no children
  EXPECT_FALSE(xml.FindChildElement(u"r"));
  EXPECT_FALSE(xml.FindChildElement());
}

TEST(XmlNavigatorCursor, SearchesAreByExactName) {
  CXmlNavigator xml;
  ASSERT_TRUE(Load(xml, "<r><ab/><a:b/><a-b c='1'/></r>"));
  xml.ResetPosition();
  EXPECT_FALSE(xml.FindChildElement(u"a"));
  EXPECT_TRUE(xml.FindChildElement(u"a:b"));
  ASSERT_TRUE(xml.FindChildElement(u"a-b"));
  EXPECT_EQ(xml.ChildAttribute(u"c"), u"1");
}

TEST(XmlNavigatorFile, UnreadableFileEmptiesTheDocument) {
  fakes::TempFolder folder;
  folder.Write("lang.xml", "<r><a>1</a></r>");
  CXmlNavigator xml;
  ASSERT_TRUE(xml.LoadFile(folder.ProgramPath() + u"lang.xml"));
  xml.ResetPosition();
  ASSERT_TRUE(xml.FindChildElement(u"a"));
  EXPECT_EQ(xml.ChildText(), u"1");

  EXPECT_FALSE(xml.LoadFile(folder.ProgramPath() + u"missing.xml"));
  EXPECT_TRUE(xml.Text().empty());
  EXPECT_EQ(xml.ChildText(), u"");
  xml.ResetPosition();
  EXPECT_FALSE(xml.FindChildElement(u"a"));
  EXPECT_FALSE(xml.FindElement());
  // A folder is not a readable file either.
  EXPECT_FALSE(xml.LoadFile(folder.ProgramPath()));
}

}  // namespace
