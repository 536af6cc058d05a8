#pragma once

#include <QByteArray>
#include <QString>

#include <utility>

namespace ovanto {

// Conversions of one configuration line. Lenient ones give 0 for anything
// that is not a number; strict ones raise ConversionError.
int LenientInt(const QByteArray& line);
long double LenientFloat(const QByteArray& line);
int StrictInt(const QByteArray& line);
long double StrictFloat(const QByteArray& line);
inline bool LenientFlag(const QByteArray& line) { return LenientInt(line) != 0; }
inline bool StrictFlag(const QByteArray& line) { return StrictInt(line) != 0; }

// Collects configuration lines as Windows-1252 text, each ended by CR LF.
class ConfigLineWriter {
public:
    // A CR or LF inside a text would split it into two lines on reading, so
    // both become blanks.
    void text(const QString& line);
    void text(const QString& line, qsizetype maxLength);
    void integer(int value);
    void flag(bool value) { integer(value ? 1 : 0); }
    void number(long double value); // the 23-character float form
    void raw(const QByteArray& line);

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads the lines of a host system-file section from a file descriptor and
// leaves it right after the last line read: a seekable descriptor is read in
// blocks and the unread rest handed back when the reader goes, any other one
// byte by byte. Only CR LF ends a line; a line is cut to 1000 characters and
// the rest of it up to the CR LF skipped. The end of the file ends a line and
// the reading.
class DescriptorLineReader {
public:
    static constexpr qsizetype kMaxLine = 1000;

    explicit DescriptorLineReader(int fd);
    ~DescriptorLineReader();
    DescriptorLineReader(const DescriptorLineReader&) = delete;
    DescriptorLineReader& operator=(const DescriptorLineReader&) = delete;

    // False when nothing is left.
    bool next(QByteArray& line);

private:
    bool nextByte(char& c);

    int m_fd;
    bool m_seekable;
    bool m_atEnd = false;
    qsizetype m_pos = 0;
    qsizetype m_length = 0;
    char m_buffer[4096];
};

// Lines of an animation file held in memory; CR LF and LF alone both end a line.
class BufferLineReader {
public:
    explicit BufferLineReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    bool next(QByteArray& line);

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

} // namespace ovanto
