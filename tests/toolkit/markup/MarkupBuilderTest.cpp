// Markup text to trees: every build error with its exact message, line and position, and the
// trees of valid documents.
#include <gtest/gtest.h>

#include "MarkupTestSupport.h"
#include "toolkit/markup/elements/XTPMarkupControls.h"
#include "toolkit/markup/elements/XTPMarkupGrid.h"
#include "toolkit/markup/elements/XTPMarkupTextElements.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"

namespace
{
struct ErrorCase
{
    const char* lpszName;
    std::string strDocument;
    const char* lpszMessage;
};

class MarkupBuildErrors : public MarkupTest, public ::testing::WithParamInterface<ErrorCase>
{
};

TEST_P(MarkupBuildErrors, FailWithTheMessage)
{
    MarkupParse result = Parse(GetParam().strDocument);
    EXPECT_EQ(nullptr, result.pRoot);
    EXPECT_EQ(GetParam().lpszMessage, result.strError);
}

std::string Nested(const char* lpszOpen, const char* lpszClose, int nCount)
{
    std::string str;
    for (int i = 0; i < nCount; i++)
        str += lpszOpen;
    for (int i = 0; i < nCount; i++)
        str += lpszClose;
    return str;
}

const ErrorCase g_errorCases[] = {
    {"EmptyText", "", "Data at the root level is invalid"},
    {"PlainText", "plain text", "Data at the root level is invalid"},
    {"MultipleRoots", "<Border/><Border/>", "There are multiple root elements. Line 1, position 18"},
    {"MismatchedEndTag", "<Border><TextBlock></Border>",
     "The 'TextBlock' start tag does not match the end tag of 'Border'. Line 1, position 29"},
    {"RootNotAnElement", "<Run/>", "Root element have to be 'CXTPMarkupUIElement' type"},
    {"UnknownProperty", "<Border Foo=\"1\"/>", "The property 'Foo' does not exist in XML namespace. Line 1, position 16"},
    {"UnknownTag", "<Border><Blob/></Border>", "The tag 'Blob' does not exist in XML namespace. Line 1, position 15"},
    {"TagsAreCaseSensitive", "<border/>", "The tag 'border' does not exist in XML namespace. Line 1, position 9"},
    {"UnknownPropertyElement", "<Border><Border.Nothing/></Border>",
     "The tag 'Border.Nothing' does not exist in XML namespace. Line 1, position 25"},
    {"PropertyElementAtRoot", "<Border.Background/>",
     "The tag 'Border.Background' does not exist in XML namespace. Line 1, position 20"},
    {"TextAfterRoot", "<Border/>x", "Data at the root level is invalid. Line 1, position 11"},
    {"ElementsNotClosed", "<Border><TextBlock>",
     "Unexpected end of file has occurred. The following elements are not closed: 'TextBlock'. Line 1, position 20"},
    {"OnlyAComment", "<!-- c -->", "Root element is missing. Line 1, position 11"},
    {"EndTagAfterRoot", "<Border/></Border>", "Unexpected end tag. Line 1, position 19"},
    {"TokenizerErrorOnSecondLine", "<Border>\r\n<TextBlock a></TextBlock></Border>",
     "'>' is an unexpected token. The expected token is '='. Line 3, position 14"},
    {"DelegateNotFound", "<Border MouseLeftButtonDown=\"OnClick\"/>",
     "'OnClick' delegate not found. Line 1, position 38"},
    {"RowCollectionGetsAColumn", "<Grid><Grid.RowDefinitions><ColumnDefinition/></Grid.RowDefinitions></Grid>",
     "'CXTPMarkupColumnDefinition' object cannot be added to 'CXTPMarkupRowDefinitionCollection'. Object cannot be "
     "converted to type 'CXTPMarkupRowDefinition'. Line 1, position 47"},
    {"RowDefinitionsNeedTheirCollection", "<Grid RowDefinitions=\"x\"/>",
     "CXTPMarkupRowDefinitionCollection class expected. Line 1, position 25"},
    {"ColumnDefinitionsNeedTheirCollection", "<Grid ColumnDefinitions=\"x\"/>",
     "CXTPMarkupColumnDefinitionCollection class expected. Line 1, position 28"},
    {"PropertyElementWithoutValue", "<Grid><Grid.RowDefinitions></Grid.RowDefinitions></Grid>",
     "'RowDefinitions' property does not have a value. Line 1, position 50"},
    {"SecondChildOfBorder", "<Border><Border/><Border/></Border>",
     "'CXTPMarkupBorder' already has a child and cannot add 'CXTPMarkupBorder'. 'CXTPMarkupBorder' can accept only one "
     "child.. Line 1, position 27"},
    {"TextElementInBorder", "<Border><Run/></Border>",
     "'CXTPMarkupRun' object cannot be added to 'CXTPMarkupBorder'. Object cannot be converted to type "
     "'CXTPMarkupUIElement'. Line 1, position 15"},
    {"TextInBorder", "<Border>hi</Border>",
     "'CXTPMarkupString' object cannot be added to 'CXTPMarkupBorder'. Object cannot be converted to type "
     "'CXTPMarkupUIElement'. Line 1, position 20"},
    {"SecondChildOfButton", "<Button>a<Border/></Button>",
     "'CXTPMarkupButton' already has a child and cannot add 'CXTPMarkupBorder'. 'CXTPMarkupButton' can accept only one "
     "child.. Line 1, position 19"},
    {"ButtonInSpanInRun", "<TextBlock><Run><Button/></Run></TextBlock>",
     "Cannot add content to an object of type 'CXTPMarkupRun'. Line 1, position 26"},
    {"TextInDefinition", "<Grid><Grid.Tag><ColumnDefinition>x</ColumnDefinition></Grid.Tag></Grid>",
     "Cannot convert the string 'x' into a 'CXTPMarkupColumnDefinition' object. Line 1, position 55"},
    {"ElementInInlineContainer", "<TextBlock><InlineUIContainer><Run/></InlineUIContainer></TextBlock>",
     "'CXTPMarkupRun' object cannot be added to 'CXTPMarkupInlineUIContainer'. Object cannot be converted to type "
     "'CXTPMarkupUIElement'. Line 1, position 37"},
    {"BadKeyword", "<TextBlock FontWeight=\"Bolder\"/>",
     "Cannot convert string in attribute 'FontWeight' to object of type 'CXTPMarkupEnum'. Line 1, position 31"},
    {"BadColour", "<Border Background=\"#GG0000\"/>",
     "Cannot convert string in attribute 'Background' to object of type 'CXTPMarkupBrush'. Line 1, position 29"},
    {"ThicknessOfTwo", "<Border Margin=\"1, 2\"/>",
     "Cannot convert string in attribute 'Margin' to object of type 'CXTPMarkupThickness'. Line 1, position 22"},
    {"StaticMemberUnknown", "<Border Background=\"{x:Static SystemColors.Nothing}\"/>",
     "Cannot find the static member  'SystemColors.Nothing'. Line 1, position 53"},
    {"ExtensionNotClosed", "<Border Background=\"{x:Static SystemColors.ControlBrush\"/>",
     "Markup extension expressions must end with '}'. Line 1, position 57"},
    {"UnknownExtension", "<Border Tag=\"{Binding x}\"/>",
     "The tag 'Binding x' does not exist in XML namespace. Line 1, position 26"},
    {"UnknownTypeExtension", "<Border Tag=\"{x:Type Foo}\"/>", "Cannot find type 'Foo'. Line 1, position 27"},
    {"ResourceMissing", "<Border Background=\"{StaticResource b}\"/>",
     "Cannot find resource named 'b'. Resource names are case sensitive. Line 1, position 40"},
    {"SetterWithoutValue",
     "<Border><Border.Resources><Style TargetType=\"TextBlock\"><Setter Property=\"Foreground\"/></Style>"
     "</Border.Resources></Border>",
     "Must specify both Property and Value for Setter.. Line 1, position 88"},
    {"SetterWithoutProperty",
     "<Border><Border.Resources><Style TargetType=\"TextBlock\"><Setter Value=\"Red\"/></Style>"
     "</Border.Resources></Border>",
     "Must specify both Property and Value for Setter.. Line 1, position 78"},
    {"SetterPlainNameWithoutTargetType",
     "<Border><Border.Resources><Style x:Key=\"s\"><Setter Property=\"Margin\" Value=\"1\"/></Style>"
     "</Border.Resources></Border>",
     "Cannot find the Style Property 'Margin'. Line 1, position 81"},
    {"SetterValueNotConvertible",
     "<Border><Border.Resources><Style TargetType=\"Border\"><Setter Property=\"Margin\" Value=\"1,2\"/></Style>"
     "</Border.Resources></Border>",
     "Cannot convert string in attribute 'Margin' to object of type 'CXTPMarkupThickness'. Line 1, position 93"},
    {"ResourceWithoutKey", "<Border><Border.Resources><SolidColorBrush Color=\"Red\"/></Border.Resources></Border>",
     "Objects added to Dictionary must have Key attribute or some other type of associated Key. Line 1, position 57"},
    {"ResourceKeyTwice",
     "<Border><Border.Resources><SolidColorBrush x:Key=\"a\"/><SolidColorBrush x:Key=\"a\"/></Border.Resources>"
     "</Border>",
     "Dictionary key is already used. Key attributes must be unique.. Line 1, position 83"},
    {"ImplicitStyleTwice",
     "<Border><Border.Resources><Style TargetType=\"Border\"/><Style TargetType=\"Border\"/></Border.Resources>"
     "</Border>",
     "Dictionary key is already used. Key attributes must be unique.. Line 1, position 83"},
    {"TooManyOpenElements", Nested("<Border>", "</Border>", 257),
     "Elements are nested too deeply: more than 256 are open. Line 1, position 2057"},
    {"ExtensionsNestedTooDeeply",
     "<Border Background=\"" + Nested("{StaticResource ", "}", 17) + "\"/>",
     "Markup extensions are nested too deeply: more than 16 levels. Line 1, position 311"},
};

INSTANTIATE_TEST_SUITE_P(Table, MarkupBuildErrors, ::testing::ValuesIn(g_errorCases),
                         [](const ::testing::TestParamInfo<ErrorCase>& param) { return param.param.lpszName; });

class MarkupTrees : public MarkupTest
{
};

TEST_F(MarkupTrees, LongErrorStaysWithin255CharactersAndKeepsItsPosition)
{
    std::string strKey(5000, 'k');
    MarkupParse result = Parse("<Border Background=\"{StaticResource " + strKey + "}\"/>");
    ASSERT_EQ(nullptr, result.pRoot);
    EXPECT_LE(result.strError.size(), 255u);
    EXPECT_EQ(0u, result.strError.find("Cannot find resource named 'kkk"));
    const std::string strWhere = ". Line 1, position 5039";
    ASSERT_GE(result.strError.size(), strWhere.size());
    EXPECT_EQ(strWhere, result.strError.substr(result.strError.size() - strWhere.size()));
}

TEST_F(MarkupTrees, TextBlockGetsWordsAndSpans)
{
    MarkupParse result = Parse("<TextBlock>Hello   <Bold>big</Bold> world</TextBlock>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    EXPECT_EQ("TextBlock\n"
              "  InlineCollection\n"
              "    Run Text=\"Hello \"\n"
              "    Bold FontWeight=700\n"
              "      InlineCollection\n"
              "        Run Text=\"big\"\n"
              "    Run Text=\" world\"\n",
              DumpMarkupTree(result.pRoot));
}

TEST_F(MarkupTrees, ElementInTextBecomesAnInlineContainer)
{
    MarkupParse result = Parse("<TextBlock>a <Button>b</Button></TextBlock>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    EXPECT_EQ("TextBlock\n"
              "  InlineCollection\n"
              "    Run Text=\"a \"\n"
              "    InlineUIContainer\n"
              "      Button Focusable=True\n"
              "        Content=TextBlock\n"
              "          InlineCollection\n"
              "            Run Text=\"b\"\n",
              DumpMarkupTree(result.pRoot));
}

TEST_F(MarkupTrees, PropertyElementsAttachedPropertiesAndNamespaces)
{
    MarkupParse result = Parse(
        "<Grid xmlns=\"http://schemas.microsoft.com/winfx/2006/xaml/presentation\" xmlns:x=\"x\">\n"
        "  <Grid.RowDefinitions><RowDefinition Height=\"2*\"/><RowDefinition/></Grid.RowDefinitions>\n"
        "  <Border Grid.Row=\"1\" x:Name=\"b\" Tag=\"{}{literal}\">\n"
        "    <Border.Background><SolidColorBrush Color=\"Red\"/></Border.Background>\n"
        "  </Border>\n"
        "</Grid>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupGrid* pGrid = static_cast<CXTPMarkupGrid*>(result.pRoot);
    ASSERT_EQ(2, pGrid->GetRowDefinitions()->GetCount());
    CXTPMarkupGridLength* pHeight = pGrid->GetRowDefinitions()->GetDefinition(0)->GetUserSize();
    EXPECT_EQ(2.0, pHeight->GetValue());
    EXPECT_EQ(CXTPMarkupGridLength::unitTypeStar, pHeight->GetUnitType());
    EXPECT_EQ(pGrid, pGrid->GetRowDefinitions()->GetLogicalParent());
    EXPECT_EQ("Grid\n"
              "  Border Name=\"b\" Tag=\"{literal}\" Row=1\n"
              "    Background=SolidColorBrush Color=#FF0000FF\n",
              DumpMarkupTree(result.pRoot));
}

TEST_F(MarkupTrees, Utf8DeclarationSwitchesTheCodePage)
{
    MarkupParse result = Parse("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TextBlock>\xE2\x82\xAC \xC3\xA9</TextBlock>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    EXPECT_EQ("TextBlock\n  InlineCollection\n    Run Text=\"\\u20AC \\u00E9\"\n", DumpMarkupTree(result.pRoot));
}

TEST_F(MarkupTrees, CommentsAndWhitespaceAroundTheRoot)
{
    MarkupParse result = Parse("  <!-- c --> <Border/> \r\n ");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    EXPECT_EQ("Border\n", DumpMarkupTree(result.pRoot));
}

TEST_F(MarkupTrees, StaticSystemBrushAndLiteralBraces)
{
    MarkupParse result = Parse("<Border Background=\"{x:Static SystemColors.HighlightBrush}\" Tag=\"{}{x}\"/>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupBrush* pBrush =
        static_cast<CXTPMarkupBrush*>(result.pRoot->GetValue(CXTPMarkupBorder::m_pBackgroundProperty));
    ASSERT_NE(nullptr, pBrush);
    EXPECT_EQ(CXTPMarkupSolidColorBrush::GetMarkupType(), pBrush->GetType());
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), pBrush->GetColor());
    EXPECT_STREQ(L"{x}", XTPMarkupStringOf(result.pRoot->GetValue(CXTPMarkupFrameworkElement::m_pTagProperty)));
}

TEST_F(MarkupTrees, SystemColourKeysResolveWithoutResources)
{
    MarkupParse result = Parse("<Border Background=\"{StaticResource {x:Static SystemColors.WindowBrushKey}}\"/>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupBrush* pBrush =
        static_cast<CXTPMarkupBrush*>(result.pRoot->GetValue(CXTPMarkupBorder::m_pBackgroundProperty));
    ASSERT_NE(nullptr, pBrush);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), pBrush->GetColor());
}

