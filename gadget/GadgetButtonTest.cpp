// Tests of the host's buttons.
#include "gadget/GadgetButton.h"

#include <gtest/gtest.h>

#include <memory>

#include "gadget/Gadget.h"
#include "settings/Strings.h"

namespace {

// Remembers the commands that reach it.
class CommandRecorder : public CCommandTarget
{
public:
    bool OnCommand(int command, int param, bool checked) override
    {
        m_calls++;
        m_command = command;
        m_param = param;
        m_checked = checked;
        return true;
    }
    int m_calls = 0, m_command = 0, m_param = 0;
    bool m_checked = false;
};

// A 16 x 16 button in the frame of a 262 x 262 window with a 6 pixel band.
struct ButtonSetup
{
    const char* resource = "ButtonClose";
    int alignX = 1, alignY = -1, x = -8, y = 7, w = 16, h = 16;
    bool radio = false, toggle = false;
};

std::unique_ptr<CGadgetButton> MakeButton(const ButtonSetup& setup, CCommandTarget* owner)
{
    return std::make_unique<CGadgetButton>(nullptr, 6, 6, 256, 256, CMD_CLOSE, 7, setup.resource, setup.alignX,
                                           setup.alignY, setup.x, setup.y, setup.w, setup.h, true, setup.radio,
                                           setup.toggle, false, nullptr, 0, false, owner, LANGUAGE_ENGLISH);
}

void ExpectRect(const CGadgetButton& button, int left, int top, int right, int bottom)
{
    int l, t, r, b;
    button.GetRect(&l, &t, &r, &b);
    EXPECT_EQ(l, left);
    EXPECT_EQ(t, top);
    EXPECT_EQ(r, right);
    EXPECT_EQ(b, bottom);
}

void Click(CGadgetButton& button, int x, int y)
{
    button.HandleMouse(MOUSE_MOVE, x, y);
    button.HandleMouse(MOUSE_DOWN, x, y);
    button.HandleMouse(MOUSE_UP, x, y);
}

}  // namespace

TEST(GadgetButton, PlacedByAnchorAndOffset)
{
    CommandRecorder owner;
    ButtonSetup close;
    std::unique_ptr<CGadgetButton> closeButton = MakeButton(close, &owner);
    ExpectRect(*closeButton, 232, 13, 248, 29);

    ButtonSetup centred;
    centred.alignX = 0;
    centred.alignY = 1;
    centred.x = 3;
    centred.y = -2;
    std::unique_ptr<CGadgetButton> centredButton = MakeButton(centred, &owner);
    ExpectRect(*centredButton, 126, 238, 142, 254);

    closeButton->SetFrame(6, 6, 456, 456);
    ExpectRect(*closeButton, 432, 13, 448, 29);
}

TEST(GadgetButton, ZeroSizeTakesTheWholeStrip)
{
    CommandRecorder owner;
    ButtonSetup setup;
    setup.resource = "ButtonSettings";
    setup.w = setup.h = 0;
    std::unique_ptr<CGadgetButton> button = MakeButton(setup, &owner);
    EXPECT_EQ(button->m_w, 64);
    EXPECT_EQ(button->m_h, 16);
}

TEST(GadgetButton, RightAndBottomEdgesAreOutside)
{
    CommandRecorder owner;
    std::unique_ptr<CGadgetButton> button = MakeButton(ButtonSetup(), &owner);
    EXPECT_TRUE(button->HandleMouse(MOUSE_MOVE, 247, 28));
    EXPECT_TRUE(button->m_hover);
    EXPECT_TRUE(button->HandleMouse(MOUSE_MOVE, 248, 28));
    EXPECT_FALSE(button->m_hover);
    button->HandleMouse(MOUSE_MOVE, 247, 29);
    EXPECT_FALSE(button->m_hover);
    EXPECT_FALSE(button->HandleMouse(MOUSE_MOVE, 300, 300)) << "no change, no redraw";
}

