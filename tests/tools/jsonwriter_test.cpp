#include "tools/jsonwriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

std::string StringJson(std::string_view bytes)
{
    JsonWriter json;
    json.String(bytes);
    return json.Text();
}

struct EscapeCase
{
    const char* name;
    std::string bytes;
    std::string json;
};

class JsonStringTest : public testing::TestWithParam<EscapeCase>
{
};

TEST_P(JsonStringTest, BytesBecomeLatin1CodePoints)
{
    EXPECT_EQ(StringJson(GetParam().bytes), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonStringTest,
    testing::Values(EscapeCase{"plain", "Kim Apt 301 / *My-IP", "\"Kim Apt 301 / *My-IP\""},
                    EscapeCase{"quote_and_backslash", "a\"b\\c", R"("a\"b\\c")"},
                    EscapeCase{"short_escapes", "\n\r\t\b\f", R"("\n\r\t\b\f")"},
                    EscapeCase{"other_controls", std::string("\0\x01\x1F\x7F", 4),
                               R"("\u0000\u0001\u001f\u007f")"},
                    EscapeCase{"c1_controls", "\x80\x9F", R"("\u0080\u009f")"},
                    EscapeCase{"latin1_to_utf8", "\xA0\xE9\xFF", "\"\xC2\xA0\xC3\xA9\xC3\xBF\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JsonWriter, RealsReadBackExactlyAndNonFiniteIsNull)
{
    const double values[] = {0.1,   1.0 / 3.0, -12.5, 62.0,
                             1e300, 4.9e-324,  -0.0,  std::numeric_limits<double>::max()};
    for (double value : values) {
        JsonWriter json;
        json.Real(value);
        const double back = std::strtod(json.Text().c_str(), nullptr);
        EXPECT_EQ(std::signbit(back), std::signbit(value)) << json.Text();
        EXPECT_EQ(back, value) << json.Text();
    }
    for (double value : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        JsonWriter json;
        json.Real(value);
        EXPECT_EQ(json.Text(), "null");
    }
}

TEST(JsonWriter, SeparatesMembersAndElements)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("a");
    json.BeginArray();
    json.Int(1);
    json.Int(-2);
    json.BeginObject();
    json.EndObject();
    json.BeginArray();
    json.EndArray();
    json.EndArray();
    json.Key("b");
    json.String("");
    json.EndObject();
    EXPECT_EQ(json.Text(), R"({"a":[1,-2,{},[]],"b":""})");
}

} // namespace
