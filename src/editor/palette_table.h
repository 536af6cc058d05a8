#pragma once

#include <QString>

#include <memory>
#include <span>

namespace ovanto {

class ElementContext;
class TGraph;

// One button of the element palette. Tags 0..81 create the kind of their
// keyword; tags 100..120 the ready-made picture sequences.
struct PaletteEntry {
    int page; // index into PalettePages()
    const char* hint;
    int tag;
    const char* keyword;
};

std::span<const char* const> PalettePages();
// In page order, the order of the buttons.
std::span<const PaletteEntry> PaletteEntries();
const PaletteEntry* PaletteEntryOfTag(int tag);
constexpr int kFirstSequenceTag = 100;

// The element of a palette tag, not yet in any list; nullptr for an unknown tag
// or a kind that is not built in.
std::unique_ptr<TGraph> MakePaletteElement(ElementContext& window, int tag);

} // namespace ovanto
