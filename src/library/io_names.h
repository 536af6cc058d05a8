#pragma once

#include "host/block_configuration.h"

#include <QByteArray>

namespace ovanto {

class BlockWindow;

// Fills the host's I/O name record: the two counts, then the name of every
// existing input and output, each cut to 40 characters and NUL-terminated.
// Nothing else in the record is touched.
void WriteIoNames(const BlockConfiguration& configuration, unsigned char* record);

// Text as the host reads it: 8-bit Windows-1252.
QByteArray EncodeHostText(const QString& text);

} // namespace ovanto
