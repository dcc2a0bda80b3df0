// Choosing the text shown on the night face.
#include "dial/NightText.h"

int NightTextBase(int t)
{
    int hour = t / 3600 % 24;
    if (hour < 0)
        hour += 24;
    return hour >= 3 && hour < 15 ? NIGHT_TEXT_MORNING : NIGHT_TEXT_EVENING;
}

int NightTextCount(const char* text)
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
