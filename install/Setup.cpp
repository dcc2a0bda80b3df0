// Installing and uninstalling the program under the names it is given.
#include "install/Setup.h"

#include <windows.h>
#include <shlobj.h>

#include <limits.h>
#include <stdlib.h>
#include <wchar.h>

#include "platform/Handles.h"
#include "settings/ProgramSettings.h"
#include "settings/Registry.h"
#include "text/StringIds.h"

namespace {

const wchar_t UNINSTALL_KEY[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// Room for a folder of MAX_PATH characters and a name as long again.
const int PATH_SIZE = 2 * MAX_PATH;
// Room for the uninstall key of an entry named by such a name.
const int ENTRY_KEY_SIZE = sizeof UNINSTALL_KEY / sizeof UNINSTALL_KEY[0] + PATH_SIZE;

// The key of the uninstall entry keyName into key (ENTRY_KEY_SIZE
// characters); false when it does not fit.
bool EntryKey(wchar_t* key, const wchar_t* keyName)
{
    const int length = swprintf(key, ENTRY_KEY_SIZE, L"%ls\\%ls", UNINSTALL_KEY, keyName);
    return length >= 0 && length < ENTRY_KEY_SIZE;
}

// folder, a backslash unless the folder is empty or already ends in one, the
// name and the suffix; false when that does not fit into PATH_SIZE.
bool JoinPath(wchar_t* out, const wchar_t* folder, const wchar_t* name, const wchar_t* suffix = L"")
{
    const size_t folderLength = wcslen(folder);
    const wchar_t* separator = (folderLength > 0 && folder[folderLength - 1] != L'\\') ? L"\\" : L"";
    const int length = swprintf(out, PATH_SIZE, L"%ls%ls%ls%ls", folder, separator, name, suffix);
    return length >= 0 && length < PATH_SIZE;
}

// The running executable's full path into path (MAX_PATH characters) and a
// pointer to its file name in it; null when the path has no backslash or was
// cut short.
const wchar_t* GetOwnPath(wchar_t* path)
{
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const wchar_t* slash = wcsrchr(path, L'\\');
    return slash ? slash + 1 : nullptr;
}

// The user's temporary folder into folder (MAX_PATH + 1 characters).
bool GetTempFolder(wchar_t* folder)
{
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH;
}

// Path of the shortcut linkName.lnk in a shell special folder.
bool GetLinkPath(int csidl, const wchar_t* linkName, wchar_t* out)
{
    wchar_t folder[MAX_PATH];
    return GetSpecialFolderPath(csidl, folder) && JoinPath(out, folder, linkName, L".lnk");
}

// What a removal command removes: files (with del) or folders (with rmdir).
enum class Removal
{
    FILES,
    FOLDERS
};

// Only absolute paths without wildcards are handed to del and rmdir: a
// relative one would name something in the interpreter's current folder, and
// a wildcard would match other files. del given a folder would empty it.
bool IsRemovable(const wchar_t* path, Removal what)
{
    const bool drive = ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') && path[1] == L':' && path[2] == L'\\';
    const bool share = path[0] == L'\\' && path[1] == L'\\';
    if (!(drive || share) || wcspbrk(path, L"*?\""))
        return false;
    const DWORD attributes = GetFileAttributesW(path);
    return what == Removal::FOLDERS || attributes == INVALID_FILE_ATTRIBUTES ||
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The steps of an install, each undone (newest first) unless Keep is
// called: an item that was there before the install stays as it is.
class CInstallSteps
{
public:
    CInstallSteps() : m_count(0), m_kept(false) { }
    ~CInstallSteps()
    {
        for (int i = m_count - 1; !m_kept && i >= 0; i--) {
            const Step& step = m_steps[i];
            if (step.kind == MADE_FOLDER)
                RemoveDirectoryW(step.path);
            else if (step.kind == COPIED_FILE)
                DeleteFileW(step.path);
            else
                RegDeletePath(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, step.path);
        }
    }
    CInstallSteps(const CInstallSteps&) = delete;
    CInstallSteps& operator=(const CInstallSteps&) = delete;

    // True when the folder is there, made now or before.
    bool MakeFolder(const wchar_t* path)
    {
        if (CreateDirectoryW(path, nullptr))
            return Done(MADE_FOLDER, path);
        return GetLastError() == ERROR_ALREADY_EXISTS;
    }
    bool Copy(const wchar_t* from, const wchar_t* to)
    {
        const bool existed = Exists(to);
        return CopyFileW(from, to, FALSE) && (existed || Done(COPIED_FILE, to));
    }
    bool Link(const wchar_t* target, const wchar_t* linkPath)
    {
        const bool existed = Exists(linkPath);
        return CreateShortcut(target, linkPath, L"") && (existed || Done(COPIED_FILE, linkPath));
    }
    // Marks the uninstall entry keyName for removal unless it was there before.
    bool Register(const wchar_t* keyName)
    {
        wchar_t key[ENTRY_KEY_SIZE];
        if (!EntryKey(key, keyName))
            return false;
        return RegKeyExists(HKEY_LOCAL_MACHINE, key) || Done(ENTRY_KEY, keyName);
    }
    void Keep() { m_kept = true; }

private:
    enum Kind
    {
        MADE_FOLDER,
        COPIED_FILE,
        ENTRY_KEY
    };
    struct Step
    {
        Kind kind;
        wchar_t path[PATH_SIZE];
    };
    static bool Exists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }
    bool Done(Kind kind, const wchar_t* path)
    {
        if (m_count >= MAX_STEPS)
            return false;
        m_steps[m_count].kind = kind;
        lstrcpynW(m_steps[m_count].path, path, PATH_SIZE);
        m_count++;
        return true;
    }

    // A folder, a copy, two shortcuts and the entry.
    static const int MAX_STEPS = 5;
    Step m_steps[MAX_STEPS];
    int m_count;
    bool m_kept;
};

// A command for the command interpreter, run in a process of its own, that
// first reads a line of its input (set /P), and so waits until its input
// ends, then removes the paths added to it. Each path goes between double quotes,
// where & ( ) ^ and spaces are plain text; /V:OFF keeps !...! plain too and
// /D leaves out the AutoRun commands. A % is expanded even between quotes (and
// some interpreters expand the result again), so a path holding one could name
// other files: such a file is deleted at once instead, which works whenever it
// is not the running program, and such a folder is left in place.
class CRemovalCommand
{
public:
    explicit CRemovalCommand(Removal what) : m_what(what), m_text(nullptr), m_length(0), m_items(0), m_complete(true)
    {
        Append(what == Removal::FOLDERS ? L"cmd /D /V:OFF /C set /P gate=& rmdir /Q /S"
                                        : L"cmd /D /V:OFF /C set /P gate=& del /Q");
    }
    ~CRemovalCommand() { free(m_text); }

    void AddItem(const wchar_t* path)
    {
        if (!IsRemovable(path, m_what))
            return;
        if (wcschr(path, L'%')) {
            if (m_what == Removal::FILES)
                DeleteFileW(path);
            return;
        }
        Append(L" \"");
        Append(path);
        Append(L"\"");
        m_items++;
    }

    // Starts the command without a window at idle priority, its input a copy
    // of gate that it inherits; nothing waits for it.
    void Start(HANDLE gate)
    {
        HANDLE input = nullptr;
        if (!m_complete || m_items == 0 ||
            !DuplicateHandle(GetCurrentProcess(), gate, GetCurrentProcess(), &input, 0, TRUE, DUPLICATE_SAME_ACCESS))
            return;
        const CKernelHandle inherited(input);
        STARTUPINFOW startup;
        ZeroMemory(&startup, sizeof startup);
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = input;
        // Started in the system folder, so that the folders it removes are
        // nobody's current folder.
        wchar_t systemFolder[MAX_PATH];
        const UINT folderLength = GetSystemDirectoryW(systemFolder, MAX_PATH);
        const bool inSystem = folderLength > 0 && folderLength < MAX_PATH;
        CProcessHandles process;
        CreateProcessW(nullptr, m_text, nullptr, nullptr, TRUE, CREATE_NO_WINDOW | IDLE_PRIORITY_CLASS, nullptr,
                       inSystem ? systemFolder : nullptr, &startup, process.Out());
    }

private:
    void Append(const wchar_t* more)
    {
        const int length = static_cast<int>(wcslen(more));
        if (AppendString(&m_text, m_length, more) == length)
            m_length += length;
        else
            m_complete = false;
    }

    Removal m_what;
    wchar_t* m_text;
    int m_length;
    int m_items;
    bool m_complete;
};

}  // namespace

bool GetSpecialFolderPath(int csidl, wchar_t* out)
{
    if (!out)
        return false;
    out[0] = 0;
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items)
        return false;
    const bool resolved = SHGetPathFromIDListW(items, out) != FALSE;
    CComReference<IMalloc> allocator;
    if (SUCCEEDED(SHGetMalloc(reinterpret_cast<IMalloc**>(allocator.Out()))))
        allocator->Free(items);
    if (!resolved)
        out[0] = 0;
    return resolved;
}

