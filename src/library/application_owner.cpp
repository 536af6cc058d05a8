#include "library/application_owner.h"

#include <QApplication>
#include <QCoreApplication>


namespace ovanto {
namespace {

struct OwnedApplication {
    // QApplication keeps references to argc and argv for its whole life.
    int argc = 1;
    char name[8] = "ovanto";
    char* argv[2] = {name, nullptr};
    QApplication* app = nullptr;
};

// Never destroyed: at process exit Qt's own globals may already be gone, and
// tearing the application down then crashes the host on its way out.
OwnedApplication& owned() {
    static OwnedApplication* instance = new OwnedApplication;
    return *instance;
}

} // namespace

void ApplicationOwner::ensureApplication() {
    if (QCoreApplication::instance()) return;
    OwnedApplication& o = owned();
    o.app = new QApplication(o.argc, o.argv);
}

bool ApplicationOwner::ownsApplication() { return owned().app != nullptr; }

void ApplicationOwner::processPendingEvents() {
    if (!ownsApplication()) return;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace ovanto
