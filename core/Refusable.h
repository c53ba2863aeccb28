#pragma once

#include <optional>
#include <string>
#include <utility>

namespace tav {

// The result of a calculation, or the reason it refused its inputs, in words a user can
// act on. Windows and the command line show the reason as it is.
template <class Result> class Refusable {
public:
    Refusable(Result result) : m_result(std::move(result)) {}

    static Refusable refuse(std::string reason) {
        Refusable refused;
        refused.m_reason = std::move(reason);
        return refused;
    }

    bool refused() const { return !m_result.has_value(); }
    const std::string &reason() const { return m_reason; }
    // Only when not refused.
    const Result &result() const { return *m_result; }

private:
    Refusable() = default;

    std::optional<Result> m_result;
    std::string m_reason;
};

} // namespace tav
