#include "tests/support/scoped_environment.h"

#include <cstdlib>

namespace zk::test {

ScopedEnvironment::~ScopedEnvironment()
{
    // Latest first, so a variable set twice ends with its first earlier value.
    for (auto entry = m_earlier.rbegin(); entry != m_earlier.rend(); ++entry) {
        if (entry->second) {
            setenv(entry->first.c_str(), entry->second->c_str(), 1);
        } else {
            unsetenv(entry->first.c_str());
        }
    }
}

void ScopedEnvironment::Set(const std::string& variable, const std::string& value)
{
    const char* earlier = std::getenv(variable.c_str());
    m_earlier.emplace_back(variable, earlier != nullptr ? std::optional<std::string>(earlier) : std::nullopt);
    setenv(variable.c_str(), value.c_str(), 1);
}

}  // namespace zk::test
