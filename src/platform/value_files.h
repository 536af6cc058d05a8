#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace ovanto {

// Ask for a file name (the initial one in `fileName`, the chosen one back in
// it) and write one line per sample: time, one blank, value. Returns whether
// a file was written. Lists of different lengths write their common length.
bool SaveSimFile(const std::vector<long double>& timeValues, const std::vector<long double>& values,
                 QString& fileName, QWidget* parent = nullptr);
// The same for x/y pairs, three blanks between the two numbers.
bool SaveXYFile(const std::vector<long double>& xs, const std::vector<long double>& ys, QString& fileName,
                QWidget* parent = nullptr);

// Decimal scientific notation with 21 significant digits, enough to read
// back the same long double; independent of the process locale.
std::string formatExtended(long double value);

// The lines of a value file, CR LF after each.
QByteArray formatValuePairs(const std::vector<long double>& first, const std::vector<long double>& second,
                            const char* separator);

} // namespace ovanto
