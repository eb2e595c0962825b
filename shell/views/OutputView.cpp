#include "shell/views/OutputView.h"
#include "controls/grid/PropertiesEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/StringIds.h"
#include "controls/ids/WindowMessages.h"
#include "controls/profile/ProfileListControl.h"
#include "controls/res/ResourceBridge.h"
#include "model/profile/ProfilesMng.h"
#include "model/project/Project.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/PageKinds.h"
#include "shell/frame/PageRegistry.h"
#include "shell/views/OutputKinds.h"
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>
#include <wx/wrapsizer.h>

namespace {

constexpr int kSplitterWidth = 7;

}  // namespace

COutputView::COutputView() : m_profiles(std::make_unique<CProfilesMng>())
{
    m_nContextMenuId = 411;
    m_strLayoutName = L"Output";
}

COutputView::~COutputView()
{
    if (m_grid)
        m_grid->BuildRowsFromParameterTree(nullptr, nullptr, true);
}

CProject* COutputView::Project() const
{
    CKestrelMediaDoc* doc = GetDocument();
    return doc ? doc->GetProject() : nullptr;
}

bool COutputView::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseView::Create(parent, id))
        return false;
    if (CKestrelMediaApp* app = CKestrelMediaApp::Get())
        app->ConfigureProfiles(*m_profiles);
    m_splitter = new CKMSplitterExWnd;
    // Wide enough at the default window size for the grid's longest names
    // and values side by side.
    m_splitter->Create(this, this, L"Out_Ver_Scrool", 340);
    m_grid = new CPropertiesEditCtrl(this, 2);
    m_grid->SetOwnerWindow(this);
    CKestrelMediaApp* app = CKestrelMediaApp::Get();
    const CSharedDrawObjects* draw = app ? &app->GetDrawObjects() : nullptr;
    m_profileList = new CProfileListControl(this, kProfileList, draw);
    m_profileList->SetProfileSource(m_profiles.get());

    m_toolbar = new wxPanel(this, 511);
    // The row wraps where the page is too narrow for it, so the profile
    // buttons stay on screen at the program's first window size.
    auto* bar = new wxWrapSizer(wxHORIZONTAL, wxREMOVE_LEADING_SPACES);
    m_kindChoice = new wxChoice(m_toolbar, KM::Cmd::OutputKindCombo, wxDefaultPosition, wxSize(150, -1));
    m_profileChoice = new CProfileComboBox(m_toolbar, KM::Cmd::ChooseProfile, draw, 250);
    bar->Add(m_kindChoice, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    // The label wraps together with the box it names.
    auto* profile = new wxBoxSizer(wxHORIZONTAL);
    profile->Add(new wxStaticText(m_toolbar, wxID_ANY, KM::Res::LoadString(KM::Str::ProfileLabel)), 0,
                 wxALIGN_CENTER_VERTICAL | wxALL, 3);
    profile->Add(m_profileChoice, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    bar->Add(profile, 0, wxALIGN_CENTER_VERTICAL);
    for (int command : {KM::Cmd::SaveProfile, KM::Cmd::DetachProfile, KM::Cmd::DeleteProfile})
        bar->Add(new wxButton(m_toolbar, command, KM::Res::LoadString(static_cast<unsigned>(command)),
                              wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT),
                 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    m_toolbar->SetSizer(bar);

    m_kindChoice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnExecuteCommand(KM::Cmd::OutputKindCombo); });
    m_profileChoice->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        m_profileList->SetSelection(m_profileChoice->GetSelection());
        ChooseProfile();
    });
    m_profileList->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) {
        if (!m_filling)
            ChooseProfile();
    });
    m_profileList->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_DELETE)
            OnExecuteCommand(KM::Cmd::DeleteProfile);
        else
            e.Skip();
    });
    Bind(EVT_KM_GRID_CHANGED, &COutputView::OnGridChanged, this);
    Bind(EVT_KM_GRID_COMMIT, &COutputView::OnGridCommit, this);
    Bind(EVT_KM_PROFILE_VALUE_CHANGED, &COutputView::OnProfileValueChanged, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        OnResize();
    });
    if (CKestrelMediaDoc* doc = GetDocument()) {
        m_projectRegistration = doc->GetProjectReplacedNotice().Register(this);
        m_profilesRegistration = doc->GetProjectReplacedNotice().Register(m_profiles.get());
    }
    RegisterCommands();
    return true;
}

