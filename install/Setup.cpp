// Installing and uninstalling the program under the names it is given.
#include "install/Setup.h"

#include <windows.h>
#include <shlobj.h>

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/Handles.h"
#include "settings/ProgramSettings.h"
#include "settings/Registry.h"
#include "text/StringIds.h"

namespace {

const char UNINSTALL_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// Room for a folder of MAX_PATH characters and a name as long again.
const int PATH_SIZE = 2 * MAX_PATH;

// folder, a backslash unless the folder is empty or already ends in one, the
// name and the suffix; false when that does not fit into PATH_SIZE.
bool JoinPath(char* out, const char* folder, const char* name, const char* suffix = "")
{
    const size_t folderLength = strlen(folder);
    const char* separator = (folderLength > 0 && folder[folderLength - 1] != '\\') ? "\\" : "";
    const int length = snprintf(out, PATH_SIZE, "%s%s%s%s", folder, separator, name, suffix);
    return length >= 0 && length < PATH_SIZE;
}

// The running executable's full path into path (MAX_PATH characters) and a
// pointer to its file name in it; null when the path has no backslash or was
// cut short.
const char* GetOwnPath(char* path)
{
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const char* slash = strrchr(path, '\\');
    return slash ? slash + 1 : nullptr;
}

// The user's temporary folder into folder (MAX_PATH + 1 characters).
bool GetTempFolder(char* folder)
{
    const DWORD length = GetTempPathA(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH;
}

// Path of the shortcut linkName.lnk in a shell special folder.
bool GetLinkPath(int csidl, const char* linkName, char* out)
{
    char folder[MAX_PATH];
    return GetSpecialFolderPath(csidl, folder) && JoinPath(out, folder, linkName, ".lnk");
}

// Only absolute paths without wildcards are handed to del and rmdir: a
// relative one would name something in the interpreter's current folder, and
// a wildcard (GetModuleFileNameA writes '?' for a letter outside the ANSI code
// page) would match other files. del given a folder would empty it.
bool IsRemovable(const char* path, bool folder)
{
    const bool drive = ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' && path[2] == '\\';
    const bool share = path[0] == '\\' && path[1] == '\\';
    if (!(drive || share) || strpbrk(path, "*?\""))
        return false;
    const DWORD attributes = GetFileAttributesA(path);
    return folder || attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY);
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
                RemoveDirectoryA(step.path);
            else if (step.kind == COPIED_FILE)
                DeleteFileA(step.path);
            else
                RegDeletePath(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, step.path);
        }
    }
    CInstallSteps(const CInstallSteps&) = delete;
    CInstallSteps& operator=(const CInstallSteps&) = delete;

    // True when the folder is there, made now or before.
    bool MakeFolder(const char* path)
    {
        if (CreateDirectoryA(path, nullptr))
            return Done(MADE_FOLDER, path);
        return GetLastError() == ERROR_ALREADY_EXISTS;
    }
    bool Copy(const char* from, const char* to)
    {
        const bool existed = Exists(to);
        return CopyFileA(from, to, FALSE) && (existed || Done(COPIED_FILE, to));
    }
    bool Link(const char* target, const char* linkPath)
    {
        const bool existed = Exists(linkPath);
        return CreateShortcut(target, linkPath, "") && (existed || Done(COPIED_FILE, linkPath));
    }
    // Marks the uninstall entry keyName for removal unless it was there before.
    bool Register(const char* keyName)
    {
        char key[sizeof UNINSTALL_KEY + PATH_SIZE];
        if (snprintf(key, sizeof key, "%s\\%s", UNINSTALL_KEY, keyName) >= static_cast<int>(sizeof key))
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
        char path[PATH_SIZE];
    };
    static bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
    bool Done(Kind kind, const char* path)
    {
        if (m_count >= MAX_STEPS)
            return false;
        m_steps[m_count].kind = kind;
        snprintf(m_steps[m_count].path, PATH_SIZE, "%s", path);
        m_count++;
        return true;
    }

    // A folder, a copy, two shortcuts and the entry.
    static const int MAX_STEPS = 5;
    Step m_steps[MAX_STEPS];
    int m_count;
    bool m_kept;
};

