#pragma once
// Base of the editing page's six panes. A pane is no window: it owns windows
// it creates as children of the editing view, and the view drives it through
// these operations. A pane keeps no copy of the model; each bind reads the
// document's project and current file afresh. Every bind first drops what
// the last one pointed at, and so does the project-replaced notice, so no
// pane keeps pointers into a project that New or Open frees.
#include "model/project/ProjectReplacedNotice.h"
#include "shell/commands/CommandTable.h"
#include <cstdint>
#include <vector>

class CFrameFileObj;
class CKestrelMediaDoc;
class CKMSplitterExWnd;
class CProject;
class wxKeyEvent;
class wxUpdateUIEvent;
class wxWindow;

// Width of the editing view's pane bar; every pane starts right of it.
inline constexpr int kPaneBarWidth = 100;

class CBaseEditPane : private IProjectReplacedListener {
public:
    CBaseEditPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter, unsigned contextMenuId);
    virtual ~CBaseEditPane();
    CBaseEditPane(const CBaseEditPane&) = delete;
    CBaseEditPane& operator=(const CBaseEditPane&) = delete;

    void Show();
    void Hide();
    // The view's client rectangle; the pane keeps clear of the bar's 100 pixels.
    virtual void Layout(int left, int top, int right, int bottom);
    // Stores the document and binds its current file.
    virtual void Attach(CKestrelMediaDoc* doc);
    // A settings grid of the pane changed a value (wParam 1: rows to rebuild, lParam the row).
    virtual void Apply(uintptr_t wParam, intptr_t lParam);
    // Restores the pane's settings object; a nonzero flag binds again.
    virtual void ResetToDefaults(int flag) = 0;
    // The pane's commands, registered on first use (the pane is fully made
    // by then); the editing view routes to them while the pane is active.
    const CCommandTable& Commands();
    bool OnUpdateCommand(int id, wxUpdateUIEvent& ui) { return Commands().Update(id, ui); }
    bool OnExecuteCommand(int id) { return Commands().Execute(id); }
    // A key pressed anywhere on the page; true when the pane consumed it.
    virtual bool PreTranslateMessage(const wxKeyEvent& key);
    // Reads the current file and the pane's settings object into its controls.
    virtual void BindCurrentFile() = 0;

    unsigned ContextMenuId() const { return m_nContextMenuId; }
    wxWindow* MainWindow() const { return m_pMainWnd; }
    CKestrelMediaDoc* Document() const { return m_pDoc; }

protected:
    // Adds the pane's commands to its table; a derived pane adds its base's first.
    virtual void RegisterCommands(CCommandTable&) {}
    // Lets go of every pointer into the project (settings objects, file,
    // filter object) that the controls hold.
    virtual void Unbind() = 0;
    CProject* Project() const;
    // The project's output the current file is edited for; null without one.
    CFrameFileObj* CurrentOutput() const;
    // The kept width of the pane's settings column.
    int ColumnWidth() const;
    void SetModified() const;
    // The windows Show and Hide act on; null entries are passed over.
    virtual std::vector<wxWindow*> Windows() const;
    static void Place(wxWindow* window, int x, int y, int width, int height);
    // Places the splitter bar and the settings column at the right edge;
    // returns the width left for the picture right of the pane bar.
    int PlaceSettingsColumn(wxWindow* column, int left, int top, int right, int bottom) const;

    CKestrelMediaDoc* m_pDoc;
    wxWindow* m_pView;
    wxWindow* m_pMainWnd = nullptr;
    CKMSplitterExWnd* m_pSplitter;
    unsigned m_nContextMenuId;

private:
    void OnProjectReplacing(CProject* oldProject, CProject* newProject) override;

    CProjectReplacedNotice::CRegistration m_registration;
    CCommandTable m_commands;
    bool m_commandsRegistered = false;
};
