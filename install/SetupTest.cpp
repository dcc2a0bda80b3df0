// Tests of the install and the uninstall.
#include "install/Setup.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>

#include "settings/ProgramSettings.h"
#include "settings/Registry.h"

namespace {

const char UNINSTALL_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteSmallFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    ::WriteFile(file, "x", 1, &written, nullptr);
    CloseHandle(file);
    return true;
}

// The removal runs in processes of their own at idle priority: give them time.
bool WaitUntilGone(const std::string& path)
{
    for (int i = 0; i < 300 && Exists(path); i++)
        Sleep(100);
    return !Exists(path);
}

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH];
    return GetSpecialFolderPath(csidl, path) ? path : "";
}

std::string Join(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string TempFolder()
{
    char path[MAX_PATH + 1];
    GetTempPathA(sizeof path, path);
    return path;
}

std::string OwnFileName()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return strrchr(path, '\\') + 1;
}

bool KeyExists(const std::string& key, HKEY root = HKEY_LOCAL_MACHINE)
{
    return RegKeyExists(root, key.c_str());
}

struct Link
{
    std::string target, folder, description;
};

Link ReadLink(const std::string& path)
{
    Link link;
    CoInitialize(nullptr);
    IShellLinkA* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            WCHAR widePath[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
            if (SUCCEEDED(file->Load(widePath, STGM_READ))) {
                char text[MAX_PATH] = "";
                shellLink->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
                link.target = text;
                text[0] = 0;
                shellLink->GetWorkingDirectory(text, MAX_PATH);
                link.folder = text;
                text[0] = 0;
                shellLink->GetDescription(text, MAX_PATH);
                link.description = text;
            }
            file->Release();
        }
        shellLink->Release();
    }
    CoUninitialize();
    return link;
}

// The settings the uninstall is given: the user's and the machine's keys,
// below a maker's key that holds nothing else.
const char MAKER_KEY[] = "Software\\UmbrantSetupTest maker";
const CProgramSettings SETTINGS("Software", "UmbrantSetupTest maker\\settings");

// Settings saved by this version and by an earlier one.
void CreateSettingsKeys()
{
    SETTINGS.Save();
    RegWriteString(HKEY_LOCAL_MACHINE, "Software", "UmbrantSetupTest maker\\settings", "Language", "0");
}

}  // namespace

TEST(AppendString, GrowsTheTextAndCountsWhatWasAdded)
{
    char* text = nullptr;
    int length = 0;
    length += AppendString(&text, length, "cmd /C");
    length += AppendString(&text, length, "");
    length += AppendString(&text, length, nullptr);
    length += AppendString(&text, length, " del");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(length, 10);
    EXPECT_STREQ(text, "cmd /C del");
    EXPECT_EQ(AppendString(nullptr, 0, "x"), 0);
    free(text);
}

TEST(GetSpecialFolderPath, GivesAbsoluteFoldersOrNothing)
{
    char path[MAX_PATH] = "junk";
    ASSERT_TRUE(GetSpecialFolderPath(CSIDL_PROGRAM_FILES, path));
    EXPECT_EQ(path[1], ':');
    EXPECT_TRUE(Exists(path));
    EXPECT_NE(SpecialFolder(CSIDL_STARTUP), "");
    EXPECT_NE(SpecialFolder(CSIDL_DESKTOP), "");
    EXPECT_FALSE(GetSpecialFolderPath(0x7e, path));
    EXPECT_STREQ(path, "");
    EXPECT_FALSE(GetSpecialFolderPath(CSIDL_DESKTOP, nullptr));
}