// A command for the command interpreter, run later in a process of its own,
// that removes the paths added to it. Each path goes between double quotes,
// where & ( ) ^ and spaces are plain text; /V:OFF keeps !...! plain too and
// /D leaves out the AutoRun commands. A % is expanded even between quotes (and
// some interpreters expand the result again), so a path holding one could name
// other files: such a file is deleted at once instead, which works whenever it
// is not the running program, and such a folder is left in place.
class CRemovalCommand
{
public:
    explicit CRemovalCommand(const char* command) : m_text(nullptr), m_length(0), m_items(0), m_complete(true)
    {
        Append(command);
    }
    ~CRemovalCommand() { free(m_text); }

    void AddItem(const char* path, bool folder)
    {
        if (!IsRemovable(path, folder))
            return;
        if (strchr(path, '%')) {
            if (!folder)
                DeleteFileA(path);
            return;
        }
        Append(" \"");
        Append(path);
        Append("\"");
        m_items++;
    }

    // Starts the command without a window at idle priority, so that it
    // normally runs after this process has ended; nothing waits for it.
    void Start()
    {
        if (!m_complete || m_items == 0)
            return;
        STARTUPINFOA startup;
        ZeroMemory(&startup, sizeof startup);
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        ZeroMemory(&process, sizeof process);
        // Started in the system folder, so that the folders it removes are
        // nobody's current folder.
        char systemFolder[MAX_PATH];
        const UINT folderLength = GetSystemDirectoryA(systemFolder, MAX_PATH);
        const bool inSystem = folderLength > 0 && folderLength < MAX_PATH;
        if (CreateProcessA(nullptr, m_text, nullptr, nullptr, FALSE, CREATE_NO_WINDOW | IDLE_PRIORITY_CLASS, nullptr,
                           inSystem ? systemFolder : nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
    }

private:
    void Append(const char* more)
    {
        const int length = static_cast<int>(strlen(more));
        if (AppendString(&m_text, m_length, more) == length)
            m_length += length;
        else
            m_complete = false;
    }

    char* m_text;
    int m_length;
    int m_items;
    bool m_complete;
};

}  // namespace

bool GetSpecialFolderPath(int csidl, char* out)
{
    if (!out)
        return false;
    out[0] = 0;
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items)
        return false;
    const bool resolved = SHGetPathFromIDListA(items, out) != FALSE;
    CComReference<IMalloc> allocator;
    if (SUCCEEDED(SHGetMalloc(reinterpret_cast<IMalloc**>(allocator.Out()))))
        allocator->Free(items);
    if (!resolved)
        out[0] = 0;
    return resolved;
}

bool CreateShortcut(const char* target, const char* linkPath, const char* description)
{
    if (!target || !linkPath || !description)
        return false;
    CComInitialisation com;
    CComReference<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out())))
        return false;
    // The target's folder; a drive keeps its backslash ("C:\") so that it names the root.
    char folder[PATH_SIZE];
    snprintf(folder, sizeof folder, "%s", target);
    if (char* slash = strrchr(folder, '\\'))
        slash[(slash > folder && slash[-1] == ':') ? 1 : 0] = 0;
    CComReference<IPersistFile> file;
    WCHAR widePath[MAX_PATH];
    return SUCCEEDED(link->SetPath(target)) && SUCCEEDED(link->SetDescription(description)) &&
           SUCCEEDED(link->SetWorkingDirectory(folder)) &&
           SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Out())) &&
           MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) > 0 &&
           SUCCEEDED(file->Save(widePath, TRUE));
}

