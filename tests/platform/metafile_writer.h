#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace ovanto::testing {

// Writes metafiles record by record; parameters are 16-bit words in file order.
class WmfWriter {
public:
    // With a placeable header when the box is not empty.
    explicit WmfWriter(int left = 0, int top = 0, int right = 0, int bottom = 0, std::uint16_t objects = 8) {
        if (left != right) {
            put32(0x9AC6CDD7u);
            for (const int v : {0, left, top, right, bottom, 1440, 0, 0, 0}) put16(v);
        }
        for (const int v : {1, 9, 0x0300, 0, 0, int{objects}, 0, 0, 0}) put16(v);
    }
    WmfWriter& record(std::uint16_t function, std::vector<int> words) {
        put32(static_cast<std::uint32_t>(words.size() + 3));
        put16(function);
        for (const int w : words) put16(w);
        return *this;
    }
    QByteArray bytes() {
        QByteArray out = m_bytes;
        out.append("\x03\x00\x00\x00\x00\x00", 6); // end of file
        return out;
    }

    // Records in the argument order of the calls that made them.
    WmfWriter& pen(int style, int width, std::uint32_t colour) {
        return record(0x02FA, {style, width, 0, lo(colour), hi(colour)});
    }
    WmfWriter& brush(int style, std::uint32_t colour, int hatch = 0) {
        return record(0x02FC, {style, lo(colour), hi(colour), hatch});
    }
    WmfWriter& select(int index) { return record(0x012D, {index}); }
    WmfWriter& rectangle(int l, int t, int r, int b) { return record(0x041B, {b, r, t, l}); }
    WmfWriter& ellipse(int l, int t, int r, int b) { return record(0x0418, {b, r, t, l}); }
    WmfWriter& windowOrg(int x, int y) { return record(0x020B, {y, x}); }
    WmfWriter& windowExt(int x, int y) { return record(0x020C, {y, x}); }
    WmfWriter& polygon(std::initializer_list<int> xy) {
        std::vector<int> words{static_cast<int>(xy.size() / 2)};
        words.insert(words.end(), xy);
        return record(0x0324, words);
    }
    // A 24-bit bottom-up bitmap stretched over (x, y, w, h).
    WmfWriter& stretchDib(const QImage& image, int x, int y, int w, int h) {
        std::vector<int> words{0x0020, 0x00CC, 0, image.height(), image.width(), 0, 0, h, w, y, x};
        const int stride = (image.width() * 3 + 3) / 4 * 4;
        QByteArray dib;
        const auto add32 = [&](std::uint32_t v) { for (int k = 0; k < 4; ++k) dib.append(char((v >> (8 * k)) & 0xFF)); };
        add32(40), add32(static_cast<std::uint32_t>(image.width())), add32(static_cast<std::uint32_t>(image.height()));
        add32(1 | (24 << 16)), add32(0), add32(static_cast<std::uint32_t>(stride * image.height()));
        add32(0), add32(0), add32(0), add32(0);
        for (int row = image.height() - 1; row >= 0; --row) {
            for (int column = 0; column < image.width(); ++column) {
                const QRgb p = image.pixel(column, row);
                dib.append(char(qBlue(p))).append(char(qGreen(p))).append(char(qRed(p)));
            }
            dib.append(QByteArray(stride - image.width() * 3, '\0'));
        }
        for (qsizetype k = 0; k + 1 < dib.size(); k += 2)
            words.push_back(static_cast<unsigned char>(dib[k]) | (static_cast<unsigned char>(dib[k + 1]) << 8));
        return record(0x0F43, words);
    }

private:
    static int lo(std::uint32_t v) { return static_cast<int>(v & 0xFFFF); }
    static int hi(std::uint32_t v) { return static_cast<int>(v >> 16); }
    void put16(int v) { m_bytes.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
    void put32(std::uint32_t v) { put16(lo(v)), put16(hi(v)); }

    QByteArray m_bytes;
};

} // namespace ovanto::testing
