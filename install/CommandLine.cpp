// Options of the program's command line.
#include "install/CommandLine.h"

namespace {

// Longest name or value the scan accepts is one less than this.
const int TOKEN_BUFFER_SIZE = 1024;

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whole names, ASCII letters compared without regard to case.
bool SameName(const char* typed, const char* wanted)
{
    for (;; typed++, wanted++) {
        if (LowerAscii(*typed) != LowerAscii(*wanted))
            return false;
        if (!*typed)
            return true;
    }
}

// A name or value being collected; false from Append once it is too long.
struct Token
{
    char text[TOKEN_BUFFER_SIZE];
    int length;

    void Clear()
    {
        length = 0;
        text[0] = 0;
    }
    bool Append(char c)
    {
        if (length + 1 >= TOKEN_BUFFER_SIZE)
            return false;
        text[length++] = c;
        text[length] = 0;
        return true;
    }
};

}  // namespace

bool FindOption(const char* commandLine, const char* name)
{
    if (!commandLine || !name)
        return false;

    Token option, value;
    option.Clear();
    value.Clear();
    bool inName = false, quoted = false, found = false;
    char previous = ' ';
    for (const char* p = commandLine;; p++) {
        const char c = *p;
        const bool separator = c == ' ' || c == 0;
        if (inName) {
            if (separator) {
                // The option's name stays, so that a value right after it belongs to it.
                inName = false;
                value.Clear();
                if (SameName(option.text, name))
                    found = true;
            } else if (!option.Append(c))
                return false;
        } else if (!quoted && previous == ' ' && c == '-') {
            inName = true;
            option.Clear();
        } else if (separator && !quoted) {
            // A value after the option, or any value once it was seen, settles it.
            if (value.length > 0 && (found || SameName(option.text, name)))
                return true;
            option.Clear();
            value.Clear();
        } else if (c == '"')
            quoted = !quoted;
        else if (c != 0 && !value.Append(c))
            return false;

        if (c == 0)
            return found;
        previous = c;
    }
}
