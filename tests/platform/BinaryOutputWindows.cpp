// Built into every test program on Windows: the C runtime would write each
// "\n" of GoogleTest's output as CR LF, and ctest, reading the list of tests
// a program holds, would take the CR as part of every suite's name. Output
// goes out as written, before main runs.
#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {

const bool g_binaryOutput = [] {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return true;
}();

} // namespace