int AppendString(char** text, int length, const char* more)
{
    if (!text || !more || !*more || length < 0)
        return 0;
    const size_t moreLength = strlen(more);
    if (moreLength >= static_cast<size_t>(INT_MAX - length))
        return 0;
    char* grown = static_cast<char*>(realloc(*text, length + moreLength + 1));
    if (!grown)
        return 0;
    memcpy(grown + length, more, moreLength + 1);
    *text = grown;
    return static_cast<int>(moreLength);
}

InstallResult InstallSelfAs(const char* folderName, const char* linkName)
{
    char ownPath[MAX_PATH];
    const char* exeName = GetOwnPath(ownPath);
    if (!exeName || !folderName || !*folderName || !linkName)
        return INSTALL_NOT_COPIED;

    // Into Program Files\folderName; when that fails (the folder is out of
    // reach, or this very file is running from there), into the temporary folder.
    CInstallSteps steps;
    char folder[MAX_PATH + 1], installFolder[PATH_SIZE], target[PATH_SIZE];
    bool copied = false;
    if (GetSpecialFolderPath(CSIDL_PROGRAM_FILES, folder) && JoinPath(installFolder, folder, folderName) &&
        steps.MakeFolder(installFolder))
        copied = JoinPath(target, installFolder, exeName) && steps.Copy(ownPath, target);
    if (!copied)
        copied = GetTempFolder(folder) && JoinPath(target, folder, exeName) && steps.Copy(ownPath, target);
    if (!copied)
        return INSTALL_NOT_COPIED;

    char linkPath[PATH_SIZE];
    const int linkFolders[] = {CSIDL_STARTUP, CSIDL_DESKTOP};
    for (int csidl : linkFolders) {
        if (!GetLinkPath(csidl, linkName, linkPath) || !steps.Link(target, linkPath))
            return INSTALL_NO_SHORTCUT;
    }

    char command[PATH_SIZE + 16];
    snprintf(command, sizeof command, "\"%s\" -uninstall", target);
    if (!steps.Register(folderName) ||
        !RegWriteString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, folderName, "DisplayName", linkName) ||
        !RegWriteString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, folderName, "UninstallString", command))
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

bool UninstallSelfAs(const char* folderName, const char* linkName, const CProgramSettings* settings,
                     CUninstallReport* report)
{
    char ownPath[MAX_PATH];
    const char* exeName = GetOwnPath(ownPath);
    if (!exeName || !folderName || !*folderName || !linkName) {
        if (report)
            report->Tell(false);
        return false;
    }

    // The registry first: only when the uninstall entry is gone are the files
    // worth removing.
    char key[sizeof UNINSTALL_KEY + MAX_PATH];
    const bool keyNamed = snprintf(key, sizeof key, "%s\\%s", UNINSTALL_KEY, folderName) < static_cast<int>(sizeof key);
    if (keyNamed) {
        RegDeletePath(HKEY_LOCAL_MACHINE, key, "DisplayName");
        RegDeletePath(HKEY_LOCAL_MACHINE, key, "UninstallString");
    }
    RegDeletePath(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, folderName);
    if (settings)
        settings->Remove();
    const bool removed = keyNamed && !RegKeyExists(HKEY_LOCAL_MACHINE, key);
    if (report)
        report->Tell(removed);
    if (!removed)
        return false;

    CRemovalCommand removeFiles("cmd /D /V:OFF /C del /Q");
    CRemovalCommand removeFolder("cmd /D /V:OFF /C rmdir /Q /S");
    char folder[MAX_PATH + 1], path[PATH_SIZE];
    if (GetSpecialFolderPath(CSIDL_PROGRAM_FILES, folder) && JoinPath(path, folder, folderName))
        removeFolder.AddItem(path, true);
    if (GetTempFolder(folder) && JoinPath(path, folder, exeName))
        removeFiles.AddItem(path, false);
    if (GetLinkPath(CSIDL_STARTUP, linkName, path))
        removeFiles.AddItem(path, false);
    if (GetLinkPath(CSIDL_DESKTOP, linkName, path))
        removeFiles.AddItem(path, false);
    removeFiles.Start();
    removeFolder.Start();
    return true;
}
