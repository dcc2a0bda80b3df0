// Choosing the text shown on the night face.
#pragma once

// Choosing the short text shown on the night face: a morning list (its first
// string holds the count, the next ones the texts) and an evening list.

#include "text/StringIds.h"

const int NIGHT_TEXT_MORNING = IDS_MORNING_TEXTS;
const int NIGHT_TEXT_EVENING = IDS_EVENING_TEXTS;
// A chosen text stays at least this long.
const int NIGHT_TEXT_HOLD_MS = 10000;

// The list for dial moment t: morning from 03:00 to 14:59.
int NightTextBase(int t);

// The count at the start of the list's first string, parsed like atoi; 0
// (show no text) when the string is missing, not a number or not positive.
int NightTextCount(const char* text);

// Whether a text must be chosen at now: none yet (last = 0) or the last
// choice is older than the hold time (32-bit wrap-around allowed).
bool NightTextDue(unsigned int lastChoice, unsigned int now);
