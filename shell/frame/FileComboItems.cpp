#include "shell/frame/FileComboItems.h"
#include "model/project/Project.h"
#include "model/source/KMFile.h"

namespace {

std::wstring FileNamePart(const std::wstring& name)
{
    const size_t slash = name.find_last_of(L"/\\");
    return slash == std::wstring::npos ? name : name.substr(slash + 1);
}

void AddEntries(CFiles& files, std::vector<FileComboItem>& items)
{
    for (uint32_t i = 0; i < files.GetCount() && items.size() < kMaxFileComboItems; ++i)
        if (CKMFile* entry = files.GetAt(i))
            items.push_back({FileNamePart(entry->GetDisplayName()), entry});
}

// A disc's titles carry their own names; only the checked ones are offered.
void AddTitles(CInputDVD& dvd, std::vector<FileComboItem>& items)
{
    for (uint32_t i = 0; i < dvd.m_titles.GetCount() && items.size() < kMaxFileComboItems; ++i) {
        CKMFile* title = dvd.m_titles.GetAt(i);
        if (title && dvd.IsNotSelected(title->m_fileName) == 1)
            items.push_back({title->m_displayName, title});
    }
}

}  // namespace

std::vector<FileComboItem> BuildFileComboItems(CProject* project)
{
    std::vector<FileComboItem> items;
    if (!project)
        return items;
    switch (project->m_sourceType) {
    case CParametersTransfer::kSourceFiles: AddEntries(project->InputFiles(), items); break;
    case CParametersTransfer::kSourceFolder: AddEntries(project->InputFolder().m_listed, items); break;
    case CParametersTransfer::kSourceDVD: AddTitles(project->InputDVD(), items); break;
    default: break;
    }
    return items;
}

int FileComboIndexOf(const std::vector<FileComboItem>& items, const CKMFile* entry)
{
    if (!entry)
        return -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].entry == entry)
            return static_cast<int>(i);
    return -1;
}
