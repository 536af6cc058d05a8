#pragma once

#include "elements/core/tgraph.h"

namespace ovanto {

// A row that only structures the element list: it draws nothing and never moves.
class TSeparator final : public TGraph {
public:
    explicit TSeparator(ElementContext& window);
    bool DependsOnInputs() const override { return false; }
};

void RegisterSeparator();

} // namespace ovanto
