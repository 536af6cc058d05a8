#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>
#include <vector>

namespace ovanto {

// A silent video clip read from a RIFF AVI file: uncompressed 8- or 24-bit
// frames, or RLE8 / RLE4 frames that paint over the one before. Every frame is
// decoded on reading, so showing any of them later costs nothing.
class AviClip {
public:
    static constexpr qsizetype kMaxFileSize = 64 * 1024 * 1024;
    // Decoded frames together; a longer clip ends where the budget does.
    static constexpr long long kMaxDecodedBytes = 64LL * 1024 * 1024;
    static constexpr int kMaxSide = 2048;

    enum class Status { Ok, NotAvi, HasAudio, Unsupported };

    static AviClip read(const QByteArray& bytes);

    Status status() const { return m_status; }
    bool ok() const { return m_status == Status::Ok && !m_frames.empty(); }
    int frameCount() const { return static_cast<int>(m_frames.size()); }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // At least 1 ms.
    int millisecondsPerFrame() const { return m_msPerFrame; }
    // Frame 0..frameCount()-1.
    const QImage& frame(int index) const { return m_frames[static_cast<std::size_t>(index)]; }

private:
    Status m_status = Status::NotAvi;
    int m_width = 0;
    int m_height = 0;
    int m_msPerFrame = 100;
    std::vector<QImage> m_frames;
};

// The clip of a file, read again only when the file changes; nullptr when it cannot be read at all.
std::shared_ptr<const AviClip> LoadAviClip(const QString& path);

// Free play of a clip: frame by frame, a number of rounds (0 = endless), then it stays on the last frame.
class ClipPlayback {
public:
    void start(int frames, int rounds);
    void stop() { m_playing = false; }
    // One frame interval passed.
    void advance();
    // Shows a single frame (1-based; clamped), stopping free play.
    void seek(int frame, int frames);

    bool playing() const { return m_playing; }
    // 0-based.
    int frame() const { return m_frame; }

private:
    bool m_playing = false;
    int m_frame = 0;
    int m_frames = 0;
    int m_roundsLeft = 0; // 0 = endless
};

} // namespace ovanto
