#include "formats/item_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using formats::ItemFile;
using formats::ParseItemInt;
using Result = ItemFile::Lookup::Result;

std::string ValueOf(const std::string& text, const std::string& item) {
  const auto lookup = ItemFile(text).Find(item);
  return lookup.result == Result::kFound ? lookup.value : "<fails>";
}

TEST(ItemFileTest, EveryReadStartsAtTheTopAndTheFirstMatchDecides) {
  const ItemFile file("A = 1\nB = 2\nA = 3\n");
  EXPECT_EQ(file.Find("B").value, "2");
  EXPECT_EQ(file.Find("A").value, "1");
  EXPECT_EQ(file.Find("A").line, 1);
  EXPECT_EQ(file.Find("B").value, "2");
  EXPECT_EQ(file.Find("C").result, Result::kNotFound);
}

TEST(ItemFileTest, CommentsRunFromTheFirstSemicolon) {
  EXPECT_EQ(ValueOf("N = 4 ; four points\n", "N"), "4");
  // Even inside a value the rest of the line is dropped.
  EXPECT_EQ(ValueOf("P = 1 2;3 4\n", "P"), "1 2");
  // A commented-out line is not an item.
  EXPECT_EQ(ValueOf("; N = 9\nN = 3\n", "N"), "3");
  // A value that is all comment is empty.
  EXPECT_EQ(ValueOf("N = ;9\nN = 3\n", "N"), "<fails>");
}

TEST(ItemFileTest, BlanksAreTrimmedAndLinesMayEndInCrLf) {
  EXPECT_EQ(ValueOf(" \t N \t= \t 1 2 \t \r\n", "N"), "1 2");
  EXPECT_EQ(ValueOf("A = x\r\nB = y\r\n", "B"), "y");
  // Inner blanks and later '=' signs stay.
  EXPECT_EQ(ValueOf("P = a  b = c\n", "P"), "a  b = c");
  // The last line needs no line end.
  EXPECT_EQ(ValueOf("A = 1\nB = 2", "B"), "2");
  // A CR that is not followed by LF does not end a line.
  EXPECT_EQ(ValueOf("A = 1\rB = 2\n", "A"), "1\rB = 2");
}

TEST(ItemFileTest, EndParseEndsEverySearch) {
  const ItemFile file("A = 1\n  end_Parse ; done\nB = 2\n");
  EXPECT_EQ(file.Find("A").value, "1");
  EXPECT_EQ(file.Find("B").result, Result::kNotFound);
  // Only a line that reads END_PARSE and nothing else ends it.
  EXPECT_EQ(ValueOf("END_PARSE_X = 1\nB = 2\n", "B"), "2");
}

TEST(ItemFileTest, KeysMatchAsWholeStringsWithoutRegardToCase) {
  const ItemFile file("POINT_10 = ten\npoint_1 = one\nPOINT_2\t= two\n");
  EXPECT_EQ(file.Find("POINT_1").value, "one");
  EXPECT_EQ(file.Find("Point_10").value, "ten");
  EXPECT_EQ(file.Find("POINT_2").value, "two");
  EXPECT_EQ(file.Find("POINT").result, Result::kNotFound);
  EXPECT_EQ(file.Find("POINT_100").result, Result::kNotFound);
}

TEST(ItemFileTest, AMatchWithoutValueFailsAtOnce) {
  // No later line is tried after the first match fails.
  EXPECT_EQ(ItemFile("N =\nN = 3\n").Find("N").result, Result::kEmptyValue);
  EXPECT_EQ(ItemFile("N = \t\nN = 3\n").Find("N").result, Result::kEmptyValue);
  EXPECT_EQ(ItemFile("N\nN = 3\n").Find("N").result, Result::kEmptyValue);
  EXPECT_EQ(ItemFile("N\nN = 3\n").Find("N").line, 1);
}

TEST(ItemFileTest, ALineLongerThan511CharactersEndsTheSearch) {
  const std::string fits = "X = " + std::string(507, 'x');  // 511 in all
  const std::string too_long = "X = " + std::string(508, 'x');
  EXPECT_EQ(ValueOf(fits + "\nN = 3\n", "N"), "3");
  EXPECT_EQ(ValueOf(too_long + "\nN = 3\n", "N"), "<fails>");
  // The CR of a CR LF line end does not count.
  EXPECT_EQ(ValueOf(fits + "\r\nN = 3\r\n", "N"), "3");
  // Lines before it are still read.
  EXPECT_EQ(ValueOf("N = 3\n" + too_long + "\n", "N"), "3");
}

TEST(ItemFileTest, ANulByteEndsTheTextOfItsLine) {
  EXPECT_EQ(ValueOf(std::string("P = 1 2\0 3\nQ = 4\n", 16), "P"), "1 2");
  EXPECT_EQ(ValueOf(std::string("P = 1 2\0 3\nQ = 4\n", 16), "Q"), "4");
}

TEST(ItemFileTest, IntegersConvertAsPercentD) {
  int value = -7;
  EXPECT_FALSE(ParseItemInt("abc", value));
  EXPECT_FALSE(ParseItemInt("-", value));
  EXPECT_FALSE(ParseItemInt("", value));
  EXPECT_EQ(value, -7) << "a failed conversion leaves the variable";
  EXPECT_TRUE(ParseItemInt("3.7", value));
  EXPECT_EQ(value, 3);
  EXPECT_TRUE(ParseItemInt("12abc", value));
  EXPECT_EQ(value, 12);
  EXPECT_TRUE(ParseItemInt(" \t+5", value));
  EXPECT_EQ(value, 5);
  EXPECT_TRUE(ParseItemInt("-2", value));
  EXPECT_EQ(value, -2);
  EXPECT_TRUE(ParseItemInt("1e9", value));
  EXPECT_EQ(value, 1);
  EXPECT_TRUE(ParseItemInt("2147483647", value));
  EXPECT_EQ(value, 2147483647);
}

TEST(ItemFileTest, IntegersBeyond32BitsWrapAsTheWindowsRuntimeReadsThem) {
  const struct {
    const char* text;
    int value;
    bool wrapped;
  } cases[] = {
      {"2147483647", 2147483647, false},
      {"-2147483648", -2147483647 - 1, false},
      {"4294967299", 3, true},
      {"2147483648", -2147483647 - 1, true},
      {"-4294967293", 3, true},
      {"9223372036854775807", -1, true},
      {"99999999999999999999", -1, true},
      {"-99999999999999999999", 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    int value = 7;
    bool wrapped = !c.wrapped;
    EXPECT_TRUE(ParseItemInt(c.text, value, &wrapped));
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(wrapped, c.wrapped);
  }
}

TEST(ItemFileTest, ACtrlZByteEndsTheFile) {
  // Nothing after it is read, not even the rest of its line.
  const ItemFile file("A = 1 2\x1A 3\nB = 2\n");
  EXPECT_EQ(file.Find("A").value, "1 2");
  EXPECT_EQ(file.Find("B").result, Result::kNotFound);
  EXPECT_EQ(ValueOf("A = 1\r\nB = 2\r\n\x1A", "B"), "2");
}

}  // namespace
