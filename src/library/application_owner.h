#pragma once

namespace ovanto {

// A host need not be a Qt program. The first instance makes sure an
// application object exists; when the library had to create it, it owns it
// and lets pending events run each time an export returns to the host.
class ApplicationOwner {
public:
    static void ensureApplication();
    static bool ownsApplication();
    // Processes pending events when the library owns the application.
    static void processPendingEvents();
};

} // namespace ovanto
