// Choosing the text shown on the night face, and the text held between frames.
#include "dial/NightText.h"

#include "common/Calendar.h"
#include "text/Strings.h"

int NightTextBase(int t)
{
    int hour = t / SECONDS_PER_HOUR % HOURS_PER_DAY;
    if (hour < 0)
        hour += HOURS_PER_DAY;
    return hour >= 3 && hour < 15 ? NIGHT_TEXT_MORNING : NIGHT_TEXT_EVENING;
}

int NightTextCount(std::wstring_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i < text.size() && text[i] == '-')
        return 0;
    if (i < text.size() && text[i] == '+')
        ++i;
    int count = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (count > 100000)
            break;  // far more texts than any table holds
        count = count * 10 + (text[i] - '0');
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
    int count = NightTextCount(LocalizedText(base, language));
    if (count <= 0) {
        m_text.clear();
        return;
    }
    m_text = LocalizedText(base + NextRandom(&m_random) % count + 1, language);
}
