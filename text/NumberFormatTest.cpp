// Tests of the number texts.
#include "text/NumberFormat.h"

#include <gtest/gtest.h>
#include <vector>

#include <float.h>
#include <limits.h>
#include <math.h>
#include <random>
#include <string.h>
#include <string>

namespace {

// The text FormatDecimal gives with the settings the registry store uses.
std::string Stored(float value)
{
    char text[FORMAT_DECIMAL_MAX];
    FormatDecimal(value, 6, '.', text);
    return text;
}

std::string Formatted(float value, int digits)
{
    char text[FORMAT_DECIMAL_MAX];
    FormatDecimal(value, digits, ',', text);
    return text;
}

}  // namespace

// Every form the reader meets: what the store has ever written (six
// fraction digits, no exponent, "%d" for whole numbers), what people type
// (a comma, blanks, a plus) and what it refuses.
TEST(ReadDecimal, TakesOnlyTextThatIsWhollyOneNumber)
{
    const double REFUSED = -12345.0;
    const std::string tooLong(READ_DECIMAL_MAX + 1, '9');
    const struct
    {
        const char* text;
        double expected;  // REFUSED when the text is refused
    } cases[] = {
        {"45", 45.0},
        {"-33", -33.0},
        {"46.499999", 46.499999},
        {"-0.000001", -0.000001},
        {"46,05", 46.05},
        {"+7", 7.0},
        {" 12 ", 12.0},
        {"-2147483648", -2147483648.0},
        {"1e3", REFUSED},
        {"1E3", REFUSED},
        {"nan", REFUSED},
        {"inf", REFUSED},
        {"-inf", REFUSED},
        {"12abc", REFUSED},
        {"abc", REFUSED},
        {"", REFUSED},
        {"-", REFUSED},
        {"1.2.3", REFUSED},
        {"0x10", REFUSED},
        {"--7", REFUSED},
        {tooLong.c_str(), REFUSED},
        {"00000000000000000000000000000000000000000000000000000000000000000000000000000001", 1.0},
    };
    for (const auto& c : cases) {
        double got = REFUSED;
        bool accepted = ReadDecimal(c.text, &got);
        EXPECT_EQ(c.expected != REFUSED, accepted) << '"' << c.text << "\" gave " << got;
        EXPECT_EQ(c.expected, got) << '"' << c.text << '"';
    }
}

TEST(ReadStoredNumber, WholeNumbersSaturateAndFractionsAreNoWholeNumber)
{
    const int MISSING = -7;
    const struct
    {
        const char* text;
        int expected;
    } cases[] = {
        {"4096", 4096}, {"-2147483648", INT_MIN}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
        {"12.0", 12},   {"12.5", MISSING},        {"abc", MISSING},         {"1e2", MISSING},
        {"", MISSING},
    };
    for (const auto& c : cases) {
        int got = MISSING;
        ReadStoredInt(c.text, &got);
        EXPECT_EQ(c.expected, got) << '"' << c.text << '"';
    }
    // The largest float, as the store writes it, and a number beyond float.
    float got = 0.0f;
    EXPECT_TRUE(ReadStoredFloat("340282346638528859811704183484516925440", &got) && got == FLT_MAX) << got;
    EXPECT_FALSE(ReadStoredFloat(std::string(40, '9').c_str(), &got)) << got;
}

TEST(ParseTypedDecimal, AcceptsOnlyAPlainSignedDecimalInRange)
{
    const float UNTOUCHED = -999.0f;
    const struct
    {
        const wchar_t* text;
        float expected;  // UNTOUCHED when the text is refused
    } cases[] = {
        {L"46", 46.0f},        {L"46.05", 46.05f},
        {L"-14,51", -14.51f},  {L"+0.5", 0.5f},
        {L" 46.05  ", 46.05f}, {L"\t-3\t", -3.0f},
        {L"46.", 46.0f},       {L".5", 0.5f},
        {L"-90", -90.0f},      {L"90.00", 90.0f},
        {L"-0", 0.0f},         {L"", UNTOUCHED},
        {L"   ", UNTOUCHED},   {L"-", UNTOUCHED},
        {L".", UNTOUCHED},     {L"4a", UNTOUCHED},
        {L"4 6", UNTOUCHED},   {L"1.2.3", UNTOUCHED},
        {L"1,2.3", UNTOUCHED}, {L"--7", UNTOUCHED},
        {L"- 7", UNTOUCHED},   {L"1e2", UNTOUCHED},
        {L"90.01", UNTOUCHED}, {L"-91", UNTOUCHED},
        {L"1,000", 1.0f},      {L"\u0664\u0665", UNTOUCHED},
        {L"0046.05", 46.05f},  {L"9999999999", UNTOUCHED},
    };
    for (const auto& c : cases) {
        float got = UNTOUCHED;
        bool accepted = ParseTypedDecimal(c.text, 90.0f, &got);
        EXPECT_EQ(c.expected != UNTOUCHED, accepted) << testing::PrintToString(c.text) << " gave " << got;
        EXPECT_EQ(c.expected, got) << testing::PrintToString(c.text);
    }
}