TEST_F(MarkupTrees, GradientStopsAsChildrenOfTheBrush)
{
    MarkupParse result = Parse(
        "<Border><Border.Background><LinearGradientBrush StartPoint='0,0' EndPoint='0,1'>"
        "<GradientStop Offset='0.5' Color='#80FF0000'/><GradientStop Color='Blue'/>"
        "</LinearGradientBrush></Border.Background></Border>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupLinearGradientBrush* pBrush =
        static_cast<CXTPMarkupLinearGradientBrush*>(result.pRoot->GetValue(CXTPMarkupBorder::m_pBackgroundProperty));
    ASSERT_NE(nullptr, pBrush);
    ASSERT_EQ(2, pBrush->GetGradientStops()->GetCount());
    EXPECT_EQ(0x0000FFu, pBrush->GetColor()) << "the first declared stop, alpha dropped";
    EXPECT_EQ(0.0, pBrush->GetGradientStops()->GetStop(1)->GetOffset()) << "a stop without Offset sits at 0";
}

class RecordingDelegate : public CXTPMarkupDelegate
{
public:
    void Execute(CXTPMarkupObject* /*pSender*/, CXTPMarkupRoutedEventArgs* /*pArgs*/) override { nCalls++; }
    int nCalls = 0;
};

TEST_F(MarkupTrees, EventAttributeAddsTheNamedDelegate)
{
    RecordingDelegate* pDelegate = new RecordingDelegate();
    m_pContext->SetDelegate(L"OnClick", pDelegate);
    {
        MarkupParse result = Parse("<Border MouseLeftButtonDown=\"OnClick\"/>");
        ASSERT_NE(nullptr, result.pRoot) << result.strError;
        CXTPMarkupInputElement* pBorder = static_cast<CXTPMarkupInputElement*>(result.pRoot);
        EXPECT_EQ(1, pBorder->GetHandlerCount(CXTPMarkupInputElement::m_pMouseLeftButtonDownEvent));
        CXTPMarkupRoutedEventArgs* pArgs =
            new CXTPMarkupRoutedEventArgs(CXTPMarkupInputElement::m_pMouseLeftButtonDownEvent, pBorder);
        pBorder->RaiseEvent(pArgs);
        pArgs->Release();
        EXPECT_EQ(1, pDelegate->nCalls);
    }
    m_pContext->SetDelegate(L"OnClick", nullptr);
    pDelegate->Release();
}

TEST_F(MarkupTrees, ContentTextOfAButtonBecomesATextBlock)
{
    MarkupParse result = Parse("<Button Content=\"Go\"/>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    EXPECT_EQ("Button Focusable=True\n"
              "  Content=TextBlock\n"
              "    InlineCollection\n"
              "      Run Text=\"Go\"\n",
              DumpMarkupTree(result.pRoot));
}

TEST_F(MarkupTrees, TextAttributeOfATextBlockReplacesItsInlines)
{
    MarkupParse result = Parse("<TextBlock Text=\"one\">two</TextBlock>");
    ASSERT_NE(nullptr, result.pRoot) << result.strError;
    CXTPMarkupTextBlock* pText = static_cast<CXTPMarkupTextBlock*>(result.pRoot);
    ASSERT_EQ(2, pText->GetInlines()->GetCount());
    EXPECT_STREQ(L"one", static_cast<CXTPMarkupRun*>(pText->GetInlines()->GetInline(0))->GetText());
    EXPECT_STREQ(L"two", static_cast<CXTPMarkupRun*>(pText->GetInlines()->GetInline(1))->GetText());
}
TEST(MarkupBuilderException, KeepsAtMost255CharactersAndCopiesIntoTheCallersBuffer)
{
    std::string strLong(400, 'x');
    CXTPMarkupBuilderException* pException = new CXTPMarkupBuilderException(strLong.c_str());
    EXPECT_TRUE(pException->m_bAutoDelete);
    EXPECT_EQ(255u, strlen(pException->GetMessage()));
    char szSmall[8];
    EXPECT_TRUE(pException->GetErrorMessage(szSmall, sizeof(szSmall)));
    EXPECT_STREQ("xxxxxxx", szSmall);
    EXPECT_FALSE(pException->GetErrorMessage(szSmall, 0));
    pException->Delete();
}
} // namespace
