// Tests of the registry store.
#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>

namespace {

// Every test works below this key of its own, which it removes afterwards.
const char TEST_KEY[] = "SOFTWARE\\UmbrantRegistryTest";

void DeleteTree(HKEY parent, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char child[256];
    while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS)
        DeleteTree(key, child);
    RegCloseKey(key);
    RegDeleteKeyA(parent, name);
}

class RegistryStore : public testing::Test
{
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, TEST_KEY);
        ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, "SOFTWARE", "UmbrantRegistryTest", nullptr, nullptr));
    }
    void TearDown() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, TEST_KEY);
        EXPECT_FALSE(Exists(""));
    }

    static std::string Path(const char* below) { return *below ? std::string(TEST_KEY) + "\\" + below : TEST_KEY; }
    static bool Exists(const char* below)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, Path(below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    static void Store(const char* below, const char* name, const char* text)
    {
        ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, TEST_KEY, *below ? below : nullptr, name, text));
    }
    static int ReadInt(const char* name, int fallback)
    {
        return RegReadInt(HKEY_LOCAL_MACHINE, TEST_KEY, name, fallback);
    }
    static float ReadFloat(const char* name, float fallback)
    {
        return RegReadFloat(HKEY_LOCAL_MACHINE, TEST_KEY, name, fallback);
    }
};

}  // namespace

TEST_F(RegistryStore, MissingKeysAndValuesGiveTheDefaults)
{
    EXPECT_EQ(RegReadInt(HKEY_LOCAL_MACHINE, "SOFTWARE\\UmbrantRegistryTest\\None", "IsBigClock", -1), -1);
    EXPECT_EQ(ReadInt("IsBigClock", -1), -1);
    EXPECT_EQ(ReadFloat("GeoLatitude", 45.0f), 45.0f);
    char text[64] = "untouched";
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, "Missing", text, sizeof text));
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, nullptr, "Missing", text, sizeof text));
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr, text, sizeof text));
}

TEST_F(RegistryStore, NumbersAreStoredAsDecimalTextWithItsTerminator)
{
    ASSERT_TRUE(RegWriteInt(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr, "Lowest", -2147483647 - 1));
    ASSERT_TRUE(RegWriteFloat(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr, "GeoLatitude", 46.5f));
    const struct
    {
        const char* name;
        const char* text;
    } cases[] = {{"Lowest", "-2147483648"}, {"GeoLatitude", "46.5"}};
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, TEST_KEY, 0, KEY_READ, &key), ERROR_SUCCESS);
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
    EXPECT_EQ(ReadInt("Lowest", 0), -2147483647 - 1);
    EXPECT_EQ(ReadFloat("GeoLatitude", 45.0f), 46.5f);
}

// A stored text is a number only when it is wholly one; anything else reads
// as missing and gives the default.
TEST_F(RegistryStore, TextsThatAreNotWhollyANumberReadAsMissing)
{
    const int INT_DEFAULT = -1;
    const float FLOAT_DEFAULT = 45.0f;
    const struct
    {
        const char* text;
        int asInt;
        float asFloat;
    } cases[] = {
        {"5", 5, 5.0f},
        {"99999999999", 2147483647, 99999999999.0f},
        {"-99999999999", -2147483647 - 1, -99999999999.0f},
        {"46,05", INT_DEFAULT, 46.05f},
        {"  +42abc", INT_DEFAULT, FLOAT_DEFAULT},
        {"abc", INT_DEFAULT, FLOAT_DEFAULT},
        {"nan", INT_DEFAULT, FLOAT_DEFAULT},
        {"1e3", INT_DEFAULT, FLOAT_DEFAULT},
        {"", INT_DEFAULT, FLOAT_DEFAULT},
    };
    for (const auto& c : cases) {
        Store("", "Value", c.text);
        int asInt = ReadInt("Value", INT_DEFAULT);
        float asFloat = ReadFloat("Value", FLOAT_DEFAULT);
        EXPECT_EQ(c.asInt, asInt) << '"' << c.text << "\" read as " << asInt;
        EXPECT_EQ(c.asFloat, asFloat) << '"' << c.text << "\" read as " << asFloat;
    }
}

