#include "host/exports/application_owner.h"

#include <QApplication>
#include <QCoreApplication>

#include <memory>

namespace ovanto {
namespace {

struct OwnedApplication {
    // QApplication keeps references to argc and argv for its whole life.
    int argc = 1;
    char name[8] = "ovanto";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};

OwnedApplication& owned() {
    static OwnedApplication instance;
    return instance;
}

} // namespace

void ApplicationOwner::ensureApplication() {
    if (QCoreApplication::instance()) return;
    OwnedApplication& o = owned();
    o.app = std::make_unique<QApplication>(o.argc, o.argv);
}

bool ApplicationOwner::ownsApplication() { return owned().app != nullptr; }

void ApplicationOwner::processPendingEvents() {
    if (!ownsApplication()) return;
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace ovanto
