// Tests of the registry store.
#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>
#include <string>

namespace {

// Every test works below this key of its own, which it removes afterwards.
const wchar_t TEST_KEY[] = L"SOFTWARE\\UmbrantRegistryTest";

void DeleteTree(HKEY parent, const wchar_t* name)
{
    HKEY key;
    if (RegOpenKeyExW(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    wchar_t child[256];
    while (RegEnumKeyW(key, 0, child, 256) == ERROR_SUCCESS)
        DeleteTree(key, child);
    RegCloseKey(key);
    RegDeleteKeyW(parent, name);
}

class RegistryStore : public testing::Test
{
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, TEST_KEY);
        ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, L"SOFTWARE", L"UmbrantRegistryTest", nullptr, nullptr));
    }
    void TearDown() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, TEST_KEY);
        EXPECT_FALSE(Exists(L""));
    }

    static std::wstring Path(const wchar_t* sub) { return *sub ? std::wstring(TEST_KEY) + L"\\" + sub : TEST_KEY; }
    static bool Exists(const wchar_t* below)
    {
        HKEY key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Path(below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    static void Store(const wchar_t* below, const wchar_t* name, const wchar_t* text)
    {
        ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, TEST_KEY, *below ? below : nullptr, name, text));
    }
    static int ReadInt(const wchar_t* name, int fallback)
    {
        return RegReadInt(HKEY_LOCAL_MACHINE, TEST_KEY, name, fallback);
    }
    static float ReadFloat(const wchar_t* name, float fallback)
    {
        return RegReadFloat(HKEY_LOCAL_MACHINE, TEST_KEY, name, fallback);
    }
};

}  // namespace

TEST_F(RegistryStore, MissingKeysAndValuesGiveTheDefaults)
{
    EXPECT_EQ(RegReadInt(HKEY_LOCAL_MACHINE, L"SOFTWARE\\UmbrantRegistryTest\\None", L"IsBigClock", -1), -1);
    EXPECT_EQ(ReadInt(L"IsBigClock", -1), -1);
    EXPECT_EQ(ReadFloat(L"GeoLatitude", 45.0f), 45.0f);
    wchar_t text[64] = L"untouched";
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, L"Missing", text, 64));
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, nullptr, L"Missing", text, 64));
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr, text, 64));
}

TEST_F(RegistryStore, NumbersAreStoredAsDecimalTextWithItsTerminator)
{
    ASSERT_TRUE(RegWriteInt(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr, L"Lowest", -2147483647 - 1));
    ASSERT_TRUE(RegWriteFloat(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr, L"GeoLatitude", 46.5f));
    const struct
    {
        const char* name;
        const char* text;
    } cases[] = {{"Lowest", "-2147483648"}, {"GeoLatitude", "46.5"}};
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEST_KEY, 0, KEY_READ, &key), ERROR_SUCCESS);
    for (const auto& c : cases) {
        char data[32];
        memset(data, '#', sizeof data);
        DWORD type = 0;
        DWORD size = sizeof data;
        EXPECT_EQ(RegQueryValueExA(key, c.name, nullptr, &type, (BYTE*)data, &size), ERROR_SUCCESS) << c.name;
        EXPECT_EQ(type, (DWORD)REG_SZ) << c.name;
        EXPECT_EQ(size, strlen(c.text) + 1) << c.name << " holds " << std::string(data, size < 32 ? size : 32);
        EXPECT_EQ(std::string(data, strlen(c.text) + 1), std::string(c.text, strlen(c.text) + 1)) << c.name;
    }
    RegCloseKey(key);
    EXPECT_EQ(ReadInt(L"Lowest", 0), -2147483647 - 1);
    EXPECT_EQ(ReadFloat(L"GeoLatitude", 45.0f), 46.5f);
}

// A stored text is a number only when it is wholly one; anything else reads
// as missing and gives the default.
TEST_F(RegistryStore, TextsThatAreNotWhollyANumberReadAsMissing)
{
    const int INT_DEFAULT = -1;
    const float FLOAT_DEFAULT = 45.0f;
    const struct
    {
        const wchar_t* text;
        int asInt;
        float asFloat;
    } cases[] = {
        {L"5", 5, 5.0f},
        {L"99999999999", 2147483647, 99999999999.0f},
        {L"-99999999999", -2147483647 - 1, -99999999999.0f},
        {L"46,05", INT_DEFAULT, 46.05f},
        {L"  +42abc", INT_DEFAULT, FLOAT_DEFAULT},
        {L"abc", INT_DEFAULT, FLOAT_DEFAULT},
        {L"nan", INT_DEFAULT, FLOAT_DEFAULT},
        {L"1e3", INT_DEFAULT, FLOAT_DEFAULT},
        {L"", INT_DEFAULT, FLOAT_DEFAULT},
    };
    for (const auto& c : cases) {
        Store(L"", L"Value", c.text);
        int asInt = ReadInt(L"Value", INT_DEFAULT);
        float asFloat = ReadFloat(L"Value", FLOAT_DEFAULT);
        EXPECT_EQ(c.asInt, asInt) << '"' << c.text << "\" read as " << asInt;
        EXPECT_EQ(c.asFloat, asFloat) << '"' << c.text << "\" read as " << asFloat;
    }
}

