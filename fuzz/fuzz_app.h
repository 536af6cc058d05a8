#pragma once
// What the harnesses that need widgets share: one offscreen application for
// the whole run, and a memory file to hand the input to a reader.

#include <QApplication>
#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace ovanto::fuzz {

// Stops the process so that libFuzzer reports the input.
inline void check(bool condition) {
    if (!condition) __builtin_trap();
}

// Created once and never destroyed: Qt's own teardown at exit is not under test.
inline void startApplication() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Warnings about odd geometry and the like would drown the fuzzer's output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
            std::abort();
        }
    });
    static int argc = 1;
    static char name[] = "ovanto_fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

// An anonymous file that holds the current input, rewound to its start.
class MemoryFile {
public:
    MemoryFile() : m_fd(memfd_create("ovanto_fuzz", 0)) { check(m_fd >= 0); }
    ~MemoryFile() { close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    int fill(const std::uint8_t* data, std::size_t size) {
        check(ftruncate(m_fd, 0) == 0);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = pwrite(m_fd, data + done, size - done, static_cast<off_t>(done));
            check(n > 0);
            done += static_cast<std::size_t>(n);
        }
        check(lseek(m_fd, 0, SEEK_SET) == 0);
        return m_fd;
    }
    // A path that opens the same file, for readers that take a file name.
    QString path() const { return QStringLiteral("/proc/self/fd/%1").arg(m_fd); }

private:
    int m_fd;
};

} // namespace ovanto::fuzz
