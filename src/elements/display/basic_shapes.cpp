#include "elements/display/basic_shapes.h"

#include "elements/core/element_registry.h"

namespace ovanto {
namespace {

template <class Element>
std::unique_ptr<TGraph> make(ElementContext& window) {
    return std::make_unique<Element>(window);
}

} // namespace

void RegisterBasicShapes() {
    RegisterElementClass(QStringLiteral("LINE"), make<TLineGraph>);
    RegisterElementClass(QStringLiteral("LINE2"), make<TLine2Graph>);
    RegisterElementClass(QStringLiteral("DYNLINE"), make<TDynLineGraph>);
    RegisterElementClass(QStringLiteral("RECT"), make<TRectGraph>);
    RegisterElementClass(QStringLiteral("RRECT"), make<TRoundRectGraph>);
    RegisterElementClass(QStringLiteral("SHADRECT"), make<TShadowRectGraph>);
    RegisterElementClass(QStringLiteral("ELLIPSE"), make<TEllipseGraph>);
    RegisterElementClass(QStringLiteral("CIRCLE"), make<TCircleGraph>);
    RegisterElementClass(QStringLiteral("ARC"), make<TArcGraph>);
    RegisterElementClass(QStringLiteral("PARALL"), make<TParallGraph>);
    RegisterElementClass(QStringLiteral("TRIANG"), make<TTriangleGraph>);
    RegisterElementClass(QStringLiteral("POLYLINE"), make<TPolyLineGraph>);
}

} // namespace ovanto
