// The program's event sink for the host: window menu items, the About command,
// the language in force and the window's kept place.
#pragma once

#include "gadget/Gadget.h"
#include "settings/ProgramSettings.h"

class CUmbrantEvents : public CGadgetEvents
{
public:
    // Keeps the language and the window's place in settings, which outlives it.
    explicit CUmbrantEvents(CProgramSettings* settings) : m_settings(settings) { }
    // The language in force, the program's settings'.
    int Language() const override;
    // Keeps the new language; the program's window menu items take its texts.
    bool OnLanguageChanged(int language) override;
    // Keeps the window's place (a drag's end, the window gone, a logoff) and
    // saves the settings.
    void OnPlaceChanged(int left, int top) override;
    void OnWindowCommand(HWND window, int id, HWND control) override;
    // Puts the home page and About items, and a separator, above the host's
    // own items of the window menu.
    void OnWindowCreated(HWND window) override;

private:
    // Gives the window menu's home page and About items the language's texts.
    void LabelMenu(int language) const;

    CProgramSettings* m_settings;
    HWND m_window = nullptr;
};
