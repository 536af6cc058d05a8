#pragma once

// The host's own lines of a system file, read and written directly on a file
// descriptor: the block sections in between are read by the block library
// from the same descriptor, so nothing here may read ahead.

#include <QString>

#include <string>

// Reads one line up to CR LF, byte by byte; a lone CR or LF stays in the line.
// Lines longer than maxLength are cut (the rest up to CR LF is skipped).
// False at the end of the file when nothing was read.
bool readLine(int fd, std::string& line, std::size_t maxLength = 4096);
// Writes text and CR LF; false on a write error.
bool writeLine(int fd, const std::string& text);

struct SystemSettings {
    double stepSize = 0.1;     // s
    double endTime = 0;        // s; 0 runs until stopped
    bool csvInputs = false;    // else the plant model
    QString csvPath;           // relative paths are taken from the system file's directory
    bool sampleHold = false;   // else linear interpolation
    bool blockControls = false; // block outputs o1..o3 drive the plant; else the stand-in controller
    int blockCount = 1;
};

inline constexpr const char* kSystemMagic = "VELOR-SYSTEM 1";
