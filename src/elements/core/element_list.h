#pragma once

#include <memory>
#include <vector>

namespace ovanto {

class TGraph;

// The ordered element list of a window: list order is drawing order, later
// elements lie on top. It owns the elements and keeps the design-mode
// selection (the current and selected flags of the elements) consistent.
class ElementList {
public:
    using Storage = std::vector<std::unique_ptr<TGraph>>;

    ElementList();
    ~ElementList();
    ElementList(const ElementList&) = delete;
    ElementList& operator=(const ElementList&) = delete;

    int count() const { return static_cast<int>(m_elements.size()); }
    bool empty() const { return m_elements.empty(); }
    // nullptr outside the list.
    TGraph* at(int index) const;
    int indexOf(const TGraph* element) const;
    Storage::const_iterator begin() const { return m_elements.begin(); }
    Storage::const_iterator end() const { return m_elements.end(); }

    TGraph* append(std::unique_ptr<TGraph> element);
    // Inserts before index (clamped to the list), in the given order; returns the first new element.
    TGraph* insert(int index, std::vector<std::unique_ptr<TGraph>> elements);
    std::unique_ptr<TGraph> take(int index);
    void remove(int index) { take(index); }
    // Last element first: an element may still ask about the others while it goes.
    void clear();
    // Moves the element at from so that it ends up at index to; false when either is outside.
    bool move(int from, int to);

    // Selection: any number selected, at most one current.
    void clearSelection();
    void selectOnly(TGraph* element);
    std::vector<TGraph*> selected() const;
    TGraph* current() const;
    // Makes element the only current one (nullptr: none).
    void setCurrent(TGraph* element);

private:
    Storage m_elements;
};

} // namespace ovanto
