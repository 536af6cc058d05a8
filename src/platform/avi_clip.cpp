#include "platform/avi_clip.h"

#include "platform/file_cache.h"

#include <QFile>

#include <algorithm>
#include <cstdint>

namespace ovanto {
namespace {

constexpr int kMaxListDepth = 4;

std::uint32_t U32(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
std::uint16_t U16(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}
bool Is(const QByteArray& b, qsizetype at, const char (&id)[5]) { return b.mid(at, 4) == QByteArray(id, 4); }

// What the walk over the chunks has learned so far.
class Decoder {
public:
    explicit Decoder(const QByteArray& b) : m_b(b) {}

    void walk(qsizetype begin, qsizetype end, int depth, bool inMovie) {
        for (qsizetype pos = begin; end - pos >= 8;) {
            const qsizetype data = pos + 8;
            const qsizetype size = std::min<qsizetype>(U32(m_b, pos + 4), end - data);
            if (Is(m_b, pos, "LIST") || Is(m_b, pos, "RIFF")) {
                if (size >= 4 && depth < kMaxListDepth)
                    walk(data + 4, data + size, depth + 1, inMovie || Is(m_b, data, "movi"));
            } else {
                chunk(pos, data, size, inMovie);
            }
            pos = data + size + (size & 1);
        }
    }

    bool hasAudio = false;
    bool hasVideo = false;
    int msPerFrame = 0;
    int width = 0, height = 0;
    std::vector<QImage> frames;

private:
    void chunk(qsizetype pos, qsizetype data, qsizetype size, bool inMovie) {
        if (Is(m_b, pos, "avih") && size >= 4) {
            msPerFrame = static_cast<int>(std::min<std::uint32_t>(U32(m_b, data) / 1000, 60000));
        } else if (Is(m_b, pos, "strh") && size >= 28) {
            const bool video = Is(m_b, data, "vids");
            hasAudio = hasAudio || Is(m_b, data, "auds");
            m_formatFollows = video && m_videoStream < 0;
            if (m_formatFollows) {
                m_videoStream = m_streams;
                const std::uint32_t scale = U32(m_b, data + 20), rate = U32(m_b, data + 24);
                if (msPerFrame == 0 && rate > 0) msPerFrame = static_cast<int>(std::min<std::uint64_t>(1000ULL * scale / rate, 60000));
            }
            ++m_streams;
        } else if (Is(m_b, pos, "strf") && m_formatFollows) {
            m_formatFollows = false;
            format(data, size);
        } else if (inMovie && hasVideo) {
            const QByteArray id = m_b.mid(pos, 4);
            const bool digits = id[0] >= '0' && id[0] <= '9' && id[1] >= '0' && id[1] <= '9';
            if (!digits || (id[0] - '0') * 10 + (id[1] - '0') != m_videoStream) return;
            if (id.endsWith("pc")) palette(data, size);
            else if (id.endsWith("db") || id.endsWith("dc")) frame(data, size);
        }
    }

    void format(qsizetype data, qsizetype size) {
        if (size < 40) return;
        const std::uint32_t header = U32(m_b, data);
        const auto w = static_cast<std::int32_t>(U32(m_b, data + 4));
        const auto h = static_cast<std::int32_t>(U32(m_b, data + 8));
        m_bits = U16(m_b, data + 14);
        m_compression = U32(m_b, data + 16);
        std::uint32_t colours = U32(m_b, data + 32);
        m_topDown = h < 0;
        const long long rows = h < 0 ? -static_cast<long long>(h) : h;
        if (w < 1 || rows < 1 || w > AviClip::kMaxSide || rows > AviClip::kMaxSide) return;
        const bool rgb = m_compression == 0 && (m_bits == 8 || m_bits == 24);
        const bool rle = (m_compression == 1 && m_bits == 8) || (m_compression == 2 && m_bits == 4);
        if (!rgb && !rle) return;
        width = w, height = static_cast<int>(rows);
        m_indexed = m_bits != 24;
        if (m_indexed) {
            if (colours == 0 || colours > 256) colours = 1u << m_bits;
            m_palette = QList<QRgb>(256, qRgb(0, 0, 0));
            const qsizetype table = data + std::min<qsizetype>(header, size);
            for (std::uint32_t k = 0; k < colours && table + 4 * (k + 1) <= data + size; ++k) {
                const qsizetype at = table + 4 * k;
                m_palette[k] = qRgb(static_cast<unsigned char>(m_b[at + 2]), static_cast<unsigned char>(m_b[at + 1]),
                                    static_cast<unsigned char>(m_b[at]));
            }
            m_indices.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        } else {
            m_rgb = QImage(width, height, QImage::Format_RGB32);
            m_rgb.fill(Qt::black);
        }
        hasVideo = true;
    }

    void palette(qsizetype data, qsizetype size) {
        if (!m_indexed || size < 4) return;
        const int first = static_cast<unsigned char>(m_b[data]);
        int count = static_cast<unsigned char>(m_b[data + 1]);
        if (count == 0) count = 256;
        for (int k = 0; k < count && first + k < 256 && 4 + 4 * (k + 1) <= size; ++k) {
            const qsizetype at = data + 4 + 4 * k;
            m_palette[first + k] = qRgb(static_cast<unsigned char>(m_b[at]), static_cast<unsigned char>(m_b[at + 1]),
                                        static_cast<unsigned char>(m_b[at + 2]));
        }
    }

    // Row y counted from the bottom, as the bitmaps store them.
    void put(long long x, long long y, int index) {
        if (x >= 0 && x < width && y >= 0 && y < height)
            m_indices[static_cast<std::size_t>(y * width + x)] = static_cast<std::uint8_t>(index);
    }

    void frame(qsizetype data, qsizetype size) {
        const long long bytesPerFrame = static_cast<long long>(width) * height * (m_indexed ? 1 : 4);
        if (m_decoded + bytesPerFrame > AviClip::kMaxDecodedBytes) return;
        // An empty chunk repeats the frame before.
        if (size > 0) {
            if (m_compression == 1) rle(data, size, false);
            else if (m_compression == 2) rle(data, size, true);
            else if (!plain(data, size)) return;
        }
        m_decoded += bytesPerFrame;
        if (!m_indexed) {
            frames.push_back(m_rgb.copy());
            return;
        }
        QImage image(width, height, QImage::Format_Indexed8);
        image.setColorTable(m_palette);
        for (int y = 0; y < height; ++y)
            std::copy_n(m_indices.data() + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width),
                        width, image.scanLine(y));
        frames.push_back(std::move(image));
    }

    bool plain(qsizetype data, qsizetype size) {
        const long long stride = ((static_cast<long long>(width) * m_bits + 31) / 32) * 4;
        if (stride * height > size) return false;
        for (int row = 0; row < height; ++row) {
            const qsizetype at = data + static_cast<qsizetype>(stride * row);
            const int fromBottom = m_topDown ? height - 1 - row : row;
            if (m_indexed) {
                for (int x = 0; x < width; ++x) put(x, fromBottom, static_cast<unsigned char>(m_b[at + x]));
            } else {
                auto* line = reinterpret_cast<QRgb*>(m_rgb.scanLine(height - 1 - fromBottom));
                for (int x = 0; x < width; ++x) {
                    const qsizetype p = at + 3 * x;
                    line[x] = qRgb(static_cast<unsigned char>(m_b[p + 2]), static_cast<unsigned char>(m_b[p + 1]),
                                   static_cast<unsigned char>(m_b[p]));
                }
            }
        }
        return true;
    }

    // Runs and literal stretches over the previous frame; every step eats input, so the loop ends.
    void rle(qsizetype data, qsizetype size, bool nibbles) {
        const auto at = [&](qsizetype i) { return static_cast<int>(static_cast<unsigned char>(m_b[data + i])); };
        long long x = 0, y = 0;
        qsizetype i = 0;
        while (i + 1 < size && y < height) {
            const int count = at(i), value = at(i + 1);
            i += 2;
            if (count > 0) {
                for (int k = 0; k < count && x < width; ++k, ++x)
                    put(x, y, nibbles ? (k & 1 ? value & 0x0F : value >> 4) : value);
            } else if (value == 0) {
                x = 0, ++y;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                if (i + 1 >= size) break;
                x = std::min<long long>(x + at(i), width), y += at(i + 1);
                i += 2;
            } else {
                const qsizetype bytes = nibbles ? (value + 1) / 2 : value;
                for (int k = 0; k < value && x < width; ++k, ++x) {
                    const qsizetype b = nibbles ? k / 2 : k;
                    if (i + b >= size) break;
                    put(x, y, nibbles ? (k & 1 ? at(i + b) & 0x0F : at(i + b) >> 4) : at(i + b));
                }
                i += bytes + (bytes & 1);
            }
        }
    }

    const QByteArray& m_b;
    int m_streams = 0;
    int m_videoStream = -1;
    bool m_formatFollows = false;
    int m_bits = 0;
    std::uint32_t m_compression = 0;
    bool m_topDown = false;
    bool m_indexed = false;
    QList<QRgb> m_palette;
    std::vector<std::uint8_t> m_indices;
    QImage m_rgb;
    long long m_decoded = 0;
};

} // namespace

AviClip AviClip::read(const QByteArray& bytes) {
    AviClip clip;
    if (bytes.size() > kMaxFileSize || bytes.size() < 12 || !Is(bytes, 0, "RIFF") || !Is(bytes, 8, "AVI ")) return clip;
    Decoder decoder(bytes);
    decoder.walk(12, std::min<qsizetype>(bytes.size(), 8 + static_cast<qsizetype>(U32(bytes, 4))), 1, false);
    if (decoder.hasAudio) {
        clip.m_status = Status::HasAudio;
        return clip;
    }
    if (!decoder.hasVideo || decoder.frames.empty()) {
        clip.m_status = Status::Unsupported;
        return clip;
    }
    clip.m_status = Status::Ok;
    clip.m_width = decoder.width;
    clip.m_height = decoder.height;
    clip.m_msPerFrame = std::max(1, decoder.msPerFrame == 0 ? 100 : decoder.msPerFrame);
    clip.m_frames = std::move(decoder.frames);
    return clip;
}

std::shared_ptr<const AviClip> LoadAviClip(const QString& path) {
    // Clips are large once decoded; a few are enough for a window.
    static FileCache<std::shared_ptr<const AviClip>> cache(4);
    return cache.get(path, [](const QString& file) -> std::shared_ptr<const AviClip> {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return nullptr;
        return std::make_shared<const AviClip>(AviClip::read(f.read(AviClip::kMaxFileSize + 1)));
    });
}

void ClipPlayback::start(int frames, int rounds) {
    m_frames = std::max(frames, 0);
    m_frame = 0;
    m_roundsLeft = std::max(rounds, 0);
    m_playing = m_frames > 0;
}

void ClipPlayback::advance() {
    if (!m_playing) return;
    if (m_frame + 1 < m_frames) {
        ++m_frame;
        return;
    }
    if (m_roundsLeft == 1) {
        m_playing = false;
        return;
    }
    if (m_roundsLeft > 1) --m_roundsLeft;
    m_frame = 0;
}

void ClipPlayback::seek(int frame, int frames) {
    m_playing = false;
    m_frames = std::max(frames, 0);
    m_frame = std::clamp(frame - 1, 0, std::max(m_frames - 1, 0));
}

} // namespace ovanto