TEST(CreateShortcut, StartsTheTargetInItsFolder)
{
    const std::string folder = TempFolder() + "umbrant link test";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string link = folder + "\\Umbrant.lnk", target = folder + "\\Umbrant.exe";
    ASSERT_TRUE(WriteSmallFile(target));

    EXPECT_TRUE(CreateShortcut(target.c_str(), link.c_str(), "A dial"));
    Link read = ReadLink(link);
    EXPECT_EQ(read.target, target);
    EXPECT_EQ(read.folder, folder);
    EXPECT_EQ(read.description, "A dial");

    // A program at a drive root runs in the root folder, not on "C:".
    EXPECT_TRUE(CreateShortcut("C:\\Umbrant.exe", link.c_str(), ""));
    read = ReadLink(link);
    EXPECT_EQ(read.target, "C:\\Umbrant.exe");
    EXPECT_EQ(read.folder, "C:\\");

    // A link the shell cannot save, in a folder that is not there.
    EXPECT_FALSE(CreateShortcut(target.c_str(), (folder + "\\missing\\Umbrant.lnk").c_str(), ""));
    EXPECT_FALSE(CreateShortcut(nullptr, link.c_str(), ""));
    EXPECT_FALSE(CreateShortcut(target.c_str(), nullptr, ""));
    EXPECT_FALSE(CreateShortcut(target.c_str(), link.c_str(), nullptr));

    DeleteFileA(link.c_str());
    DeleteFileA(target.c_str());
    RemoveDirectoryA(folder.c_str());
}

// The whole round trip under names of the test's own that hold characters the
// command interpreter treats specially: the install creates the items, the
// uninstall removes exactly those (and the settings key) and runs nothing else.
// The fallback copy, in a folder whose path holds a %, is deleted at once
// rather than by the interpreter.
TEST(InstallSelf, UninstallRemovesOnlyTheNamedItems)
{
    const std::string folderName = "UmbrantSetupTest (x) & ^y !UMBRANT_INJECT!";
    const std::string linkName = "UmbrantSetupTest & (z) ^ !UMBRANT_INJECT!";
    const std::string realTemp = TempFolder();
    const std::string injected = realTemp + "umbrant injected.txt";
    // Expanded inside the command, this would close the quotes and run a command.
    const std::string inject = "\" & echo injected> \"" + injected + "\" & rem \"";
    SetEnvironmentVariableA("UMBRANT_INJECT", inject.c_str());

    // A temporary folder of its own, with the fallback copy and a neighbour.
    const std::string temp = realTemp + "umbrant t&(1)^2 %UMBRANT_INJECT% !UMBRANT_INJECT!\\";
    CreateDirectoryA(temp.c_str(), nullptr);
    SetEnvironmentVariableA("TMP", temp.c_str());
    SetEnvironmentVariableA("TEMP", temp.c_str());
    ASSERT_EQ(TempFolder(), temp);

    const std::string programFiles = SpecialFolder(CSIDL_PROGRAM_FILES);
    const std::string installFolder = Join(programFiles, folderName);
    const std::string copy = Join(installFolder, OwnFileName());
    const std::string startupLink = Join(SpecialFolder(CSIDL_STARTUP), linkName + ".lnk");
    const std::string desktopLink = Join(SpecialFolder(CSIDL_DESKTOP), linkName + ".lnk");
    const std::string key = std::string(UNINSTALL_KEY) + "\\" + folderName;

    // Neighbours whose names a split command line would reach.
    const std::string neighbourFolder = Join(programFiles, "UmbrantSetupTest (x)");
    CreateDirectoryA(neighbourFolder.c_str(), nullptr);
    const std::string keep[] = {temp + "keep.txt", Join(neighbourFolder, "keep.txt"),
                                realTemp + "UmbrantSetupTest keep.txt"};
    for (const std::string& path : keep)
        ASSERT_TRUE(WriteSmallFile(path)) << path;

    // No ASSERT from here on: the uninstall must run to clean up.
    EXPECT_EQ(InstallSelfAs(folderName.c_str(), linkName.c_str()), INSTALLED);
    EXPECT_EQ(ReadLink(startupLink).target, copy);
    EXPECT_EQ(ReadLink(desktopLink).target, copy);
    EXPECT_TRUE(KeyExists(key));

    // A fallback copy in the temporary folder goes too.
    EXPECT_TRUE(CopyFileA(copy.c_str(), (temp + OwnFileName()).c_str(), FALSE));
    CreateSettingsKeys();
    EXPECT_TRUE(UninstallSelfAs(folderName.c_str(), linkName.c_str(), &SETTINGS));
    EXPECT_FALSE(KeyExists(key));
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        EXPECT_FALSE(KeyExists(MAKER_KEY, root)) << "the settings and the empty maker's key go";
    for (const std::string& path : {installFolder, startupLink, desktopLink, temp + OwnFileName()})
        EXPECT_TRUE(WaitUntilGone(path)) << path;
    Sleep(1000);
    for (const std::string& path : keep)
        EXPECT_TRUE(Exists(path)) << path;
    EXPECT_FALSE(Exists(injected));

    for (const std::string& path : keep)
        DeleteFileA(path.c_str());
    DeleteFileA(injected.c_str());
    RemoveDirectoryA(neighbourFolder.c_str());
    RemoveDirectoryA(temp.c_str());
    SetEnvironmentVariableA("TMP", realTemp.c_str());
    SetEnvironmentVariableA("TEMP", realTemp.c_str());
}

