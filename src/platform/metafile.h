#pragma once

#include "platform/picture.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace ovanto {

class Canvas;

// A Windows metafile (with or without the placeable header) read into memory.
// Every record is checked against the file once here, so playing it only has
// to check parameter counts. Bitmaps inside are decoded here as well.
class Metafile {
public:
    // Larger files are refused rather than read.
    static constexpr qsizetype kMaxFileSize = 16 * 1024 * 1024;
    // Pixels of all embedded bitmaps together; further bitmaps are left out.
    static constexpr long long kMaxBitmapPixels = 16LL * 1024 * 1024;

    struct Record {
        std::uint16_t function;
        std::uint32_t offset; // of the first parameter word, in bytes
        std::uint32_t words;  // parameter words
        int picture = -1;     // index into pictures() for bitmap records
    };
    // The logical rectangle that is stretched into the target.
    struct Frame {
        double left = 0, top = 0, width = 1, height = 1;
    };

    // nullopt when the bytes are no metafile or a record runs past the end.
    static std::optional<Metafile> parse(const QByteArray& bytes);

    const std::vector<Record>& records() const { return m_records; }
    const Frame& frame() const { return m_frame; }
    bool placeable() const { return m_placeable; }
    // Slots of the object table that the records can fill.
    int objectSlots() const { return m_objectSlots; }
    const std::vector<Picture>& pictures() const { return m_pictures; }

    // Parameter word i of r as signed and unsigned; 0 past the record.
    std::int16_t s16(const Record& r, std::uint32_t i) const;
    std::uint16_t u16(const Record& r, std::uint32_t i) const { return static_cast<std::uint16_t>(s16(r, i)); }
    std::uint32_t u32(const Record& r, std::uint32_t i) const { return u16(r, i) | (std::uint32_t{u16(r, i + 1)} << 16); }
    // The parameter bytes from word i on.
    QByteArray bytes(const Record& r, std::uint32_t i) const;

private:
    QByteArray m_data;
    std::vector<Record> m_records;
    std::vector<Picture> m_pictures;
    Frame m_frame;
    bool m_placeable = false;
    int m_objectSlots = 0;
};

// A device-independent bitmap as metafiles and clips carry it (header, colours, bits),
// or an empty image when it is malformed or larger than maxPixels.
QImage DecodeDib(const QByteArray& dib, long long maxPixels);

// Plays the metafile with its frame stretched onto (left, top, right, bottom);
// nothing is drawn outside that rectangle. The canvas state is restored after.
void PlayMetafile(Canvas& canvas, const Metafile& metafile, int left, int top, int right, int bottom);

// The parsed metafile of a file, read again only when its modification time or
// size changes; nullptr when it cannot be read or parsed (also remembered).
std::shared_ptr<const Metafile> LoadMetafile(const QString& path);

} // namespace ovanto
