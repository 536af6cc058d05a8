#include "commands.h"

#include <cstdio>

int runFormatCommand(int, char**) {
    std::fputs("qevtool format: not built yet\n", stderr);
    return 1;
}
