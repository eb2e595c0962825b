#pragma once
// A DVD source (or any multi-title source): the titles of the opened disc,
// matched again on every rescan so their trims and stream choices stay, and
// an exclusion list of the titles the user unchecked.
#include "model/source/Files.h"

struct IEngineCollection;
#include <string>

class CInputDVD {
public:
    CInputDVD() = default;
    virtual ~CInputDVD();
    CInputDVD(const CInputDVD&) = delete;
    CInputDVD& operator=(const CInputDVD&) = delete;

    virtual HRESULT RegisterParams(CConfigMng* node);

    // Path := path, exclusions emptied.
    void SetPath(const std::wstring& path);
    // Opens the DVD at path (or, with reuseOpen, the one already open) and
    // lists its titles. 1 when that DVD is already open and nothing was asked
    // to be rescanned; the open's failure status when it failed; else 0.
    // Titles are kept while no disc could be read.
    HRESULT LoadTitles(std::wstring path, int reuseOpen);
    HRESULT Close();
    void SelectTitle(CKMFile* title);
    void UnselectTitle(CKMFile* title);
    // 1 when path is not excluded.
    int IsNotSelected(const std::wstring& path);

    CKMFile* GetDvdObject() const { return m_dvd.get(); }
    // What the open disc's source says although it opened (the title sets it
    // was read without, say); empty when it says nothing or no disc is open.
    std::wstring DiscNote() const;

    std::wstring m_path;
    CFiles m_excluded;
    CFiles m_titles;
    CFiles* m_owner = nullptr;  // the project's single-file list, given to the DVD object
    int32_t m_join = 1;

private:
    bool IsOpen(const std::wstring& path) const;
    void MatchTitles(IUnknown* dvdSource, IEngineCollection* subFiles);

    CKMFilePtr m_dvd;
};
