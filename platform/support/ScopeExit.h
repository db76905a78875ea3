#pragma once

// Runs a clean-up on every way out of a scope, a thrown exception included.
// The clean-up must not throw.
//
//   support::ScopeExit restore([&] { state = saved; });

#include <utility>

namespace support {

template <class F> class ScopeExit
{
public:
    explicit ScopeExit(F f) : m_f(std::move(f)) {}
    ~ScopeExit()
    {
        m_f();
    }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F m_f;
};

} // namespace support
