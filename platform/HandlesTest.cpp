// Tests of the handle guards: what counts as no handle, and a handle given away.
#include "platform/Handles.h"

#include <gtest/gtest.h>

// A file that cannot be opened gives INVALID_HANDLE_VALUE, not null: the
// guard holds no handle, so that a check of Get() sees the failure.
TEST(Handles, AFailedOpenHoldsNoHandle)
{
    const CKernelHandle file(
        CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_EQ(file.Get(), nullptr);
}

// An object given away outlives its guard.
TEST(Handles, AGivenAwayObjectOutlivesItsGuard)
{
    const COLORREF colour = RGB(1, 2, 3);
    HBRUSH brush = nullptr;
    {
        CGdiObject<HBRUSH> guard(CreateSolidBrush(colour));
        brush = guard.Detach();
        EXPECT_EQ(guard.Get(), nullptr);
    }
    LOGBRUSH kept = {};
    EXPECT_EQ(GetObjectW(brush, sizeof kept, &kept), static_cast<int>(sizeof kept)) << "the guard deleted it";
    EXPECT_EQ(kept.lbColor, colour);
    DeleteObject(brush);
}
