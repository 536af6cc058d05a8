#include "commands.h"

#include <cstdio>

int runEvalCommand(int, char**) {
    std::fputs("qevtool eval: not built yet\n", stderr);
    return 1;
}