void COutputView::OnProjectReplacing(CProject*, CProject*)
{
    // The grid's rows point into the old project's settings.
    m_grid->BuildRowsFromParameterTree(nullptr, nullptr, true);
    m_nKind = 0;
}

void COutputView::OnResize()
{
    if (!m_splitter || !m_grid)
        return;
    const wxSize client = GetClientSize();
    const int s = std::clamp(m_splitter->m_keptValue, 0, std::max(client.x - kSplitterWidth, 0));
    const int w = std::max(client.x - s, 0);
    wxSizer* bar = m_toolbar->GetSizer();
    bar->InformFirstDirection(wxHORIZONTAL, w, -1);
    const int h = bar->CalcMin().y;
    m_toolbar->SetSize(0, 0, w, h);
    m_splitter->SetSize(client.x - s - kSplitterWidth, 0, kSplitterWidth, client.y);
    m_grid->SetSize(client.x - s, 0, s, client.y);
    m_profileList->Place(wxRect(0, h, std::max(client.x - s - kSplitterWidth, 0), std::max(client.y - h, 0)));
}

void COutputView::OnInitialUpdate()
{
    CProject* project = Project();
    if (!project)
        return;
    wxBusyCursor wait;
    const int kind = EnabledOutputKind(*project);
    if (kind != 0) {
        m_profiles->Reload(project, 0);
        FillProfileList();
        ShowKind(kind);
    }
    m_kindChoice->Clear();
    for (unsigned id : {KM::Str::VideoKind, KM::Str::AudioKind, KM::Str::ImageKind})
        m_kindChoice->Append(KM::Res::LoadString(id));
    m_kindChoice->SetSelection(kind ? KindChoiceIndex(kind) : wxNOT_FOUND);
}

// Rebuilds the grid from the kind's output without touching the flags.
void COutputView::ShowKind(int kind)
{
    CProject* project = Project();
    if (!project)
        return;
    CPropertiesImpl* tree = kind == kKindVideo ? static_cast<CPropertiesImpl*>(project->GetVideoOutput())
                            : kind == kKindAudio ? static_cast<CPropertiesImpl*>(project->GetAudioOutput())
                                                 : static_cast<CPropertiesImpl*>(project->GetImageOutput());
    m_grid->BuildRowsFromParameterTree(tree, project, m_profiles->IsCurrentProfileListed() != 0);
    m_grid->Enable();
    m_nKind = kind;
}