TEST(GadgetButton, ClickIsPressAndReleaseBothOver)
{
    CommandRecorder owner;
    std::unique_ptr<CGadgetButton> button = MakeButton(ButtonSetup(), &owner);
    button->HandleMouse(MOUSE_MOVE, 240, 20);
    EXPECT_TRUE(button->HandleMouse(MOUSE_DOWN, 240, 20));
    button->HandleMouse(MOUSE_MOVE, 100, 100);
    EXPECT_FALSE(button->HandleMouse(MOUSE_UP, 100, 100));
    EXPECT_FALSE(button->m_pressed);
    EXPECT_EQ(owner.m_calls, 0);
    EXPECT_FALSE(button->TakeClicked());

    Click(*button, 240, 20);
    EXPECT_EQ(owner.m_calls, 1);
    EXPECT_EQ(owner.m_command, CMD_CLOSE);
    EXPECT_EQ(owner.m_param, 7);
    EXPECT_TRUE(button->TakeClicked());
    EXPECT_FALSE(button->TakeClicked());

    // A press that started elsewhere does not click on release over it.
    button->HandleMouse(MOUSE_MOVE, 100, 100);
    EXPECT_FALSE(button->HandleMouse(MOUSE_DOWN, 100, 100));
    button->HandleMouse(MOUSE_MOVE, 240, 20);
    EXPECT_FALSE(button->HandleMouse(MOUSE_UP, 240, 20));
    EXPECT_EQ(owner.m_calls, 1);

    // The moves before a click can be missed (the window was hidden while
    // the mouse came): press and release over the button still click.
    button = MakeButton(ButtonSetup(), &owner);
    button->HandleMouse(MOUSE_DOWN, 240, 20);
    button->HandleMouse(MOUSE_UP, 240, 20);
    EXPECT_EQ(owner.m_calls, 2);
}

TEST(GadgetButton, ToggleInvertsRadioSets)
{
    CommandRecorder owner;
    ButtonSetup toggle;
    toggle.toggle = true;
    std::unique_ptr<CGadgetButton> toggleButton = MakeButton(toggle, &owner);
    Click(*toggleButton, 240, 20);
    EXPECT_TRUE(toggleButton->IsChecked());
    EXPECT_TRUE(owner.m_checked);
    Click(*toggleButton, 240, 20);
    EXPECT_FALSE(toggleButton->IsChecked());

    ButtonSetup radio;
    radio.radio = true;
    std::unique_ptr<CGadgetButton> radioButton = MakeButton(radio, &owner);
    Click(*radioButton, 240, 20);
    Click(*radioButton, 240, 20);
    EXPECT_TRUE(radioButton->IsChecked());

    radioButton->SetVisible(false);
    EXPECT_FALSE(radioButton->HandleMouse(MOUSE_MOVE, 240, 20));
    EXPECT_FALSE(radioButton->Draw(nullptr));
}

TEST(GadgetButton, WithoutItsBitmapStillReacts)
{
    CommandRecorder owner;
    ButtonSetup setup;
    setup.resource = "NoSuchBitmap";
    std::unique_ptr<CGadgetButton> button = MakeButton(setup, &owner);
    EXPECT_EQ(button->m_bitmap, nullptr);
    HDC screen = GetDC(nullptr);
    EXPECT_TRUE(button->Draw(screen));
    ReleaseDC(nullptr, screen);
    Click(*button, 240, 20);
    EXPECT_EQ(owner.m_calls, 1);
}

TEST(GadgetButton, MessagesMapToMouseEvents)
{
    CommandRecorder owner;
    std::unique_ptr<CGadgetButton> button = MakeButton(ButtonSetup(), &owner);
    bool redraw = false;
    EXPECT_TRUE(button->HandleMessage(WM_MOUSEMOVE, MAKELPARAM(240, 20), &redraw));
    EXPECT_TRUE(redraw);
    button->HandleMessage(WM_LBUTTONDOWN, MAKELPARAM(240, 20), nullptr);
    button->HandleMessage(WM_LBUTTONUP, MAKELPARAM(240, 20), nullptr);
    EXPECT_EQ(owner.m_calls, 1);
    redraw = false;
    EXPECT_FALSE(button->HandleMessage(WM_RBUTTONDOWN, MAKELPARAM(240, 20), &redraw));
    EXPECT_FALSE(redraw);
}
