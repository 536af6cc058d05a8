#include "sim/time_series.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace ovanto::sim {
namespace {

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool parseNumber(std::string_view field, double& out) {
    field = trim(field);
    if (field.empty())
        return false;
    if (field.front() == '+')
        field.remove_prefix(1);
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), out);
    return ec == std::errc() && end == field.data() + field.size() && std::isfinite(out);
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == ',' || line[i] == ';' || line[i] == '\t') {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    return fields;
}

} // namespace

bool TimeSeries::parse(std::string_view text, std::string* error) {
    m_times.clear();
    m_rows.clear();
    m_columns = 0;
    const auto fail = [&](std::size_t lineNo, const std::string& what) {
        if (error)
            *error = "line " + std::to_string(lineNo) + ": " + what;
        m_times.clear();
        m_rows.clear();
        m_columns = 0;
        return false;
    };
    std::size_t lineNo = 0;
    bool seenContent = false;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        const std::string_view line = trim(text.substr(0, nl));
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        ++lineNo;
        if (line.empty() || line.front() == '#')
            continue;
        const std::vector<std::string_view> fields = splitFields(line);
        std::vector<double> values(fields.size());
        bool numeric = true;
        for (std::size_t k = 0; k < fields.size() && numeric; ++k)
            numeric = parseNumber(fields[k], values[k]);
        if (!numeric) {
            if (!seenContent) { // header line
                seenContent = true;
                continue;
            }
            return fail(lineNo, "not a number");
        }
        seenContent = true;
        if (m_times.empty())
            m_columns = values.size() - 1;
        else if (values.size() - 1 != m_columns)
            return fail(lineNo, "expected " + std::to_string(m_columns + 1) + " fields");
        if (!m_times.empty() && values[0] < m_times.back())
            return fail(lineNo, "time goes backwards");
        m_times.push_back(values[0]);
        m_rows.emplace_back(values.begin() + 1, values.end());
    }
    if (m_times.empty())
        return fail(lineNo, "no data rows");
    return true;
}

bool TimeSeries::load(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = "cannot open " + path;
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return parse(buffer.str(), error);
}

double TimeSeries::valueAt(double t, std::size_t column, Interpolation mode) const {
    if (m_times.empty() || column >= m_columns)
        return 0;
    if (!(t > m_times.front())) // also NaN
        return m_rows.front()[column];
    if (t >= m_times.back())
        return m_rows.back()[column];
    // First row with a time above t; the one before it starts the interval.
    const auto upper = std::upper_bound(m_times.begin(), m_times.end(), t);
    const std::size_t hi = static_cast<std::size_t>(upper - m_times.begin());
    const std::size_t lo = hi - 1;
    const double v0 = m_rows[lo][column];
    if (mode == Interpolation::SampleHold)
        return v0;
    const double span = m_times[hi] - m_times[lo];
    return v0 + (m_rows[hi][column] - v0) * (t - m_times[lo]) / span;
}

} // namespace ovanto::sim