bool CreateShortcut(const wchar_t* target, const wchar_t* linkPath, const wchar_t* description)
{
    if (!target || !linkPath || !description)
        return false;
    CComInitialisation com;
    CComReference<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out())))
        return false;
    // The target's folder; a drive keeps its backslash ("C:\") so that it names the root.
    wchar_t folder[PATH_SIZE];
    lstrcpynW(folder, target, PATH_SIZE);
    if (wchar_t* slash = wcsrchr(folder, L'\\'))
        slash[(slash > folder && slash[-1] == L':') ? 1 : 0] = 0;
    CComReference<IPersistFile> file;
    return SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetDescription(description)) &&
           SUCCEEDED(link->SetWorkingDirectory(folder)) &&
           SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) && SUCCEEDED(file->Save(linkPath, TRUE));
}

int AppendString(wchar_t** text, int length, const wchar_t* more)
{
    if (!text || !more || !*more || length < 0)
        return 0;
    const size_t moreLength = wcslen(more);
    if (moreLength >= static_cast<size_t>(INT_MAX - length) / sizeof(wchar_t))
        return 0;
    wchar_t* grown = static_cast<wchar_t*>(realloc(*text, (length + moreLength + 1) * sizeof(wchar_t)));
    if (!grown)
        return 0;
    wmemcpy(grown + length, more, moreLength + 1);
    *text = grown;
    return static_cast<int>(moreLength);
}

