#pragma once

class CGadgetApplication;

// Copies the program into Program Files\Umbrant, adds Startup and Desktop
// shortcuts and registers the uninstall entry.
bool InstallSelf(CGadgetApplication* host);
// Removes what InstallSelf added, the settings and, later, the files.
bool UninstallSelf(CGadgetApplication* host);
