#include "elements/display/basic_shapes.h"

namespace ovanto {

void RegisterBasicShapes() {
    RegisterLines();
    RegisterRectangles();
    RegisterPolygons();
}

} // namespace ovanto
