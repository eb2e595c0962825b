#include "shell/frame/PageRegistry.h"
#include "shell/frame/PageKinds.h"
#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// Filled by the registrations while the program starts; read afterwards.
std::vector<PageSpec>& Pages()
{
    static std::vector<PageSpec> pages;
    return pages;
}

}  // namespace

PageSpec ViewPage(int kind, int category, PageViewFactory makeView, bool refillsFileCombo)
{
    PageSpec page;
    page.kind = kind;
    page.category = category;
    page.makeView = makeView;
    page.refillsFileCombo = refillsFileCombo;
    return page;
}

PageSpec SourcePage(int kind, PageViewFactory makeList, const SourcePageLayout& layout)
{
    PageSpec page;
    page.kind = kind;
    page.category = kCategorySource;
    page.makeView = makeList;
    page.isSource = true;
    page.source = layout;
    return page;
}

CPageRegistration::CPageRegistration(const PageSpec& spec)
{
    if (FindPage(spec.kind))
        throw std::logic_error("page kind " + std::to_string(spec.kind) + " registered twice");
    std::vector<PageSpec>& pages = Pages();
    pages.push_back(spec);
    std::sort(pages.begin(), pages.end(), [](const PageSpec& a, const PageSpec& b) { return a.kind < b.kind; });
}

std::vector<PageSpec> RegisteredPages()
{
    return Pages();
}

const PageSpec* FindPage(int kind)
{
    for (const PageSpec& page : Pages())
        if (page.kind == kind)
            return &page;
    return nullptr;
}
