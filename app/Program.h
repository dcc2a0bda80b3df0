// The names the program goes by: window class, install folder, settings key.
#pragma once

// The names this program goes by: its window class (also the folder under
// Program Files and the uninstall key) and where its settings are kept,
// <maker>\<program> under Software of the user's registry (and, by earlier
// versions, of the machine's).

#define PROGRAM_TEXT "Umbrant"
#define MAKER_TEXT "Tavrelon"

const char PROGRAM_NAME[] = PROGRAM_TEXT;
// The host window's class, by which a second start finds the running gadget.
const wchar_t WINDOW_CLASS_NAME[] = L"" PROGRAM_TEXT;
const char SETTINGS_PARENT[] = "Software";
const char SETTINGS_PATH[] = MAKER_TEXT "\\" PROGRAM_TEXT;
// Held by the gadget that runs in this user session; a second start finds it.
const wchar_t RUNNING_GADGET_MUTEX[] = L"Local\\" PROGRAM_TEXT " gadget";
