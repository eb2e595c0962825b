#pragma once
// The shell's side of the model's shell services (model/source/SourceShell.h):
// the active document's error report, the multi-select file chooser and the
// busy pointer. Installed by the application at start-up, removed at exit.
#include "model/source/SourceShell.h"

class CKestrelMediaDoc;

class CActiveDocumentService : public IActiveDocument {
public:
    void SetDocument(CKestrelMediaDoc* doc) { m_doc = doc; }
    void ReportError(std::wstring text) override;

private:
    CKestrelMediaDoc* m_doc = nullptr;
};

class CWxFileBrowser : public IFileBrowser {
public:
    void BrowseFile(std::vector<std::wstring>& paths, const wchar_t* initialFolder, const wchar_t* filter,
                    bool mustExist) override;
};

class CWxWaitCursor : public IWaitCursor {
public:
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
};

// "label|pattern|label|pattern||" as a wx wildcard "label|pattern|label|pattern".
std::wstring WildcardFromFilter(const std::wstring& filter);
