// Choosing the text shown on the night face, and the text held between frames.
#include "dial/NightText.h"

#include "text/Strings.h"

int NightTextBase(int t)
{
    int hour = t / 3600 % 24;
    if (hour < 0)
        hour += 24;
    return hour >= 3 && hour < 15 ? NIGHT_TEXT_MORNING : NIGHT_TEXT_EVENING;
}

int NightTextCount(const wchar_t* text)
{
    if (!text)
        return 0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    if (*text == '-')
        return 0;
    if (*text == '+')
        ++text;
    int count = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (count > 100000)
            break;  // far more texts than any table holds
        count = count * 10 + (*text - '0');
    }
    return count;
}

bool NightTextDue(unsigned int lastChoice, unsigned int now)
{
    return lastChoice == 0 || static_cast<int>(now - lastChoice) > NIGHT_TEXT_HOLD_MS;
}

// The dial's own random numbers, 0 ... 32767, from a linear congruential
// generator whose state the caller keeps: nothing else in the process moves it.
static int NextRandom(int* state)
{
    const unsigned MULTIPLIER = 1103515245u, INCREMENT = 12345u, DROPPED_BITS = 16, KEPT_MASK = 0x7fff;
    const unsigned next = static_cast<unsigned>(*state) * MULTIPLIER + INCREMENT;
    *state = static_cast<int>(next);
    return static_cast<int>((next >> DROPPED_BITS) & KEPT_MASK);
}

void CNightText::Update(bool isDay, int t, int language, DWORD now)
{
    if (isDay) {
        m_chosenAt = 0;
        return;
    }
    if (!NightTextDue(m_chosenAt, now))
        return;
    m_chosenAt = now;
    int base = NightTextBase(t);
    int count = NightTextCount(LoadLocalizedStringW(base, language));
    if (count <= 0) {
        m_text[0] = L'\0';
        return;
    }
    lstrcpynW(m_text, LoadLocalizedStringW(base + NextRandom(&m_random) % count + 1, language), SIZE);
}
