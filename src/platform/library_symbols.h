#pragma once

#include <QImage>

#include <span>

namespace ovanto {

// The process symbols of the built-in picture store: 40 x 40 pictures drawn
// by the program at first use, numbered in groups from 1001 on. The
// bottom-left pixel is the colour left out when drawn transparent.
struct LibrarySymbol {
    int id;
    const char* name;
};
// Ascending by number.
std::span<const LibrarySymbol> LibrarySymbols();
QImage DrawLibrarySymbol(int id);
// Registers every symbol with the picture library; repeated calls do no harm.
void RegisterLibrarySymbols();

} // namespace ovanto
