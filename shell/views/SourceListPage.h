#pragma once
// The registration of a source page: its list view, and the properties and
// preview views every source page shows beside the list.
#include "shell/frame/PageKinds.h"
#include "shell/frame/PageRegistry.h"
#include "shell/views/SourceTypeFileViewPreview.h"
#include "shell/views/SourceTypeFileViewProperties.h"

// sourceType: the project's source type the page shows; splitterSlot: its
// outer splitter among the frame's six; clientOrder: when the client area
// makes it among the source pages; widthKey: "Workspace" key of the list's width.
template <class ListView>
PageInfo SourceListPage(int kind, int sourceType, int splitterSlot, int clientOrder, const wchar_t* widthKey)
{
    SourcePageLayout layout;
    layout.sourceType = sourceType;
    layout.splitterSlot = splitterSlot;
    layout.clientOrder = clientOrder;
    layout.widthKey = widthKey;
    layout.makeProperties = &MakePageView<CSourceTypeFileViewProperties>;
    layout.makePreview = &MakePageView<CSourceTypeFileViewPreview>;
    return SourcePage(kind, &MakePageView<ListView>, layout);
}