// The read buffer is 64 bytes: 63 characters and the terminator fit, longer
// texts read as missing, and nothing is written past the buffer.
TEST_F(RegistryStore, TextsOfSixtyFourCharactersOrMoreReadAsMissing)
{
    std::wstring longest(63, L'7');
    Store(L"", L"Longest", longest.c_str());
    Store(L"", L"TooLong", (longest + L"7").c_str());
    Store(L"", L"FarTooLong", std::wstring(500, L'7').c_str());
    wchar_t guarded[64 + 16];
    wmemset(guarded, L'#', 64 + 16);
    ASSERT_TRUE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, L"Longest", guarded, 64));
    EXPECT_EQ(std::wstring(guarded), longest);
    wmemset(guarded, L'#', 64 + 16);
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, L"TooLong", guarded, 64));
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, L"FarTooLong", guarded, 64));
    for (size_t i = 64; i < 64 + 16; i++)
        ASSERT_EQ(guarded[i], L'#') << i;
    EXPECT_EQ(ReadInt(L"TooLong", -1), -1);
    EXPECT_EQ(ReadFloat(L"FarTooLong", 45.0f), 45.0f);

    // The same lengths stored strictly without terminator.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEST_KEY, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    std::wstring digits(80, L'7');
    RegSetValueExW(key, L"Bare63", 0, REG_SZ, (const BYTE*)digits.c_str(), 63 * sizeof(wchar_t));
    RegSetValueExW(key, L"Bare64", 0, REG_SZ, (const BYTE*)digits.c_str(), 64 * sizeof(wchar_t));
    RegCloseKey(key);
    wmemset(guarded, L'#', 64 + 16);
    ASSERT_TRUE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, L"Bare63", guarded, 64));
    EXPECT_EQ(std::wstring(guarded), longest);
    wmemset(guarded, L'#', 64 + 16);
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, L"Bare64", guarded, 64));
    for (size_t i = 64; i < 64 + 16; i++)
        ASSERT_EQ(guarded[i], L'#') << i;
}

// A REG_DWORD reads as its signed 32-bit number, as the same text would;
// other values that are not text read as missing.
TEST_F(RegistryStore, DwordsReadAsTheirNumbersAndOtherDataAsMissing)
{
    const struct
    {
        DWORD type;
        DWORD data;
        DWORD size;
        int asInt;
        float asFloat;
    } cases[] = {
        {REG_DWORD, 1, 4, 1, 1.0f},
        {REG_DWORD, 0, 4, 0, 0.0f},
        {REG_DWORD, 4096, 4, 4096, 4096.0f},
        {REG_DWORD, 0xffffffff, 4, -1, -1.0f},
        {REG_DWORD, 0x80000000, 4, -2147483647 - 1, -2147483648.0f},
        {REG_DWORD, 1, 2, 7, 45.0f},
        {REG_BINARY, 1, 4, 7, 45.0f},
        {REG_DWORD_BIG_ENDIAN, 1, 4, 7, 45.0f},
    };
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEST_KEY, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    for (const auto& c : cases) {
        RegSetValueExW(key, L"Value", 0, c.type, (const BYTE*)&c.data, c.size);
        const int asInt = ReadInt(L"Value", 7);
        const float asFloat = ReadFloat(L"Value", 45.0f);
        EXPECT_EQ(c.asInt, asInt) << "type " << c.type << " holding " << c.data << " read as " << asInt;
        EXPECT_EQ(c.asFloat, asFloat) << "type " << c.type << " holding " << c.data << " read as " << asFloat;
    }
    RegCloseKey(key);
}

