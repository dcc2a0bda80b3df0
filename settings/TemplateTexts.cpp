#include "settings/TemplateTexts.h"

#include <cstdint>

namespace {

// A template field that is either a 0xFFFF-marked ordinal or a terminated
// Unicode string; returns the string (null for an ordinal or a string that
// runs past the end) and steps past it.
const WCHAR* ReadNameOrOrdinal(const WORD*& cursor, const WORD* end)
{
    if (cursor < end && *cursor == 0xFFFF) {
        cursor += 2;
        return nullptr;
    }
    const WCHAR* name = reinterpret_cast<const WCHAR*>(cursor);
    while (cursor < end && *cursor)
        ++cursor;
    if (cursor >= end)
        return nullptr;
    ++cursor;
    return name;
}

bool HasNonAscii(const WCHAR* text)
{
    for (; text && *text; ++text)
        if (*text > 0x7F)
            return true;
    return false;
}

void ShowText(HWND window, const WCHAR* text)
{
    if (window && HasNonAscii(text))
        SetWindowTextW(window, text);
}

const WORD* AlignToDword(const WORD* cursor, const void* start)
{
    uintptr_t offset = reinterpret_cast<uintptr_t>(cursor) - reinterpret_cast<uintptr_t>(start);
    return cursor + ((offset & 3) ? 1 : 0);
}

}  // namespace

void ShowTemplateTexts(HWND dialog, const char* templateName)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, templateName, MAKEINTRESOURCEA(5));  // RT_DIALOG
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const DLGTEMPLATE* header = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
    DWORD size = resource ? SizeofResource(module, resource) : 0;
    // Extended templates start with version 1 and 0xFFFF; they are not used here.
    if (!header || size < sizeof(DLGTEMPLATE) || (header->style & 0xFFFF0000u) == 0xFFFF0000u)
        return;
    const WORD* end = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(header) + size);
    const WORD* cursor = reinterpret_cast<const WORD*>(header + 1);
    ReadNameOrOrdinal(cursor, end);  // menu
    ReadNameOrOrdinal(cursor, end);  // class
    ShowText(dialog, ReadNameOrOrdinal(cursor, end));
    if (header->style & DS_SETFONT) {
        ++cursor;  // point size
        ReadNameOrOrdinal(cursor, end);
    }

    HWND control = GetWindow(dialog, GW_CHILD);
    for (int item = 0; item < header->cdit && control; ++item) {
        cursor = AlignToDword(cursor, header) + sizeof(DLGITEMTEMPLATE) / sizeof(WORD);
        if (cursor >= end)
            return;
        ReadNameOrOrdinal(cursor, end);  // class
        const WCHAR* text = ReadNameOrOrdinal(cursor, end);
        if (cursor >= end)
            return;
        // Creation data: its size in bytes, the size word included, or 0.
        WORD extraBytes = *cursor;
        cursor += extraBytes ? (extraBytes + 1) / 2 : 1;
        ShowText(control, text);
        control = GetWindow(control, GW_HWNDNEXT);
    }
}
