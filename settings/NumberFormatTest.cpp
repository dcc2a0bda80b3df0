// Tests of the number texts.
#include "settings/NumberFormat.h"

#include <gtest/gtest.h>
#include <vector>

#include <float.h>
#include <math.h>
#include <random>
#include <string.h>
#include <string>

namespace {

// The text FormatDecimal gives with the settings the registry store uses.
std::string Stored(float value)
{
    char text[FORMAT_DECIMAL_MAX];
    FormatDecimal(value, 6, false, false, '.', text);
    return text;
}

std::string Formatted(float value, int digits, bool pad, bool exponent)
{
    char text[FORMAT_DECIMAL_MAX];
    EXPECT_TRUE(FormatDecimal(value, digits, pad, exponent, ',', text));
    return text;
}

}  // namespace

TEST(ParseDecimal, ReadsNumbersAndSkipsForeignCharacters)
{
    EXPECT_EQ(ParseDecimal("45", 0), 45.0f);
    EXPECT_EQ(ParseDecimal("-33", 0), -33.0f);
    EXPECT_EQ(ParseDecimal("46.5", 0), 46.5f);
    EXPECT_EQ(ParseDecimal("1e2", 0), 100.0f);
    EXPECT_EQ(ParseDecimal("2.5E-1", 0), 0.25f);
    EXPECT_EQ(ParseDecimal("", 0), 0.0f);
    EXPECT_EQ(ParseDecimal("12,5", 0), 125.0f);
    EXPECT_EQ(ParseDecimal("abc", 0), 0.0f);
    EXPECT_EQ(ParseDecimal("--7", 0), -7.0f);
    EXPECT_EQ(ParseDecimal("1.2.3", 0), 1.23f);
}

TEST(ParseDecimal, StopsAfterMaxLength)
{
    EXPECT_EQ(ParseDecimal("12345", 2), 12.0f);
    EXPECT_EQ(ParseDecimal("12345", 0), 12345.0f);
}

TEST(ParseDecimal, ExtremeExponentsGiveZeroOrInfinityNeverNan)
{
    EXPECT_EQ(ParseDecimal("0e999", 0), 0.0f);
    EXPECT_EQ(ParseDecimal("1e-999", 0), 0.0f);
    EXPECT_TRUE(isinf(ParseDecimal("1e999", 0)));
    EXPECT_TRUE(isinf(ParseDecimal("-1e999", 0)));
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
    EXPECT_EQ(Stored(0.25f), "0.25");
    EXPECT_EQ(Stored(46.5f), "46.499999");
    EXPECT_EQ(ParseDecimal(Stored(46.5f).c_str(), 0), 46.5f);
}

TEST(FormatDecimal, PaddingExponentAndSeparator)
{
    EXPECT_EQ(Formatted(0, 3, true, false), "0,000");
    EXPECT_EQ(Formatted(1.5f, 3, true, false), "1,500");
    EXPECT_EQ(Formatted(1234567.0f, 2, false, true), "1,23e6");
    EXPECT_EQ(Formatted(0.00025f, 2, false, true), "2,50e-4");
    EXPECT_EQ(Formatted(-INFINITY, 6, false, false), "-inf");
    EXPECT_EQ(Formatted(NAN, 6, false, false), "nan");
    EXPECT_EQ(Formatted(-NAN, 6, false, false), "nan");
}

TEST(FormatDecimal, RoundingUpToTheNextPowerOfTenGivesDigitsOnly)
{
    EXPECT_EQ(Formatted(9.999f, 2, false, false), "10");
    EXPECT_EQ(Formatted(0.9999f, 2, false, false), "1");
    EXPECT_EQ(Formatted(9.9999e7f, 2, false, true), "1,00e8");
}

// Every float, with any digit count and flags, stays inside the buffer and
// writes only a sign, digits, the separator, "e" and the words inf and nan.
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
        ASSERT_TRUE(FormatDecimal(value, digits, round & 1, round & 2, '.', text));
        size_t length = strnlen(text, sizeof text);
        ASSERT_LT(length, (size_t)FORMAT_DECIMAL_MAX) << value;
        for (size_t i = length + 1; i < sizeof text; i++)
            ASSERT_EQ(text[i], '#');
        ASSERT_EQ(strspn(text, "-0123456789.e"), length - (isnan(value) || isinf(value) ? 3 : 0)) << text;
    }
}

TEST(FormatDecimal, WholeDegreesSurviveTheRoundTrip)
{
    for (int degrees = -90; degrees <= 90; degrees++)
        EXPECT_EQ(ParseDecimal(Stored((float)degrees).c_str(), 0), (float)degrees) << degrees;
}

// Random texts of the characters the parser knows and some it skips: no
// crash, no read past the given length, and a stored number reads back close.
TEST(ParseDecimal, RandomTextsAndRoundTrips)
{
    const char alphabet[] = "0123456789-.eE,+ x";
    std::mt19937 random(7);
    for (int round = 0; round < 20000; round++) {
        int length = (int)(random() % 24);
        std::vector<char> textBuffer(length + 1);
        char* text = textBuffer.data();
        for (int i = 0; i < length; i++)
            text[i] = alphabet[random() % (sizeof alphabet - 1)];
        text[length] = '\0';
        float whole = ParseDecimal(text, 0);
        EXPECT_EQ(ParseDecimal(text, length), whole);
        // Exactly sized, without terminator: only maxLength may stop the scan.
        std::vector<char> unterminatedBuffer(length > 0 ? length : 1);
        char* unterminated = unterminatedBuffer.data();
        memcpy(unterminated, text, length);
        if (length > 0) {
            EXPECT_EQ(ParseDecimal(unterminated, length), whole);
        }

        float value = (float)((int)(random() % 2000001) - 1000000) / 1000.0f;
        float back = ParseDecimal(Stored(value).c_str(), 0);
        EXPECT_NEAR(back, value, fabsf(value) * 1e-6f + 2e-6f) << Stored(value);
    }
}
