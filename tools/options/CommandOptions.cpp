// The tools' command-line options: one table row each, read strictly.
#include "tools/options/CommandOptions.h"

#include "common/Calendar.h"
#include "common/Characters.h"
#include "text/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Two digits 00 ... 59 at text, advancing it.
bool ReadSixtieth(const char*& text, int& value)
{
    if (text[0] < '0' || text[0] > '5' || text[1] < '0' || text[1] > '9')
        return false;
    value = (text[0] - '0') * 10 + (text[1] - '0');
    text += 2;
    return true;
}

// "H:MM", "HH:MM", "H:MM:SS" or "HH:MM:SS", 00:00 to 24:00, or whole seconds
// 0 to a day; seconds of the day into seconds.
bool ReadTimeOfDay(const char* text, double& seconds)
{
    if (!strchr(text, ':')) {
        double whole;
        if (!ReadDecimal(text, &whole) || whole != floor(whole) || whole < 0 || whole > SECONDS_PER_DAY)
            return false;
        seconds = whole;
        return true;
    }
    int hours = 0;
    int digits = 0;
    for (; *text >= '0' && *text <= '9' && digits < 2; text++, digits++)
        hours = hours * 10 + (*text - '0');
    int minutes = 0, rest = 0;
    if (digits == 0 || *text++ != ':' || !ReadSixtieth(text, minutes))
        return false;
    if (*text == ':' && !ReadSixtieth(++text, rest))
        return false;
    const int total = hours * SECONDS_PER_HOUR + minutes * SECONDS_PER_MINUTE + rest;
    if (*text || hours > HOURS_PER_DAY || total > SECONDS_PER_DAY)
        return false;
    seconds = total;
    return true;
}

// The option's value read by its kind; false when it does not read so.
bool ReadValue(const CommandOption& option, const char* value)
{
    double number;
    switch (option.kind) {
    case OPTION_FLAG: return true;
    case OPTION_TEXT: *option.text = value; return true;
    case OPTION_TIME: return ReadTimeOfDay(value, *option.number);
    case OPTION_NUMBER:
    case OPTION_WHOLE:
        if (!ReadDecimal(value, &number) || number < option.lowest || number > option.highest ||
            (option.kind == OPTION_WHOLE && number != floor(number)))
            return false;
        *option.number = number;
        return true;
    }
    return false;
}

// What the option takes, for its error message.
void Describe(const CommandOption& option, const char* value, char (&error)[OPTION_ERROR_MAX])
{
    char shown[SHOWN_ARGUMENT_MAX];
    ShowArgument(value, shown);
    if (option.kind == OPTION_TIME) {
        snprintf(error, OPTION_ERROR_MAX, "%s must be a time from 00:00 to 24:00 (H:MM or H:MM:SS): %s", option.name,
                 shown);
        return;
    }
    snprintf(error, OPTION_ERROR_MAX, "%s must be a %snumber from %g to %g: %s", option.name,
             option.kind == OPTION_WHOLE ? "whole " : "", option.lowest, option.highest, shown);
}

}  // namespace

void ShowArgument(const char* argument, char (&shown)[SHOWN_ARGUMENT_MAX])
{
    const unsigned char* in = reinterpret_cast<const unsigned char*>(argument);
    size_t used = 0;
    for (size_t characters = 0; *in && characters < SHOWN_ARGUMENT_CHARACTERS; ++characters) {
        size_t length;
        const unsigned code = DecodeUtf8(in, length);
        if (code == NOT_A_CHARACTER || IsControlCharacter(code)) {
            // Its first byte; each further one is a character of its own,
            // so that no decoder finds the control character again.
            used += snprintf(shown + used, SHOWN_ARGUMENT_MAX - used, "\\x%02X", *in++);
            continue;
        }
        memcpy(shown + used, in, length);
        used += length;
        in += length;
    }
    snprintf(shown + used, SHOWN_ARGUMENT_MAX - used, "%s", *in ? "..." : "");
}

bool ReadCommandOptions(int argc, const char* const* argv, const CommandOption* options, size_t count,
                        char (&error)[OPTION_ERROR_MAX])
{
    error[0] = '\0';
    bool given[OPTION_ROWS_MAX] = {};
    for (int i = 1; i < argc; i++) {
        size_t row = 0;
        while (row < count && row < OPTION_ROWS_MAX && strcmp(argv[i], options[row].name))
            row++;
        if (row == count || row == OPTION_ROWS_MAX) {
            char shown[SHOWN_ARGUMENT_MAX];
            ShowArgument(argv[i], shown);
            snprintf(error, OPTION_ERROR_MAX, "unknown option: %s", shown);
            return false;
        }
        const CommandOption* option = &options[row];
        if (given[row]) {
            snprintf(error, OPTION_ERROR_MAX, "%s is given twice", option->name);
            return false;
        }
        given[row] = true;
        const char* value = nullptr;
        if (option->kind != OPTION_FLAG) {
            if (i + 1 >= argc) {
                snprintf(error, OPTION_ERROR_MAX, "%s needs a value", option->name);
                return false;
            }
            value = argv[++i];
        }
        if (!ReadValue(*option, value)) {
            Describe(*option, value, error);
            return false;
        }
        if (option->given)
            *option->given = true;
    }
    return true;
}
