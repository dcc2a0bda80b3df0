// The names the program goes by: window class, install folder, settings key.
#pragma once

// The names this program goes by: its window class, the folder under Program
// Files and the uninstall key (the same name) and where its settings are kept,
// <maker>\<program> under Software of the user's registry (and, by earlier
// versions, of the machine's).

#define PROGRAM_TEXT "Umbrant"
#define MAKER_TEXT "Tavrelon"

// The host window's class, by which a second start finds the running
// gadget, and the install folder and uninstall key.
const wchar_t PROGRAM_NAME[] = L"" PROGRAM_TEXT;
const wchar_t SETTINGS_PARENT[] = L"Software";
const wchar_t SETTINGS_PATH[] = L"" MAKER_TEXT "\\" PROGRAM_TEXT;
// Held by the gadget that runs in this user session; a second start finds it.
const wchar_t RUNNING_GADGET_MUTEX[] = L"Local\\" PROGRAM_TEXT " gadget";
