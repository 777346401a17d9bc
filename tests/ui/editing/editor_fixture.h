#pragma once
// Base fixture for the editing tests: fresh engine and editor state, helpers
// that put figures on the label, and a count of editor redraws.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/model/figure_list.h"
#include "engine/render/redraw.h"
#include "tests/support/engine_fixture.h"
#include "ui/editing/editor_state.h"

namespace zk::test {

class EditorTest : public EngineTest {
protected:
    EditorTest()
    {
        ResetEditorState();
        CanvasRedrawHook = [this] { ++redraws; };
    }
    ~EditorTest() override
    {
        CanvasRedrawHook = nullptr;
        ResetEditorState();
    }

    // Appends the payload and returns its node.
    static TFigure* Add(const TFigurePayload& payload, std::uint8_t flags = 0)
    {
        EXPECT_EQ(AppendFigure(payload), 0);
        FigureList.FigureTail->Flags = flags;
        return FigureList.FigureTail;
    }

    static TFigurePayload Bar(std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h)
    {
        return TBarFigure{x, y, w, h, 0};
    }
    static TFigurePayload Line(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
                               std::int16_t thickness = 2)
    {
        return TLineFigure{x1, y1, x2, y2, thickness, 0};
    }
    static TFigurePayload Box(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
                              std::int16_t thickness = 2)
    {
        return TBoxFigure{x1, y1, x2, y2, thickness};
    }
    static TFigurePayload SoftFont(const char* letter, std::int16_t height)
    {
        TSoftFontFigure font;
        font.Letter = letter;
        font.Height = height;
        return font;
    }

    static std::vector<bool> Selection()
    {
        std::vector<bool> selected;
        for (const TFigure* figure : Figures()) {
            selected.push_back(figure->IsSelected());
        }
        return selected;
    }

    static std::vector<const TFigure*> Nodes()
    {
        std::vector<const TFigure*> nodes;
        for (const TFigure* figure : Figures()) {
            nodes.push_back(figure);
        }
        return nodes;
    }

    int redraws = 0;
};

}  // namespace zk::test
