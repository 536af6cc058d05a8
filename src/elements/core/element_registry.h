#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <type_traits>

namespace ovanto {

class ElementContext;
class LookHash;
class TGraph;
struct ElementSchema;

using ElementFactory = std::unique_ptr<TGraph> (*)(ElementContext& window);

// The 82 keywords a record may start with, in palette order.
const QStringList& ElementKeywords();

// A family makes its classes known here when it is built; a keyword without a
// class creates nothing, so its records are skipped like unknown ones. The
// schema is the class's one place for its keyword and rows.
void RegisterElementClass(const ElementSchema& schema, ElementFactory factory);
template <class Element>
void RegisterElementClass(const ElementSchema& schema) {
    RegisterElementClass(schema, [](ElementContext& window) -> std::unique_ptr<TGraph> {
        auto element = std::make_unique<Element>(window);
        // A kind that does not override addLookState has nothing to add.
        if constexpr (std::is_same_v<decltype(&Element::addLookState), void (TGraph::*)(LookHash&) const>)
            element->markWithoutLookState();
        return element;
    });
}
const ElementSchema* RegisteredSchema(const QString& keyword);
bool IsElementClassRegistered(const QString& keyword);
QStringList RegisteredElementKeywords(); // in keyword table order

// Matches the keyword exactly (case-sensitive), creates the class with the
// window and appends it to the window's element list. Returns the new element
// or nullptr when the keyword creates nothing.
TGraph* CreateElement(ElementContext& window, const QString& keyword);
// The same element, not yet in the window's list.
std::unique_ptr<TGraph> MakeElement(ElementContext& window, const QString& keyword);

// Registers every family that exists; idempotent. The entry points (exports,
// tools, tests) call it once before they create elements.
void RegisterAllElements();

} // namespace ovanto
