#include "shell/views/EditingView.h"
#include "controls/draw/MediaTimeText.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/WindowMessages.h"
#include "controls/editors/CropEditCtrl.h"
#include "controls/res/ResourceBridge.h"
#include "model/project/Project.h"
#include "model/source/KMFile.h"
#include "shell/KestrelMediaApp.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/frame/MainFrmRibbon.h"
#include <wx/app.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/imaglist.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {

constexpr int kBarWidth = 44;
constexpr int kGridWidth = 300;

struct PaneButton {
    int command;
    int icon;     // cell of the shared command images
    unsigned tip; // string of the pane's name
};
constexpr PaneButton kPaneButtons[] = {
    {CEditingView::kTimelinePane, 3, 61440},
    {CEditingView::kCropPane, 5, 61441},
    {CEditingView::kEraserPane, 6, 61442},
    {CEditingView::kFiltersPane, 10, 61443},
};

}  // namespace

CEditingView::CEditingView()
{
    m_nContextMenuId = 405;
    m_strLayoutName = L"Editing";
}

CEditingView::~CEditingView()
{
    if (m_grid)
        m_grid->BuildRowsFromParameterTree(nullptr, nullptr, true);
}

bool CEditingView::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseView::Create(parent, id))
        return false;
    m_bar = new wxPanel(this, wxID_ANY);
    auto* barSizer = new wxBoxSizer(wxVERTICAL);
    auto images = KM::Res::LoadImageStrip(431, 32, *wxWHITE);
    for (const PaneButton& b : kPaneButtons) {
        wxBitmap bitmap = images && b.icon < images->GetImageCount() ? images->GetBitmap(b.icon) : wxBitmap(32, 32);
        auto* button = new wxBitmapButton(m_bar, b.command, bitmap);
        button->SetToolTip(KM::Res::LoadString(b.tip));
        barSizer->Add(button, 0, wxALL, 2);
    }
    m_bar->SetSizer(barSizer);

    m_preview = new CCropEditCtrl;
    m_preview->Create(this, 1);
    m_preview->SetChangeHandler([this] {
        if (CKestrelMediaDoc* doc = GetDocument())
            doc->SetModifiedFlag(true);
        m_grid->RefreshValues();
    });
    m_grid = new CPropertiesEditCtrl(this, 2);
    m_grid->SetOwnerWindow(this);

    m_timelineTools = new wxPanel(this, wxID_ANY);
    auto* tools = new wxBoxSizer(wxVERTICAL);
    for (int command : {KM::Cmd::SetRangeStart, KM::Cmd::SetRangeEnd})
        tools->Add(new wxButton(m_timelineTools, command, KM::Res::LoadString(static_cast<unsigned>(command))), 0,
                   wxEXPAND | wxALL, 4);
    m_rangeText = new wxStaticText(m_timelineTools, wxID_ANY, wxEmptyString);
    tools->Add(m_rangeText, 0, wxALL, 4);
    m_timelineTools->SetSizer(tools);

    Bind(EVT_KM_GRID_CHANGED, &CEditingView::OnGridChanged, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        LayoutChildren();
    });
    if (CKestrelMediaDoc* doc = GetDocument())
        m_projectRegistration = doc->GetProjectReplacedNotice().Register(this);
    return true;
}

void CEditingView::LayoutChildren()
{
    const wxSize client = GetClientSize();
    const int grid = std::min(kGridWidth, std::max(client.x - kBarWidth - 100, 0));
    m_bar->SetSize(0, 0, kBarWidth, client.y);
    m_preview->SetSize(kBarWidth, 0, std::max(client.x - kBarWidth - grid, 0), client.y);
    m_grid->SetSize(client.x - grid, 0, grid, client.y);
    m_timelineTools->SetSize(client.x - grid, 0, grid, client.y);
}

void CEditingView::OnProjectReplacing(CProject*, CProject*)
{
    m_grid->BuildRowsFromParameterTree(nullptr, nullptr, true);
    m_preview->m_pCrop = nullptr;
    m_preview->m_pEraser = nullptr;
    m_preview->SetFilterSettings(nullptr);
    m_entry = nullptr;
}

