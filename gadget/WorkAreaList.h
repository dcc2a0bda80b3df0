// The monitors' work areas as the system reports them, for the placement rules.
#pragma once

#include <windows.h>

#include <vector>

#include "gadget/Placement.h"

// The work area of every monitor (the screen without taskbars and docked
// bars), read when asked, in virtual-screen pixels.
class CWorkAreaList
{
public:
    // Reads the areas of the monitors there are now; without any monitor
    // the list holds the primary screen.
    void Read();
    WorkAreas Get() const;

private:
    static BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list);

    std::vector<PlaceRect> m_areas;
    int m_primary = 0;
};
