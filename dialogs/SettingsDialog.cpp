// The Settings dialog: edits a copy of the dial's settings and reports each change.
#include "dialogs/SettingsDialog.h"

#include "common/Calendar.h"
#include "common/Saturate.h"
#include "gadget/Gadget.h"
#include "text/DateTimeText.h"
#include "text/DialogIds.h"
#include "dialogs/LinkControl.h"
#include "text/NumberFormat.h"
#include "settings/StoredValues.h"
#include "text/Strings.h"

#include <commctrl.h>
#include <math.h>
#include <string.h>

namespace {

// Ends of the latitude and longitude track bars.
const int LATITUDE_DEGREES = 90;
const int LONGITUDE_DEGREES = 180;

// Fraction digits a degree box shows: a hundredth of a degree is a few
// seconds of the sun's time.
const int DEGREE_FRACTION_DIGITS = 2;
// Steps of that precision in a degree.
const float HUNDREDTHS = 100.0f;
// Characters a degree box takes: "-179.75" with room for spaces around it.
const int TYPED_DEGREES_MAX = 24;
// Room for the simulated date or time, "2026-03-29" or "12:00:00".
const int MOMENT_TEXT_SIZE = 32;

// A place coordinate: its track bar, the box of its number, its range and
// the setting that holds it.
struct Coordinate
{
    int barId;
    int textId;
    int limit;
    int tickEvery;  // degrees
    float DialSettings::*setting;
    int refusedStringId;  // what the box says of text it does not take
};
const Coordinate COORDINATES[] = {
    {IDC_LATITUDE, IDC_LATITUDE_TEXT, LATITUDE_DEGREES, 15, &DialSettings::latitude, IDS_LATITUDE_REFUSED},
    {IDC_LONGITUDE, IDC_LONGITUDE_TEXT, LONGITUDE_DEGREES, 30, &DialSettings::longitude, IDS_LONGITUDE_REFUSED},
};

SettingsDialogState* DialogState(HWND dialog)
{
    return reinterpret_cast<SettingsDialogState*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

// The copy changed: the dial follows at once.
void Report(const SettingsDialogState* state)
{
    state->listener->OnSettingsChanged(state->settings);
}

// The controls that only a check box enables.
const int SIMULATED_CONTROLS[] = {IDC_DAY, IDC_TIME, IDC_DATE_TEXT, IDC_TIME_TEXT};
const int LONGITUDE_CONTROLS[] = {IDC_LONGITUDE, IDC_LONGITUDE_TEXT};

template <size_t COUNT> void EnableControls(HWND dialog, const int (&ids)[COUNT], bool enable)
{
    for (int id : ids)
        EnableWindow(GetDlgItem(dialog, id), enable);
}

// An angle in the nearest whole degrees, held to -limit ... limit; a stored
// value out of range (or not a number) must not reach the float-to-int
// conversion.
int NearestDegrees(float angle, int limit)
{
    return SaturateToInt(floor(angle + 0.5), -limit, limit);
}

// The text a degree box shows for angle: held to -limit ... limit (0 for
// what is not a finite number), at most two fraction digits without trailing zeros, the
// user's decimal comma if he uses one (any other separator shows as the
// point, which a typed number may have too).
void FormatDegrees(float angle, int limit, wchar_t (&text)[TYPED_DEGREES_MAX + 1])
{
    float shown = AngleInRange(angle, static_cast<float>(limit), 0.0f);
    // Rounded first, so that a value just short of zero is "0", not "-0".
    shown = roundf(shown * HUNDREDTHS) / HUNDREDTHS;
    char digits[FORMAT_DECIMAL_MAX];
    FormatDecimal(shown, DEGREE_FRACTION_DIGITS, UserDecimalSign(), digits);
    WidenAscii(digits, text, TYPED_DEGREES_MAX + 1);
}

// The value a degree box showed before typing began, kept in the box's own
// user data (a float's bits), so that refused text can give it back.
void KeepShownValue(HWND box, float value)
{
    unsigned bits;
    memcpy(&bits, &value, sizeof bits);
    SetWindowLongPtrW(box, GWLP_USERDATA, static_cast<LONG_PTR>(bits));
}

float ShownValue(HWND box)
{
    unsigned bits = static_cast<unsigned>(GetWindowLongPtrW(box, GWLP_USERDATA));
    float value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

// Shows the coordinate's setting in its box.
void ShowDegrees(HWND dialog, const SettingsDialogState* state, const Coordinate& coordinate)
{
    const float degrees = state->settings.*coordinate.setting;
    wchar_t text[TYPED_DEGREES_MAX + 1];
    FormatDegrees(degrees, coordinate.limit, text);
    KeepShownValue(GetDlgItem(dialog, coordinate.textId), degrees);
    SetDlgItemTextW(dialog, coordinate.textId, text);
}

// Whether the box holds text that is neither what it showed nor a number in
// range; degrees gets the number typed, or the value shown.
bool TypedDegrees(HWND dialog, const Coordinate& coordinate, float* degrees)
{
    wchar_t typed[TYPED_DEGREES_MAX + 1] = L"";
    wchar_t shown[TYPED_DEGREES_MAX + 1];
    GetDlgItemTextW(dialog, coordinate.textId, typed, TYPED_DEGREES_MAX + 1);
    FormatDegrees(ShownValue(GetDlgItem(dialog, coordinate.textId)), coordinate.limit, shown);
    *degrees = ShownValue(GetDlgItem(dialog, coordinate.textId));
    return lstrcmpW(typed, shown) && !ParseTypedDecimal(typed, static_cast<float>(coordinate.limit), degrees);
}

// A coordinate set by hand is no longer the place chosen by name.
void ForgetPlace(SettingsDialogState* state)
{
    state->settings.placeName[0] = L'\0';
    state->placeBox.ShowName(L"");
}

// A place chosen in the place box: its coordinates in the boxes and on the
// track bars, and the exact sun, which alone uses the longitude.
void OnPlaceChosen(HWND dialog, SettingsDialogState* state)
{
    DialSettings& settings = state->settings;
    SetDialPlace(state->placeBox.Chosen(), &settings);
    state->placeBox.ShowName(settings.placeName);
    for (const Coordinate& coordinate : COORDINATES) {
        SendDlgItemMessageW(dialog, coordinate.barId, TBM_SETPOS, TRUE,
                            NearestDegrees(settings.*coordinate.setting, coordinate.limit));
        ShowDegrees(dialog, state, coordinate);
    }
    settings.exactSun = true;
    CheckDlgButton(dialog, IDC_EXACT_SUN, BST_CHECKED);
    EnableControls(dialog, LONGITUDE_CONTROLS, true);
    Report(state);
}

// A change of a degree box's text: a number in range is in force at once
// and moves the track bar, leaving the text as typed; any other text puts
// the value the box showed before the typing back in force, so that no
// refused text leaves a part of itself (the "10" of "100") behind.
void OnDegreesTyped(HWND dialog, SettingsDialogState* state, const Coordinate& coordinate)
{
    float degrees;
    TypedDegrees(dialog, coordinate, &degrees);
    if (degrees == state->settings.*coordinate.setting)
        return;
    state->settings.*coordinate.setting = degrees;
    SendDlgItemMessageW(dialog, coordinate.barId, TBM_SETPOS, TRUE, NearestDegrees(degrees, coordinate.limit));
    ForgetPlace(state);
    Report(state);
}

// A box left with refused text says why, as edit boxes do, and shows the
// setting in force again.
void OnDegreesLeft(HWND dialog, const SettingsDialogState* state, const Coordinate& coordinate)
{
    float degrees;
    const bool refused = TypedDegrees(dialog, coordinate, &degrees);
    ShowDegrees(dialog, state, coordinate);
    if (!refused)
        return;
    const int language = state->language;
    const std::wstring title = LocalizedString(IDS_DEGREES_REFUSED_TITLE, language);
    const std::wstring text = LocalizedString(coordinate.refusedStringId, language);
    EDITBALLOONTIP tip = {sizeof tip, title.c_str(), text.c_str(), TTI_WARNING};
    SendDlgItemMessageW(dialog, coordinate.textId, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
}

void SetUpTrackBar(HWND dialog, int id, int minimum, int maximum, int tickEvery, int position)
{
    HWND bar = GetDlgItem(dialog, id);
    SendMessageW(bar, TBM_SETRANGEMIN, FALSE, minimum);
    SendMessageW(bar, TBM_SETRANGEMAX, FALSE, maximum);
    SendMessageW(bar, TBM_SETTICFREQ, tickEvery, 0);
    SendMessageW(bar, TBM_SETPOS, TRUE, position);
}

void ShowDialDateTime(HWND dialog, const DialSettings& settings)
{
    ShowSimulatedDateTime(dialog, IDC_DATE_TEXT, IDC_TIME_TEXT, settings.simulatedDay, settings.simulatedTime);
}

void InitSettingsDialog(HWND dialog, SettingsDialogState* state)
{
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    const DialSettings& settings = state->settings;
    ShowDialogTexts(dialog, IDS_SETTINGS_DIALOG, state->language);
    CentreWindowOnScreen(dialog);
    SetLinkCursor(dialog, IDC_ARTICLE_LINK);
    state->placeBox.Attach(dialog, IDC_PLACE, IDC_PLACE_LIST, state->language);
    state->placeBox.ShowName(settings.placeName);

    // Each language is listed by its own name, so wide text keeps its letters.
    HWND list = GetDlgItem(dialog, IDC_LANGUAGE);
    for (const Language& language : LANGUAGES) {
        LRESULT entry = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language.name));
        if (language.id == state->language)
            SendMessageW(list, CB_SETCURSEL, entry, 0);
    }

    EnableControls(dialog, SIMULATED_CONTROLS, settings.simulate);
    EnableControls(dialog, LONGITUDE_CONTROLS, settings.exactSun);
    CheckDlgButton(dialog, IDC_EXACT_SUN, settings.exactSun ? BST_CHECKED : BST_UNCHECKED);
    for (const Coordinate& coordinate : COORDINATES) {
        SetUpTrackBar(dialog, coordinate.barId, -coordinate.limit, coordinate.limit, coordinate.tickEvery,
                      NearestDegrees(settings.*coordinate.setting, coordinate.limit));
        SendDlgItemMessageW(dialog, coordinate.textId, EM_SETLIMITTEXT, TYPED_DEGREES_MAX, 0);
        ShowDegrees(dialog, state, coordinate);
    }
    CheckRadioButton(dialog, IDC_SIZE_SMALL, IDC_SIZE_BIG, settings.isBig ? IDC_SIZE_BIG : IDC_SIZE_SMALL);
    CheckDlgButton(dialog, IDC_SIMULATE, settings.simulate ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_DATE_LINES, settings.dateLines ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_MOON_FACE, settings.moonFace ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_SUN_HOURS, IDC_CLOCK_HOURS, settings.clockHours ? IDC_CLOCK_HOURS : IDC_SUN_HOURS);
    SetUpTrackBar(dialog, IDC_DAY, 0, 365, 30, settings.simulatedDay);
    SetUpTrackBar(dialog, IDC_TIME, 0, MINUTES_PER_DAY, MINUTES_PER_HOUR, settings.simulatedTime / SECONDS_PER_MINUTE);
    ShowDialDateTime(dialog, settings);
}

// The language chosen in the list, whose entries follow the language table;
// the first language when none is chosen.
int ChosenLanguage(HWND dialog)
{
    LRESULT entry = SendDlgItemMessageW(dialog, IDC_LANGUAGE, CB_GETCURSEL, 0, 0);
    return LANGUAGES[entry >= 0 && entry < LANGUAGE_COUNT ? entry : 0].id;
}

void OnSettingsCommand(HWND dialog, SettingsDialogState* state, int id, int notification)
{
    DialSettings& settings = state->settings;
    switch (id) {
    case IDC_ABOUT:
        // The program (the owner's window procedure) shows About, owned by
        // this dialog (the button's parent), so that closing it leaves the
        // gadget disabled.
        SendMessageW(GetWindow(dialog, GW_OWNER), WM_COMMAND, IDC_ABOUT,
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ABOUT)));
        break;
    case IDC_SIMULATE:
        settings.simulate = IsDlgButtonChecked(dialog, IDC_SIMULATE) != BST_UNCHECKED;
        EnableControls(dialog, SIMULATED_CONTROLS, settings.simulate);
        Report(state);
        break;
    case IDC_EXACT_SUN:
        settings.exactSun = IsDlgButtonChecked(dialog, IDC_EXACT_SUN) != BST_UNCHECKED;
        EnableControls(dialog, LONGITUDE_CONTROLS, settings.exactSun);
        Report(state);
        break;
    case IDC_SIZE_SMALL:
    case IDC_SIZE_BIG:
        settings.isBig = id == IDC_SIZE_BIG;
        Report(state);
        break;
    case IDC_DATE_LINES:
        settings.dateLines = IsDlgButtonChecked(dialog, IDC_DATE_LINES) != BST_UNCHECKED;
        Report(state);
        break;
    case IDC_MOON_FACE:
        settings.moonFace = IsDlgButtonChecked(dialog, IDC_MOON_FACE) != BST_UNCHECKED;
        Report(state);
        break;
    case IDC_SUN_HOURS:
    case IDC_CLOCK_HOURS:
        settings.clockHours = id == IDC_CLOCK_HOURS;
        Report(state);
        break;
    case IDC_ARTICLE_LINK:
        // A double click reports a click first; open the article once.
        if (notification == STN_CLICKED)
            OpenAddress(L"" ARTICLE_ADDRESS);
        break;
    case IDOK:
        state->language = ChosenLanguage(dialog);
        EndDialog(dialog, IDOK);
        break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    case IDC_PLACE:
        if (notification == EN_CHANGE)
            state->placeBox.OnTextChanged();
        else if (notification == PLACE_CHOSEN)
            OnPlaceChosen(dialog, state);
        else if (notification == EN_KILLFOCUS)
            state->placeBox.ShowName(settings.placeName);  // what was typed and not chosen goes
        break;
    }
    for (const Coordinate& coordinate : COORDINATES) {
        if (id != coordinate.textId)
            continue;
        if (notification == EN_CHANGE)
            OnDegreesTyped(dialog, state, coordinate);
        else if (notification == EN_KILLFOCUS)
            OnDegreesLeft(dialog, state, coordinate);
    }
}

