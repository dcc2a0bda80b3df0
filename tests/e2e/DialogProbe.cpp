// Test tool of the dialog end-to-end tests: prints the state of a dialog of
// another process, one line per control, as a person would read it off the
// screen:
//   dialog <left> <top> <right> <bottom> <enabled>
//   <id> <class> <enabled> <state> <left> <top> <right> <bottom> <text>
// state: check state of buttons, position of track bars, lines of a list box
// shown (0 while it is hidden), "-" otherwise; a list box's text is its first
// line;
// rectangles on the screen; texts in UTF-8. Exit code 1 when no visible
// dialog has the title. With "-window <title> [minimise]" it reads a top-level
// window instead, minimised first if asked, which Wine without a window
// manager offers no other way to do:
//   window <minimised> <foreground>
// With "-tip" it prints the text of each tool tip that shows, one line of
// the tip a line; exit code 1 when none shows. With "-tipfit" it prints,
// for each, its client width and the width of its longest line in the
// font tool tips take (the system's status font):
//   tipfit <client width> <longest line>
// a client narrower than the line means the tip broke it.
#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>
#include <cstdio>

namespace {

void PrintUtf8(const wchar_t* text)
{
    char utf8[1024];
    if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr) > 0)
        fputs(utf8, stdout);
}

void PrintControl(HWND control)
{
    wchar_t className[64] = L"", text[512] = L"";
    GetClassNameW(control, className, 64);
    SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    printf("%d ", GetDlgCtrlID(control));
    PrintUtf8(className);
    printf(" %d ", IsWindowEnabled(control) ? 1 : 0);
    if (lstrcmpiW(className, L"Button") == 0)
        printf("%d ", static_cast<int>(SendMessageW(control, BM_GETCHECK, 0, 0)));
    else if (lstrcmpiW(className, TRACKBAR_CLASSW) == 0)
        printf("%d ", static_cast<int>(SendMessageW(control, TBM_GETPOS, 0, 0)));
    else if (lstrcmpiW(className, L"ListBox") == 0) {
        printf("%d ", IsWindowVisible(control) ? static_cast<int>(SendMessageW(control, LB_GETCOUNT, 0, 0)) : 0);
        if (SendMessageW(control, LB_GETCOUNT, 0, 0) > 0 && SendMessageW(control, LB_GETTEXTLEN, 0, 0) < 512)
            SendMessageW(control, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    } else
        printf("- ");
    RECT rect;
    GetWindowRect(control, &rect);
    printf("%ld %ld %ld %ld ", rect.left, rect.top, rect.right, rect.bottom);
    PrintUtf8(text);
    printf("\n");
}

// The width of the widest line of text in the tool tips' font.
int LongestLine(const wchar_t* text)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const CGdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfStatusFont));
    const CWindowDC screen(nullptr);
    const CSelectedObject selected(screen.Get(), font.Get());
    RECT rect = {0, 0, 0, 0};
    DrawTextW(screen.Get(), text, -1, &rect, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_EXTERNALLEADING);
    return rect.right - rect.left;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    if (!lstrcmpW(argv[1], L"-window") && argc > 2) {
        HWND window = FindWindowW(nullptr, argv[2]);
        if (!window)
            return 1;
        if (argc > 3 && !lstrcmpW(argv[3], L"minimise"))
            ShowWindow(window, SW_MINIMIZE);
        printf("window %d %d\n", IsIconic(window) ? 1 : 0, GetForegroundWindow() == window ? 1 : 0);
        return 0;
    }
    const bool fit = !lstrcmpW(argv[1], L"-tipfit");
    if (fit || !lstrcmpW(argv[1], L"-tip")) {
        int shown = 0;
        for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));) {
            wchar_t text[512] = L"";
            if (!IsWindowVisible(tip) || !SendMessageW(tip, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text)))
                continue;
            if (fit) {
                RECT client;
                GetClientRect(tip, &client);
                printf("tipfit %ld %d\n", client.right, LongestLine(text));
            } else {
                PrintUtf8(text);
                printf("\n");
            }
            ++shown;
        }
        return shown ? 0 : 1;
    }
    HWND dialog = nullptr;
    while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", argv[1])) && !IsWindowVisible(dialog)) {
    }
    if (!dialog)
        return 1;
    RECT rect;
    GetWindowRect(dialog, &rect);
    printf("dialog %ld %ld %ld %ld %d\n", rect.left, rect.top, rect.right, rect.bottom,
           IsWindowEnabled(dialog) ? 1 : 0);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        PrintControl(child);
    return 0;
}
