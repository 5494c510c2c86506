#include "records/cnumbers.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <string>

namespace {

template <typename Result> struct NumberCase
{
    const char* text;
    Result expected;
};

// "c1_minus17dB" for the second case " \t\n-17dB": the index keeps names unique.
template <typename Result>
std::string CaseName(const testing::TestParamInfo<NumberCase<Result>>& info)
{
    std::string name = "c" + std::to_string(info.index) + "_";
    for (const char* p = info.param.text; *p; ++p) {
        const char c = *p;
        if (c == '-')
            name += "minus";
        else if (c == '+')
            name += "plus";
        else if (c == '.')
            name += "dot";
        else if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
    }
    return name;
}

class AtoITest : public testing::TestWithParam<NumberCase<int>>
{
};

TEST_P(AtoITest, ReadsLikeAtoiButSaturates)
{
    EXPECT_EQ(AtoI(GetParam().text), GetParam().expected) << "text '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AtoITest,
    testing::Values(NumberCase<int>{"42", 42}, NumberCase<int>{" \t\n-17dB", -17},
                    NumberCase<int>{"+8", 8}, NumberCase<int>{"12.9", 12},
                    NumberCase<int>{"abc", 0}, NumberCase<int>{"", 0}, NumberCase<int>{"- 5", 0},
                    NumberCase<int>{"--5", 0}, NumberCase<int>{"0x10", 0},
                    NumberCase<int>{"2147483647", INT_MAX}, NumberCase<int>{"2147483648", INT_MAX},
                    NumberCase<int>{"-2147483648", INT_MIN},
                    NumberCase<int>{"-99999999999999999999999", INT_MIN},
                    NumberCase<int>{"000000000000000000000031", 31}),
    CaseName<int>);

class AtoFTest : public testing::TestWithParam<NumberCase<double>>
{
};

TEST_P(AtoFTest, ReadsPlainDecimals)
{
    EXPECT_EQ(AtoF(GetParam().text), GetParam().expected) << "text '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AtoFTest,
    testing::Values(NumberCase<double>{"12.5", 12.5}, NumberCase<double>{" -3.25e2", -325.0},
                    NumberCase<double>{".5", 0.5}, NumberCase<double>{"5.", 5.0},
                    NumberCase<double>{"+7.0dBm", 7.0}, NumberCase<double>{"1e", 1.0},
                    NumberCase<double>{"2,5", 2.0}, NumberCase<double>{".", 0.0},
                    NumberCase<double>{"inf", 0.0}, NumberCase<double>{"-nan", 0.0},
                    NumberCase<double>{"0x1p3", 0.0}, NumberCase<double>{"abc", 0.0},
                    NumberCase<double>{"", 0.0}, NumberCase<double>{"4.9e-324", 4.9e-324},
                    NumberCase<double>{"1e400", HUGE_VAL}, NumberCase<double>{"-1e400", -HUGE_VAL},
                    NumberCase<double>{"1e-400", 0.0},
                    NumberCase<double>{"0.0000000001e99999999999", HUGE_VAL}),
    CaseName<double>);

class ScanHexTest : public testing::TestWithParam<NumberCase<std::uint32_t>>
{
};

TEST_P(ScanHexTest, ReadsLikeScanfHexAndWraps)
{
    EXPECT_EQ(ScanHex(GetParam().text), GetParam().expected) << "text '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanHexTest,
    testing::Values(NumberCase<std::uint32_t>{"1a", 26u},
                    NumberCase<std::uint32_t>{"C0A80001", 0xC0A80001u},
                    NumberCase<std::uint32_t>{"  0x1F:", 31u},
                    NumberCase<std::uint32_t>{"0X1f", 31u}, NumberCase<std::uint32_t>{"+0x10", 16u},
                    NumberCase<std::uint32_t>{"-1", 0xFFFFFFFFu},
                    NumberCase<std::uint32_t>{"-0x10", 0xFFFFFFF0u},
                    NumberCase<std::uint32_t>{"123456789", 0x23456789u},
                    NumberCase<std::uint32_t>{"1ffz", 0x1FFu}, NumberCase<std::uint32_t>{"0x", 0u},
                    NumberCase<std::uint32_t>{"0xg", 0u}, NumberCase<std::uint32_t>{"zz", 0u},
                    NumberCase<std::uint32_t>{"", 0u}),
    CaseName<std::uint32_t>);

} // namespace
