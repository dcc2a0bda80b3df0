// The place table as a resource of the executable.
#include "platform/BuiltInData.h"

#include <windows.h>

DataBytes BuiltInPlaceTable()
{
    // A module's resources stay loaded while it is: nothing to free. The
    // type is a number, which RT_RCDATA gives as a narrow pointer.
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC resource =
        FindResourceW(module, MAKEINTRESOURCEW(PLACE_TABLE_RESOURCE), reinterpret_cast<LPCWSTR>(RT_RCDATA));
    const HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {nullptr, 0};
    return {static_cast<const unsigned char*>(bytes), SizeofResource(module, resource)};
}
