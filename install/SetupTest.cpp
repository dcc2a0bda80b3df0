// Tests of the install and the uninstall.
#include "install/Setup.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>

#include "platform/Handles.h"
#include "settings/ProgramSettings.h"
#include "settings/Registry.h"

namespace {

const wchar_t UNINSTALL_KEY[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteSmallFile(const std::wstring& path)
{
    const CKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file.Get())
        return false;
    DWORD written = 0;
    ::WriteFile(file.Get(), "x", 1, &written, nullptr);
    return true;
}

// The removal runs in processes of their own at idle priority: give them time.
bool WaitUntilGone(const std::wstring& path)
{
    for (int i = 0; i < 300 && Exists(path); i++)
        Sleep(100);
    return !Exists(path);
}

std::wstring SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH];
    return GetSpecialFolderPath(csidl, path) ? path : L"";
}

std::wstring Join(const std::wstring& folder, const std::wstring& name)
{
    return folder.empty() || folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

std::wstring TempFolder()
{
    wchar_t path[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, path);
    return path;
}

std::wstring OwnFileName()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return wcsrchr(path, L'\\') + 1;
}

bool KeyExists(const std::wstring& key, HKEY root = HKEY_LOCAL_MACHINE)
{
    return RegKeyExists(root, key.c_str());
}

struct Link
{
    std::wstring target, folder, description;
};

Link ReadLink(const std::wstring& path)
{
    Link link;
    CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
                wchar_t text[MAX_PATH] = L"";
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
const wchar_t MAKER_KEY[] = L"Software\\UmbrantSetupTest maker";
const CProgramSettings SETTINGS(L"Software", L"UmbrantSetupTest maker\\settings");

// Settings saved by this version and by an earlier one.
void CreateSettingsKeys()
{
    SETTINGS.Save();
    RegWriteString(HKEY_LOCAL_MACHINE, L"Software", L"UmbrantSetupTest maker\\settings", L"Language", L"0");
}

}  // namespace

TEST(AppendString, GrowsTheTextAndCountsWhatWasAdded)
{
    wchar_t* text = nullptr;
    int length = 0;
    length += AppendString(&text, length, L"cmd /C");
    length += AppendString(&text, length, L"");
    length += AppendString(&text, length, nullptr);
    length += AppendString(&text, length, L" del");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(length, 10);
    EXPECT_STREQ(text, L"cmd /C del");
    EXPECT_EQ(AppendString(nullptr, 0, L"x"), 0);
    free(text);
}

TEST(GetSpecialFolderPath, GivesAbsoluteFoldersOrNothing)
{
    wchar_t path[MAX_PATH] = L"junk";
    ASSERT_TRUE(GetSpecialFolderPath(CSIDL_PROGRAM_FILES, path));
    EXPECT_EQ(path[1], L':');
    EXPECT_TRUE(Exists(path));
    EXPECT_NE(SpecialFolder(CSIDL_STARTUP), L"");
    EXPECT_NE(SpecialFolder(CSIDL_DESKTOP), L"");
    EXPECT_FALSE(GetSpecialFolderPath(0x7e, path));
    EXPECT_STREQ(path, L"");
    EXPECT_FALSE(GetSpecialFolderPath(CSIDL_DESKTOP, nullptr));
}

TEST(CreateShortcut, StartsTheTargetInItsFolder)
{
    const std::wstring folder = TempFolder() + L"umbrant link test";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring link = folder + L"\\Umbrant.lnk", target = folder + L"\\Umbrant.exe";
    ASSERT_TRUE(WriteSmallFile(target));

    EXPECT_TRUE(CreateShortcut(target.c_str(), link.c_str(), L"A dial"));
    Link read = ReadLink(link);
    EXPECT_EQ(read.target, target);
    EXPECT_EQ(read.folder, folder);
    EXPECT_EQ(read.description, L"A dial");

    // A program at a drive root runs in the root folder, not on "C:".
    EXPECT_TRUE(CreateShortcut(L"C:\\Umbrant.exe", link.c_str(), L""));
    read = ReadLink(link);
    EXPECT_EQ(read.target, L"C:\\Umbrant.exe");
    EXPECT_EQ(read.folder, L"C:\\");

    // A link the shell cannot save, in a folder that is not there.
    EXPECT_FALSE(CreateShortcut(target.c_str(), (folder + L"\\missing\\Umbrant.lnk").c_str(), L""));
    EXPECT_FALSE(CreateShortcut(nullptr, link.c_str(), L""));
    EXPECT_FALSE(CreateShortcut(target.c_str(), nullptr, L""));
    EXPECT_FALSE(CreateShortcut(target.c_str(), link.c_str(), nullptr));

    DeleteFileW(link.c_str());
    DeleteFileW(target.c_str());
    RemoveDirectoryW(folder.c_str());
}

