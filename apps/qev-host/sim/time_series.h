#pragma once

// Input time series for the reference host: a CSV table whose first column is
// the time and whose further columns feed the block inputs in order. Plain C++.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ovanto::sim {

enum class Interpolation { Linear, SampleHold };

class TimeSeries {
public:
    // Parses the text. Fields are separated by ',', ';' or TAB; blank lines and
    // lines starting with '#' are skipped; a first line that is not numeric is a
    // header. Times must not decrease. Returns false with a message naming the line.
    bool parse(std::string_view text, std::string* error = nullptr);
    bool load(const std::string& path, std::string* error = nullptr);

    std::size_t columnCount() const { return m_columns; } // value columns, time excluded
    std::size_t rowCount() const { return m_times.size(); }
    bool empty() const { return m_times.empty(); }

    // Value of column (0-based, after the time) at t; before the first row the
    // first value, after the last row the last value. 0 for a missing column.
    double valueAt(double t, std::size_t column, Interpolation mode) const;

private:
    std::vector<double> m_times;
    std::vector<std::vector<double>> m_rows;
    std::size_t m_columns = 0;
};

} // namespace ovanto::sim
