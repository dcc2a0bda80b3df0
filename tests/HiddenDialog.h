// Test support: dialogs from the program's templates that are never shown.
#pragma once

#include <windows.h>

#include <vector>

#include "text/Strings.h"

// Test support: a modeless dialog from one of the program's templates that is
// never shown (hiding a shown window costs seconds under a virtual display).
inline HWND CreateHiddenDialog(const wchar_t* templateName, DLGPROC procedure, LPARAM parameter)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, templateName, DIALOG_RESOURCE_TYPE);
    if (!resource)
        return nullptr;
    const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    std::vector<BYTE> copy(bytes, bytes + SizeofResource(module, resource));
    reinterpret_cast<DLGTEMPLATE*>(copy.data())->style &= ~WS_VISIBLE;
    return CreateDialogIndirectParamW(module, reinterpret_cast<DLGTEMPLATE*>(copy.data()), nullptr, procedure,
                                      parameter);
}

// The cursor a control of a dialog sets when the mouse moves over it.
inline HCURSOR CursorOver(HWND control)
{
    SetCursor(nullptr);
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}
