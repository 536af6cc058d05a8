#pragma once

#include <QFile>
#include <QString>

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <utility>

namespace ovanto {

// What tells a changed file from the one read before.
struct FileStamp {
    std::int64_t seconds = 0;
    std::int64_t nanoseconds = 0;
    std::int64_t size = -1;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of a regular file, or nullopt-like size -1 when there is none.
inline FileStamp StampOf(const QString& path) {
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    return {static_cast<std::int64_t>(info.st_mtim.tv_sec), static_cast<std::int64_t>(info.st_mtim.tv_nsec),
            static_cast<std::int64_t>(info.st_size)};
}

// What a file gave when it was last read, kept while its modification time and
// size stay; a stat per use instead of a read. The most recently used entries stay.
template <class Value>
class FileCache {
public:
    explicit FileCache(std::size_t capacity) : m_capacity(capacity) {}

    // load(path) runs when the path is new or its file changed; a missing file gives Value{}.
    template <class Load>
    Value get(const QString& path, Load load) {
        const FileStamp stamp = StampOf(path);
        if (stamp.size < 0) return Value{};
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            if (it->path != path) continue;
            if (it->stamp != stamp) {
                it->stamp = stamp;
                it->value = load(path);
            }
            m_entries.splice(m_entries.begin(), m_entries, it);
            return m_entries.front().value;
        }
        m_entries.push_front({path, stamp, load(path)});
        if (m_entries.size() > m_capacity) m_entries.pop_back();
        return m_entries.front().value;
    }

    void clear() { m_entries.clear(); }

private:
    struct Entry {
        QString path;
        FileStamp stamp;
        Value value;
    };
    std::size_t m_capacity;
    std::list<Entry> m_entries;
};

} // namespace ovanto