void COutputView::ApplyKind(int kind)
{
    CProject* project = Project();
    if (!project || !ApplyOutputKind(*project, kind))
        return;
    if (CKestrelMediaDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    ShowKind(kind);
}

void COutputView::FillProfileList()
{
    m_filling = true;
    CProject* project = Project();
    const std::wstring current = project && project->GetActiveOutput() ? project->GetActiveOutput()->profile_name : L"";
    m_profileList->Fill(current);
    m_profileChoice->SetRows(m_profileList->Rows(), m_profileList->GetSelectedIndex());
    m_filling = false;
}

void COutputView::OnKindChosen()
{
    const int kind = KindFromChoiceIndex(m_kindChoice->GetSelection());
    CProject* project = Project();
    if (!project || kind == 0)
        return;
    ApplyKind(kind);
    m_profiles->Reload(project, 0);
    FillProfileList();
    ChooseProfile();
}

void COutputView::ChooseProfile()
{
    const int index = m_profileList->GetSelectedIndex();
    if (m_profileChoice->GetSelection() != index)
        m_profileChoice->SetSelection(index);
    if (m_profiles->SelectProfile(static_cast<size_t>(index)) == S_OK)
        if (CKestrelMediaDoc* doc = GetDocument())
            doc->SetModifiedFlag(true);
    ShowKind(m_nKind);
}

void COutputView::SaveProfile()
{
    CProject* project = Project();
    std::wstring name;
    if (!project || m_profiles->SaveProfileAs(&name) != S_OK)
        return;
    if (COutputFileObj* output = project->GetActiveOutput())
        output->profile_name = name;
    m_profiles->Reload(project, 1);
    FillProfileList();
    if (CKestrelMediaDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
}

void COutputView::DetachProfile()
{
    CProject* project = Project();
    if (!project || !project->GetActiveOutput())
        return;
    project->GetActiveOutput()->profile_name.clear();
    FillProfileList();
    ApplyKind(m_nKind);  // marks the project modified, so the change is not lost on close
}

void COutputView::DeleteProfile()
{
    CProject* project = Project();
    if (!project)
        return;
    if (wxMessageBox(KM::Res::LoadString(KM::Str::AskDeleteProfile), KM::Res::LoadString(KM::Str::ProgramName),
                     wxYES_NO | wxICON_QUESTION, this) != wxYES)
        return;
    std::wstring name;
    if (m_profiles->DeleteProfile(&name) != S_OK)
        return;
    if (COutputFileObj* output = project->GetActiveOutput())
        output->profile_name.clear();
    m_profiles->Reload(project, 1);
    FillProfileList();
    if (CKestrelMediaDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
}

void COutputView::RebuildKeepingSelection()
{
    m_grid->SetRebuilding(true);
    m_grid->Rebuild(false);
    m_grid->SetRebuilding(false);
}

void COutputView::OnGridChanged(KM::CWindowMessageEvent& event)
{
    if (CKestrelMediaDoc* doc = GetDocument())
        doc->SetModifiedFlag(true);
    if (event.GetWParam() != 0)
        CallAfter([this] { RebuildKeepingSelection(); });  // not under the grid's own handler
    event.SetResult(0);
}

void COutputView::OnGridCommit(KM::CWindowMessageEvent& event)
{
    m_grid->Rebuild(true);
    event.SetResult(0);
}

void COutputView::OnProfileValueChanged(KM::CWindowMessageEvent& event)
{
    CProject* project = Project();
    COutputFileObj* output = project ? project->GetActiveOutput() : nullptr;
    if (output && !output->profile_name.empty() && !m_profiles->IsCurrentProfileListed())
        output->profile_name.clear();
    event.SetResult(0);
}

void COutputView::RegisterCommands()
{
    auto outputShown = [this](auto isCreated) {
        return [this, isCreated] {
            CProject* project = Project();
            return Checked(project && isCreated(*project));
        };
    };
    m_commands.Add(KM::Cmd::OutputKindCombo, [this] { OnKindChosen(); })
        .Add(KM::Cmd::ChooseProfile, [this] { ChooseProfile(); })
        .Add(KM::Cmd::SaveProfile, [this] { return Enabled(m_profiles->IsCurrentProfileListed() != 0); },
             [this] { SaveProfile(); })
        .Add(KM::Cmd::DetachProfile,
             [this] {
                 CProject* project = Project();
                 COutputFileObj* output = project ? project->GetActiveOutput() : nullptr;
                 return Enabled(output && !output->profile_name.empty());
             },
             [this] { DetachProfile(); })
        .Add(KM::Cmd::DeleteProfile, [this] { return Enabled(m_profiles->FindCurrentProfile() != 0); },
             [this] { DeleteProfile(); })
        .Add(KM::Cmd::RebuildOutputGrid,
             [this] {
                 if (CKestrelMediaDoc* doc = GetDocument())
                     doc->SetModifiedFlag(true);
                 RebuildKeepingSelection();
             })
        .Add(KM::Cmd::ShowVideoOutput, outputShown([](CProject& p) { return p.GetVideoOutput()->is_create != 0; }),
             [this] { ShowOutputKind(kKindVideo); })
        .Add(KM::Cmd::ShowImageOutput, outputShown([](CProject& p) { return p.GetImageOutput()->is_create != 0; }),
             [this] { ShowOutputKind(kKindImage); })
        .Add(KM::Cmd::ShowAudioOutput, outputShown([](CProject& p) { return p.GetAudioOutput()->is_create != 0; }),
             [this] { ShowOutputKind(kKindAudio); });
    for (int reserved : KM::Cmd::OutputReserved)
        m_commands.Add(reserved, {});
}

void COutputView::ShowOutputKind(int kind)
{
    ApplyKind(kind);
    if (CProject* project = Project())
        m_profiles->Reload(project, 0);
    FillProfileList();
    m_kindChoice->SetSelection(KindChoiceIndex(kind));
}

namespace {

// The output page, on the output tab.
const CPageRegistration kPage(ViewPage(kPageOutput, kCategoryOutput, &MakePageView<COutputView>));

}  // namespace
