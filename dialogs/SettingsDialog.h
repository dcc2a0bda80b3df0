// The Settings dialog: edits a copy of the dial's settings and reports each change.
#pragma once

#include <windows.h>

#include "dialogs/PlaceBox.h"
#include "settings/ProgramSettings.h"

// Hears every change the Settings dialog makes, as it is made, so that the
// dial follows the track bars and check boxes while they move.
class CSettingsListener
{
public:
    // All the dial's settings as they now are.
    virtual void OnSettingsChanged(const DialSettings& settings) = 0;

protected:
    ~CSettingsListener() { }
};

// What the dialog is opened with: its creation parameter.
struct SettingsDialogState
{
    SettingsDialogState(const DialSettings& dialSettings, int shownLanguage, CSettingsListener* changeListener)
        : settings(dialSettings), language(shownLanguage), listener(changeListener)
    { }

    DialSettings settings;  // the copy the dialog edits
    // The language in force, which the dialog speaks and offers; the one
    // chosen when the dialog is left with Close (Esc keeps the old one).
    int language;
    CSettingsListener* listener;  // never null
    CPlaceBox placeBox;           // the dialog's place box, while it is open
};

// Dialog procedure; the creation parameter is a SettingsDialogState that
// outlives the dialog. About asks the dialog's owner window for WM_COMMAND
// IDC_ABOUT, with the dialog's About button as the control.
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Writes the date and the wall-clock time of a simulated day of the current
// year (0 = 1 January) and time of day in local standard time into two
// fields of the dialog; the end of a day is 24:00 of that day.
void ShowSimulatedDateTime(HWND dialog, int dateFieldId, int timeFieldId, int day, int timeOfDay);
