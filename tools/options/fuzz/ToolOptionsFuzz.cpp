// libFuzzer target: the tools' option tables, one argument a line.
#include "tools/options/CommandOptions.h"
#include "tests/FuzzText.h"

namespace {

const int MAX_ARGUMENTS = 16;

}  // namespace

// Every kind of option: a value accepted lies in its range; a refusal
// always says why, and never with a control character of the arguments.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CFuzzText input(data, size);
    const char* argv[MAX_ARGUMENTS + 1] = {"tool"};
    int argc = 1;
    for (char* word = strtok(input.Get(), "\n"); word && argc <= MAX_ARGUMENTS; word = strtok(nullptr, "\n"))
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
    if (ReadCommandOptions(argc, argv, options, sizeof options / sizeof options[0], error))
        Require(number >= -90 && number <= 90 && whole >= 0 && whole <= 365 && whole == (int)whole && seconds >= 0 &&
                    seconds <= 86400,
                "an accepted value lies in its range", argv[argc - 1]);
    else
        Require(memchr(error, '\0', OPTION_ERROR_MAX) && error[0], "a refusal says why", argv[argc - 1]);
    for (const char* c = error; *c; ++c)
        Require(static_cast<unsigned char>(*c) >= ' ' && *c != '\x7f', "a refusal sends no control character back",
                argv[argc - 1]);
    return 0;
}
