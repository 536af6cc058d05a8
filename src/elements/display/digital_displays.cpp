#include "elements/display/digital_displays.h"

#include "elements/display/clock_displays.h"
#include "elements/display/digit_displays.h"
#include "elements/display/lamps.h"
#include "elements/display/lcd_text.h"
#include "elements/display/number_display.h"

namespace ovanto {

void RegisterDigitalDisplays() {
    RegisterNumberDisplay();
    RegisterDigitDisplays();
    RegisterLcdText();
    RegisterLamps();
    RegisterClockDisplays();
}

} // namespace ovanto
