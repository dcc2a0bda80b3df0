// Choosing the text shown on the night face, and the text held between frames.
#pragma once

// Choosing the short text shown on the night face: a morning list (its first
// string holds the count, the next ones the texts) and an evening list.

#include <windows.h>

#include <string>
#include <string_view>

#include "text/StringIds.h"

const int NIGHT_TEXT_MORNING = IDS_MORNING_TEXTS;
const int NIGHT_TEXT_EVENING = IDS_EVENING_TEXTS;
// A chosen text stays at least this long.
const int NIGHT_TEXT_HOLD_MS = 10000;

// The list for dial moment t: morning from 03:00 to 14:59.
int NightTextBase(int t);

// The count at the start of the list's first string, parsed like atoi; 0
// (show no text) when the string is missing, not a number or not positive.
int NightTextCount(std::wstring_view text);

// Whether a text must be chosen at now: none yet (last = 0) or the last
// choice is older than the hold time (32-bit wrap-around allowed).
bool NightTextDue(unsigned int lastChoice, unsigned int now);

// The text on the night face: one of the list of the part of the day, chosen
// by the dial's own random numbers, held at least NIGHT_TEXT_HOLD_MS, and
// dropped at daylight. Chosen before a frame, never while it is painted.
class CNightText
{
public:
    explicit CNightText(int randomSeed) : m_random(randomSeed) { }
    // Before a frame of dial moment t whose face is lit (isDay) or not, at
    // now (timeGetTime()): daylight drops the text, the night takes a new
    // one when none is held or the last one has been held long enough.
    void Update(bool isDay, int t, int language, DWORD now);
    // The text, empty for none.
    const wchar_t* Text() const { return m_text.c_str(); }
    // When the text held was chosen; 0 while none is held.
    DWORD ChosenAt() const { return m_chosenAt; }

private:
    DWORD m_chosenAt = 0;
    // The state of the dial's own random numbers: nothing else moves it.
    int m_random;
    std::wstring m_text;
};
