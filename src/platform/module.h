#pragma once

#include <QString>

namespace ovanto {

// Facts about the loaded library itself: its version and where it lives.
class Module {
public:
    // The file version text, "6.0.0.435".
    static QString versionText();
    // The part after the last "." as an integer: the record version this build writes.
    static int recordVersion();
    // The directory that holds the binary this code was linked into.
    static QString directory();
};

} // namespace ovanto
