// The monitors' work areas as the system reports them, for the placement rules.
#include "gadget/WorkAreaList.h"

void CWorkAreaList::Read()
{
    m_areas.clear();
    m_primary = 0;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(this));
    if (m_areas.empty()) {
        RECT area;
        if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
            SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        m_areas.push_back({area.left, area.top, area.right, area.bottom});
    }
}

WorkAreas CWorkAreaList::Get() const
{
    return {m_areas.data(), static_cast<int>(m_areas.size()), m_primary};
}

BOOL CALLBACK CWorkAreaList::AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    CWorkAreaList* self = reinterpret_cast<CWorkAreaList*>(list);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, &info))
        return TRUE;
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        self->m_primary = static_cast<int>(self->m_areas.size());
    const RECT& area = info.rcWork;
    self->m_areas.push_back({area.left, area.top, area.right, area.bottom});
    return TRUE;
}
