#pragma once
// The editing page: a bar of pane buttons at the left edge and one of six
// edit panes (timeline, crop, watermark, advanced, filters, eraser) beside
// it. The view owns the panes and their splitter bars, routes the page's
// commands to itself or the active pane, offers the panes the project's
// output kinds call for, and marks the document modified when a pane's grid
// reports a change. It holds no editing data of its own.
#include "shell/BaseView.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/panes/EditPaneTable.h"
#include <array>
#include <map>
#include <memory>

class CBaseEditPane;
class CEditPaneBar;
class CKestrelMediaDoc;
namespace KM { class CWindowMessageEvent; }

class CEditingView : public CBaseView, public IResizeHandler {
public:
    CEditingView();
    ~CEditingView() override;
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY);
    void OnInitialUpdate() override;
    // Every command moves the active pane into the previous one first.
    bool OnExecuteCommand(int id) override;
    // The active pane's commands, then the view's own.
    std::vector<const CCommandTable*> RoutedCommands() const override;
    std::vector<const CCommandTable*> AllCommands() const override;
    void OnResize() override;

    // The pane of a view key (1..6), or null.
    CBaseEditPane* GetPane(int key) const;
    CBaseEditPane* ActivePane() const { return GetPane(m_switch.Active()); }
    template <class Pane>
    Pane* PaneOf(int key) const
    {
        return dynamic_cast<Pane*>(GetPane(key));
    }
    const CPaneSwitch& Switch() const { return m_switch; }
    CEditPaneBar* GetBar() const { return m_bar; }
    CKMSplitterExWnd* GetSplitter(int index) const { return m_splitters[static_cast<size_t>(index)]; }

private:
    void RegisterCommands();
    void ShowActivePane();
    void AdaptPaneBar(CKestrelMediaDoc* doc);
    void OnPropertiesChanged(KM::CWindowMessageEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnPaint(wxPaintEvent& event);

    CEditPaneBar* m_bar = nullptr;  // child window
    std::map<int, std::unique_ptr<CBaseEditPane>> m_panes;
    CPaneSwitch m_switch;
    std::array<CKMSplitterExWnd*, 6> m_splitters{};  // child windows, "pos_1" .. "pos_6"
};
