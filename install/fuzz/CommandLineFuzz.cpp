// libFuzzer target: the program's own command line.
#include "install/CommandLine.h"
#include "tests/FuzzText.h"

// Any command line: the scan stays inside its buffers.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CFuzzText input(data, size);
    FindOption(input.Get(), "install");
    FindOption(input.Get(), "uninstall");
    return 0;
}
