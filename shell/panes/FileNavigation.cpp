#include "shell/panes/FileNavigation.h"
#include <cstddef>

CKMFile* NeighbourEntry(const FileChoice& choice, int step)
{
    if (choice.selection < 0)
        return nullptr;
    const long index = static_cast<long>(choice.selection) + step;
    if (index < 0 || index >= static_cast<long>(choice.entries.size()))
        return nullptr;
    return choice.entries[static_cast<size_t>(index)];
}

int IndexOfEntry(const FileChoice& choice, const CKMFile* entry)
{
    if (!entry)
        return -1;
    for (size_t i = 0; i < choice.entries.size(); ++i)
        if (choice.entries[i] == entry) return static_cast<int>(i);
    return -1;
}
