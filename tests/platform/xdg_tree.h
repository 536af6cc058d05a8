#pragma once

#include "platform/desktop_associations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace ovanto::testing {

// A throw-away set of XDG directories: config/, config-sys/, data/, data-sys/.
class XdgTree {
public:
    XdgTree() {
        for (const char* dir : {"config", "config-sys", "data/applications", "data-sys/applications"})
            QDir(m_root.path()).mkpath(QString::fromLatin1(dir));
    }

    XdgDirectories directories(QStringList desktops = {}) const {
        XdgDirectories dirs;
        dirs.configHome = path("config");
        dirs.configDirs = {path("config-sys")};
        dirs.dataHome = path("data");
        dirs.dataDirs = {path("data-sys")};
        dirs.currentDesktops = std::move(desktops);
        return dirs;
    }

    QString path(const QString& relative) const { return m_root.path() + QLatin1Char('/') + relative; }

    // Writes `text` to `relative`, creating its directory.
    QString write(const QString& relative, const QString& text) const {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(text.toUtf8());
        return full;
    }

    QString application(const QString& relative, const QString& exec, const QString& extra = {}) const {
        return write(relative, QStringLiteral("[Desktop Entry]\nType=Application\nName=x\nExec=") + exec +
                                   QLatin1Char('\n') + extra);
    }

private:
    QTemporaryDir m_root;
};

} // namespace ovanto::testing
