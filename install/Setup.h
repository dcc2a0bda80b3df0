#pragma once

class CGadgetApplication;

// Copies the program into Program Files\Umbrant, adds Startup and Desktop
// shortcuts and registers the uninstall entry. False only when the program's
// own path cannot be told.
bool InstallSelf(CGadgetApplication* host);
// Removes what InstallSelf added and the settings, tells the user whether
// the product was removed, then starts the removal of the files. True when
// the uninstall entry is gone.
bool UninstallSelf(CGadgetApplication* host);

// The same with the names spelt out: folderName names the folder under
// Program Files and the uninstall key, linkName the shortcuts and the
// uninstall entry's display name (the host passes its class name and title).
bool InstallSelfAs(const char* folderName, const char* linkName);
// report, when given, hears whether the uninstall entry is gone before any
// file removal starts; the files go only when it is.
bool UninstallSelfAs(const char* folderName, const char* linkName, void (*report)(bool removed) = nullptr);

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
