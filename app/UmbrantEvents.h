// The program's event sink for the host: window menu items, the About command, the language and the kept place.
#pragma once

#include "gadget/Gadget.h"

class CUmbrantEvents : public CGadgetEvents
{
public:
    explicit CUmbrantEvents(int language) : m_language(language) { }
    int Language() const override { return m_language; }
    // The program's window menu items take the language's texts.
    bool OnLanguageChanged(int language) override;
    // Kept as WindowLeft and WindowTop with the settings.
    void OnPlaceChanged(int left, int top) override;
    void OnWindowCommand(HWND window, int id, HWND control) override;
    // Puts the home page and About items, and a separator, above the host's
    // own items of the window menu.
    void OnWindowCreated(HWND window) override;

private:
    // Gives the window menu's home page and About items the language's texts.
    void LabelMenu(int language) const;

    int m_language;
    HWND m_window = nullptr;
};
