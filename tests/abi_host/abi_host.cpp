// A host that is not a Qt program: loads libovanto.so with dlopen and drives
// it only through its exports, as a simulation program would. Prints one line
// per failed check and a closing "N passed, M failed" line; exit code 0 when
// everything held.

#include "host/host_abi.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace ovanto::abi;

namespace {

int g_passed = 0;
int g_failed = 0;

void check(bool ok, const char* what) {
    if (ok) {
        ++g_passed;
    } else {
        ++g_failed;
        std::printf("FAILED: %s\n", what);
    }
}

template <class Fn>
Fn resolve(void* library, const char* name) {
    void* symbol = dlsym(library, name);
    if (!symbol) {
        std::printf("missing export %s\n", name);
        std::exit(3);
    }
    Fn fn;
    std::memcpy(&fn, &symbol, sizeof fn);
    return fn;
}

struct Block {
    std::vector<unsigned char> record = std::vector<unsigned char>(8192, 0);
    void* instance() { return record.data(); }
};

std::string writeTemp(const std::string& name, const std::string& text) {
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir ? dir : "/tmp") + "/" + name + "." + std::to_string(getpid());
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return path;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: abi_host PATH/libovanto.so\n");
        return 2;
    }
    void* lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        std::printf("cannot load %s: %s\n", argv[1], dlerror());
        return 2;
    }
    for (const char* name : kExportNames) check(dlsym(lib, name) != nullptr, name);

    auto getName = resolve<GetDLLNameFn>(lib, "GetDLLName");
    auto paramStruct = resolve<GetParameterStructFn>(lib, "GetParameterStruct");
    auto enableStruct = resolve<GetDialogEnableStructFn>(lib, "GetDialogEnableStruct");
    auto ioNames = resolve<GetNumberOfInputsOutputs2Fn>(lib, "GetNumberOfInputsOutputs2");
    auto canSimulate = resolve<CanSimulateDLLFn>(lib, "CanSimulateDLL");
    auto initUser = resolve<InitUserDLLFn>(lib, "InitUserDLL");
    auto dispose = resolve<DisposeUserDLLFn>(lib, "DisposeUserDLL");
    auto loadQev = resolve<LoadQEVFileFn>(lib, "LoadQEVFile");
    auto initSim = resolve<InitSimulationDLL2Fn>(lib, "InitSimulationDLL2");
    auto simulate = resolve<SimulateDLLFn>(lib, "SimulateDLL");
    auto endSim = resolve<EndSimulationDLL2Fn>(lib, "EndSimulationDLL2");
    auto writeFile = resolve<WriteToFileFn>(lib, "WriteToFile");
    auto readFile = resolve<ReadFromFileFn>(lib, "ReadFromFile");
    auto lines = resolve<NumberOfLinesInSystemFileFn>(lib, "NumberOfLinesInSystemFile");
    auto docLine = resolve<WriteParToDocFileDLLFn>(lib, "WriteParToDocFileDLL");
    auto hide = resolve<HideWindowDLLFn>(lib, "HideWindowDLL");
    auto show = resolve<ShowWindowDLLFn>(lib, "ShowWindowDLL");
    auto setPos = resolve<SetQEVWindowPosFn>(lib, "SetQEVWindowPos");

    check(std::strcmp(getName(), "Ovanto") == 0, "GetDLLName");
    check(canSimulate(12345) == 1 && canSimulate(-1) == 1, "CanSimulateDLL is always 1");
    check(lines() == 0, "NumberOfLinesInSystemFile is 0");

    unsigned char params[4] = {9, 9, 9, 9};
    paramStruct(params);
    check(params[0] == 0 && params[1] == 0 && params[2] == 0 && params[3] == 9, "parameter record");
    unsigned char enable[16];
    std::memset(enable, 7, sizeof enable);
    enableStruct(enable, 0);
    bool enableOk = enable[12] == 1 && enable[13] == 7;
    for (int i = 0; i < 12; ++i) enableOk = enableOk && enable[i] == 0xFF;
    check(enableOk, "dialog-enable record");

    Block a, b;
    initUser(a.instance());
    initUser(b.instance());
    check(readWindowSlot(a.instance()) != nullptr, "window slot written");

    std::vector<unsigned char> names(kIoNameRecordSize, 0xAB);
    ioNames(names.data(), 0, nullptr, 0);
    check(names[0] == 0xAB, "null window leaves the record alone");
    ioNames(names.data(), 0, readWindowSlot(a.instance()), 0);
    check(names[0] == 0 && names[1] == 0 && names[2] == 0xAB, "new instance: counts 0 and 0, no names");

    // Three inputs (one name of 45 characters) and two outputs, from an animation file.
    const std::string longName(45, 'N');
    std::string qev = "435\r\nABI\r\n0\r\n0\r\n3\r\n";
    for (const std::string& n : {std::string("Level"), longName, std::string("Temp")})
        qev += n + "\r\n 2.00000000000000E+0000\r\n-1.00000000000000E+0000\r\n 0.00000000000000E+0000\r\n 5.00000000000000E+0000\r\n";
    qev += "16777215\r\n";                                   // background
    qev += " 1.00000000000000E+0001\r\n" + std::string(" 1.00000000000000E+0001\r\n") +
           " 1.00000000000000E+0001\r\n1\r\n1\r\n1\r\n"; // counter limits and increments
    qev += "2\r\n273\r\n238\r\n";                           // border style, width, height
    qev += "2\r\nPumpe\r\nVentil\r\n1\r\n0\r\n";           // outputs, refresh interval, static
    qev += "0\r\n\r\n0\r\n0\r\n0\r\n";                      // help, help file, centre, maximised, expanded
    for (int c = 0; c < 20; ++c) qev += " 0.00000000000000E+0000 \r\n";
    qev += "1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n1\r\n0\r\n1\r\n1\r\n"; // controls, visible before/after
    qev += "1\r\n0\r\n0\r\n0\r\n0\r\n";                     // key activation, on top, manager, pixels, ext I/O
    const std::string qevPath = writeTemp("abi.qev", qev);
    loadQev(a.instance(), qevPath.c_str());
    std::memset(names.data(), 0xAB, names.size());
    ioNames(names.data(), 0, readWindowSlot(a.instance()), 0);
    check(names[0] == 3 && names[1] == 2, "three inputs, two outputs");
    check(std::memcmp(names.data() + 2052, "Pumpe", 6) == 0 && std::memcmp(names.data() + 2093, "Ventil", 7) == 0,
          "outputs at bytes 2052 and 2093");
    check(std::memcmp(names.data() + 2, "Level", 6) == 0, "input 1 at byte 2");
    check(std::memcmp(names.data() + 43, longName.c_str(), 40) == 0 && names[83] == 0, "input 2 cut to 40");
    check(std::memcmp(names.data() + 84, "Temp", 5) == 0, "input 3 at byte 84");
    check(names[89] == 0xAB && names[2134] == 0xAB, "untouched bytes stay");

    // Inputs are scaled (x * 2 - 1) and limited to 0..5 before the step.
    unsigned char inputs[50 * kExtendedSize] = {};
    unsigned char outputs[50 * kExtendedSize] = {};
    writeExtended(inputs, 0, 2.5L);
    initSim(0.1L, a.instance(), inputs, outputs);
    for (int step = 1; step <= 5; ++step) simulate(0.1L * step, a.instance(), inputs, outputs);
    endSim(a.instance());
    check(true, "simulation ran");

    // The system-file section written by one instance reads back into another.
    const std::string sectionPath = writeTemp("abi.sys", "");
    int fd = open(sectionPath.c_str(), O_RDWR | O_TRUNC);
    writeFile(fd, a.instance());
    const off_t written = lseek(fd, 0, SEEK_CUR);
    const char tail[] = "HOST-LINE\r\n";
    check(write(fd, tail, sizeof tail - 1) == static_cast<ssize_t>(sizeof tail - 1), "host line after the section");
    lseek(fd, 0, SEEK_SET);
    readFile(fd, b.instance());
    check(lseek(fd, 0, SEEK_CUR) == written, "the handle stands after the section");
    close(fd);
    std::memset(names.data(), 0xAB, names.size());
    ioNames(names.data(), 0, readWindowSlot(b.instance()), 0);
    check(names[0] == 3 && std::memcmp(names.data() + 84, "Temp", 5) == 0, "names survive the system file");

    // A full disk: the host hears of it only on stderr.
    FILE* err = std::tmpfile();
    const int savedErr = dup(2), full = open("/dev/full", O_WRONLY);
    dup2(fileno(err), 2);
    writeFile(full, a.instance());
    dup2(savedErr, 2);
    char report[256] = {};
    check(pread(fileno(err), report, sizeof report - 1, 0) > 0 && std::strstr(report, "WriteToFile"),
          "a failed write is reported on stderr");
    close(savedErr), close(full), std::fclose(err);
    setPos(a.instance(), 2147483647, -2147483647 - 1); // overflowed int, as the sanitizers saw

    char line[512];
    std::memset(line, 'x', sizeof line);
    check(docLine(a.instance(), 0, line) == 0 && line[0] == 0, "no element: empty line, result 0");

    check(hide(a.instance()) != 0, "hide reports the visible window");
    show(a.instance());

    dispose(b.instance());
    dispose(a.instance());
    std::remove(qevPath.c_str());
    std::remove(sectionPath.c_str());

    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
