// Installing and uninstalling the program under the names it is given.
#pragma once

// Hears whether the uninstall entry is gone, before any file removal starts.
class CUninstallReport
{
public:
    virtual void Tell(bool removed) = 0;
    virtual ~CUninstallReport() { }
};

// Copies the program into Program Files\<folderName>, adds Startup and
// Desktop shortcuts named linkName and registers the uninstall entry (key
// folderName, display name linkName). False only when the program's own path
// cannot be told.
bool InstallSelfAs(const char* folderName, const char* linkName);
// Removes what InstallSelfAs added and the settings key settingsKey under
// HKEY_LOCAL_MACHINE (not the key above it); report, when given, hears
// whether the uninstall entry is gone, and only then do the files go. True
// when the entry is gone.
bool UninstallSelfAs(const char* folderName, const char* linkName, const char* settingsKey,
                     CUninstallReport* report = nullptr);

// The file-system path of a shell special folder (CSIDL_...) into out, which
// holds MAX_PATH characters; out is empty and the result false when the shell
// cannot tell it.
bool GetSpecialFolderPath(int csidl, char* out);

// Saves a shell link at linkPath that starts target in target's folder.
// False only for a null argument; a link the shell cannot save is skipped.
bool CreateShortcut(const char* target, const char* linkPath, const char* description);

// Appends more to the heap text *text of the given length, growing the block;
// returns the number of characters appended, 0 (and no change) when more is
// empty or memory runs out. The caller releases *text with free().
int AppendString(char** text, int length, const char* more);
