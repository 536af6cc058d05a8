#include "host/config_lines.h"

#include "elements/core/formula/parse_float.h"
#include "elements/core/number_text.h"
#include "elements/core/record.h"
#include "platform/text_codec_1252.h"

#include <cerrno>
#include <string_view>
#include <unistd.h>

namespace ovanto {
namespace {

std::string_view view(const QByteArray& line) {
    return {line.constData(), static_cast<std::size_t>(line.size())};
}

} // namespace

int LenientInt(const QByteArray& line) {
    int value = 0;
    return TryParseInt(view(line), value) ? value : 0;
}

long double LenientFloat(const QByteArray& line) {
    long double value = 0;
    return TryParseFloat(view(line), value) ? value : 0.0L;
}

int StrictInt(const QByteArray& line) { return ParseInt(view(line)); }

long double StrictFloat(const QByteArray& line) { return ParseFloat(view(line)); }

void ConfigLineWriter::text(const QString& line) { text(line, -1); }

void ConfigLineWriter::text(const QString& line, qsizetype maxLength) {
    QByteArray bytes = EncodeWindows1252(maxLength >= 0 ? line.left(maxLength) : line);
    bytes.replace('\r', ' ').replace('\n', ' ');
    raw(bytes);
}

void ConfigLineWriter::integer(int value) { raw(QByteArray::number(value)); }

void ConfigLineWriter::number(long double value) { raw(FloatToFileText(value).toLatin1()); }

void ConfigLineWriter::raw(const QByteArray& line) {
    m_bytes.append(line);
    m_bytes.append("\r\n", 2);
}

DescriptorLineReader::DescriptorLineReader(int fd) : m_fd(fd), m_seekable(::lseek(fd, 0, SEEK_CUR) >= 0) {}

DescriptorLineReader::~DescriptorLineReader() {
    if (m_seekable && m_length > m_pos) ::lseek(m_fd, -static_cast<off_t>(m_length - m_pos), SEEK_CUR);
}

bool DescriptorLineReader::nextByte(char& c) {
    if (m_pos == m_length) {
        ssize_t n;
        do n = ::read(m_fd, m_buffer, m_seekable ? sizeof m_buffer : 1);
        while (n < 0 && errno == EINTR);
        if (n <= 0) return false;
        m_pos = 0;
        m_length = n;
    }
    c = m_buffer[m_pos++];
    return true;
}

bool DescriptorLineReader::next(QByteArray& line) {
    line.clear();
    if (m_atEnd) return false;
    bool any = false;
    bool pendingCr = false;
    auto keep = [&](char c) {
        if (line.size() < kMaxLine) line.append(c);
    };
    for (char c = 0;;) {
        if (!nextByte(c)) {
            m_atEnd = true;
            if (pendingCr) keep('\r');
            return any;
        }
        any = true;
        if (pendingCr) {
            if (c == '\n') return true;
            keep('\r');
            pendingCr = false;
        }
        if (c == '\r')
            pendingCr = true;
        else
            keep(c);
    }
}

bool BufferLineReader::next(QByteArray& line) {
    if (m_pos >= m_bytes.size()) {
        line.clear();
        return false;
    }
    qsizetype end = m_bytes.indexOf('\n', m_pos);
    const qsizetype next = end < 0 ? m_bytes.size() : end + 1;
    if (end < 0) end = m_bytes.size();
    if (end > m_pos && m_bytes[end - 1] == '\r' && end < m_bytes.size()) --end;
    line = m_bytes.mid(m_pos, end - m_pos);
    m_pos = next;
    return true;
}

} // namespace ovanto
