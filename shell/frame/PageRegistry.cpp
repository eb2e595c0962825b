#include "shell/frame/PageRegistry.h"
#include "shell/frame/PageKinds.h"
#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// Filled by the registrations while the program starts; read afterwards.
std::vector<PageInfo>& Pages()
{
    static std::vector<PageInfo> pages;
    return pages;
}

}  // namespace

PageInfo ViewPage(int kind, int category, PageViewFactory makeView, bool refillsFileCombo)
{
    PageInfo page;
    page.kind = kind;
    page.category = category;
    page.makeView = makeView;
    page.refillsFileCombo = refillsFileCombo;
    return page;
}

PageInfo SourcePage(int kind, PageViewFactory makeList, const SourcePageLayout& layout)
{
    PageInfo page;
    page.kind = kind;
    page.category = kCategorySource;
    page.makeView = makeList;
    page.isSource = true;
    page.source = layout;
    return page;
}

CPageRegistration::CPageRegistration(const PageInfo& page)
{
    if (FindPage(page.kind))
        throw std::logic_error("page kind " + std::to_string(page.kind) + " registered twice");
    std::vector<PageInfo>& pages = Pages();
    pages.push_back(page);
    std::sort(pages.begin(), pages.end(), [](const PageInfo& a, const PageInfo& b) { return a.kind < b.kind; });
}

std::vector<PageInfo> RegisteredPages()
{
    return Pages();
}

const PageInfo* FindPage(int kind)
{
    for (const PageInfo& page : Pages())
        if (page.kind == kind)
            return &page;
    return nullptr;
}
