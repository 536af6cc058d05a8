#include "elements/display/separator.h"

#include "elements/core/element_registry.h"

namespace ovanto {
namespace {
constexpr ElementSchema kSeparator{.keyword = "SEPARATOR"};
}

TSeparator::TSeparator(ElementContext& window) : TGraph(window, kSeparator) {
    setComment(QString(35, QLatin1Char('=')));
    setText(kRGBStroke, QStringLiteral("255"));
}

void RegisterSeparator() { RegisterElementClass<TSeparator>(kSeparator); }

} // namespace ovanto
