// CRect, CPoint and CSize arithmetic, table-driven.
#include "framework/Geometry.h"

#include <gtest/gtest.h>

#include <ostream>

static void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

TEST(GdiRectTest, SetOperationsTable)
{
    struct Case
    {
        CRect a, b;
        BOOL intersects;
        CRect intersection, unionRect;
    } cases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}, {0, 0, 15, 15}},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}, {0, 0, 20, 10}},   // touching edges only
        {{0, 0, 10, 10}, {2, 2, 4, 4}, TRUE, {2, 2, 4, 4}, {0, 0, 10, 10}},       // contained
        {{0, 0, 0, 0}, {2, 2, 4, 4}, FALSE, {0, 0, 0, 0}, {2, 2, 4, 4}},          // empty ignored by union
        {{-5, -5, 5, 5}, {-10, 0, 0, 10}, TRUE, {-5, 0, 0, 5}, {-10, -5, 5, 10}}, // negative coordinates
        {{0, 0, 10, 10}, {20, 20, 30, 30}, FALSE, {0, 0, 0, 0}, {0, 0, 30, 30}},
    };
    for (const Case& c : cases)
    {
        CRect inter;
        EXPECT_EQ(c.intersects, inter.IntersectRect(&c.a, &c.b));
        EXPECT_EQ(c.intersection, inter);
        EXPECT_EQ(c.intersection, c.a & c.b);
        CRect uni;
        uni.UnionRect(&c.a, &c.b);
        EXPECT_EQ(c.unionRect, uni);
        EXPECT_EQ(c.unionRect, c.a | c.b);
    }
}

TEST(GdiRectTest, SubtractOnlyRemovesWholeStrips)
{
    struct Case
    {
        CRect a, b;
        BOOL nonEmpty;
        CRect result;
    } cases[] = {
        {{0, 0, 10, 10}, {0, 0, 10, 4}, TRUE, {0, 4, 10, 10}},   // top strip
        {{0, 0, 10, 10}, {0, 6, 10, 12}, TRUE, {0, 0, 10, 6}},   // bottom strip
        {{0, 0, 10, 10}, {-1, -1, 3, 11}, TRUE, {3, 0, 10, 10}}, // left strip
        {{0, 0, 10, 10}, {2, 2, 4, 4}, TRUE, {0, 0, 10, 10}},    // a hole cannot be expressed
        {{0, 0, 10, 10}, {-5, -5, 20, 20}, FALSE, {0, 0, 0, 0}}, // everything removed
    };
    for (const Case& c : cases)
    {
        CRect r;
        EXPECT_EQ(c.nonEmpty, r.SubtractRect(&c.a, &c.b));
        EXPECT_EQ(c.result, r);
    }
}

TEST(GdiRectTest, SizePositionAndAdjustments)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CSize(100, 50), r.Size());
    EXPECT_EQ(CPoint(10, 20), r.TopLeft());
    EXPECT_EQ(CPoint(110, 70), r.BottomRight());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    r.TopLeft() = CPoint(0, 0); // references into the rectangle
    EXPECT_EQ(CRect(0, 0, 110, 70), r);

    struct Case
    {
        const char* name;
        void (*apply)(CRect&);
        CRect expected;
    } cases[] = {
        {"inflate", [](CRect& x) { x.InflateRect(2, 3); }, {8, 17, 112, 73}},
        {"deflate", [](CRect& x) { x.DeflateRect(2, 3); }, {12, 23, 108, 67}},
        {"deflate4", [](CRect& x) { x.DeflateRect(1, 2, 3, 4); }, {11, 22, 107, 66}},
        {"inflateRect",
         [](CRect& x) {
             RECT b = {1, 2, 3, 4};
             x.InflateRect(&b);
         },
         {9, 18, 113, 74}},
        {"offset", [](CRect& x) { x.OffsetRect(-10, 5); }, {0, 25, 100, 75}},
        {"offsetPoint", [](CRect& x) { x += CPoint(1, 1); }, {11, 21, 111, 71}},
        {"moveTo", [](CRect& x) { x.MoveToXY(0, 0); }, {0, 0, 100, 50}},
        {"setEmpty", [](CRect& x) { x.SetRectEmpty(); }, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
    {
        CRect x(10, 20, 110, 70);
        c.apply(x);
        EXPECT_EQ(c.expected, x) << c.name;
    }
}

TEST(GdiRectTest, EmptinessHitTestingAndNormalising)
{
    struct Case
    {
        CRect r;
        BOOL empty, null;
    } cases[] = {{{0, 0, 0, 0}, TRUE, TRUE},
                 {{0, 0, 1, 1}, FALSE, FALSE},
                 {{5, 5, 5, 10}, TRUE, FALSE},
                 {{10, 10, 0, 0}, TRUE, FALSE}};
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.empty, c.r.IsRectEmpty());
        EXPECT_EQ(c.null, c.r.IsRectNull());
    }
    CRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(r.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(r.PtInRect(CPoint(10, 5))); // right and bottom edges are outside
    EXPECT_FALSE(r.PtInRect(CPoint(5, 10)));
    CRect inverted(10, 20, 0, 5);
    inverted.NormalizeRect();
    EXPECT_EQ(CRect(0, 5, 10, 20), inverted);
}

TEST(GdiRectTest, PointAndSizeOperators)
{
    CPoint p(3, 4);
    EXPECT_EQ(CPoint(5, 7), p + CSize(2, 3));
    EXPECT_EQ(CSize(1, 2), CPoint(4, 6) - p);
    EXPECT_EQ(CPoint(-3, -4), -p);
    p.Offset(1, 1);
    EXPECT_EQ(CPoint(4, 5), p);
    EXPECT_EQ(CPoint(-1, 2), CPoint(MAKELPARAM(0xFFFF, 2))); // mouse coordinates are signed
    EXPECT_EQ(CSize(7, 9), CSize(3, 4) + CSize(4, 5));
    EXPECT_EQ(CRect(2, 3, 12, 13), CRect(CPoint(2, 3), CSize(10, 10)));
    EXPECT_TRUE(CRect(1, 2, 3, 4) != CRect(1, 2, 3, 5));
}
