#pragma once

// Each qevtool command takes the arguments after its name and returns the exit code.
int runEvalCommand(int argc, char** argv);
int runFormatCommand(int argc, char** argv);
int runRenderCommand(int argc, char** argv);
int runGalleryCommand(int argc, char** argv);
int runSimulateCommand(int argc, char** argv);
int runAxisCommand(int argc, char** argv);
int runLibraryCommand(int argc, char** argv);
int runPaletteIconsCommand(int argc, char** argv);

#include <cstdio>
#include <cstring>

// The path of a command whose only argument is "-o PATH"; null once the fault
// has been reported (the command then exits with 2).
inline const char* OutputArgument(const char* command, const char* usage, int argc, char** argv) {
    const char* output = nullptr;
    for (int k = 0; k < argc; ++k) {
        if (std::strcmp(argv[k], "-o") == 0 && k + 1 < argc) {
            output = argv[++k];
        } else {
            std::fprintf(stderr, "qevtool %s: unexpected argument: %s\n", command, argv[k]);
            return nullptr;
        }
    }
    if (!output) std::fprintf(stderr, "usage: %s\n", usage);
    return output;
}
