#include "elements/core/element_registry.h"
#include "elements/display/separator.h"

namespace ovanto {

void RegisterAllElements() {
    static const bool done = [] {
        RegisterSeparator();
        return true;
    }();
    (void)done;
}

} // namespace ovanto
