#pragma once

#include "elements/core/formula/evaluate.h"

#include <QString>

#include <array>
#include <vector>

namespace ovanto {

// How a property is validated, stored and written.
enum class PropKind {
    IntFormula,   // integer or formula; stored as the upper-cased text
    FloatFormula, // float or formula; stored as the upper-cased text
    IntText,      // plain integer, but stored as its text ("CIn")
    PlainInt,     // plain integer, stored as a number, written in decimal
    Number,       // float or formula read once into a number, written with FloatToText
    Text,         // free text, stored exactly as typed
};

// Position properties move with SetBounds: x-like ones by the horizontal shift,
// y-like ones by the vertical shift.
enum class Axis { None, X, Y };

struct PropertyDef {
    const char* caption;     // grid row caption, e.g. "x" or "FillPattern (0=none)"
    const char* gridDefault; // what InitPropGrid shows with defaults
    PropKind kind;
    Axis axis = Axis::None;
    int readAboveVersion = 0;      // the record field is read only above this record version
    const char* initial = nullptr; // constructor value when it differs from the grid default
};

// The rows of one element class after the six common ones. Captions of the
// common rows 1..3 may be relabelled (a line with on/off colours, say).
struct ElementSchema {
    std::vector<PropertyDef> rows;
    std::array<const char*, 3> commonCaptions{"RGBStroke", "RGBFill", "LType"};
};

// One property's current value: the text for text kinds, the number for PlainInt and Number.
struct PropertyValue {
    PropertyText text;
    QString freeText;  // Text kind: kept exactly, any characters
    long double number = 0;
};

} // namespace ovanto
