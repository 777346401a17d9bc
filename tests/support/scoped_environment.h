#pragma once
// Environment variables set for a while: each variable set through it gets
// its earlier value (or absence) back when the object goes.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zk::test {

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const std::string& variable, const std::string& value);

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_earlier;
};

}  // namespace zk::test