void OnTrackBarMoved(HWND dialog, SettingsDialogState* state, HWND bar)
{
    DialSettings& settings = state->settings;
    int position = static_cast<int>(SendMessageW(bar, TBM_GETPOS, 0, 0));
    int id = GetDlgCtrlID(bar);
    for (const Coordinate& coordinate : COORDINATES) {
        if (id == coordinate.barId) {
            // A click on the thumb, a key's release or the wheel report the
            // place it has: a typed fraction stays.
            if (position == NearestDegrees(settings.*coordinate.setting, coordinate.limit))
                return;
            settings.*coordinate.setting = static_cast<float>(position);
            ShowDegrees(dialog, state, coordinate);
            ForgetPlace(state);
            Report(state);
            return;
        }
    }
    switch (id) {
    case IDC_DAY: settings.simulatedDay = position; break;
    case IDC_TIME: settings.simulatedTime = position * SECONDS_PER_MINUTE; break;
    default: return;
    }
    ShowDialDateTime(dialog, settings);
    Report(state);
}

}  // namespace

void ShowSimulatedDateTime(HWND dialog, int dateFieldId, int timeFieldId, int day, int timeOfDay)
{
    SYSTEMTIME simulated;
    GetLocalTime(&simulated);
    // The day the track bar points at, its end as 24:00 of that day.
    SimulatedMoment moment = SplitSimulatedDayTime(simulated.wYear, day, timeOfDay);
    const SimulatedMoment standard = SplitSimulatedSeconds(simulated.wYear, SimulatedSeconds(day, timeOfDay));
    simulated.wYear = static_cast<WORD>(standard.year);
    simulated.wMonth = static_cast<WORD>(standard.month);
    simulated.wDay = static_cast<WORD>(standard.day);
    simulated.wHour = static_cast<WORD>(standard.hour);
    simulated.wMinute = static_cast<WORD>(standard.minute);
    simulated.wSecond = static_cast<WORD>(standard.second);

    // The moment is local standard time: converting it as UTC through the
    // zone without its base bias adds just the daylight-saving shift.
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    zone.Bias = 0;
    SYSTEMTIME shown;
    // Only a shift moves the text off the day the track bar names.
    if (SystemTimeToTzSpecificLocalTime(&zone, &simulated, &shown) &&
        (shown.wHour != simulated.wHour || shown.wDay != simulated.wDay)) {
        moment.year = shown.wYear;
        moment.month = shown.wMonth;
        moment.day = shown.wDay;
        moment.hour = shown.wHour;
        moment.minute = shown.wMinute;
        moment.second = shown.wSecond;
    }

    char text[MOMENT_TEXT_SIZE];
    wchar_t shownText[MOMENT_TEXT_SIZE];
    FormatSimulatedDate(moment, text, sizeof text);
    WidenAscii(text, shownText, MOMENT_TEXT_SIZE);
    SetDlgItemTextW(dialog, dateFieldId, shownText);
    FormatSimulatedTime(moment, text, sizeof text);
    WidenAscii(text, shownText, MOMENT_TEXT_SIZE);
    SetDlgItemTextW(dialog, timeFieldId, shownText);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        InitSettingsDialog(dialog, reinterpret_cast<SettingsDialogState*>(lParam));
        return TRUE;
    }
    SettingsDialogState* state = DialogState(dialog);
    if (!state)
        return FALSE;
    switch (message) {
    case WM_COMMAND: OnSettingsCommand(dialog, state, LOWORD(wParam), HIWORD(wParam)); break;
    case WM_HSCROLL: OnTrackBarMoved(dialog, state, reinterpret_cast<HWND>(lParam)); break;
    case WM_DRAWITEM: DrawLinkControl(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); break;
    }
    return FALSE;
}
