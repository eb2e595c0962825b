#pragma once
// A source entry's identity and media attachment: the file name, which chapter
// (title) of a multi-title file it stands for, the name shown for it, and the
// splitting of a multi-title file into one entry per chapter.
#include "model/config/ConfigMng.h"
#include "model/source/FileParserImpl.h"
#include <string>

class CFiles;

class CKMChapter : public CConfigMng, public CFileParserImpl {
public:
    // Result of Open when the file was split into one entry per chapter.
    static constexpr HRESULT kSplitIntoChapters = 100;

    CKMChapter();
    ~CKMChapter() override;

    // The display cache when set ("name#chapter" for a chapter), else the file name.
    std::wstring GetDisplayName();
    // Call after OpenMediaSource returned 0. A chapter attaches itself and its
    // listed siblings to the source; a whole file with several sub-files is
    // split (unless noSplit) and gives kSplitIntoChapters.
    HRESULT Open(int noSplit);
    // 1 when the probe holds an open or last error text.
    int HasError() const;
    // Makes the entry stand for subFile (chapter index) of source.
    void Attach(IUnknown* source, IUnknown* subFile, int chapterIndex);

    std::wstring m_fileName;
    int32_t m_chapterId = -1;  // -1: the whole file
    int32_t m_uniqueId = 0;
    std::wstring m_displayName;
    // The list that receives entries split off this one: the project's
    // single-file list. Not owned; set by the document and the DVD input.
    CFiles* m_owner = nullptr;

private:
    HRESULT OpenWholeFile();
    HRESULT OpenChapter();
    void AddSubFileEntry(IUnknown* source, IUnknown* subFile, int index);
};
