#include "ui/window_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace zk {
namespace {

TEST(InitialWindowGeometry, ThreeQuartersOfTheDesktop)
{
    EXPECT_EQ(InitialWindowGeometry(QSize(1024, 768)), QRect(128, 96, 768, 576));
    EXPECT_EQ(InitialWindowGeometry(QSize(1366, 768)), QRect(170, 96, 1024, 576));
}

TEST(DialogPosition, CentredOrPlacedByTheCaller)
{
    const QPoint origin(100, 50);
    const struct {
        QSize client, dialog;
        int x, y;
        QPoint scroll;
        QPoint expected;
    } rows[] = {
        /* 0 centred, a quarter down */ {{800, 600}, {400, 200}, -1, 0, {0, 0}, {300, 150}},
        /* 1 odd free space truncates */ {{801, 603}, {400, 200}, -1, 0, {0, 0}, {300, 150}},
        /* 2 y plays no part with x = -1 */ {{800, 600}, {400, 200}, -1, 77, {9, 9}, {300, 150}},
        /* 3 larger than the client */ {{300, 200}, {400, 300}, -1, 0, {0, 0}, {124, 74}},
        /* 4 just below 24 free */ {{423, 223}, {400, 200}, -1, 0, {0, 0}, {124, 74}},
        /* 5 exactly 24 free */ {{424, 224}, {400, 200}, -1, 0, {0, 0}, {112, 56}},
        /* 6 free horizontally only */ {{900, 210}, {400, 200}, -1, 0, {0, 0}, {350, 74}},
        /* 7 at a client point, scrolled */ {{800, 600}, {400, 200}, 10, 20, {30, 40}, {140, 110}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected.x());
        EXPECT_EQ(DialogPosition(origin, row.client, row.dialog, row.x, row.y, row.scroll), row.expected);
    }
}

TEST(KeepInside, MovesAWindowInAsLittleAsItTakes)
{
    const QRect area(10, 20, 800, 600);  // right edge 809, bottom edge 619
    const struct {
        QPoint at;
        QSize frame;
        QPoint expected;
    } rows[] = {
        /* 0 inside stays */ {{100, 100}, {300, 200}, {100, 100}},
        /* 1 touching the far corner stays */ {{510, 420}, {300, 200}, {510, 420}},
        /* 2 past the right and bottom */ {{700, 1482}, {300, 200}, {510, 420}},
        /* 3 past the left and top */ {{-50, 0}, {300, 200}, {10, 20}},
        /* 4 wider and taller than the area */ {{300, 300}, {900, 700}, {10, 20}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.at.y());
        EXPECT_EQ(KeepInside(row.at, row.frame, area), row.expected);
    }
}

TEST(KeepInsideClearOf, StepsDownOrUpUntilWhatIsInSightShows)
{
    const QRect area(0, 0, 800, 600);
    const QSize frame(364, 120);
    // What a box at (200, 200) keeps in sight: its caption and text, 80 high.
    const QRect said(200, 200, 364, 80);
    const struct {
        QPoint at;
        std::vector<QRect> inSight;
        QPoint expected;
    } rows[] = {
        /* 0 nothing in sight */ {{200, 200}, {}, {200, 200}},
        /* 1 clear of it already */ {{200, 400}, {said}, {200, 400}},
        /* 2 on it: one step down */ {{200, 200}, {said}, {200, 280}},
        /* 3 on it at the bottom: steps up until clear */
        {{200, 520}, {QRect(200, 480, 364, 80)}, {200, 360}},
        /* 4 two boxes in sight: below both */ {{200, 200}, {said, QRect(200, 280, 364, 80)}, {200, 360}},
        /* 5 no room anywhere: stays kept inside */ {{200, 200}, {QRect(0, 0, 800, 600)}, {200, 200}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected.y());
        EXPECT_EQ(KeepInsideClearOf(row.at, frame, area, row.inSight, 80), row.expected);
    }
}

TEST(ToolbarPosition, OutsideOnTheLeftWhenThereIsRoomElseInsideOnTheRight)
{
    const QPoint clientTopRight(900, 130);
    const struct {
        int mainLeft, toolbarWidth, toolbarPos;
        QPoint expected;
    } rows[] = {
        /* 0 floating */ {200, 70, 0, {826, 134}},
        /* 1 docked left, room */ {200, 70, 1, {126, 134}},
        /* 2 docked left, window at 0 */ {0, 70, 1, {826, 134}},
        /* 3 docked left, exactly no room */ {74, 70, 1, {826, 134}},
        /* 4 docked left, one dot of room */ {75, 70, 1, {1, 134}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mainLeft);
        EXPECT_EQ(ToolbarPosition(row.mainLeft, clientTopRight, row.toolbarWidth, row.toolbarPos), row.expected);
    }
    EXPECT_EQ(ToolbarClientSize(20), QSize(64, 244));
}

TEST(LabelCanvasPosition, RightOfAToolbarDockedInsideTheLeftEdge)
{
    EXPECT_EQ(LabelCanvasPosition(0, 1), QPoint(72, 4));
    EXPECT_EQ(LabelCanvasPosition(67, 1), QPoint(72, 4));
    EXPECT_EQ(LabelCanvasPosition(68, 1), QPoint(4, 4));
    EXPECT_EQ(LabelCanvasPosition(0, 0), QPoint(4, 4));
}

}  // namespace
}  // namespace zk
