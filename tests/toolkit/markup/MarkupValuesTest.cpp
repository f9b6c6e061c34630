// Attribute text to typed values: colours, numbers, lengths, thicknesses, keywords, cursors, system
// colours and path data, each as a table of named cases.
#include <gtest/gtest.h>

#include "MarkupTestSupport.h"
#include "toolkit/markup/elements/XTPMarkupGrid.h"
#include "toolkit/markup/elements/XTPMarkupShapes.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupConverters.h"
#include "toolkit/markup/values/XTPMarkupPathData.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

namespace
{
// A conversion's result as the dump writes it; "null" for none.
template <typename F> std::string Convert(F pfnConvert, const wchar_t* lpszText)
{
    CXTPMarkupString* pText = new CXTPMarkupString(lpszText);
    CXTPMarkupObject* pResult = pfnConvert(pText);
    pText->Release();
    if (!pResult)
        return "null";
    std::string str = DumpMarkupValue(pResult);
    pResult->Release();
    return str;
}

struct ValueCase
{
    const char* lpszName;
    CXTPMarkupObject* (*pfnConvert)(CXTPMarkupObject* pText);
    const wchar_t* lpszText;
    const char* lpszExpected;
};

template <typename T> CXTPMarkupObject* ByType(CXTPMarkupObject* pText)
{
    T* pTemporary = new T();
    CXTPMarkupObject* pResult = pTemporary->ConvertFrom(nullptr, pText);
    pTemporary->Release();
    return pResult;
}

template <CXTPMarkupObject* (*pfn)(CXTPMarkupBuilder*, CXTPMarkupObject*)> CXTPMarkupObject* ByConverter(CXTPMarkupObject* pText)
{
    return pfn(nullptr, pText);
}

class MarkupValues : public MarkupTest, public ::testing::WithParamInterface<ValueCase>
{
};

TEST_P(MarkupValues, ConvertsTheText)
{
    EXPECT_EQ(GetParam().lpszExpected, Convert(GetParam().pfnConvert, GetParam().lpszText));
}

const ValueCase g_valueCases[] = {
    {"ColorRgb", &ByType<CXTPMarkupColor>, L"#FF0000", "#FF0000FF"},
    {"ColorArgb", &ByType<CXTPMarkupColor>, L"#80FF0000", "#800000FF"},
    {"ColorShortFormIsNone", &ByType<CXTPMarkupColor>, L"#F00", "null"},
    {"ColorNonHexDigitIsNone", &ByType<CXTPMarkupColor>, L"#GG0000", "null"},
    {"ColorNonHexDigitLateIsNone", &ByType<CXTPMarkupColor>, L"#FF00G0", "null"},
    {"ColorName", &ByType<CXTPMarkupColor>, L"Tan", "#FF8CB4D2"},
    {"ColorNameAnyCase", &ByType<CXTPMarkupColor>, L"ALICEBLUE", "#FFFFF8F0"},
    {"ColorTransparent", &ByType<CXTPMarkupColor>, L"transparent", "#00FFFFFF"},
    {"ColorGreyFormIsAbsent", &ByType<CXTPMarkupColor>, L"grey", "null"},
    {"ColorCssGreen", &ByType<CXTPMarkupColor>, L"Green", "#FF008000"},
    {"ColorNameMustStartWithLetter", &ByType<CXTPMarkupColor>, L"1Red", "null"},
    {"IntIsWtoi", &ByType<CXTPMarkupInt>, L"12px", "12"},
    {"DoubleWhole", &ByType<CXTPMarkupDouble>, L" -1.25 ", "-1.25"},
    {"DoubleNoExponent", &ByType<CXTPMarkupDouble>, L"1e3", "null"},
    {"DoubleTwoPoints", &ByType<CXTPMarkupDouble>, L"1.2.3", "null"},
    {"DoubleEmpty", &ByType<CXTPMarkupDouble>, L"", "null"},
    {"BoolAnyCase", &ByType<CXTPMarkupBool>, L"TRUE", "True"},
    {"BoolOneIsNone", &ByType<CXTPMarkupBool>, L"1", "null"},
    {"LengthCentimetres", &ByConverter<XTPMarkupConvertLength>, L"2cm", "75"},
    {"LengthInchesDropFraction", &ByConverter<XTPMarkupConvertLength>, L"1.5in", "96"},
    {"LengthPoints", &ByConverter<XTPMarkupConvertLength>, L"12pt", "16"},
    {"LengthAuto", &ByConverter<XTPMarkupConvertLength>, L"auto", "2147483647"},
    {"LengthHugeInchesSaturate", &ByConverter<XTPMarkupConvertLength>, L"99999999in", "2147483647"},
    {"LengthHugeNegativeSaturates", &ByConverter<XTPMarkupConvertLength>, L"-99999999cm", "-2147483647"},
    {"LengthHugePointsSaturate", &ByConverter<XTPMarkupConvertLength>, L"2000000000pt", "2147483647"},
    {"ThicknessPoints", &ByType<CXTPMarkupThickness>, L"2pt", "3,3,3,3"},
    {"ThicknessMillimetres", &ByType<CXTPMarkupThickness>, L"10mm", "37,37,37,37"},
    {"ThicknessInches", &ByType<CXTPMarkupThickness>, L"1in", "96,96,96,96"},
    {"ThicknessFour", &ByType<CXTPMarkupThickness>, L"1,2,3,4", "1,2,3,4"},
    {"ThicknessNegativeEdges", &ByType<CXTPMarkupThickness>, L"-2, 2, 2, -2", "-2,2,2,-2"},
    {"ThicknessTwoValuesFail", &ByType<CXTPMarkupThickness>, L"1, 2", "null"},
    {"ThicknessFourInUnits", &ByType<CXTPMarkupThickness>, L"1pt, 2pt, 3pt, 4pt", "1,3,4,5"},
    {"ThicknessHugeSaturates", &ByType<CXTPMarkupThickness>, L"99999999in", "2147483647,2147483647,2147483647,2147483647"},
    {"FontWeightAnyCase", &ByConverter<XTPMarkupConvertFontWeight>, L"bold", "700"},
    {"FontWeightUnknown", &ByConverter<XTPMarkupConvertFontWeight>, L"Bolder", "null"},
    {"CursorHand", &ByConverter<XTPMarkupConvertCursor>, L"Hand", "32649"},
    {"CursorUnknown", &ByConverter<XTPMarkupConvertCursor>, L"Help", "null"},
    {"DecorationsEmpty", &ByConverter<XTPMarkupConvertTextDecorations>, L"", "0"},
    {"BaselineSuperscript", &ByConverter<XTPMarkupConvertBaselineAlignment>, L"Superscript", "7"},
    {"ScrollBarAuto", &ByConverter<XTPMarkupConvertScrollBarVisibility>, L"auto", "1"},
};

INSTANTIATE_TEST_SUITE_P(Table, MarkupValues, ::testing::ValuesIn(g_valueCases),
                         [](const ::testing::TestParamInfo<ValueCase>& param) { return param.param.lpszName; });

TEST_F(MarkupValues, FloatListReadsBlanksAndCommas)
{
    CXTPMarkupString* pText = new CXTPMarkupString(L"1.5 2,3");
    CXTPMarkupDoubleCollection* pList =
        static_cast<CXTPMarkupDoubleCollection*>(CXTPMarkupDoubleCollection().ConvertFrom(nullptr, pText));
    pText->Release();
    ASSERT_NE(nullptr, pList);
    ASSERT_EQ(3, pList->GetCount());
    EXPECT_FLOAT_EQ(1.5f, pList->GetAt(0));
    EXPECT_FLOAT_EQ(2.0f, pList->GetAt(1));
    EXPECT_FLOAT_EQ(3.0f, pList->GetAt(2));
    pList->Release();

    pText = new CXTPMarkupString(L"1e3");
    EXPECT_EQ(nullptr, CXTPMarkupDoubleCollection().ConvertFrom(nullptr, pText));
    pText->Release();
}

TEST(MarkupSystemColors, MembersResolveByKindAndPrefix)
{
    struct Case
    {
        const wchar_t* lpszMember;
        BOOL bFound;
        XTPMarkupSystemColorKind nKind;
        int nIndex;
    } cases[] = {
        {L"SystemColors.ControlColor", TRUE, xtpMarkupSystemColor, 15},
        {L"SystemColors.ControlDBrush", TRUE, xtpMarkupSystemBrush, 16},
        {L"SystemColors.ScrollBarBrush", TRUE, xtpMarkupSystemBrush, 0},
        {L"SystemColors.HighlightBrushKey", TRUE, xtpMarkupSystemBrushKey, 13},
        {L"SystemColors.InfoColorKey", TRUE, xtpMarkupSystemColorKey, 24},
        {L"SystemColors.MColor", FALSE, xtpMarkupSystemColor, 0}, // 19 characters: too short
        {L"SystemColors.MenColor", TRUE, xtpMarkupSystemColor, 4},
        {L"systemColors.ControlColor", FALSE, xtpMarkupSystemColor, 0},
        {L"SystemColors.controlColor", FALSE, xtpMarkupSystemColor, 0},
        {L"SystemColors.ControlPaint", FALSE, xtpMarkupSystemColor, 0},
    };
    for (const Case& c : cases)
    {
        XTPMarkupSystemColorKind nKind = xtpMarkupSystemColor;
        int nIndex = -1;
        BOOL bFound = XTPMarkupParseSystemColorMember(c.lpszMember, nKind, nIndex);
        EXPECT_EQ(c.bFound, bFound) << NarrowText(c.lpszMember);
        if (bFound && c.bFound)
        {
            EXPECT_EQ(c.nKind, nKind) << NarrowText(c.lpszMember);
            EXPECT_EQ(c.nIndex, nIndex) << NarrowText(c.lpszMember);
        }
    }
}

TEST(MarkupColorNames, AllNamesAreFoundAndSorted)
{
    // Spot values of the CSS table, stored 0xAABBGGRR.
    struct
    {
        const wchar_t* lpszName;
        COLORREF clr;
    } cases[] = {{L"Red", 0xFF0000FF},         {L"Tan", 0xFF8CB4D2},        {L"YellowGreen", 0xFF32CD9A},
                 {L"AliceBlue", 0xFFFFF8F0},   {L"Gray", 0xFF808080},       {L"RebeccaPurple", 0},
                 {L"LightGoldenrodYellow", 0xFFD2FAFA}, {L"Transparent", 0x00FFFFFF}};
    for (const auto& c : cases)
    {
        COLORREF clr = 0;
        BOOL bFound = XTPMarkupLookupColorName(c.lpszName, clr);
        EXPECT_EQ(c.clr != 0, bFound != FALSE) << NarrowText(c.lpszName);
        if (bFound)
        {
            EXPECT_EQ(c.clr, clr) << NarrowText(c.lpszName);
        }
    }
}

struct PathCase
{
    const char* lpszName;
    const wchar_t* lpszData;
    int nErrorPosition; // -1: parses
    const char* lpszPoints; // "x,y:type ..." when it parses
};

std::string DescribePath(const CXTPMarkupPathDataBuilder& builder)
{
    std::string str;
    char sz[64];
    for (int i = 0; i < builder.GetCount(); i++)
    {
        sprintf(sz, "%s%g,%g:%X", i ? " " : "", builder.GetPoints()[i].x, builder.GetPoints()[i].y,
                builder.GetTypes()[i]);
        str += sz;
    }
    return str;
}

class MarkupPathData : public ::testing::TestWithParam<PathCase>
{
};

TEST_P(MarkupPathData, ParsesOrStopsAtThePosition)
{
    CXTPMarkupPathDataParser parser;
    BOOL bParsed = parser.Parse(nullptr, GetParam().lpszData, (int)wcslen(GetParam().lpszData));
    if (GetParam().nErrorPosition < 0)
    {
        ASSERT_TRUE(bParsed) << "stopped at " << parser.GetErrorPosition();
        EXPECT_EQ(GetParam().lpszPoints, DescribePath(parser));
    }
    else
    {
        EXPECT_FALSE(bParsed);
        EXPECT_EQ(GetParam().nErrorPosition, parser.GetErrorPosition());
    }
}

const PathCase g_pathCases[] = {
    {"ClosedTriangle", L"M0,0 L10,0 10,10 Z", -1, "0,0:0 10,0:1 10,10:81"},
    {"SmoothReflectsControlPoint", L"M 0 0 C 0,10 10,10 10,0 S 20,-10 20,0", -1,
     "0,0:0 0,10:3 10,10:3 10,0:3 10,-10:3 20,-10:3 20,0:3"},
    {"SmoothAfterMoveUsesCurrentPoint", L"M5,5 S 6,6 7,7", -1, "5,5:0 5,5:3 6,6:3 7,7:3"},
    {"RelativeSquare", L"M0,0 h10 v10 h-10 z", -1, "0,0:0 10,0:1 10,10:1 0,10:81"},
    {"RelativeMoveAddsLines", L"m1,1 2,0 0,2", -1, "1,1:0 3,1:1 3,3:1"},
    {"LineAfterCloseStartsAtFigureStart", L"M5,5 L10,5 Z L10,10", -1, "5,5:0 10,5:81 5,5:0 10,10:1"},
    {"FillRuleThenMove", L"F1 M0,0 L5,5", -1, "0,0:0 5,5:1"},
    {"FractionsAndSigns", L"M-1.5,+.25", -1, "-1.5,0.25:0"},
    {"SecondCommaFails", L"M0,0 L10,,0", 10, ""},
    {"BadFillRuleFails", L"F2 M0,0", 2, ""},
    {"FirstCommandMustBeMove", L"L0,0", 1, ""},
    {"UnknownCommandFails", L"M0,0 Q1,1", 6, ""},
    {"CommaBeforeCommandFails", L"M0,0 ,L1,1", 6, ""},
    {"MissingCoordinateFails", L"M0", 2, ""},
    {"DotWithoutDigitsFails", L"M.,1", 2, ""},
    {"TrailingCommaFails", L"M0,0,", 5, ""},
};

INSTANTIATE_TEST_SUITE_P(Table, MarkupPathData, ::testing::ValuesIn(g_pathCases),
                         [](const ::testing::TestParamInfo<PathCase>& param) { return param.param.lpszName; });

TEST_F(MarkupValues, PathDataWithErrorSinkIsABuildErrorWithItsPosition)
{
    MarkupParse result = Parse("<Path Data=\"M0,0 L10,,0\"/>");
    EXPECT_EQ(nullptr, result.pRoot);
    EXPECT_EQ("Unexpected token encountered at position '10'. Line 1, position 25", result.strError);
}

TEST_F(MarkupValues, PathDataBoundsAreWholePixels)
{
    MarkupParse result = Parse("<Path Data=\"M0.5,1.5 L10.2,-3.7\"/>");
    ASSERT_NE(nullptr, result.pRoot);
    CXTPMarkupPathData* pData =
        static_cast<CXTPMarkupPathData*>(result.pRoot->GetValue(CXTPMarkupPath::m_pDataProperty));
    ASSERT_NE(nullptr, pData);
    RECT rc = pData->GetBounds();
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(-4, rc.top);
    EXPECT_EQ(11, rc.right);
    EXPECT_EQ(2, rc.bottom);
}

TEST_F(MarkupValues, GridLengths)
{
    struct
    {
        const wchar_t* lpszText;
        bool bValid;
        double dValue;
        CXTPMarkupGridLength::UnitType nType;
    } cases[] = {{L"Auto", true, 1, CXTPMarkupGridLength::unitTypeAuto},
                 {L"*", true, 1, CXTPMarkupGridLength::unitTypeStar},
                 {L"2.5*", true, 2.5, CXTPMarkupGridLength::unitTypeStar},
                 {L"30", true, 30, CXTPMarkupGridLength::unitTypePixel},
                 {L"", false, 0, CXTPMarkupGridLength::unitTypePixel},
                 {L"3x", false, 0, CXTPMarkupGridLength::unitTypePixel}};
    for (const auto& c : cases)
    {
        CXTPMarkupString* pText = new CXTPMarkupString(c.lpszText);
        CXTPMarkupGridLength* pLength =
            static_cast<CXTPMarkupGridLength*>(CXTPMarkupGridLength().ConvertFrom(nullptr, pText));
        pText->Release();
        EXPECT_EQ(c.bValid, pLength != nullptr) << NarrowText(c.lpszText);
        if (pLength)
        {
            EXPECT_EQ(c.dValue, pLength->GetValue()) << NarrowText(c.lpszText);
            EXPECT_EQ(c.nType, pLength->GetUnitType()) << NarrowText(c.lpszText);
            pLength->Release();
        }
    }
}

TEST(MarkupThickness, DeflateNeverCrossesSides)
{
    CXTPMarkupThickness* pThickness = new CXTPMarkupThickness(5, 5, 20, 20);
    RECT rc = CXTPMarkupThickness::DeflateRect({0, 0, 20, 20}, pThickness);
    EXPECT_EQ(5, rc.left);
    EXPECT_EQ(5, rc.right);
    EXPECT_EQ(5, rc.top);
    EXPECT_EQ(5, rc.bottom);
    pThickness->Release();
    rc = CXTPMarkupThickness::DeflateRect({1, 2, 3, 4}, nullptr);
    EXPECT_EQ(3, rc.right);
}
} // namespace
