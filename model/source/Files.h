#pragma once
// An ordered list of source entries that is also a group container of the
// project file. Removed entries are kept (the preview player may still show
// them) until the list lets go of them.
#include "model/config/ConfigMng.h"
#include "model/source/KMFile.h"
#include <string>
#include <vector>

class IParentFilesImpl {
public:
    // Appends the entry (taking a reference) unless it is already an item.
    virtual void AddChild(CKMFile* entry) = 0;

protected:
    ~IParentFilesImpl() = default;
};

class CFiles : public CConfigMng, public IParentFilesImpl {
public:
    CFiles() = default;
    ~CFiles() override;

    uint32_t GetCount() override;
    CKMFile* GetAt(uint32_t index) override;  // null past the end
    CKMFile* CreateItem() override;
    // An entry without a path is of no use to anyone: a load drops it.
    DWORD DropIncompleteItems() override;

    CKMFile* AddFile(const std::wstring& path);
    HRESULT AddFiles(const std::vector<std::wstring>& paths);
    // 1 when the user chose nothing (or no chooser is installed), else 0.
    HRESULT AddFilesFromDialog();
    // -1 removes every item; an index past the end removes nothing.
    void RemoveFiles(int index);
    HRESULT RemoveByPath(const std::wstring& path);
    CKMFile* FindByName(const std::wstring& name, int chapterIndex);
    CKMFile* FindByTitle(IUnknown* title, int chapterIndex);
    CKMFile* AddCopyOf(const CKMChapter* entry);
    CKMFile* AddFromMedia(IUnknown* media);
    void ClearMarks();
    // Takes every item whose keep mark is 0 out of the list for good.
    void PurgeUnmarked();
    HRESULT ReleaseOtherSources(CKMFile* keep);
    void AddChild(CKMFile* entry) override;

    // The open dialog's filter: label|patterns pairs ended by "||".
    static const std::wstring& DialogFilter();

private:
    CKMFile* Append(CKMFilePtr entry);
    void MoveToRemoved(size_t index);

    std::vector<CKMFilePtr> m_items;
    std::vector<CKMFilePtr> m_removed;
};

// True when an item of the list has exactly that file name.
bool ContainsFileName(CFiles& list, const std::wstring& name);

// The project's list of single files.
class CInputFiles : public CFiles {};
