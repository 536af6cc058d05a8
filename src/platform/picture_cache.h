#pragma once

#include "platform/picture.h"

#include <QString>

namespace ovanto {

// The picture of a file, read again only when its modification time or size
// changes; an empty picture when it cannot be read. Copies share the pixels.
Picture LoadPictureFile(const QString& path);

} // namespace ovanto
