#include "elements/display/separator.h"

#include "elements/core/element_registry.h"

namespace ovanto {
namespace {
const ElementSchema kSchema;
}

TSeparator::TSeparator(ElementContext& window) : TGraph(window, QStringLiteral("SEPARATOR"), kSchema) {
    setComment(QString(35, QLatin1Char('=')));
    setText(kRGBStroke, QStringLiteral("255"));
}

void RegisterSeparator() {
    RegisterElementClass(QStringLiteral("SEPARATOR"),
                         [](ElementContext& w) -> std::unique_ptr<TGraph> { return std::make_unique<TSeparator>(w); });
}

} // namespace ovanto
