#include "elements/core/element_list.h"

#include "elements/core/tgraph.h"

#include <algorithm>
#include <iterator>

namespace ovanto {

ElementList::ElementList() = default;

ElementList::~ElementList() { clear(); }

TGraph* ElementList::at(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return m_elements[static_cast<std::size_t>(index)].get();
}

int ElementList::indexOf(const TGraph* element) const {
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        if (m_elements[i].get() == element) return static_cast<int>(i);
    return -1;
}

TGraph* ElementList::append(std::unique_ptr<TGraph> element) {
    if (!element) return nullptr;
    m_elements.push_back(std::move(element));
    return m_elements.back().get();
}

TGraph* ElementList::insert(int index, std::vector<std::unique_ptr<TGraph>> elements) {
    std::erase(elements, nullptr);
    if (elements.empty()) return nullptr;
    const auto at = m_elements.begin() + std::clamp(index, 0, count());
    TGraph* first = elements.front().get();
    m_elements.insert(at, std::make_move_iterator(elements.begin()), std::make_move_iterator(elements.end()));
    return first;
}

std::unique_ptr<TGraph> ElementList::take(int index) {
    if (index < 0 || index >= count()) return nullptr;
    const auto it = m_elements.begin() + index;
    std::unique_ptr<TGraph> element = std::move(*it);
    m_elements.erase(it);
    return element;
}

void ElementList::clear() {
    while (!m_elements.empty()) m_elements.pop_back();
}

bool ElementList::move(int from, int to) {
    if (from < 0 || from >= count() || to < 0 || to >= count()) return false;
    const auto first = m_elements.begin();
    if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
    else std::rotate(first + to, first + from, first + from + 1);
    return true;
}

void ElementList::clearSelection() {
    for (const auto& e : m_elements) e->setSelected(false);
}

void ElementList::selectOnly(TGraph* element) {
    for (const auto& e : m_elements) e->setSelected(e.get() == element);
}

std::vector<TGraph*> ElementList::selected() const {
    std::vector<TGraph*> result;
    for (const auto& e : m_elements)
        if (e->isSelected()) result.push_back(e.get());
    return result;
}

TGraph* ElementList::current() const {
    for (const auto& e : m_elements)
        if (e->isCurrent()) return e.get();
    return nullptr;
}

void ElementList::setCurrent(TGraph* element) {
    for (const auto& e : m_elements) e->setCurrent(e.get() == element);
}

} // namespace ovanto
