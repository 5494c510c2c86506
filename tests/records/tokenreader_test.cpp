#include "records/tokenreader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Tokens(std::string_view text, std::string_view delimiters)
{
    TokenReader reader(text, delimiters);
    std::vector<std::string> tokens;
    std::string token;
    while (reader.NextToken(token))
        tokens.push_back(token);
    return tokens;
}

struct TokenCase
{
    const char* name;
    std::string text;
    std::vector<std::string> expected;
};

class TokenReaderTest : public testing::TestWithParam<TokenCase>
{
};

TEST_P(TokenReaderTest, SplitsAtRunsOfDelimiters)
{
    EXPECT_EQ(Tokens(GetParam().text, ":;"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TokenReaderTest,
    testing::Values(
        TokenCase{"runs_merge", "Y::5;", {"Y", "5"}}, TokenCase{"empty", "", {}},
        TokenCase{"only_delimiters", ":;;::", {}},
        TokenCase{"high_bytes_are_token_bytes", "\xC0\xFF:a\x80", {"\xC0\xFF", "a\x80"}},
        TokenCase{"embedded_nul_is_data", std::string("a\0b:c", 5), {std::string("a\0b", 3), "c"}},
        TokenCase{"leading_and_trailing", ";x;", {"x"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TokenReader, NextTokenEmptiesItsOutputAtTheEnd)
{
    TokenReader reader("a", ":");
    std::string token = "stale";
    ASSERT_TRUE(reader.NextToken(token));
    EXPECT_FALSE(reader.NextToken(token));
    EXPECT_EQ(token, "");
}

TEST(TokenReader, DelimiterBytesAboveAsciiWork)
{
    EXPECT_EQ(Tokens("a\xFF"
                     "b",
                     "\xFF"),
              (std::vector<std::string>{"a", "b"}));
}

struct DottedCase
{
    std::string hex;
    std::string dotted;
};

class DottedFromHexTest : public testing::TestWithParam<DottedCase>
{
};

TEST_P(DottedFromHexTest, ConvertsPairs)
{
    EXPECT_EQ(DottedFromHex(GetParam().hex), GetParam().dotted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DottedFromHexTest,
    testing::Values(DottedCase{"C0A80001", "192.168.0.1"}, DottedCase{"0a000001", "10.0.0.1"},
                    // third pair empty, last two characters read again
                    DottedCase{"C0A8", "192.168.0.168"}, DottedCase{"zz000001", "0.0.0.1"},
                    DottedCase{"", "0.0.0.0"},
                    // one character: a pair missing its second digit
                    DottedCase{"C", "192.0.0.192"}, DottedCase{"FFFFFFFFFF", "255.255.255.255"},
                    DottedCase{"0000000", "0.0.0.0"}));

TEST(HexPairValue, CountsNonDigitsAndMissingCharactersAsZero)
{
    EXPECT_EQ(HexPairValue("ff"), 255);
    EXPECT_EQ(HexPairValue("Ab"), 171);
    EXPECT_EQ(HexPairValue("g1"), 1);
    EXPECT_EQ(HexPairValue("1"), 16);
    EXPECT_EQ(HexPairValue(""), 0);
}

} // namespace
