// Any `velmarto-score waits` command line, with a batch on standard input: never a crash, and
// output and errors where they belong.
#include "fuzz/command_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    velmarto::fuzz::RunCommand("waits", data, size);
    return 0;
}
