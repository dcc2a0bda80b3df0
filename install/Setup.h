// Installing and uninstalling the program under the names it is given.
#pragma once

#include <windows.h>

class CProgramSettings;

// What an uninstall achieved: the uninstall entry is gone (and the files
// go), or it stays.
enum class UninstallResult
{
    REMOVED,
    NOT_REMOVED
};

// Hears whether the uninstall entry is gone, before any file removal starts.
class CUninstallReport
{
public:
    virtual void Tell(UninstallResult result) = 0;
    virtual ~CUninstallReport() { }
};

// What an install achieved: INSTALLED, or the step that failed.
enum InstallResult
{
    INSTALLED,
    INSTALL_NOT_COPIED,      // no copy of the program could be made
    INSTALL_NO_SHORTCUT,     // a Startup or Desktop shortcut could not be saved
    INSTALL_NOT_REGISTERED,  // the uninstall entry could not be written
};

// Copies the program into Program Files\<folderName> (else into the
// temporary folder), adds Startup and Desktop shortcuts named linkName and
// registers the uninstall entry (key folderName, display name linkName).
// When a step fails, what this call added is taken away again, so that no
// shortcut or entry names a copy that is not there.
InstallResult InstallSelfAs(const wchar_t* folderName, const wchar_t* linkName);
// The string id (text/StringIds.h) that tells the user what failed in
// an install that gave result; 0 for INSTALLED.
int InstallFailureText(InstallResult result);
// Removes what InstallSelfAs added and the program's settings, when given
// (the user's and the machine's keys); report, when given, hears whether the
// uninstall entry is gone, and only then do the files go: by commands that
// remove nothing before removalGate, the reading end of a pipe, ends (every
// writing end is closed). Without a gate given, they wait until this process
// has ended, so that its own file is free to go. True when the entry is gone.
bool UninstallSelfAs(const wchar_t* folderName, const wchar_t* linkName, const CProgramSettings* settings,
                     CUninstallReport* report = nullptr, HANDLE removalGate = nullptr);

// The file-system path of a shell special folder (CSIDL_...) into out, which
// holds MAX_PATH characters; out is empty and the result false when the shell
// cannot tell it.
bool GetSpecialFolderPath(int csidl, wchar_t* out);

// Saves a shell link at linkPath that starts target in target's folder.
// True when the link was saved.
bool CreateShortcut(const wchar_t* target, const wchar_t* linkPath, const wchar_t* description);

// Appends more to the heap text *text of the given length, growing the block;
// returns the number of characters appended, 0 (and no change) when more is
// empty or memory runs out. The caller releases *text with free().
int AppendString(wchar_t** text, int length, const wchar_t* more);
