#include "platform/module.h"

#include <QFileInfo>
#include <dlfcn.h>

namespace ovanto {

QString Module::versionText() { return QStringLiteral(OVANTO_FILE_VERSION); }

int Module::recordVersion() {
    const QString text = versionText();
    return text.mid(text.lastIndexOf(QLatin1Char('.')) + 1).toInt();
}

QString Module::directory() {
    Dl_info info{};
    static const int anchor = 0;
    if (dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr) return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

} // namespace ovanto
