#pragma once
// Base of the page views the main frame shows. Commands and their update
// passes reach a view by id through OnExecuteCommand / OnUpdateCommand
// before any handler of its own; a right click shows the view's context
// menu; the view's size is remembered in "Workspace"; the message 0x401
// re-runs its initial update.
//
// Command routing: a view registers its commands in its command table; the
// main frame hands each menu or ribbon command (and each update-UI pass) to
// every view of the active page with RouteCommand / RouteUpdateUI, then
// handles it itself. Events that arrive at the view by themselves (its
// context menu, its children, its keys) take the same path.
#include "shell/commands/CommandTable.h"
#include <string>
#include <vector>
#include <wx/panel.h>

class CKestrelMediaDoc;
class wxUpdateUIEvent;

// Whether a resize is remembered: a named view, no page switch under way,
// a real size.
bool ShouldSaveViewLayout(const std::wstring& layoutName, bool pageSwitching, int cx, int cy);

class CBaseView : public wxPanel {
public:
    CBaseView() = default;
    // A child of parent; call once.
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);

    // True when the view handled the update of the command (enable, check):
    // the first of its routed tables with an entry for it answers.
    virtual bool OnUpdateCommand(int id, wxUpdateUIEvent& ui);
    // True when the view carried out the command.
    virtual bool OnExecuteCommand(int id);

    // The tables a command reaches in this view, in routing order (an active
    // pane's before the view's own).
    virtual std::vector<const CCommandTable*> RoutedCommands() const { return {&m_commands}; }
    // Every table the view holds, shown or not.
    virtual std::vector<const CCommandTable*> AllCommands() const { return RoutedCommands(); }
    const CCommandTable& Commands() const { return m_commands; }

    // The view's own handling of a command or update pass, as the frame routes it.
    bool RouteCommand(wxCommandEvent& event);
    bool RouteUpdateUI(wxUpdateUIEvent& event);

    // Re-reads the document (0x401 and first show); calls OnUpdate by default.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CBaseView* sender, long hint, void* object);

    CKestrelMediaDoc* GetDocument() const;

    // The frame sets it while it switches ribbon categories, so hiding and
    // showing pages never overwrites remembered sizes.
    static void SetPageSwitching(bool switching);
    static bool IsPageSwitching();

    unsigned m_nContextMenuId = 0;
    std::wstring m_strLayoutName;

protected:
    bool TryBefore(wxEvent& event) override;

    CCommandTable m_commands;  // filled by the derived view when it is made
    void SaveLayout(int cx, int cy);

private:
    void OnContextMenu(wxContextMenuEvent& event);
    void OnSize(wxSizeEvent& event);
};