// The whole round trip under names of the test's own that hold characters the
// command interpreter treats specially: the install creates the items, the
// uninstall removes exactly those (and the settings key) and runs nothing else.
// The fallback copy, in a folder whose path holds a %, is deleted at once
// rather than by the interpreter.
TEST(InstallSelf, UninstallRemovesOnlyTheNamedItems)
{
    const std::wstring folderName = L"UmbrantSetupTest (x) & ^y !UMBRANT_INJECT!";
    const std::wstring linkName = L"UmbrantSetupTest & (z) ^ !UMBRANT_INJECT!";
    const std::wstring realTemp = TempFolder();
    const std::wstring injected = realTemp + L"umbrant injected.txt";
    // Expanded inside the command, this would close the quotes and run a command.
    const std::wstring inject = L"\" & echo injected> \"" + injected + L"\" & rem \"";
    SetEnvironmentVariableW(L"UMBRANT_INJECT", inject.c_str());

    // A temporary folder of its own, with the fallback copy and a neighbour.
    const std::wstring temp = realTemp + L"umbrant t&(1)^2 %UMBRANT_INJECT% !UMBRANT_INJECT!\\";
    CreateDirectoryW(temp.c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", temp.c_str());
    SetEnvironmentVariableW(L"TEMP", temp.c_str());
    ASSERT_EQ(TempFolder(), temp);

    const std::wstring programFiles = SpecialFolder(CSIDL_PROGRAM_FILES);
    const std::wstring installFolder = Join(programFiles, folderName);
    const std::wstring copy = Join(installFolder, OwnFileName());
    const std::wstring startupLink = Join(SpecialFolder(CSIDL_STARTUP), linkName + L".lnk");
    const std::wstring desktopLink = Join(SpecialFolder(CSIDL_DESKTOP), linkName + L".lnk");
    const std::wstring key = std::wstring(UNINSTALL_KEY) + L"\\" + folderName;

    // Neighbours whose names a split command line would reach.
    const std::wstring neighbourFolder = Join(programFiles, L"UmbrantSetupTest (x)");
    CreateDirectoryW(neighbourFolder.c_str(), nullptr);
    const std::wstring keep[] = {temp + L"keep.txt", Join(neighbourFolder, L"keep.txt"),
                                 realTemp + L"UmbrantSetupTest keep.txt"};
    for (const std::wstring& path : keep)
        ASSERT_TRUE(WriteSmallFile(path)) << path;
    // The uninstall's commands wait for this gate: while its writing end stays
    // open, what they remove stays. Made before the install, which an ASSERT
    // must not leave behind.
    HANDLE gate = nullptr, gateWriting = nullptr;
    ASSERT_TRUE(CreatePipe(&gate, &gateWriting, nullptr, 0)) << "error " << GetLastError();
    const CKernelHandle gateReading(gate);

    // No ASSERT from here on: the uninstall must run to clean up.
    EXPECT_EQ(InstallSelfAs(folderName.c_str(), linkName.c_str()), INSTALLED);
    EXPECT_EQ(ReadLink(startupLink).target, copy);
    EXPECT_EQ(ReadLink(desktopLink).target, copy);
    EXPECT_TRUE(KeyExists(key));

    // A fallback copy in the temporary folder goes too.
    EXPECT_TRUE(CopyFileW(copy.c_str(), (temp + OwnFileName()).c_str(), FALSE));
    CreateSettingsKeys();
    // What the commands remove stays while the gate is open.
    const std::wstring removedByCommands[] = {installFolder, startupLink, desktopLink};
    {
        const CKernelHandle gateOpen(gateWriting);
        EXPECT_TRUE(UninstallSelfAs(folderName.c_str(), linkName.c_str(), &SETTINGS, nullptr, gate));
        EXPECT_FALSE(KeyExists(key));
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            EXPECT_FALSE(KeyExists(MAKER_KEY, root)) << "the settings and the empty maker's key go";
        Sleep(1000);
        for (const std::wstring& path : removedByCommands)
            EXPECT_TRUE(Exists(path)) << "gone while the gate is open: " << path;
    }
    for (const std::wstring& path : {installFolder, startupLink, desktopLink, temp + OwnFileName()})
        EXPECT_TRUE(WaitUntilGone(path)) << path;
    Sleep(1000);
    for (const std::wstring& path : keep)
        EXPECT_TRUE(Exists(path)) << path;
    EXPECT_FALSE(Exists(injected));

    for (const std::wstring& path : keep)
        DeleteFileW(path.c_str());
    DeleteFileW(injected.c_str());
    RemoveDirectoryW(neighbourFolder.c_str());
    RemoveDirectoryW(temp.c_str());
    SetEnvironmentVariableW(L"TMP", realTemp.c_str());
    SetEnvironmentVariableW(L"TEMP", realTemp.c_str());
}

// An install whose shortcut cannot be saved (its folder is not there) says
// so and takes back the copy, its folder and everything else it added.
TEST(InstallSelf, AFailedStepLeavesNothingHalfInstalled)
{
    const std::wstring folderName = L"UmbrantSetupTest failing";
    const std::wstring linkName = L"UmbrantSetupTest missing\\link";
    const std::wstring installFolder = Join(SpecialFolder(CSIDL_PROGRAM_FILES), folderName);
    const std::wstring key = std::wstring(UNINSTALL_KEY) + L"\\" + folderName;

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
    const std::wstring folderName = L"UmbrantSetupTest %TEMP%";
    const std::wstring folder = Join(SpecialFolder(CSIDL_PROGRAM_FILES), folderName);
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(WriteSmallFile(folder + L"\\keep.txt"));
    EXPECT_TRUE(UninstallSelfAs(folderName.c_str(), folderName.c_str(), &SETTINGS));
    Sleep(2000);
    EXPECT_TRUE(Exists(folder + L"\\keep.txt"));
    DeleteFileW((folder + L"\\keep.txt").c_str());
    RemoveDirectoryW(folder.c_str());
}

// An uninstall entry that cannot go (here a subkey holds it) is reported as
// such, and no removal is started.
TEST(UninstallSelf, ReportsAnEntryThatStays)
{
    const std::wstring folderName = L"UmbrantSetupTest stays";
    const std::wstring extra = folderName + L"\\Extra";
    ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, extra.c_str(), nullptr, nullptr));
    struct Report : CUninstallReport
    {
        void Tell(UninstallResult result) override { reported = static_cast<int>(result); }
        int reported = -1;
    } report;
    EXPECT_FALSE(UninstallSelfAs(folderName.c_str(), folderName.c_str(), &SETTINGS, &report));
    EXPECT_EQ(report.reported, static_cast<int>(UninstallResult::NOT_REMOVED)) << "reported " << report.reported;
    EXPECT_TRUE(KeyExists(std::wstring(UNINSTALL_KEY) + L"\\" + folderName));
    RegDeletePath(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, extra.c_str());
}

// With nothing installed the uninstall still runs and touches nothing else.
TEST(UninstallSelf, NothingInstalledIsFine)
{
    EXPECT_TRUE(UninstallSelfAs(L"UmbrantSetupTest none", L"UmbrantSetupTest none", &SETTINGS));
    EXPECT_FALSE(UninstallSelfAs(L"", L"x", &SETTINGS));
    EXPECT_EQ(InstallSelfAs(L"", L"x"), INSTALL_NOT_COPIED);
}
