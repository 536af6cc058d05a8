#pragma once

#include "elements/core/formula/evaluate.h"

#include <QString>

#include <array>
#include <cstddef>
#include <span>

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

// One grid row and record field of an element class.
struct PropertyDef {
    const char* caption = "";     // grid row caption, e.g. "x" or "FillPattern (0=none)"
    const char* gridDefault = ""; // what InitPropGrid shows with defaults
    PropKind kind = PropKind::IntFormula;
    Axis axis = Axis::None;
    int readAboveVersion = 0;      // the record field is read only above this record version
    const char* initial = nullptr; // constructor value when it differs from the grid default
};

// One element class: its keyword, its rows after the six common ones, and the
// captions of common rows 1..3, which some classes relabel (a line with on/off
// colours, say). The registry entry of the class is this schema.
struct ElementSchema {
    const char* keyword = "";
    std::span<const PropertyDef> rows{};
    std::array<const char*, 3> commonCaptions{"RGBStroke", "RGBFill", "LType"};
    // Pixels Draw may set beyond the box GetBounds reports (outlines, shading, letters).
    int paintSpill = 0;
};

// Rows that recur across families.
namespace rows {

constexpr PropertyDef X(const char* caption, const char* value) {
    return {.caption = caption, .gridDefault = value, .kind = PropKind::IntFormula, .axis = Axis::X};
}
constexpr PropertyDef Y(const char* caption, const char* value) {
    return {.caption = caption, .gridDefault = value, .kind = PropKind::IntFormula, .axis = Axis::Y};
}
constexpr PropertyDef Int(const char* caption, const char* value) {
    return {.caption = caption, .gridDefault = value, .kind = PropKind::IntFormula};
}
constexpr PropertyDef Float(const char* caption, const char* value) {
    return {.caption = caption, .gridDefault = value, .kind = PropKind::FloatFormula};
}
constexpr PropertyDef Plain(const char* caption, const char* value, int readAboveVersion = 0) {
    return {.caption = caption, .gridDefault = value, .kind = PropKind::PlainInt, .readAboveVersion = readAboveVersion};
}
constexpr PropertyDef Number(const char* caption, const char* value) {
    return {.caption = caption, .gridDefault = value, .kind = PropKind::Number};
}
constexpr PropertyDef Text(const char* caption, const char* value) {
    return {.caption = caption, .gridDefault = value, .kind = PropKind::Text};
}

// Fill patterns came with record version 309; the ring sector had one from the start.
inline constexpr int kFillPatternVersion = 308;
// Like every geometry row an integer or a formula, so a hatch can follow a signal.
constexpr PropertyDef FillPattern(int readAboveVersion = kFillPatternVersion) {
    return {.caption = "FillPattern (0=none)", .gridDefault = "0", .readAboveVersion = readAboveVersion};
}

} // namespace rows

// True when a class's property enumeration (ending in kPropertyEnd) and its row
// table have the same length; each class checks this with a static_assert.
template <class Element, std::size_t N>
constexpr bool RowsMatch(const PropertyDef (&)[N]) {
    return N == static_cast<std::size_t>(static_cast<int>(Element::kPropertyEnd) - Element::kFirstClassProperty);
}

// One property's current value: the text for text kinds, the number for PlainInt and Number.
struct PropertyValue {
    PropertyText text;
    QString freeText;  // Text kind: kept exactly, any characters
    long double number = 0;
    int integer = 0; // PlainInt kind: the number, converted once
};

} // namespace ovanto