// An install whose shortcut cannot be saved (its folder is not there) says
// so and takes back the copy, its folder and everything else it added.
TEST(InstallSelf, AFailedStepLeavesNothingHalfInstalled)
{
    const std::string folderName = "UmbrantSetupTest failing";
    const std::string linkName = "UmbrantSetupTest missing\\link";
    const std::string installFolder = Join(SpecialFolder(CSIDL_PROGRAM_FILES), folderName);
    const std::string key = std::string(UNINSTALL_KEY) + "\\" + folderName;

    const InstallResult result = InstallSelfAs(folderName.c_str(), linkName.c_str());
    EXPECT_EQ(result, INSTALL_NO_SHORTCUT);
    EXPECT_NE(InstallFailureText(result), 0);
    EXPECT_FALSE(Exists(Join(installFolder, OwnFileName()))) << installFolder;
    EXPECT_FALSE(Exists(installFolder)) << installFolder;
    EXPECT_FALSE(Exists(TempFolder() + OwnFileName()));
    EXPECT_FALSE(KeyExists(key)) << key;
}

// The interpreter could read a folder whose path holds a % as another: it stays.
TEST(UninstallSelf, LeavesAFolderWithAPercentInPlace)
{
    const std::string folderName = "UmbrantSetupTest %TEMP%";
    const std::string folder = Join(SpecialFolder(CSIDL_PROGRAM_FILES), folderName);
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(WriteSmallFile(folder + "\\keep.txt"));
    EXPECT_TRUE(UninstallSelfAs(folderName.c_str(), folderName.c_str(), &SETTINGS));
    Sleep(2000);
    EXPECT_TRUE(Exists(folder + "\\keep.txt"));
    DeleteFileA((folder + "\\keep.txt").c_str());
    RemoveDirectoryA(folder.c_str());
}

// An uninstall entry that cannot go (here a subkey holds it) is reported as
// such, and no removal is started.
TEST(UninstallSelf, ReportsAnEntryThatStays)
{
    const std::string folderName = "UmbrantSetupTest stays";
    const std::string extra = folderName + "\\Extra";
    ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, extra.c_str(), nullptr, nullptr));
    struct Report : CUninstallReport
    {
        void Tell(bool removed) override { reported = removed; }
        int reported = -1;
    } report;
    EXPECT_FALSE(UninstallSelfAs(folderName.c_str(), folderName.c_str(), &SETTINGS, &report));
    EXPECT_EQ(report.reported, 0) << "reported " << report.reported;
    EXPECT_TRUE(KeyExists(std::string(UNINSTALL_KEY) + "\\" + folderName));
    RegDeletePath(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, extra.c_str());
}

// With nothing installed the uninstall still runs and touches nothing else.
TEST(UninstallSelf, NothingInstalledIsFine)
{
    EXPECT_TRUE(UninstallSelfAs("UmbrantSetupTest none", "UmbrantSetupTest none", &SETTINGS));
    EXPECT_FALSE(UninstallSelfAs("", "x", &SETTINGS));
    EXPECT_EQ(InstallSelfAs("", "x"), INSTALL_NOT_COPIED);
}
