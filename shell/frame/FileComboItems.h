#pragma once
// The items of the editing tab's current-file choice: one per source entry of
// the project's source type, at most kMaxFileComboItems.
#include <string>
#include <vector>

class CKMFile;
class CProject;

inline constexpr size_t kMaxFileComboItems = 102;

struct FileComboItem {
    std::wstring text;
    CKMFile* entry;
};

std::vector<FileComboItem> BuildFileComboItems(CProject* project);

// The index of entry among items, -1 when it is not there (or null).
int FileComboIndexOf(const std::vector<FileComboItem>& items, const CKMFile* entry);
