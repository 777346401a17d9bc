#include "engine/ttf/converter_state.h"

#include <algorithm>

#include "platform/font_catalogue.h"

namespace zk
{

TConverterState Converter;

const std::vector<TScript> ConverterScripts = {
    {"Western", platform::Charset::Western},
    {"Cyrillic", platform::Charset::Cyrillic},
    {"Symbol", platform::Charset::Symbol},
    {"Greek", platform::Charset::Greek},
    {"Central Europe", platform::Charset::CentralEurope},
    {"Turkish", platform::Charset::Turkish},
    {"Baltic", platform::Charset::Baltic},
    {"OEM Charset", platform::Charset::Oem},
};

TScriptList FillScriptList(const std::function<bool(int)>& hasCharset)
{
    TScriptList list;
    for (const TScript& script : ConverterScripts) {
        if (hasCharset(script.Charset)) {
            list.Items.emplace_back(script.Name);
        }
    }
    if (list.Items.empty()) {
        return list;
    }
    const auto current = std::find(list.Items.begin(), list.Items.end(), Converter.CurrentScript);
    list.Selected = current == list.Items.end() ? 0 : static_cast<int>(current - list.Items.begin());
    Converter.CurrentScript = list.Items[static_cast<std::size_t>(list.Selected)];
    return list;
}

TScriptList FillScriptList(const std::string& fontName)
{
    return FillScriptList([&fontName](int charset) { return platform::FontHasCharset(fontName, charset); });
}

int SelectedCharset(const std::string& scriptName)
{
    for (const TScript& script : ConverterScripts) {
        if (scriptName == script.Name) {
            return script.Charset;
        }
    }
    return platform::Charset::Default;
}

void ApplyStyleAndCharset(int styleIndex, const std::string& scriptName)
{
    Converter.ConverterFontStyle = {.Bold = (styleIndex & 2) != 0, .Italic = (styleIndex & 1) != 0};
    Converter.ConverterFont.Style = Converter.ConverterFontStyle;
    Converter.ConverterFont.Charset = SelectedCharset(scriptName);
}

void ResetConverterState()
{
    Converter = TConverterState{};
}

}  // namespace zk
