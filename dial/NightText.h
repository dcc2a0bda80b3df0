#pragma once

// Choosing the short text shown on the night face: a morning list (string
// 250 holds the count, 251.. the texts) and an evening list (300, 301..).

const int NIGHT_TEXT_MORNING = 250;
const int NIGHT_TEXT_EVENING = 300;
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
