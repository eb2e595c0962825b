#pragma once
// A folder source: the files and sub-folders of one folder below a root,
// browsed one level at a time, with an exclusion list of what the user
// unchecked. Scans are cached until the folder, mask, recursion, position or
// the dirty flag change. Paths use this system's separator.
#include "engine/MsgMng.h"
#include "model/source/Files.h"
#include <memory>
#include <string>
#include <vector>

class CInputFolder : public CMsgMng {
public:
    static constexpr wchar_t kSeparator = L'/';
    static constexpr const wchar_t* kParentName = L"[..]";

    struct SubFolder {
        std::wstring name;
        std::wstring path;  // ends with the separator
    };

    CInputFolder() = default;
    ~CInputFolder() override;

    virtual HRESULT RegisterParams(CConfigMng* node);

    // Root := path, position back to the root, exclusions emptied; message 519
    // when path is no directory (the folder is stored all the same).
    void SetFolder(const std::wstring& path);
    // "[..]" goes up (the left folder's name to *outName), an empty name back
    // to the root, any other name one level down.
    HRESULT ChangeFolder(std::wstring* outName, const std::wstring& name);
    void SetFileMask(const std::wstring& mask);
    HRESULT ScanFolder();

    // 1 when path is not excluded.
    int IsNotSelected(const std::wstring& path);
    void SelectFile(const std::wstring& path);
    void UnselectFile(const std::wstring& path);
    void SelectSubFolder(const std::wstring& name);
    void UnselectSubFolder(const std::wstring& name);

    // The folder the scans list: the root, or the root and the position below it.
    std::wstring CurrentDir() const;
    std::wstring SubFolderPath(const std::wstring& name) const;

    std::vector<std::unique_ptr<SubFolder>> m_subFolders;
    CFiles m_listed;
    CFiles m_second;
    CFiles m_excluded;
    std::wstring m_folder;
    int32_t m_recursive = 1;
    int32_t m_keepHierarchy = 1;
    std::wstring m_fileMask = L"*.*";
    std::wstring m_lastFolder;
    std::wstring m_lastMask;
    int32_t m_lastRecursive = 0;
    std::wstring m_lastSubPath;
    int32_t m_dirty = 1;
    std::wstring m_subPath;  // names joined by the separator, none at either end

private:
    void Exclude(const std::wstring& path);
};
