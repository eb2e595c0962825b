#pragma once
// The ribbon layer of the main frame: a "File" tab for the application's
// commands, then the five tabs whose order is the order of the pages (source,
// editing, output, conversion, news and help), and the editing tab's choice
// of the current file.
#include "shell/frame/MainFrmStatusBar.h"
#include <array>
#include <memory>
#include <vector>

class CKMFile;
class CKMRibbonBar;
class wxChoice;
class wxImageList;
class wxRibbonButtonBar;
class wxRibbonPage;
class wxRibbonPanel;
class wxToolBar;
struct FileComboItem;

class CMainFrmRibbon : public CMainFrmStatusBar {
public:
    using CMainFrmStatusBar::CMainFrmStatusBar;
    ~CMainFrmRibbon() override;

    CKMRibbonBar* GetRibbon() const { return m_ribbon; }
    // 0 for the "File" tab, 1..5 for the page tabs, -1 for anything else.
    int CategoryPosition(const wxRibbonPage* page) const;
    int ActiveCategoryPosition() const;
    wxRibbonPage* GetCategory(int position) const;
    wxChoice* GetFileCombo() const { return m_fileCombo; }
    wxToolBar* GetQuickAccessBar() const { return m_quickAccess; }

    // Fills the editing tab's file choice from the project's sources and
    // selects the document's current entry.
    void RefillFileCombo();
    // Empties the choice (the project it pointed into is going away).
    void ClearFileCombo();
    // The entry chosen in the main window's file choice, or null.
    static CKMFile* GetComboFileEntry(wxWindow* mainFrame);

protected:
    void BuildRibbon();

private:
    wxRibbonPage* BuildCategory(int labelId);
    wxRibbonButtonBar* AddPanel(wxRibbonPage* page, int labelId);
    void AddButton(wxRibbonButtonBar* bar, int command, int labelId, int icon, int descriptionId);
    void AddConvertPanel(wxRibbonPage* page);
    void BuildFilePage();
    void BuildQuickAccess();
    void BuildSourceCategory();
    void BuildEditingCategory();
    void BuildOutputCategory();
    void BuildConversionCategory();
    void BuildNewsCategory();
    void ShowRecentFiles(wxWindow* anchor);

    CKMRibbonBar* m_ribbon = nullptr;
    wxToolBar* m_quickAccess = nullptr;
    wxRibbonPage* m_filePage = nullptr;
    std::array<wxRibbonPage*, 6> m_categories{};  // [1..5]; [0] unused
    wxChoice* m_fileCombo = nullptr;
    std::vector<CKMFile*> m_comboEntries;
};
