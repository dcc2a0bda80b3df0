// The names the program goes by: window class, install folder, settings key.
#pragma once

// The names this program goes by: its window class (also the folder under
// Program Files and the uninstall key) and where its settings are kept,
// HKEY_LOCAL_MACHINE\SOFTWARE\<maker>\<program>.

#define PROGRAM_TEXT "Umbrant"
#define MAKER_TEXT "Tavrelon"

const char PROGRAM_NAME[] = PROGRAM_TEXT;
const char MAKER_NAME[] = MAKER_TEXT;
const char MAKER_KEY[] = "SOFTWARE\\" MAKER_TEXT;
const char SETTINGS_KEY[] = "SOFTWARE\\" MAKER_TEXT "\\" PROGRAM_TEXT;
// Held by the gadget that runs in this user session; a second start finds it.
const char RUNNING_GADGET_MUTEX[] = "Local\\" PROGRAM_TEXT " gadget";
