#pragma once

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <unistd.h>

namespace ovanto::testing {

// An anonymous file standing in for the host's system file.
class SectionFile {
public:
    SectionFile() : m_file(std::tmpfile()) {}
    ~SectionFile() {
        if (m_file) std::fclose(m_file);
    }
    SectionFile(const SectionFile&) = delete;
    SectionFile& operator=(const SectionFile&) = delete;

    int fd() const { return fileno(m_file); }
    void append(const QByteArray& bytes) const {
        ::lseek(fd(), 0, SEEK_END);
        [[maybe_unused]] const auto n = ::write(fd(), bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    void rewind() const { ::lseek(fd(), 0, SEEK_SET); }
    QByteArray contents() const {
        const off_t here = ::lseek(fd(), 0, SEEK_CUR);
        QByteArray all;
        ::lseek(fd(), 0, SEEK_SET);
        char buffer[4096];
        for (ssize_t n; (n = ::read(fd(), buffer, sizeof buffer)) > 0;) all.append(buffer, n);
        ::lseek(fd(), here, SEEK_SET);
        return all;
    }
    // What a reader left for the host.
    QByteArray rest() const {
        QByteArray all;
        char buffer[4096];
        for (ssize_t n; (n = ::read(fd(), buffer, sizeof buffer)) > 0;) all.append(buffer, n);
        return all;
    }
    QList<QByteArray> lines() const {
        QList<QByteArray> l = contents().split('\n');
        for (QByteArray& line : l)
            if (line.endsWith('\r')) line.chop(1);
        if (!l.isEmpty() && l.back().isEmpty()) l.pop_back();
        return l;
    }

private:
    std::FILE* m_file;
};

inline QByteArray crlfLines(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines) out += l + "\r\n";
    return out;
}

} // namespace ovanto::testing
