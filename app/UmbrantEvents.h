// The program's event sink for the host: window menu items and the About command.
#pragma once

#include "gadget/Gadget.h"

class CUmbrantEvents : public CGadgetEvents
{
public:
    bool OnCommand(int command, int param, bool checked) override;
    bool OnNotify(int command, int param, const char* target) override;
    // The program's window menu items take the language's texts.
    bool OnLanguageChanged(int language) override;
    void OnWindowCommand(HWND window, int id, HWND control) override;
    // Puts the home page and About items, and a separator, above the host's
    // own items of the window menu.
    void OnWindowCreated(HWND window) override;

    // The host, for the language in force; set once the host is made.
    CGadgetHost* m_host = nullptr;

private:
    int Language() const;
    // Gives the window menu's home page and About items the language's texts.
    void LabelMenu(int language) const;

    HWND m_window = nullptr;
};
