// The table of every markup class: start-tag name (null when the class has no tag), class, base
// class. It is the one place these facts are written; the type objects, the tag registry and the
// check that each class's C++ base agrees with its row are all made from it.
#pragma once

// X(tag, class, base). The root CXTPMarkupObject names itself as its base; its type has none.
#define XTP_MARKUP_TYPE_TABLE(X)                                                                         \
    X(nullptr, CXTPMarkupDependencyProperty, CXTPMarkupObject)                                           \
    X(nullptr, CXTPMarkupType, CXTPMarkupObject)                                                         \
    X(nullptr, CXTPMarkupObject, CXTPMarkupObject)                                                       \
    X(nullptr, CXTPMarkupInt, CXTPMarkupObject)                                                          \
    X(nullptr, CXTPMarkupDouble, CXTPMarkupObject)                                                       \
    X(nullptr, CXTPMarkupEnum, CXTPMarkupObject)                                                         \
    X(nullptr, CXTPMarkupBool, CXTPMarkupObject)                                                         \
    X(L"Color", CXTPMarkupColor, CXTPMarkupObject)                                                       \
    X(nullptr, CXTPMarkupString, CXTPMarkupObject)                                                       \
    X(nullptr, CXTPMarkupCollection, CXTPMarkupObject)                                                   \
    X(L"DoubleCollection", CXTPMarkupDoubleCollection, CXTPMarkupObject)                                 \
    X(nullptr, CXTPMarkupObjectProperty, CXTPMarkupObject)                                               \
    X(nullptr, CXTPMarkupColorKey, CXTPMarkupObject)                                                     \
    X(nullptr, CXTPMarkupBrushKey, CXTPMarkupObject)                                                     \
    X(nullptr, CXTPMarkupVisual, CXTPMarkupInputElement)                                                 \
    X(nullptr, CXTPMarkupUIElement, CXTPMarkupVisual)                                                    \
    X(nullptr, CXTPMarkupInputElement, CXTPMarkupObject)                                                 \
    X(L"Data", CXTPMarkupPathData, CXTPMarkupObject)                                                     \
    X(L"Path", CXTPMarkupPath, CXTPMarkupShape)                                                          \
    X(L"StackPanel", CXTPMarkupStackPanel, CXTPMarkupPanel)                                              \
    X(L"WrapPanel", CXTPMarkupWrapPanel, CXTPMarkupPanel)                                                \
    X(L"DockPanel", CXTPMarkupDockPanel, CXTPMarkupPanel)                                                \
    X(L"UniformGrid", CXTPMarkupUniformGrid, CXTPMarkupPanel)                                            \
    X(nullptr, CXTPMarkupResourceDictionary, CXTPMarkupObject)                                           \
    X(L"Setter", CXTPMarkupSetter, CXTPMarkupObject)                                                     \
    X(nullptr, CXTPMarkupSetterColection, CXTPMarkupCollection)                                          \
    X(L"Style", CXTPMarkupStyle, CXTPMarkupObject)                                                       \
    X(L"Trigger", CXTPMarkupTrigger, CXTPMarkupObject)                                                   \
    X(nullptr, CXTPMarkupTriggerCollection, CXTPMarkupCollection)                                        \
    X(nullptr, CXTPMarkupScrollBar, CXTPMarkupControl)                                                   \
    X(nullptr, CXTPMarkupScrollBarGripper, CXTPMarkupUIElement)                                          \
    X(L"ScrollViewer", CXTPMarkupScrollViewer, CXTPMarkupContentControl)                                 \
    X(L"TextBlock", CXTPMarkupTextBlock, CXTPMarkupFrameworkElement)                                     \
    X(L"Shape", CXTPMarkupShape, CXTPMarkupFrameworkElement)                                             \
    X(nullptr, CXTPMarkupPointCollection, CXTPMarkupObject)                                              \
    X(L"Polygon", CXTPMarkupPolygon, CXTPMarkupShape)                                                    \
    X(L"Polyline", CXTPMarkupPolyline, CXTPMarkupShape)                                                  \
    X(L"Rectangle", CXTPMarkupRectangle, CXTPMarkupShape)                                                \
    X(L"Ellipse", CXTPMarkupEllipse, CXTPMarkupShape)                                                    \
    X(L"Line", CXTPMarkupLine, CXTPMarkupShape)                                                          \
    X(L"Page", CXTPMarkupPage, CXTPMarkupFrameworkElement)                                               \
    X(L"WindowContainer", CXTPMarkupWindowContainer, CXTPMarkupFrameworkElement)                         \
    X(L"FrameworkContentElement", CXTPMarkupFrameworkContentElement, CXTPMarkupInputElement)             \
    X(L"TextElement", CXTPMarkupTextElement, CXTPMarkupFrameworkContentElement)                          \
    X(nullptr, CXTPMarkupInline, CXTPMarkupTextElement)                                                  \
    X(L"LineBreak", CXTPMarkupLineBreak, CXTPMarkupRun)                                                  \
    X(nullptr, CXTPMarkupInlineCollection, CXTPMarkupCollection)                                         \
    X(L"Span", CXTPMarkupSpan, CXTPMarkupInline)                                                         \
    X(L"Bold", CXTPMarkupBold, CXTPMarkupSpan)                                                           \
    X(L"Hyperlink", CXTPMarkupHyperlink, CXTPMarkupSpan)                                                 \
    X(L"Italic", CXTPMarkupItalic, CXTPMarkupSpan)                                                       \
    X(L"Underline", CXTPMarkupUnderline, CXTPMarkupSpan)                                                 \
    X(L"InlineUIContainer", CXTPMarkupInlineUIContainer, CXTPMarkupInline)                               \
    X(L"Run", CXTPMarkupRun, CXTPMarkupInline)                                                           \
    X(nullptr, CXTPMarkupButtonBase, CXTPMarkupContentControl)                                           \
    X(L"Button", CXTPMarkupButton, CXTPMarkupButtonBase)                                                 \
    X(nullptr, CXTPMarkupToggleButton, CXTPMarkupButtonBase)                                             \
    X(L"CheckBox", CXTPMarkupCheckBox, CXTPMarkupToggleButton)                                           \
    X(L"RadioButton", CXTPMarkupRadioButton, CXTPMarkupToggleButton)                                     \
    X(L"Control", CXTPMarkupControl, CXTPMarkupFrameworkElement)                                         \
    X(nullptr, CXTPMarkupContentControl, CXTPMarkupControl)                                              \
    X(L"Panel", CXTPMarkupPanel, CXTPMarkupFrameworkElement)                                             \
    X(L"Image", CXTPMarkupImage, CXTPMarkupFrameworkElement)                                             \
    X(L"Grid", CXTPMarkupGrid, CXTPMarkupPanel)                                                          \
    X(L"RowDefinition", CXTPMarkupRowDefinition, CXTPMarkupDefinitionBase)                               \
    X(L"ColumnDefinition", CXTPMarkupColumnDefinition, CXTPMarkupDefinitionBase)                         \
    X(L"LinearGradientBrush", CXTPMarkupLinearGradientBrush, CXTPMarkupBrush)                            \
    X(L"GradientStop", CXTPMarkupGradientStop, CXTPMarkupObject)                                         \
    X(nullptr, CXTPMarkupGradientStops, CXTPMarkupCollection)                                            \
    X(L"SolidColorBrush", CXTPMarkupSolidColorBrush, CXTPMarkupBrush)                                    \
    X(L"Canvas", CXTPMarkupCanvas, CXTPMarkupPanel)                                                      \
    X(L"Border", CXTPMarkupBorder, CXTPMarkupFrameworkElement)                                           \
    X(L"FrameworkElement", CXTPMarkupFrameworkElement, CXTPMarkupUIElement)                              \
    X(L"KeyboardNavigation", CXTPMarkupKeyboardNavigation, CXTPMarkupObject)                             \
    X(nullptr, CXTPMarkupThickness, CXTPMarkupObject)                                                    \
    X(L"PathGeometry", CXTPMarkupPathGeometry, CXTPMarkupObject)                                         \
    X(L"RenderTransform", CXTPMarkupRenderTransform, CXTPMarkupObject)                                   \
    X(nullptr, CXTPMarkupBrush, CXTPMarkupObject)                                                        \
    X(L"RotateTransform", CXTPMarkupRotateTransform, CXTPMarkupObject)                                   \
    X(nullptr, CXTPMarkupDefinitionCollection, CXTPMarkupCollection)                                     \
    X(nullptr, CXTPMarkupRowDefinitionCollection, CXTPMarkupDefinitionCollection)                        \
    X(nullptr, CXTPMarkupColumnDefinitionCollection, CXTPMarkupDefinitionCollection)                     \
    X(L"DefinitionBase", CXTPMarkupDefinitionBase, CXTPMarkupObject)                                     \
    X(nullptr, CXTPMarkupGridLength, CXTPMarkupObject)                                                   \
    X(nullptr, CXTPMarkupPoint, CXTPMarkupObject)                                                        \
    X(L"Figures", CXTPMarkupPathGeometryFigures, CXTPMarkupObject)

// One index per row, in table order.
enum XTPMarkupTypeIndex
{
#define XTP_MARKUP_TYPE_INDEX(tag, cls, base) xtpMarkupTypeIndex_##cls,
    XTP_MARKUP_TYPE_TABLE(XTP_MARKUP_TYPE_INDEX)
#undef XTP_MARKUP_TYPE_INDEX
    xtpMarkupTypeCount
};

// The row of a class: its tag, its name as error messages show it, and the index of its base.
struct XTP_MARKUP_TYPE_ROW
{
    const wchar_t* lpszTag;
    const wchar_t* lpszClassName;
    int nBaseIndex;
};

constexpr XTP_MARKUP_TYPE_ROW g_xtpMarkupTypeRows[] = {
#define XTP_MARKUP_TYPE_ROW_OF(tag, cls, base) {tag, L## #cls, xtpMarkupTypeIndex_##base},
    XTP_MARKUP_TYPE_TABLE(XTP_MARKUP_TYPE_ROW_OF)
#undef XTP_MARKUP_TYPE_ROW_OF
};

static_assert(sizeof(g_xtpMarkupTypeRows) / sizeof(g_xtpMarkupTypeRows[0]) == 86, "the markup knows 86 classes");
