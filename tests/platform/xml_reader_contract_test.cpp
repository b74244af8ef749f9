// What every XML reader must do: the same cases run natively against the POSIX reader and
// under Wine against MSXML.
#include <gtest/gtest.h>

#include "platform/system_platform.h"
#include "support/temp_dir.h"

namespace kestrav {
namespace {

class XmlReaderContract : public ::testing::Test {
 protected:
  std::optional<std::string> Read(const std::string& content, const std::string& attribute = "ID") {
    return xml.ReadRootAttribute(dir.Write("switches.xml", content), attribute);
  }

  test::TempDir dir;
  SystemAdapters system = MakeSystemAdapters();
  XmlReader& xml = *system.xml;
};

TEST_F(XmlReaderContract, ReadsTheDocumentElementsAttribute) {
  const std::pair<const char*, const char*> cases[] = {
      {"<switches ID='0x1F'></switches>", "0x1F"}, {"<switches a=\"1\" ID=\"2\" b='3'/>", "2"},
      {"<switches\r\n  ID = \"5\"\r\n/>", "5"}, {"\xEF\xBB\xBF<switches ID=\"8\"/>", "8"},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- by the patch -->\r\n<?style x?>\r\n"
       "<!DOCTYPE switches [\r\n  <!ELEMENT switches ANY> <!-- ]> -->\r\n"
       "  <!ATTLIST switches ID CDATA \"]>\">\r\n]>\r\n<switches ID=\"0x1F\"/>\r\n<!-- end -->\r\n",
       "0x1F"},
      {"<!DOCTYPE switches SYSTEM \"switches.dtd\"><switches ID=\"7\"/>", "7"},
      {"<switches ID=\"&lt;&gt;&amp;&apos;&quot;\"/>", "<>&'\""},
      {"<switches ID='&#65;&#x42;&#x000000043;&#0000068;'/>", "ABCD"},
      {"<switches ID=\" 1\t2\r\n3\n4\r\"/>", " 1 2 3 4 "}, {"<switches ID=\"a>b\" x='\"'/>", "a>b"},
      {"<switches ID=\"\"/>", ""}, {"<x:switches xmlns:x=\"urn:patch\" ID=\"9\"/>", "9"},
      {"<switches ID=\"7\">text &amp; more<switch ID=\"8\"/><![CDATA[</switches> & <]]>"
       "<!-- </switches> --><?p </switches>?><switch><deeper/></switch >\r\n</switches >",
       "7"},
  };
  for (const auto& [content, value] : cases) EXPECT_EQ(value, Read(content)) << content;
  EXPECT_EQ("1", Read("<switches id=\"1\"/>", "id"));
}

// Documents that merely end too soon are the next case's.
TEST_F(XmlReaderContract, NothingWithoutTheAttributeOrAWellFormedDocument) {
  const char* cases[] = {
      "<switches id=\"1\"/>", "<switches><switch ID=\"1\"/></switches>", "<switches x:ID=\"1\" xmlns:x=\"urn:x\"/>",
      "   \r\n", "<switches ID=1></switches>", "<switches ID=\"1\" ID=\"2\"/>", "<switches ID=\"1\"a=\"2\"/>",
      "<switches ID=\"1\"></switch>", "<switches ID=\"1\"><switch></switches>", "<switches ID=\"1\"/><switches/>",
      "text<switches ID=\"1\"/>", "<switches ID=\"1\"/>text", "<1switches ID=\"1\"/>", "<switches ID=\"a<b\"/>",
      "<switches ID=\"&unknown;\"/>", "<switches ID=\"&amp\"/>", "<switches ID=\"& \"/>", "<switches ID=\"&#x;\"/>",
      "<switches ID=\"&#0;\"/>", "<switches ID=\"&#xD800;\"/>", "<switches ID=\"&#99999999999999999999;\"/>",
      "<switches ID=\"1\">a & b</switches>", "<switches ID=\"1\"><!-- open </switches>",
      "<switches ID=\"1\"><![CDATA[ open </switches>", "<switches ID=\"1\"><? open </switches>",
      "<!-- open <switches ID=\"1\"/>", "<!DOCTYPE switches [ <!ELEMENT switches ANY> <switches ID=\"1\"/>",
      "<switches ID=\"1\">\x01</switches>",
  };
  for (const char* content : cases) EXPECT_EQ(std::nullopt, Read(content)) << content;
  EXPECT_EQ(std::nullopt, Read(std::string("<switches\0 ID=\"1\"/>", 19)));
}

TEST_F(XmlReaderContract, EveryCutOffSwitchListIsRefused) {
  const std::string list =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<!-- switches -->\r\n"
      "<switches ID=\"0x0207012C\" name='TTDPatch &amp; co'>\r\n  <switch name=\"a\" value=\"&#49;\"/>\r\n"
      "  <group><switch name=\"b\"><![CDATA[<x>]]></switch></group>\r\n</switches>";
  ASSERT_EQ("0x0207012C", Read(list));
  for (std::size_t size = 0; size < list.size(); ++size) {
    EXPECT_EQ(std::nullopt, Read(list.substr(0, size))) << list.substr(0, size);
  }
}

TEST_F(XmlReaderContract, FindsTheFileWithoutRegardToLetterCaseAndRefusesOversizedOnes) {
  dir.Write("Switches.XML", "<switches ID=\"3\"/>");
  EXPECT_EQ("3", xml.ReadRootAttribute(dir.Join("SWITCHES.xml"), "ID"));
  EXPECT_EQ(std::nullopt, xml.ReadRootAttribute(dir.Join("missing.xml"), "ID"));
  dir.MakeDirectory("folder.xml");
  EXPECT_EQ(std::nullopt, xml.ReadRootAttribute(dir.Join("folder.xml"), "ID"));
  const std::string head = "<switches ID=\"7\"><!--", tail = "--></switches>";
  const auto padded = [&](std::uint64_t size) {
    return head + std::string(static_cast<std::size_t>(size) - head.size() - tail.size(), 'x') + tail;
  };
  EXPECT_EQ("7", Read(padded(1024 * 1024)));
  EXPECT_EQ(std::nullopt, Read(padded(kMaxXmlFileSize + 1)));
}

}  // namespace
}  // namespace kestrav
