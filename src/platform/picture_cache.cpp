#include "platform/picture_cache.h"

#include "platform/file_cache.h"

namespace ovanto {

Picture LoadPictureFile(const QString& path) {
    static FileCache<Picture> cache(32);
    return cache.get(path, [](const QString& file) { return Picture::fromFile(file); });
}

} // namespace ovanto
