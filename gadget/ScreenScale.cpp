// The scale of the screen a window is on, from its monitor's DPI.
#include "gadget/ScreenScale.h"

#include "platform/Handles.h"

namespace {

// GetDpiForMonitor's kind of DPI: the one that scales the user interface.
const int MDT_EFFECTIVE_DPI_VALUE = 0;

// Percent in a whole.
const int PERCENT = 100;

// A system DLL loaded for as long as this object lives.
class CSystemLibrary
{
public:
    explicit CSystemLibrary(const wchar_t* name) : m_module(LoadLibraryW(name)) { }
    ~CSystemLibrary()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    // The address of an export, or null where the DLL has none.
    template <typename Function> Function Export(const char* name) const
    {
        return m_module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(m_module, name))) : nullptr;
    }

private:
    HMODULE m_module;

    CSystemLibrary(const CSystemLibrary&) = delete;
    CSystemLibrary& operator=(const CSystemLibrary&) = delete;
};

}  // namespace

int ScreenDpi(HWND window)
{
    if (window) {
        CSystemLibrary user32(L"user32.dll");
        auto forWindow = user32.Export<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
        UINT dpi = forWindow ? forWindow(window) : 0;
        if (dpi)
            return static_cast<int>(dpi);
    }
    CSystemLibrary shcore(L"shcore.dll");
    auto forMonitor = shcore.Export<HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*)>("GetDpiForMonitor");
    HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT {0, 0}, MONITOR_DEFAULTTOPRIMARY);
    UINT dpiX = 0, dpiY = 0;
    if (forMonitor && SUCCEEDED(forMonitor(monitor, MDT_EFFECTIVE_DPI_VALUE, &dpiX, &dpiY)) && dpiX)
        return static_cast<int>(dpiX);
    CWindowDC screen(nullptr);
    int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : NATURAL_DPI;
}

int ScalePercentOfDpi(int dpi)
{
    return MulDiv(dpi, PERCENT, NATURAL_DPI);
}