// The read buffer is 64 bytes: 63 characters and the terminator fit, longer
// texts read as missing, and nothing is written past the buffer.
TEST_F(RegistryStore, TextsOfSixtyFourCharactersOrMoreReadAsMissing)
{
    std::string longest(63, '7');
    Store("", "Longest", longest.c_str());
    Store("", "TooLong", (longest + "7").c_str());
    Store("", "FarTooLong", std::string(500, '7').c_str());
    char guarded[64 + 16];
    memset(guarded, '#', sizeof guarded);
    ASSERT_TRUE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, "Longest", guarded, 64));
    EXPECT_EQ(std::string(guarded), longest);
    memset(guarded, '#', sizeof guarded);
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, "TooLong", guarded, 64));
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, "FarTooLong", guarded, 64));
    for (size_t i = 64; i < sizeof guarded; i++)
        ASSERT_EQ(guarded[i], '#') << i;
    EXPECT_EQ(ReadInt("TooLong", -1), -1);
    EXPECT_EQ(ReadFloat("FarTooLong", 45.0f), 45.0f);

    // The same lengths stored strictly without terminator.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, TEST_KEY, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    std::wstring digits(80, L'7');
    RegSetValueExW(key, L"Bare63", 0, REG_SZ, (const BYTE*)digits.c_str(), 63 * sizeof(wchar_t));
    RegSetValueExW(key, L"Bare64", 0, REG_SZ, (const BYTE*)digits.c_str(), 64 * sizeof(wchar_t));
    RegCloseKey(key);
    memset(guarded, '#', sizeof guarded);
    ASSERT_TRUE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, "Bare63", guarded, 64));
    EXPECT_EQ(std::string(guarded), longest);
    memset(guarded, '#', sizeof guarded);
    EXPECT_FALSE(RegReadString(HKEY_LOCAL_MACHINE, TEST_KEY, "Bare64", guarded, 64));
    for (size_t i = 64; i < sizeof guarded; i++)
        ASSERT_EQ(guarded[i], '#') << i;
}

TEST_F(RegistryStore, ValuesThatAreNotTextReadAsMissing)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, TEST_KEY, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    DWORD number = 4096;
    RegSetValueExA(key, "Language", 0, REG_DWORD, (const BYTE*)&number, sizeof number);
    RegCloseKey(key);
    EXPECT_EQ(ReadInt("Language", 7), 7);
}

TEST_F(RegistryStore, WritingCreatesOneSubkeyButNeverTheKeyItself)
{
    EXPECT_FALSE(RegWriteString(HKEY_LOCAL_MACHINE, Path("Missing").c_str(), "Sub", "Value", "text"));
    EXPECT_FALSE(Exists("Missing"));
    EXPECT_FALSE(RegWriteString(HKEY_LOCAL_MACHINE, nullptr, "Sub", "Value", "text"));

    EXPECT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, TEST_KEY, "Tavrelon", nullptr, nullptr));
    EXPECT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, Path("Tavrelon").c_str(), "Umbrant", nullptr, nullptr));
    EXPECT_TRUE(Exists("Tavrelon\\Umbrant"));
    // Repeating it changes nothing.
    EXPECT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, Path("Tavrelon").c_str(), "Umbrant", nullptr, nullptr));
    EXPECT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, TEST_KEY, "Tavrelon\\Umbrant", "DisplayName", "Umbrant"));
    char text[64];
    EXPECT_TRUE(RegReadString(HKEY_LOCAL_MACHINE, Path("Tavrelon\\Umbrant").c_str(), "DisplayName", text, 64));
    EXPECT_STREQ(text, "Umbrant");
}

TEST_F(RegistryStore, DeletingRefusesKeysWithSubkeysAndPrunesEmptiedParents)
{
    Store("A\\B", "Value", "1");
    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, "A"));
    EXPECT_TRUE(Exists("A\\B"));

    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, "A\\B"));
    EXPECT_FALSE(Exists("A"));

    Store("X", "", nullptr);
    Store("X\\Y", "", nullptr);
    Store("X\\Y\\Z", "Value", "1");
    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, "X\\Y\\Z"));
    EXPECT_FALSE(Exists("X"));

    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, "Missing"));
    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, "Missing\\Deeper"));
    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, nullptr));
    EXPECT_FALSE(RegDeletePath(HKEY_LOCAL_MACHINE, Path("Missing").c_str(), "A"));
    EXPECT_TRUE(Exists(""));
}

// Deleting one value, or a key whose parent still holds values or other
// keys, leaves the rest of the parent alone.
TEST_F(RegistryStore, DeletingKeepsParentsThatStillHoldSomething)
{
    Store("Settings", "IsBigClock", "1");
    Store("Settings", "GeoLatitude", "45");
    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, "Settings\\IsBigClock"));
    EXPECT_EQ(RegReadInt(HKEY_LOCAL_MACHINE, Path("Settings").c_str(), "IsBigClock", -1), -1);
    EXPECT_EQ(RegReadInt(HKEY_LOCAL_MACHINE, Path("Settings").c_str(), "GeoLatitude", -1), 45);

    Store("Vendor", "Owner", "someone");
    Store("Vendor\\Product", "Value", "1");
    Store("Vendor\\Other", "Value", "1");
    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, "Vendor\\Product"));
    EXPECT_FALSE(Exists("Vendor\\Product"));
    EXPECT_TRUE(Exists("Vendor\\Other"));
    EXPECT_TRUE(RegDeletePath(HKEY_LOCAL_MACHINE, TEST_KEY, "Vendor\\Other"));
    EXPECT_TRUE(Exists("Vendor"));
}
