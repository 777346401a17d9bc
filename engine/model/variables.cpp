#include "engine/model/variables.h"

namespace zk {

std::array<TVariable, VariableCount> Variables;
std::array<TVariable, CounterCount> Counters;

void ClearVarsCounters()
{
    for (auto& variable : Variables) {
        variable.Defined = 0;
    }
    for (auto& counter : Counters) {
        counter.Defined = 0;
    }
}

std::size_t CountDefinedVarsCounters()
{
    std::size_t count = 0;
    for (const auto& variable : Variables) {
        count += variable.Defined != 0 ? 1 : 0;
    }
    for (const auto& counter : Counters) {
        count += counter.Defined != 0 ? 1 : 0;
    }
    return count;
}

}  // namespace zk
