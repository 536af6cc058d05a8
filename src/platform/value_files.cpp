#include "platform/value_files.h"

#include "platform/dialogs.h"

#include <QSaveFile>

#include <algorithm>
#include <array>
#include <charconv>

namespace ovanto {

namespace {

bool saveValueFile(const std::vector<long double>& first, const std::vector<long double>& second,
                   const char* separator, const QString& filter, QString& fileName, QWidget* parent) {
    Dialogs& dialogs = Dialogs::instance();
    QString chosen = fileName;
    if (!dialogs.saveFileName(parent, QStringLiteral("Speichern unter"), filter, chosen)) return false;
    fileName = chosen;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(formatValuePairs(first, second, separator)) < 0 ||
        !file.commit()) {
        dialogs.showError(parent, QStringLiteral("Fehler beim Schreiben der Datei ") + fileName + QLatin1Char('!'));
        return false;
    }
    return true;
}

} // namespace

std::string formatExtended(long double value) {
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific, 20);
    return std::string(buffer.data(), result.ptr);
}

QByteArray formatValuePairs(const std::vector<long double>& first, const std::vector<long double>& second,
                            const char* separator) {
    QByteArray text;
    const std::size_t count = std::min(first.size(), second.size());
    for (std::size_t i = 0; i < count; ++i) {
        text += formatExtended(first[i]);
        text += separator;
        text += formatExtended(second[i]);
        text += "\r\n";
    }
    return text;
}

bool SaveSimFile(const std::vector<long double>& timeValues, const std::vector<long double>& values,
                 QString& fileName, QWidget* parent) {
    return saveValueFile(timeValues, values, " ", QStringLiteral("Simulationsdateien (*.sim)|*.SIM"), fileName,
                         parent);
}

bool SaveXYFile(const std::vector<long double>& xs, const std::vector<long double>& ys, QString& fileName,
                QWidget* parent) {
    return saveValueFile(xs, ys, "   ", QStringLiteral("xy-Wertepaardateien (*.xy)|*.XY"), fileName, parent);
}

} // namespace ovanto