// A number stored as a REG_DWORD is written back as one while it is whole
// and fits; a fraction, or a value stored as text, is written as text.
TEST_F(RegistryStore, NumbersStoredAsDwordsStayDwordsWhileTheyFit)
{
    const struct
    {
        const wchar_t* name;
        bool dword;  // stored as a REG_DWORD before the write
        float value;
        bool asFloat;
        DWORD type;
        const wchar_t* text;  // when written as text
        int number;           // when written as a REG_DWORD
    } cases[] = {
        {L"Flag", true, 0, false, REG_DWORD, nullptr, 0},
        {L"Place", true, -40, false, REG_DWORD, nullptr, -40},
        {L"Latitude", true, -33, true, REG_DWORD, nullptr, -33},
        {L"Latitude", true, 46.5f, true, REG_SZ, L"46.5", 0},
        {L"Flag", false, 1, false, REG_SZ, L"1", 0},
    };
    Store(L"Sub", L"", nullptr);
    for (const auto& c : cases) {
        HKEY key;
        ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, Path(L"Sub").c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        const DWORD one = 1;
        if (c.dword)
            RegSetValueExW(key, c.name, 0, REG_DWORD, (const BYTE*)&one, sizeof one);
        else
            RegSetValueExW(key, c.name, 0, REG_SZ, (const BYTE*)L"1", 2 * sizeof(wchar_t));
        if (c.asFloat)
            EXPECT_TRUE(RegWriteFloat(HKEY_LOCAL_MACHINE, TEST_KEY, L"Sub", c.name, c.value));
        else
            EXPECT_TRUE(RegWriteInt(HKEY_LOCAL_MACHINE, TEST_KEY, L"Sub", c.name, static_cast<int>(c.value)));
        union
        {
            int32_t number;
            wchar_t text[16];
        } data = {};
        DWORD type = 0;
        DWORD size = sizeof data;
        EXPECT_EQ(RegQueryValueExW(key, c.name, nullptr, &type, (BYTE*)&data, &size), ERROR_SUCCESS);
        RegCloseKey(key);
        EXPECT_EQ(c.type, type) << c.name << " written as " << c.value;
        if (c.type == REG_DWORD)
            EXPECT_EQ(c.number, data.number) << c.name;
        else
            EXPECT_STREQ(c.text, data.text) << c.name;
    }
}

TEST_F(RegistryStore, WritingCreatesOneSubkeyButNeverTheKeyItself)
{
    EXPECT_FALSE(RegWriteString(HKEY_LOCAL_MACHINE, Path(L"Missing").c_str(), L"Sub", L"Value", L"text"));
    EXPECT_FALSE(Exists(L"Missing"));
    EXPECT_FALSE(RegWriteString(HKEY_LOCAL_MACHINE, nullptr, L"Sub", L"Value", L"text"));

    EXPECT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, TEST_KEY, L"Tavrelon", nullptr, nullptr));
    EXPECT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, Path(L"Tavrelon").c_str(), L"Umbrant", nullptr, nullptr));
    EXPECT_TRUE(Exists(L"Tavrelon\\Umbrant"));
    // Repeating it changes nothing.
    EXPECT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, Path(L"Tavrelon").c_str(), L"Umbrant", nullptr, nullptr));
    EXPECT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, TEST_KEY, L"Tavrelon\\Umbrant", L"DisplayName", L"Umbrant"));
    wchar_t text[64];
    EXPECT_TRUE(RegReadString(HKEY_LOCAL_MACHINE, Path(L"Tavrelon\\Umbrant").c_str(), L"DisplayName", text, 64));
    EXPECT_STREQ(text, L"Umbrant");
}

TEST_F(RegistryStore, DeletingRefusesKeysWithSubkeysAndPrunesEmptiedParents)
{
    Store(L"A\\B", L"Value", L"1");
    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, L"A"));
    EXPECT_TRUE(Exists(L"A\\B"));

    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, L"A\\B"));
    EXPECT_FALSE(Exists(L"A"));

    Store(L"X", L"", nullptr);
    Store(L"X\\Y", L"", nullptr);
    Store(L"X\\Y\\Z", L"Value", L"1");
    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, L"X\\Y\\Z"));
    EXPECT_FALSE(Exists(L"X"));

    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, L"Missing"));
    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, L"Missing\\Deeper"));
    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr));
    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, Path(L"Missing").c_str(), L"A"));
    EXPECT_TRUE(Exists(L""));
}

// Deleting one value, or a key whose parent still holds values or other
// keys, leaves the rest of the parent alone.
TEST_F(RegistryStore, DeletingKeepsParentsThatStillHoldSomething)
{
    Store(L"Settings", L"IsBigClock", L"1");
    Store(L"Settings", L"GeoLatitude", L"45");
    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, L"Settings\\IsBigClock"));
    EXPECT_EQ(RegReadInt(HKEY_LOCAL_MACHINE, Path(L"Settings").c_str(), L"IsBigClock", -1), -1);
    EXPECT_EQ(RegReadInt(HKEY_LOCAL_MACHINE, Path(L"Settings").c_str(), L"GeoLatitude", -1), 45);

    Store(L"Vendor", L"Owner", L"someone");
    Store(L"Vendor\\Product", L"Value", L"1");
    Store(L"Vendor\\Other", L"Value", L"1");
    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, L"Vendor\\Product"));
    EXPECT_FALSE(Exists(L"Vendor\\Product"));
    EXPECT_TRUE(Exists(L"Vendor\\Other"));
    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, L"Vendor\\Other"));
    EXPECT_TRUE(Exists(L"Vendor"));
}
