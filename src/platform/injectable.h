#pragma once

#include <utility>

namespace ovanto {

// A process-wide service whose default instance tests (and hosts) can replace.
// Each service defines `static Service& instance()` that falls back to its
// default when nothing is installed.
template <class Service>
class Injectable {
public:
    // Installs a replacement (nullptr restores the default) and returns the
    // previous replacement. The caller keeps ownership.
    static Service* install(Service* replacement) { return std::exchange(s_installed, replacement); }
    static Service* installed() { return s_installed; }

private:
    static inline Service* s_installed = nullptr;
};

// Installs a replacement for the lifetime of the scope and restores what was
// installed before, so overrides nest.
template <class Service>
class ScopedOverride {
public:
    explicit ScopedOverride(Service& replacement) : m_previous(Service::install(&replacement)) {}
    ~ScopedOverride() { Service::install(m_previous); }
    ScopedOverride(const ScopedOverride&) = delete;
    ScopedOverride& operator=(const ScopedOverride&) = delete;

private:
    Service* m_previous;
};

} // namespace ovanto
