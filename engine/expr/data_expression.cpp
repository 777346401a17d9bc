#include "engine/expr/data_expression.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zk {

std::uint8_t DataExpressionError = 0;
std::int32_t DataExpressionLength = 0;

namespace {

int Finish(std::span<char> out, std::string_view text, bool ok)
{
    if (out.empty()) {
        return ok ? 1 : 0;
    }
    const std::size_t length = std::min(text.size(), out.size() - 1);
    std::memcpy(out.data(), text.data(), length);
    out[length] = '\0';
    DataExpressionError = ok ? 0 : 1;
    if (ok) {
        DataExpressionLength = static_cast<std::int32_t>(length);
    }
    return ok ? 1 : 0;
}

}  // namespace

// Interim evaluator: quoted constants joined together. The full language
// replaces it.
int EvaluateDataExpression(std::span<char> out, std::string_view expr, bool)
{
    std::string result;
    std::size_t i = 0;
    while (i < expr.size() && expr[i] != '\0') {
        if (expr[i] != '"') {
            return Finish(out, DataExpressionFailureText, false);
        }
        const std::size_t close = expr.find('"', i + 1);
        if (close == std::string_view::npos) {
            return Finish(out, DataExpressionFailureText, false);
        }
        result.append(expr.substr(i + 1, close - i - 1));
        i = close + 1;
    }
    return Finish(out, result, true);
}

}  // namespace zk