InstallResult InstallSelfAs(const wchar_t* folderName, const wchar_t* linkName)
{
    wchar_t ownPath[MAX_PATH];
    const wchar_t* exeName = GetOwnPath(ownPath);
    if (!exeName || !folderName || !*folderName || !linkName)
        return INSTALL_NOT_COPIED;

    // Into Program Files\folderName; when that fails (the folder is out of
    // reach, or this very file is running from there), into the temporary folder.
    CInstallSteps steps;
    wchar_t folder[MAX_PATH + 1], installFolder[PATH_SIZE], target[PATH_SIZE];
    bool copied = false;
    if (GetSpecialFolderPath(CSIDL_PROGRAM_FILES, folder) && JoinPath(installFolder, folder, folderName) &&
        steps.MakeFolder(installFolder))
        copied = JoinPath(target, installFolder, exeName) && steps.Copy(ownPath, target);
    if (!copied)
        copied = GetTempFolder(folder) && JoinPath(target, folder, exeName) && steps.Copy(ownPath, target);
    if (!copied)
        return INSTALL_NOT_COPIED;

    wchar_t linkPath[PATH_SIZE];
    const int linkFolders[] = {CSIDL_STARTUP, CSIDL_DESKTOP};
    for (int csidl : linkFolders) {
        if (!GetLinkPath(csidl, linkName, linkPath) || !steps.Link(target, linkPath))
            return INSTALL_NO_SHORTCUT;
    }

    wchar_t command[PATH_SIZE + 16];
    swprintf(command, PATH_SIZE + 16, L"\"%ls\" -uninstall", target);
    if (!steps.Register(folderName) ||
        !RegWriteString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, folderName, L"DisplayName", linkName) ||
        !RegWriteString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, folderName, L"UninstallString", command))
        return INSTALL_NOT_REGISTERED;
    steps.Keep();
    return INSTALLED;
}

int InstallFailureText(InstallResult result)
{
    switch (result) {
    case INSTALLED: return 0;
    case INSTALL_NOT_COPIED: return IDS_CANNOT_COPY;
    case INSTALL_NO_SHORTCUT: return IDS_CANNOT_LINK;
    case INSTALL_NOT_REGISTERED: return IDS_CANNOT_REGISTER;
    }
    return IDS_CANNOT_COPY;
}

bool UninstallSelfAs(const wchar_t* folderName, const wchar_t* linkName, const CProgramSettings* settings,
                     CUninstallReport* report, HANDLE removalGate)
{
    wchar_t ownPath[MAX_PATH];
    const wchar_t* exeName = GetOwnPath(ownPath);
    if (!exeName || !folderName || !*folderName || !linkName) {
        if (report)
            report->Tell(UninstallResult::NOT_REMOVED);
        return false;
    }

    // The registry first: only when the uninstall entry is gone are the files
    // worth removing.
    wchar_t key[ENTRY_KEY_SIZE];
    const bool keyNamed = EntryKey(key, folderName);
    if (keyNamed) {
        RegDeletePath(HKEY_LOCAL_MACHINE, key, L"DisplayName");
        RegDeletePath(HKEY_LOCAL_MACHINE, key, L"UninstallString");
    }
    RegDeletePath(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, folderName);
    if (settings)
        settings->Remove();
    const bool removed = keyNamed && !RegKeyExists(HKEY_LOCAL_MACHINE, key);
    if (report)
        report->Tell(removed ? UninstallResult::REMOVED : UninstallResult::NOT_REMOVED);
    if (!removed)
        return false;

    CRemovalCommand removeFiles(Removal::FILES);
    CRemovalCommand removeFolder(Removal::FOLDERS);
    wchar_t folder[MAX_PATH + 1], path[PATH_SIZE];
    if (GetSpecialFolderPath(CSIDL_PROGRAM_FILES, folder) && JoinPath(path, folder, folderName))
        removeFolder.AddItem(path);
    if (GetTempFolder(folder) && JoinPath(path, folder, exeName))
        removeFiles.AddItem(path);
    if (GetLinkPath(CSIDL_STARTUP, linkName, path))
        removeFiles.AddItem(path);
    if (GetLinkPath(CSIDL_DESKTOP, linkName, path))
        removeFiles.AddItem(path);
    // The gate that ends with this process: a pipe whose writing end is left
    // open, for the system to close as the process ends.
    HANDLE reading = nullptr, writing = nullptr;
    if (!removalGate && CreatePipe(&reading, &writing, nullptr, 0))
        removalGate = reading;
    const CKernelHandle ownGate(reading);
    removeFiles.Start(removalGate);
    removeFolder.Start(removalGate);
    return true;
}