void CEditingView::OnInitialUpdate()
{
    CKestrelMediaDoc* doc = GetDocument();
    if (!doc || !doc->GetProject())
        return;
    CKMFile* chosen = CMainFrmRibbon::GetComboFileEntry(wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
    m_entry = chosen ? chosen : doc->GetCurrentFile();
    if (m_entry && m_entry != doc->GetCurrentFile())
        doc->SetCurrentFile(m_entry);
    m_preview->m_pCrop = doc->GetProject()->GetCurrentCrop();
    m_preview->m_pEraser = doc->GetProject()->GetCurrentEraser();
    RefreshFilters();
    m_preview->SetItem(m_entry);
    ShowPane(m_pane);
}

CPropertiesImpl* CEditingView::PaneTree(int pane) const
{
    CKestrelMediaDoc* doc = GetDocument();
    CProject* project = doc ? doc->GetProject() : nullptr;
    if (!project)
        return nullptr;
    switch (pane) {
    case kCropPane: return project->GetCurrentCrop();
    case kEraserPane: return project->GetCurrentEraser();
    case kFiltersPane: {
        CFrameFileObj* output = project->GetCurrentOutput();
        return output ? &output->m_filters : nullptr;
    }
    default: return nullptr;
    }
}

CPreviewPlayerCtrl* CEditingView::GetPreview() const
{
    return m_preview;
}

void CEditingView::ShowPane(int pane)
{
    m_pane = pane;
    CKestrelMediaDoc* project = GetDocument();
    m_preview->SetCrop(project && project->GetProject() ? project->GetProject()->GetCurrentCrop() : nullptr,
                       pane == kCropPane);
    const bool timeline = pane == kTimelinePane;
    m_timelineTools->Show(timeline);
    m_grid->Show(!timeline);
    CKestrelMediaDoc* doc = GetDocument();
    m_grid->BuildRowsFromParameterTree(timeline ? nullptr : PaneTree(pane), doc ? doc->GetProject() : nullptr, true);
    m_rangeText->SetLabel(RangeText());
    LayoutChildren();
    m_preview->Redraw();
}

wxString CEditingView::RangeText() const
{
    if (!m_entry)
        return KM::Res::LoadString(242);
    return FormatMediaTime(m_entry->GetStartTime()) + " - " + FormatMediaTime(m_entry->GetEndTime());
}

void CEditingView::SetRangeAtPosition(bool start)
{
    CKestrelMediaDoc* doc = GetDocument();
    if (!m_entry || !doc)
        return;
    const int64_t position = std::clamp<int64_t>(m_entry->m_currentPosition, 0, m_entry->m_duration);
    if (start) {
        // A start at the very end would leave nothing: keep at least the last frame's worth.
        m_entry->SetStartTime(std::min(position, std::max<int64_t>(m_entry->GetEndTime() - 1, 0)));
    } else {
        m_entry->SetEndTime(std::max(position, m_entry->GetStartTime() + 1));
    }
    doc->SetModifiedFlag(true);
    m_rangeText->SetLabel(RangeText());
}

void CEditingView::ResetPane()
{
    CKestrelMediaDoc* doc = GetDocument();
    CProject* project = doc ? doc->GetProject() : nullptr;
    if (!project)
        return;
    if (m_pane == kFiltersPane) {
        if (CFrameFileObj* output = project->GetCurrentOutput())
            output->m_filters.Reset();
    } else if (m_pane == kCropPane) {
        if (CCropObj* crop = project->GetCurrentCrop()) {
            crop->crop_left = crop->crop_top = crop->crop_right = crop->crop_bottom = 0;
            crop->rotate = crop->flip_h = crop->flip_v = 0;
        }
    } else if (m_pane == kTimelinePane && m_entry) {
        m_entry->SetStartTime(0);
        m_entry->SetEndTime(m_entry->m_duration);
    }
    doc->SetModifiedFlag(true);
    RefreshFilters();
    ShowPane(m_pane);
}

void CEditingView::RefreshFilters()
{
    CKestrelMediaDoc* doc = GetDocument();
    IUnknown* filters = nullptr;
    // The engine object is refreshed with the current values on every call.
    if (doc && doc->GetProject() && SUCCEEDED(doc->GetProject()->GetCurrentFilters(&filters)) && filters) {
        m_preview->SetFilterSettings(filters);
        filters->Release();
    } else {
        m_preview->SetFilterSettings(nullptr);
    }
}

void CEditingView::OnGridChanged(KM::CWindowMessageEvent& event)
{
    if (CKestrelMediaDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    if (event.GetWParam() != 0)
        CallAfter([this] { m_grid->Rebuild(false); });
    RefreshFilters();
    m_preview->Redraw();
    event.SetResult(0);
}

bool CEditingView::OnUpdateCommand(int id, wxUpdateUIEvent& ui)
{
    switch (id) {
    case kTimelinePane:
    case kCropPane:
    case kEraserPane:
    case kFiltersPane:
        ui.Enable(id == kTimelinePane || PaneTree(id) != nullptr);
        return true;
    case KM::Cmd::SetRangeStart:
    case KM::Cmd::SetRangeEnd: ui.Enable(m_entry != nullptr); return true;
    case KM::Cmd::ResetEditPane: ui.Enable(true); return true;
    default: return false;
    }
}

bool CEditingView::OnExecuteCommand(int id)
{
    switch (id) {
    case kTimelinePane:
    case kCropPane:
    case kEraserPane:
    case kFiltersPane: ShowPane(id); return true;
    case KM::Cmd::SetRangeStart: SetRangeAtPosition(true); return true;
    case KM::Cmd::SetRangeEnd: SetRangeAtPosition(false); return true;
    case KM::Cmd::ResetEditPane: ResetPane(); return true;
    default: return false;
    }
}
