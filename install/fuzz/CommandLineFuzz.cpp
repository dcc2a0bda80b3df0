// libFuzzer target: the program's own command line.
#include "install/CommandLine.h"
#include "settings/fuzz/FuzzText.h"

namespace {

const int VALUE_ROOM = 32;

}  // namespace

// Any command line: the scan stays inside its buffers and the value it
// gives always ends within them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CFuzzText input(data, size);
    char value[VALUE_ROOM];
    FindOption(input.Get(), "install", "i", value, VALUE_ROOM - 1);
    Require(memchr(value, '\0', VALUE_ROOM) != nullptr, "the value ends inside its buffer", input.Get());
    FindOption(input.Get(), "uninstall", nullptr, nullptr, 0);
    return 0;
}
