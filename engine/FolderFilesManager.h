#pragma once
// Walks one folder: its files matching a mask, or its sub-folders, sorted by
// name. Masks are ';'-separated wildcards ("*.jpeg;*.jpg;"), matched without
// regard to letter case; an empty mask is "*". Sub-folders are listed
// whatever the mask (a mask names files), "." and ".." never; symbolic links
// to folders are not followed (neither listed as folders nor as files).
#include <filesystem>
#include <string>
#include <vector>

class CFolderFilesManager {
public:
    // folder, mask, an optional path that is left out of the results, whether
    // to descend into sub-folders (file mode only), and folders instead of
    // files. Returns false when the folder cannot be read (the walk is empty).
    bool Init(const wchar_t* folder, const wchar_t* mask, const wchar_t* exclude = nullptr,
              bool recursive = false, bool folders = false);
    // Copies the next result into buffer (size units, NUL-terminated; a result
    // that does not fit is skipped). Files come as full paths, folders as
    // names. False when the walk is over.
    bool GetNext(wchar_t* buffer, size_t size);
    // The result GetNext gave last (full path in both modes).
    const std::wstring& GetCurrentFile() const { return m_current; }

    static bool MatchMask(const std::wstring& name, const std::wstring& mask);

private:
    std::vector<std::wstring> m_results;
    std::vector<std::wstring> m_paths;
    size_t m_next = 0;
    std::wstring m_current;
};
