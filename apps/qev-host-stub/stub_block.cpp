// A stand-in block library for testing hosts: every export, trivially. Calls
// are appended to the file named by OVANTO_STUB_LOG; outputs o1..o3 echo
// inputs i1..i3; the file section is two lines, kept and written back.
// OVANTO_STUB_SECTION_TAIL adds a line to every section written, one its own
// reader leaves unread.

#include "host/host_abi.h"

#include <QPainter>

#include <algorithm>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#define STUB_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using namespace ovanto::abi;

void logLine(const std::string& text) {
    const char* path = std::getenv("OVANTO_STUB_LOG");
    if (!path || !*path)
        return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s\n", text.c_str());
        std::fclose(f);
    }
}

std::string num(long double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(v));
    return buffer;
}

// Its class name carries TForm1, so hosts grab it like an animation window.
class TForm1Stub final : public QWidget {
    Q_OBJECT
public:
    TForm1Stub() {
        setWindowTitle(QStringLiteral("Ovanto"));
        resize(120, 80);
    }
    std::string section = "fresh";
    double level = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const int h = static_cast<int>(std::clamp(level, 0.0, 100.0) * 0.6);
        p.fillRect(40, 70 - h, 40, h, Qt::blue);
    }
};

TForm1Stub* windowOf(void* instance) { return static_cast<TForm1Stub*>(readWindowSlot(instance)); }

bool readSectionLine(int fd, std::string& line) {
    line.clear();
    char c = 0;
    while (::read(fd, &c, 1) == 1) {
        if (c == '\n' && !line.empty() && line.back() == '\r') {
            line.pop_back();
            return true;
        }
        line.push_back(c);
    }
    return false;
}

void writeText(int fd, const std::string& text) {
    const std::string data = text + "\r\n";
    if (::write(fd, data.data(), data.size()) != static_cast<ssize_t>(data.size()))
        logLine("WriteToFile short write");
}

void fillNames(void* names) {
    auto* p = static_cast<unsigned char*>(names);
    p[0] = 6;
    p[1] = 3;
    for (int k = 0; k < 6; ++k)
        std::snprintf(reinterpret_cast<char*>(p + kInputNamesOffset + kIoNameSlot * static_cast<std::size_t>(k)),
                      kIoNameSlot, "I%d", k + 1);
    for (int k = 0; k < 3; ++k)
        std::snprintf(reinterpret_cast<char*>(p + kOutputNamesOffset + kIoNameSlot * static_cast<std::size_t>(k)),
                      kIoNameSlot, "O%d", k + 1);
}

void step(const char* what, long double t, void* instance, const void* inputs, void* outputs) {
    std::string line = std::string(what) + " " + num(t);
    for (std::size_t k = 0; k < 3; ++k) {
        const long double v = readExtended(inputs, k);
        writeExtended(outputs, k, v);
        line += " " + num(v);
    }
    logLine(line);
    if (TForm1Stub* w = windowOf(instance))
        w->level = static_cast<double>(readExtended(inputs, 0));
}

} // namespace

STUB_EXPORT void GetParameterStruct(void* record) { std::memset(record, 0, 3); }
STUB_EXPORT void GetDialogEnableStruct(void* record, int32_t) { std::memset(record, 0xFF, 12); }
STUB_EXPORT void GetNumberOfInputsOutputs2(void* names, int32_t, void* window, int32_t) {
    if (window)
        fillNames(names);
}
STUB_EXPORT void CallParameterDialogDLL(void*, void* names) {
    logLine("CallParameterDialogDLL");
    fillNames(names);
}
STUB_EXPORT int32_t CanSimulateDLL(int32_t) { return 1; }
STUB_EXPORT void InitSimulationDLL2(long double stepSize, void* instance, const void* inputs, void* outputs) {
    logLine("InitSimulationDLL2 " + num(stepSize));
    step("SimulateDLL", 0, instance, inputs, outputs);
}
STUB_EXPORT void SimulateDLL(long double t, void* instance, const void* inputs, void* outputs) {
    step("SimulateDLL", t, instance, inputs, outputs);
}
STUB_EXPORT void EndSimulationDLL2(void*) { logLine("EndSimulationDLL2"); }
STUB_EXPORT int32_t InitUserDLL(void* instance) {
    auto* w = new TForm1Stub;
    writeWindowSlot(instance, w);
    w->show();
    logLine(std::string("InitUserDLL host=") + (readHostWindow(instance) ? "window" : "0"));
    return 1;
}
STUB_EXPORT void InitUserDLL2(void* instance, const char*) { InitUserDLL(instance); }
STUB_EXPORT void DisposeUserDLL(void* instance) {
    logLine("DisposeUserDLL");
    delete windowOf(instance);
}
STUB_EXPORT const char* GetDLLName() { return "Ovanto"; }
STUB_EXPORT int32_t ShowWindowDLL(void* instance) {
    windowOf(instance)->showNormal();
    return 1;
}
STUB_EXPORT int32_t HideWindowDLL(void* instance) {
    windowOf(instance)->showMinimized();
    return 1;
}
STUB_EXPORT void WriteToFile(int32_t fileHandle, void* instance) {
    const int fd = fileHandle & 0xFFFF;
    writeText(fd, "STUB-SECTION");
    writeText(fd, windowOf(instance)->section);
    if (const char* tail = std::getenv("OVANTO_STUB_SECTION_TAIL"))
        writeText(fd, tail);
    logLine("WriteToFile " + windowOf(instance)->section);
}
STUB_EXPORT void ReadFromFile(int32_t fileHandle, void* instance) {
    const int fd = fileHandle & 0xFFFF;
    std::string head, text;
    if (!readSectionLine(fd, head) || head != "STUB-SECTION" || !readSectionLine(fd, text)) {
        logLine("ReadFromFile bad section");
        return;
    }
    windowOf(instance)->section = text;
    logLine("ReadFromFile " + text);
}
STUB_EXPORT int32_t NumberOfLinesInSystemFile() { return 0; }
STUB_EXPORT int32_t WriteParToDocFileDLL(void*, int32_t, char* text) {
    text[0] = '\0';
    return 0;
}
STUB_EXPORT void LoadQEVFile(void*, const char* path) { logLine(std::string("LoadQEVFile ") + path); }
STUB_EXPORT void SetQEVWindowPos(void* instance, int32_t x, int32_t y) { windowOf(instance)->move(x, y); }
STUB_EXPORT int32_t SetQEVManWindowPos(int32_t, int32_t) { return 0; }
STUB_EXPORT void IsUserDLL32() {}

#include "stub_block.moc"
