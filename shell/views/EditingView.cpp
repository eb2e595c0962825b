#include "shell/views/EditingView.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/WindowMessages.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/PageKinds.h"
#include "shell/frame/PageRegistry.h"
#include "shell/panes/AdvancedPane.h"
#include "shell/panes/CropPane.h"
#include "shell/panes/EditPaneBar.h"
#include "shell/panes/EraserPane.h"
#include "shell/panes/FiltersPane.h"
#include "shell/panes/PaneOutputs.h"
#include "shell/panes/TimelinePane.h"
#include "shell/panes/WatermarkPane.h"
#include <wx/dcbuffer.h>

CEditingView::CEditingView() = default;

CEditingView::~CEditingView()
{
    // The panes go before their windows, which the framework destroys after.
    m_panes.clear();
}

bool CEditingView::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseView::Create(parent, id))
        return false;
    for (size_t i = 0; i < m_splitters.size(); ++i) {
        auto* splitter = new CKMSplitterExWnd;
        // The settings columns fit their longest names and values at the
        // default window size.
        splitter->Create(this, this, L"pos_" + std::to_wstring(i + 1), i == 0 ? 150 : 290);
        m_splitters[i] = splitter;
    }
    m_bar = new CEditPaneBar;
    m_bar->Create(this);
    m_bar->SetButtons(BarCommands(kBarAll));

    CKestrelMediaDoc* doc = GetDocument();
    auto splitter = [this](int key) {
        const std::wstring name = PaneByKey(key)->splitterKey;  // "pos_N"
        return m_splitters[static_cast<size_t>(name.back() - L'1')];
    };
    m_panes[kTimelineKey] = std::make_unique<CTimelinePane>(doc, this, splitter(kTimelineKey), this);
    m_panes[kAdvancedKey] = std::make_unique<CAdvancedPane>(doc, this, splitter(kAdvancedKey));
    m_panes[kCropKey] = std::make_unique<CCropPane>(doc, this, splitter(kCropKey));
    m_panes[kFiltersKey] = std::make_unique<CFiltersPane>(doc, this, splitter(kFiltersKey));
    m_panes[kEraserKey] = std::make_unique<CEraserPane>(doc, this, splitter(kEraserKey));
    m_panes[kWatermarkKey] = std::make_unique<CWatermarkPane>(doc, this, splitter(kWatermarkKey));
    for (auto& [key, pane] : m_panes)
        pane->Hide();

    Bind(EVT_KM_GRID_CHANGED, &CEditingView::OnPropertiesChanged, this);
    Bind(wxEVT_CHAR_HOOK, &CEditingView::OnCharHook, this);
    Bind(wxEVT_PAINT, &CEditingView::OnPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        OnResize();
    });
    RegisterCommands();
    ShowActivePane();
    return true;
}

CBaseEditPane* CEditingView::GetPane(int key) const
{
    auto it = m_panes.find(key);
    return it == m_panes.end() ? nullptr : it->second.get();
}

void CEditingView::OnResize()
{
    const wxSize client = GetClientSize();
    if (m_bar)
        m_bar->SetSize(0, 0, kPaneBarWidth, client.y);
    if (CBaseEditPane* pane = ActivePane())
        pane->Layout(0, 0, client.x, client.y);
}

void CEditingView::ShowActivePane()
{
    if (!m_switch.ShowDue())
        return;
    if (CBaseEditPane* previous = GetPane(m_switch.Previous()))
        previous->Hide();
    CBaseEditPane* pane = ActivePane();
    if (!pane)
        return;
    const wxSize client = GetClientSize();
    pane->Layout(0, 0, client.x, client.y);
    m_nContextMenuId = pane->ContextMenuId();
    pane->Attach(GetDocument());
    pane->Show();
    if (m_bar)
        m_bar->SetChecked(PaneByKey(m_switch.Active())->command);
}

void CEditingView::AdaptPaneBar(CKestrelMediaDoc* doc)
{
    const CPaneSwitch::Adaptation a = m_switch.Adapt(ProjectOutputs(doc ? doc->GetProject() : nullptr));
    if (!a.rebuild)
        return;
    m_bar->Freeze();
    m_bar->SetButtons(BarCommands(m_switch.BarSet()));
    if (a.show)
        ShowActivePane();
    m_bar->SetChecked(PaneByKey(m_switch.Active())->command);
    m_bar->Thaw();
    m_bar->Refresh();
    m_bar->Update();
}

void CEditingView::OnInitialUpdate()
{
    CKestrelMediaDoc* doc = GetDocument();
    AdaptPaneBar(doc);
    if (CBaseEditPane* pane = ActivePane())
        pane->Attach(doc);
}

void CEditingView::OnPropertiesChanged(KM::CWindowMessageEvent& event)
{
    if (CKestrelMediaDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    if (CBaseEditPane* pane = ActivePane())
        pane->Apply(event.GetWParam(), event.GetLParam());
    event.SetResult(0);
}

void CEditingView::OnCharHook(wxKeyEvent& event)
{
    CBaseEditPane* pane = ActivePane();
    if (pane && pane->PreTranslateMessage(event))
        return;
    // Ctrl+Page Down and Ctrl+Page Up step through the files as the ribbon's arrows do.
    if (event.GetModifiers() == wxMOD_CONTROL &&
        (event.GetKeyCode() == WXK_PAGEDOWN || event.GetKeyCode() == WXK_PAGEUP)) {
        OnExecuteCommand(event.GetKeyCode() == WXK_PAGEDOWN ? KM::Cmd::NextFile : KM::Cmd::PreviousFile);
        return;
    }
    event.Skip();
}

void CEditingView::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    if (GetDocument())
        dc.Clear();
}

void CEditingView::RegisterCommands()
{
    m_commands.Add(KM::Cmd::ResetEditPane, [this] {
        if (CBaseEditPane* pane = ActivePane())
            pane->ResetToDefaults(1);
    });
    // A pane the project's outputs do not offer cannot be chosen.
    for (const EditPaneInfo& info : EditPanes())
        m_commands.Add(
            info.command,
            [this, &info] { return Checked(info.key == m_switch.Active(), m_switch.Offers(info.command)); },
            [this, &info] {
                if (m_switch.Select(info.command))
                    ShowActivePane();
            });
}

std::vector<const CCommandTable*> CEditingView::RoutedCommands() const
{
    std::vector<const CCommandTable*> tables;
    if (CBaseEditPane* pane = ActivePane())
        tables.push_back(&pane->Commands());
    tables.push_back(&m_commands);
    return tables;
}

std::vector<const CCommandTable*> CEditingView::AllCommands() const
{
    std::vector<const CCommandTable*> tables{&m_commands};
    for (const auto& [key, pane] : m_panes)
        tables.push_back(&pane->Commands());
    return tables;
}

bool CEditingView::OnExecuteCommand(int id)
{
    if (!PaneByCommand(id))  // choosing a pane moves the keys itself
        m_switch.NoteCommand();
    return CBaseView::OnExecuteCommand(id);
}

namespace {

// The editing page, on the editing tab; the tab's file choice is filled first.
const CPageRegistration kPage(ViewPage(kPageEditing, kCategoryEditing, &MakePageView<CEditingView>, true));

}  // namespace
