// Tests of the host's buttons.
#include "gadget/GadgetButton.h"

#include <gtest/gtest.h>

#include "text/Strings.h"

namespace {

// Remembers the commands that reach it.
class CommandRecorder : public CCommandTarget
{
public:
    void OnCommand(int command) override
    {
        m_calls++;
        m_command = command;
    }
    int m_calls = 0, m_command = 0;
};

// A 16 x 16 button 8 pixels left of and 7 below the top-right corner of the
// frame of a 262 x 262 window with a 6 pixel band.
const RECT FRAME = {6, 6, 256, 256};
const ButtonStyle STYLE = {7, L"ButtonClose", -8, 7, 16, 0};

}  // namespace

TEST(GadgetButton, StandsByTheFramesTopRightCorner)
{
    CommandRecorder owner;
    CGadgetButton button(nullptr, FRAME, STYLE, &owner, LANGUAGE_ENGLISH);
    const struct
    {
        RECT frame, expected;
    } rows[] = {
        {FRAME, {232, 13, 248, 29}}, {{6, 6, 456, 456}, {432, 13, 448, 29}}, {{12, 12, 500, 500}, {476, 19, 492, 35}}};
    for (const auto& row : rows) {
        button.SetFrame(row.frame);
        RECT rect = button.Rect();
        EXPECT_TRUE(EqualRect(&rect, &row.expected)) << "frame right " << row.frame.right << ": (" << rect.left << ", "
                                                     << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
    }
}

// A click is a press and a release both over the button (its right and
// bottom edges outside); the moves before it may be missed (the window was
// hidden while the mouse came), and a strip that is missing leaves the
// button reacting all the same.
TEST(GadgetButton, ClickIsPressAndReleaseBothOver)
{
    const struct
    {
        const char* what;
        const wchar_t* resource;
        POINT move, down, up;
        bool clicks;
    } rows[] = {
        {"press and release over it", L"ButtonClose", {240, 20}, {240, 20}, {240, 20}, true},
        {"on its last pixels", L"ButtonClose", {247, 28}, {247, 28}, {247, 28}, true},
        {"on its right edge", L"ButtonClose", {248, 28}, {248, 28}, {248, 28}, false},
        {"on its bottom edge", L"ButtonClose", {247, 29}, {247, 29}, {247, 29}, false},
        {"released elsewhere", L"ButtonClose", {240, 20}, {240, 20}, {100, 100}, false},
        {"pressed elsewhere", L"ButtonClose", {100, 100}, {100, 100}, {240, 20}, false},
        {"with no move before", L"ButtonClose", {100, 100}, {240, 20}, {240, 20}, true},
        {"without its strip", L"NoSuchBitmap", {240, 20}, {240, 20}, {240, 20}, true},
    };
    HDC screen = GetDC(nullptr);
    for (const auto& row : rows) {
        CommandRecorder owner;
        ButtonStyle style = STYLE;
        style.resourceName = row.resource;
        CGadgetButton button(nullptr, FRAME, style, &owner, LANGUAGE_ENGLISH);
        button.HandleMouse(MOUSE_MOVE, row.move.x, row.move.y);
        button.HandleMouse(MOUSE_DOWN, row.down.x, row.down.y);
        button.Draw(screen);
        EXPECT_EQ(button.HandleMouse(MOUSE_UP, row.up.x, row.up.y), row.clicks) << row.what;
        EXPECT_EQ(owner.m_calls, row.clicks ? 1 : 0) << row.what;
        EXPECT_EQ(owner.m_command, row.clicks ? 7 : 0) << row.what;
    }
    ReleaseDC(nullptr, screen);
}

// Only a change of its look asks for a frame.
TEST(GadgetButton, HoverChangesAskForAFrame)
{
    CommandRecorder owner;
    CGadgetButton button(nullptr, FRAME, STYLE, &owner, LANGUAGE_ENGLISH);
    const struct
    {
        int x, y;
        bool changed, hovered;
    } moves[] = {{240, 20, true, true}, {241, 20, false, true}, {300, 300, true, false}, {310, 300, false, false}};
    for (const auto& move : moves) {
        EXPECT_EQ(button.HandleMouse(MOUSE_MOVE, move.x, move.y), move.changed) << "at " << move.x << ", " << move.y;
        EXPECT_EQ(button.Hovered(), move.hovered) << "at " << move.x << ", " << move.y;
    }
}
