#pragma once

namespace ovanto {

// Numbers, LCD and seven-segment digits, the text LCD, lamps, the light
// barrier, time and date; each file registers its own classes.
void RegisterDigitalDisplays();

} // namespace ovanto
