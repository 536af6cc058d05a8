#pragma once

#include <QByteArray>
#include <QList>
#include <QRgb>

#include <cstdint>
#include <vector>

namespace ovanto::testing {

// Writes RIFF AVI clips: one video stream, optionally an audio stream, frames as given.
class AviWriter {
public:
    // compression 0 (bits 8 or 24), 1 (RLE8) or 2 (RLE4); the palette for 4 and 8 bits.
    AviWriter(int width, int height, int bits, int compression, QList<QRgb> palette = {})
        : m_width(width), m_height(height), m_bits(bits), m_compression(compression), m_palette(std::move(palette)) {}

    AviWriter& withAudio() {
        m_audio = true;
        return *this;
    }
    // The chunk data as the stream stores it (rows bottom-up, padded; or RLE codes).
    AviWriter& frame(const QByteArray& data) {
        m_frames.push_back(data);
        return *this;
    }

    QByteArray bytes() const {
        QByteArray avih = u32(40000) + u32(0) + u32(0) + u32(0x10) + u32(m_frames.size()) + u32(0) +
                          u32(m_audio ? 2 : 1) + u32(0) + u32(m_width) + u32(m_height) + QByteArray(16, '\0');
        QByteArray strh = QByteArray("vids") + QByteArray(m_compression == 0 ? "DIB " : "mrle") + u32(0) + u32(0) +
                          u32(0) + u32(1) + u32(25) + u32(0) + u32(m_frames.size()) + QByteArray(20, '\0');
        QByteArray palette;
        for (const QRgb c : m_palette) palette += char(qBlue(c)), palette += char(qGreen(c)), palette += char(qRed(c)), palette += '\0';
        QByteArray strf = u32(40) + u32(m_width) + u32(m_height) + u16(1) + u16(m_bits) + u32(m_compression) + u32(0) +
                          u32(0) + u32(0) + u32(m_palette.size()) + u32(0) + palette;
        QByteArray hdrl = chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf));
        if (m_audio)
            hdrl += list("strl", chunk("strh", QByteArray("auds") + QByteArray(52, '\0')) + chunk("strf", QByteArray(16, '\0')));
        QByteArray movi;
        for (const QByteArray& f : m_frames) movi += chunk(m_compression == 0 ? "00db" : "00dc", f);
        return chunk("RIFF", QByteArray("AVI ") + list("hdrl", hdrl) + list("movi", movi));
    }

    static QByteArray u32(qsizetype v) { return u16(v & 0xFFFF) + u16((v >> 16) & 0xFFFF); }
    static QByteArray u16(qsizetype v) { return QByteArray(1, char(v & 0xFF)) + char((v >> 8) & 0xFF); }
    static QByteArray chunk(const char* id, const QByteArray& data) {
        QByteArray out = QByteArray(id, 4) + u32(data.size()) + data;
        if (data.size() & 1) out += '\0';
        return out;
    }
    static QByteArray list(const char* type, const QByteArray& data) { return chunk("LIST", QByteArray(type, 4) + data); }

private:
    int m_width, m_height, m_bits, m_compression;
    QList<QRgb> m_palette;
    bool m_audio = false;
    std::vector<QByteArray> m_frames;
};

} // namespace ovanto::testing
