#include "engine/labelfile/variable_codec.h"

#include <cstring>

namespace zk {

namespace {

constexpr std::size_t PromptAt = 5;
constexpr std::size_t ValueAt = PromptAt + 27;
static_assert(ValueAt + 64 == VariableStoredSize);

}  // namespace

VariableBytes EncodeVariable(const TVariable& variable)
{
    VariableBytes bytes{};
    bytes[0] = variable.Defined;
    bytes[1] = variable.Length;
    bytes[2] = variable.Justification;
    bytes[3] = variable.PadChar;
    bytes[4] = static_cast<std::uint8_t>(variable.Step);
    std::memcpy(&bytes[PromptAt], variable.Prompt.bytes().data(), 27);
    std::memcpy(&bytes[ValueAt], variable.Value.bytes().data(), 64);
    return bytes;
}

TVariable DecodeVariable(std::span<const std::uint8_t, VariableStoredSize> bytes)
{
    TVariable variable;
    variable.Defined = bytes[0];
    variable.Length = bytes[1];
    variable.Justification = bytes[2];
    variable.PadChar = bytes[3];
    variable.Step = static_cast<std::int8_t>(bytes[4]);
    std::memcpy(variable.Prompt.bytes().data(), &bytes[PromptAt], 27);
    std::memcpy(variable.Value.bytes().data(), &bytes[ValueAt], 64);
    variable.Value.bytes()[63] = '\0';  // a value always ends inside its field
    return variable;
}

}  // namespace zk
