#pragma once
// The program's one document: owns the project, replaces it on New and Open,
// saves and loads it as a ".km" file, keeps the current source entry, and
// offers the source views the operations that change the project's sources.
// No window code: the player and the user are reached through
// DocumentServices.h. User-interface thread only.
#include "model/project/ProjectReplacedNotice.h"
#include "document/DocumentServices.h"
#include "document/KestrelMediaDocProcessing.h"
#include <functional>
#include <string>

class CComplexFileImpl : public CKestrelMediaDocProcessing {
public:
    using CKestrelMediaDocProcessing::CKestrelMediaDocProcessing;
};

class CKestrelMediaDoc : public CComplexFileImpl {
public:
    // player and ui are not owned and may be null (nothing to detach, nobody to tell).
    CKestrelMediaDoc(CMessageMng* messageMng, IDocPlayer* player, IDocumentUi* ui, IRunClock* clock = nullptr);
    ~CKestrelMediaDoc() override;

    // Views and panes register here to drop their pointers into the project
    // before New or Open (or the document's end) frees it.
    CProjectReplacedNotice& GetProjectReplacedNotice() { return m_projectReplaced; }

    // A fresh untitled project. A running conversion is stopped first.
    bool OnNewDocument();
    // Reads path into a fresh project and, when it is a project file, puts it
    // in place (a running conversion is stopped first). A file whose header
    // is wrong or cannot be read leaves the open project as it was, with an
    // error message; a cut-off body loads as far as it is intact, with a
    // warning.
    bool OnOpenDocument(const std::wstring& path);
    // Writes a temporary file beside path and renames it into place; on any
    // failure the file that was there stays and an error message is shown.
    bool OnSaveDocument(const std::wstring& path);
    // Told the path of every successful save, whichever road led to it (the
    // save commands or the "save changes?" prompt).
    void SetSavedListener(std::function<void(const std::wstring&)> listener) { m_saved = std::move(listener); }
    // When modified, asks whether to save: false when the user cancelled or
    // the save failed (the caller then keeps the document).
    bool SaveModified();

    const std::wstring& GetPathName() const { return m_pathName; }
    // The file's name, or "Untitled".
    std::wstring GetTitle() const;
    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // Negative when the entry's media source could not be opened (the entry
    // stays current).
    HRESULT SetCurrentFile(CKMFile* item);
    CKMFile* GetCurrentFile() const { return m_pCurrentFile; }
    void DetachPlayer();

    // Source operations (each marks the document modified unless noted).
    int AddFilesFromDialog();  // 1 when files were chosen
    void RemoveAllFiles();
    void RemoveFile(int index);
    void SetFolder(const std::wstring& path);
    void ChangeFolder(const std::wstring& name);  // not modified
    void ToggleRecursive();
    void SetFileMask(const std::wstring& mask);
    void SelectFile(CKMFile* item);
    void UnselectFile(CKMFile* item);
    void SelectSubFolder(const std::wstring& name);
    void UnselectSubFolder(const std::wstring& name);
    void RefreshFolder();  // not modified
    void SetDVDPath(const std::wstring& path);
    HRESULT LoadDVDTitles(const std::wstring& path);  // not modified
    void RefreshDVDTitles();  // not modified
    void SelectTitle(CKMFile* title);
    void UnselectTitle(CKMFile* title);

private:
    void StopRunningConversion();
    void ReportDiscNote();
    void ReplaceProject(std::unique_ptr<CProject> fresh);

    IDocPlayer* m_player;
    IDocumentUi* m_ui;
    CProjectReplacedNotice m_projectReplaced;
    CKMFile* m_pCurrentFile = nullptr;
    std::wstring m_pathName;
    bool m_modified = false;
    std::function<void(const std::wstring&)> m_saved;
};
