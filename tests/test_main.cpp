#include "elements/core/element_registry.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test runs offscreen with its own settings directory, so nothing
// touches the user's configuration.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    qputenv("XDG_DATA_HOME", configHome.path().toUtf8());
    // Without a runtime directory Qt warns on stderr, which tools under test must not print.
    QTemporaryDir runtimeDir;
    QFile::setPermissions(runtimeDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toUtf8());
    QApplication app(argc, argv);
    ovanto::RegisterAllElements();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
