#pragma once

#include <cmath>
#include <optional>

namespace ovanto {

// An evaluated number as part of a key: -0 and 0 format differently, and a NaN
// never matches, so it is worked out afresh.
struct KeyNumber {
    long double value = 0;
    friend bool operator==(const KeyNumber& a, const KeyNumber& b) {
        return a.value == b.value && std::signbit(a.value) == std::signbit(b.value);
    }
};

// The last result of a computation that depends only on its key, for the parts
// of a look that trigonometry or number formatting make dear and that stay
// from paint to paint.
template <class Key, class Value>
class KeptResult {
public:
    template <class Make>
    const Value& get(const Key& key, Make&& make) {
        if (!m_value || !(m_key == key)) {
            m_value.reset();
            m_value.emplace(make());
            m_key = key;
        }
        return *m_value;
    }

private:
    Key m_key{};
    std::optional<Value> m_value;
};

} // namespace ovanto