TEST(FormatDecimal, StorageSettingsKeepWholeNumbersExact)
{
    EXPECT_EQ(Stored(90), "90");
    EXPECT_EQ(Stored(-90), "-90");
    EXPECT_EQ(Stored(45), "45");
    EXPECT_EQ(Stored(-33), "-33");
    EXPECT_EQ(Stored(0), "0");
    EXPECT_EQ(Stored(-0.0f), "0");
    // Rounded to zero, a negative number has no sign left: "-0" would read
    // back as a zero that is written "0".
    EXPECT_EQ(Stored(-0.00000001f), "0");
    EXPECT_EQ(Stored(0.25f), "0.25");
    EXPECT_EQ(Stored(46.5f), "46.5");
    // Written, read and written again, a number keeps its text.
    EXPECT_EQ(Stored(9.409f), "9.409");
    float back = 0.0f;
    EXPECT_TRUE(ReadStoredFloat(Stored(46.5f).c_str(), &back));
    EXPECT_EQ(back, 46.5f);
}

TEST(FormatDecimal, SeparatorNoExponentAndTrailingZerosDropped)
{
    EXPECT_EQ(Formatted(1.5f, 3), "1,5");
    EXPECT_EQ(Formatted(1234567.0f, 2), "1234567");
    EXPECT_EQ(Formatted(0.00025f, 4), "0,0003");
    EXPECT_EQ(Formatted(-INFINITY, 6), "-inf");
    EXPECT_EQ(Formatted(NAN, 6), "nan");
    EXPECT_EQ(Formatted(-NAN, 6), "nan");
}

TEST(FormatDecimal, RoundingUpToTheNextPowerOfTenGivesDigitsOnly)
{
    EXPECT_EQ(Formatted(9.999f, 2), "10");
    EXPECT_EQ(Formatted(0.9999f, 2), "1");
}

// Every float, with any digit count, stays inside the buffer and writes only
// a sign, digits, the separator and the words inf and nan.
TEST(FormatDecimal, StaysInsideItsBufferForAnyValue)
{
    const float extremes[] = {FLT_MAX,  -FLT_MAX, FLT_MIN,   -FLT_MIN, FLT_TRUE_MIN, 3.4e38f,
                              -3.4e38f, INFINITY, -INFINITY, NAN,      1e-20f,       999999.9f};
    std::mt19937 random(20261208);
    for (int round = 0; round < 20000; round++) {
        float value;
        if (round < (int)(sizeof extremes / sizeof extremes[0])) {
            value = extremes[round];
        } else {
            unsigned bits = random();
            memcpy(&value, &bits, sizeof value);
        }
        int digits = (int)(random() % 200) - 50;
        char text[FORMAT_DECIMAL_MAX + 8];
        memset(text, '#', sizeof text);
        FormatDecimal(value, digits, '.', text);
        size_t length = strnlen(text, sizeof text);
        ASSERT_LT(length, (size_t)FORMAT_DECIMAL_MAX) << value;
        for (size_t i = length + 1; i < sizeof text; i++)
            ASSERT_EQ(text[i], '#');
        ASSERT_EQ(strspn(text, "-0123456789."), length - (isnan(value) || isinf(value) ? 3 : 0)) << text;
    }
}

// A stored number reads back as the value written, to its six digits.
TEST(FormatDecimal, StoredNumbersReadBack)
{
    std::mt19937 random(7);
    for (int round = 0; round < 20000; round++) {
        float value = round <= 180 ? (float)(round - 90) : (float)((int)(random() % 2000001) - 1000000) / 1000.0f;
        float back = NAN;
        EXPECT_TRUE(ReadStoredFloat(Stored(value).c_str(), &back)) << Stored(value);
        EXPECT_NEAR(back, value, fabsf(value) * 1e-6f + 2e-6f) << Stored(value);
        if (round <= 180) {
            EXPECT_EQ(back, value) << Stored(value);
        }
    }
}
