// libFuzzer target: the program's command line and the tools' options.
#include "install/CommandLine.h"
#include "settings/CommandOptions.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

namespace {

const int MAX_ARGUMENTS = 16;

// The tools' kinds of option, one row each.
void ReadToolOptions(char* text)
{
    const char* argv[MAX_ARGUMENTS + 1] = {"tool"};
    int argc = 1;
    for (char* word = strtok(text, "\n"); word && argc <= MAX_ARGUMENTS; word = strtok(nullptr, "\n"))
        argv[argc++] = word;
    double number = 0, whole = 0, seconds = 0;
    const char* value = nullptr;
    bool flag = false;
    const CommandOption options[] = {
        {"--lat", OPTION_NUMBER, -90, 90, &number, nullptr, nullptr},
        {"--day", OPTION_WHOLE, 0, 365, &whole, nullptr, nullptr},
        {"--time", OPTION_TIME, 0, 0, &seconds, nullptr, nullptr},
        {"--lang", OPTION_TEXT, 0, 0, nullptr, &value, nullptr},
        {"--exact", OPTION_FLAG, 0, 0, nullptr, nullptr, &flag},
    };
    char error[OPTION_ERROR_MAX];
    if (ReadCommandOptions(argc, argv, options, sizeof options / sizeof options[0], error)) {
        if (!(number >= -90 && number <= 90 && whole >= 0 && whole <= 365 && seconds >= 0 && seconds <= 86400))
            abort();
    } else if (!memchr(error, '\0', OPTION_ERROR_MAX) || !error[0]) {
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char* text = static_cast<char*>(malloc(size + 1));
    memcpy(text, data, size);
    text[size] = '\0';
    char value[32];
    FindOption(text, "install", "i", value, sizeof value - 1);
    FindOption(text, "uninstall", nullptr, nullptr, 0);
    ReadToolOptions(text);
    free(text);
    return 0;
}
