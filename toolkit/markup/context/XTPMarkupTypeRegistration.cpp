// The one function that names every class of the type table: a static library keeps no static
// initialiser nobody refers to, so the types are made here, on first need, under a one-time guard.
#include "toolkit/markup/context/XTPMarkupContext.h"

#include <mutex>

#include "toolkit/markup/treebuilder/XTPMarkupBuilder.h"
#include "toolkit/markup/elements/XTPMarkupControls.h"
#include "toolkit/markup/elements/XTPMarkupGrid.h"
#include "toolkit/markup/elements/XTPMarkupPanel.h"
#include "toolkit/markup/elements/XTPMarkupShapes.h"
#include "toolkit/markup/elements/XTPMarkupTextElements.h"
#include "toolkit/markup/objects/XTPMarkupValues.h"
#include "toolkit/markup/styles/XTPMarkupStyle.h"
#include "toolkit/markup/values/XTPMarkupBrush.h"
#include "toolkit/markup/values/XTPMarkupPathData.h"
#include "toolkit/markup/values/XTPMarkupThickness.h"

static void RegisterAllTypes()
{
    // Every row of the table, in table order; each made type enters the registry.
#define XTP_MARKUP_MAKE_TYPE(tag, cls, base) cls::GetMarkupType();
    XTP_MARKUP_TYPE_TABLE(XTP_MARKUP_MAKE_TYPE)
#undef XTP_MARKUP_MAKE_TYPE

    // Properties, base classes first, walking the list of all types from its head.
    for (CXTPMarkupType* pType = CXTPMarkupType::GetFirstType(); pType; pType = pType->GetNextType())
        pType->EnsureRegistered();
}

void XTPMarkupInitialize()
{
    static std::once_flag s_once;
    std::call_once(s_once, &RegisterAllTypes);
}
