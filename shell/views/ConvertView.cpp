#include "shell/views/ConvertView.h"
#include "controls/convert/ConvertProgressCtrl.h"
#include "controls/convert/OutputRichEditCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/ids/StringIds.h"
#include "controls/ids/WindowMessages.h"
#include "controls/res/ResourceBridge.h"
#include "model/project/Project.h"
#include "player/Player.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/PageKinds.h"
#include "shell/frame/PageRegistry.h"
#include "shell/views/ConvertLogLines.h"
#include <wx/app.h>
#include <wx/imaglist.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace {
constexpr int kProgressHeight = 100;
}

CConvertView::CConvertView() : m_tray([this](int command) { OnTrayCommand(command); })
{
    m_strLayoutName = L"Convert";
    m_nContextMenuId = 360;
}

CConvertView::~CConvertView() = default;

bool CConvertView::Create(wxWindow* parent, wxWindowID id)
{
    if (!CBaseView::Create(parent, id))
        return false;
    RegisterCommands();
    CKestrelMediaApp* app = CKestrelMediaApp::Get();
    m_log = new COutputRichEditCtrl([this](const SLink& link) { OnLinkClicked(link); });
    if (!m_log->Create(this, 0)) {
        delete m_log;
        m_log = nullptr;
        return false;
    }
    m_progress = new CConvertProgressCtrl;
    m_progress->Create(this, app ? &app->GetDrawObjects() : nullptr);
    Bind(wxEVT_SIZE, &CConvertView::OnSizeChanged, this);
    if (CKestrelMediaDoc* doc = GetDocument()) {
        doc->AddListener(this);
        m_projectRegistration = doc->GetProjectReplacedNotice().Register(this);
    }
    return true;
}

void CConvertView::OnProjectReplacing(CProject*, CProject*)
{
    m_bFinished = false;
    if (!m_progress)
        return;
    m_progress->m_nPos = 0;
    m_progress->m_nFilesDone = 0;
    m_progress->SetText(L"");
    m_progress->RedrawNow();
}

void CConvertView::OnSizeChanged(wxSizeEvent& event)
{
    event.Skip();  // the base view remembers the size
    const wxSize size = GetClientSize();
    if (m_progress)
        m_progress->SetSize(0, 0, size.x, kProgressHeight);
    if (m_log)
        m_log->SetSize(0, kProgressHeight, size.x, std::max(size.y - kProgressHeight, 0));
}

// ------------------------------------------------------------ document's broadcasts

void CConvertView::OnMessage(const std::wstring& text, DWORD code)
{
    const ConvertMessageResult routed = RouteConvertMessage(text, code, m_nLastCode);
    m_nLastCode = routed.lastCode;
    if (routed.isCaption) {
        if (m_progress)
            m_progress->SetText(text);
        return;
    }
    if (m_log)
        for (const ConvertLogLine& line : routed.lines)
            m_log->AddMessage(line.text, line.kind);
}

void CConvertView::SetProgressRange(int range)
{
    if (!m_progress)
        return;
    m_progress->m_nMax = range;
    m_progress->RedrawNow();
    RefreshTray();
}

void CConvertView::SetProgressPos(int pos)
{
    if (!m_progress)
        return;
    m_progress->m_nPos = std::min(pos, m_progress->m_nMax);
    m_progress->RedrawNow();
    RefreshTray();
}

void CConvertView::ClearMessages()
{
    if (m_log)
        m_log->PostClear();
}

void CConvertView::SetFilesDone(int count)
{
    if (!m_progress)
        return;
    m_progress->m_nFilesDone = count;
    m_progress->RedrawNow();
}

void CConvertView::OnAborted()
{
    RefreshTray();
}

wxString CConvertView::EndOfRunText() const
{
    // "Finished" alone only when nothing was left out or cut short.
    wxString text = KM::Res::LoadString(KM::Str::ConversionFinished);
    if (CKestrelMediaDoc* doc = GetDocument(); doc && !doc->GetRunSummary().IsPlainSuccess())
        text += "\n" + wxString(doc->GetRunSummary().Text());
    return text;
}

void CConvertView::OnFinished()
{
    m_bFinished = true;
    if (CKestrelMediaDoc* doc = GetDocument(); doc && m_progress && doc->GetRunSummary().total > 0)
        m_progress->SetText(doc->GetRunSummary().Text());
    RefreshTray();
    if (m_tray.IsHidden())
        wxMessageBox(EndOfRunText(), KM::Res::LoadString(KM::Str::ProgramName), wxOK, this);
    if (CKestrelMediaDoc* doc = GetDocument(); doc && doc->GetProject())
        doc->GetProject()->ResetMontageData();
}

void CConvertView::RefreshTray()
{
    if (m_tray.IsHidden())
        return;
    const wxString tip = m_bFinished ? EndOfRunText()
                                     : wxString::Format(KM::Res::LoadString(KM::Str::ConvertingPercent), m_progress ? m_progress->GetPercent() : 0);
    m_tray.SetTooltipText(tip.ToStdWstring());
}

// ------------------------------------------------------------ commands

CommandUi CConvertView::CommandState(int id) const
{
    CKestrelMediaDoc* doc = GetDocument();
    ConvertLogState log;
    if (m_log) {
        log.hasFocus = m_log->HasFocus();
        log.length = m_log->GetLastPosition();
        long from = 0, to = 0;
        m_log->GetSelection(&from, &to);
        log.hasSelection = from != to;
    }
    const ConvertCommandUi state = ConvertCommandState(id, doc ? doc->GetRunState() : 0, log);
    // Start and pause show whether the run is going or held.
    if (id == KM::Cmd::ConversionStart || id == KM::Cmd::ConversionPause)
        return Checked(state.checked, state.enabled);
    return Enabled(state.enabled);
}

void CConvertView::RegisterCommands()
{
    using namespace KM::Cmd;
    auto state = [this](int id) { return [this, id] { return CommandState(id); }; };
    m_commands.Add(ConversionStart, state(ConversionStart), [this] { StartOrStop(); })
        .Add(ConversionPause, state(ConversionPause),
             [this] {
                 if (CKestrelMediaDoc* doc = GetDocument())
                     doc->PauseConversion();
                 RefreshTray();
             })
        .Add(ConversionStop, state(ConversionStop), [this] { StopAndReset(); })
        .Add(SendToTray, state(SendToTray), [this] { HideToTray(); })
        .Add(SelectAll, state(SelectAll),
             [this] {
                 if (m_log)
                     m_log->SetSelection(0, m_log->GetLastPosition());
             })
        .Add(ClearLog, state(ClearLog),
             [this] {
                 if (m_log)
                     m_log->PostClear();
             })
        .Add(EditCopy, state(EditCopy),
             [this] {
                 if (m_log)
                     m_log->Copy();
             })
        // The log is read-only: a cut copies and leaves the text.
        .Add(EditCut, state(EditCut),
             [this] {
                 if (m_log)
                     m_log->Copy();
             })
        .Add(TrayRestore,
             [this] {
                 m_tray.RemoveIcon();
                 ShowProgram();
             })
        .Add(TrayStopAndExit, [this] { StopAndExitFromTray(); });
}


void CConvertView::StartOrStop()
{
    m_bFinished = false;
    CKestrelMediaDoc* doc = GetDocument();
    if (!doc)
        return;
    if (doc->GetRunState() == CRunManager::kRunning) {
        StopAndReset();
        return;
    }
    SetProgressPos(0);
    if (CPlayer* player = CPlayer::Instance())
        player->CloseGraph();
    if (m_log)
        m_log->PostClear();
    doc->StartConversion();
}

void CConvertView::StopAndReset()
{
    CKestrelMediaDoc* doc = GetDocument();
    if (!doc)
        return;
    doc->StopConversion();
    if (doc->GetProject())
        doc->GetProject()->ResetMontageData();
}

// ------------------------------------------------------------ tray

void CConvertView::HideToTray()
{
    wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    // The program's convert icon stands for it in the notification area.
    wxIcon icon;
    if (auto strip = KM::Res::LoadImageStrip(431, 32, *wxWHITE); strip && strip->GetImageCount() > 16)
        icon = strip->GetIcon(16);
    // Without an icon there would be no way back: the window is only
    // minimised then.
    if (!m_tray.Create(icon)) {
        if (auto* frame = dynamic_cast<wxFrame*>(main))
            frame->Iconize(true);
        return;
    }
    Hide();
    if (main)
        main->Hide();
    RefreshTray();
}

void CConvertView::ShowProgram()
{
    if (wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr) {
        main->Show();
        main->Update();
    }
    Show();
    Update();
}

// The tray's menu and double click reach the view's commands.
void CConvertView::OnTrayCommand(int command)
{
    OnExecuteCommand(command);
}

void CConvertView::StopAndExitFromTray()
{
    ShowProgram();
    if (CKestrelMediaDoc* doc = GetDocument())
        doc->StopConversion();
    if (wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr) {
        wxCommandEvent exit(wxEVT_MENU, KM::Cmd::AppExit);
        wxPostEvent(main, exit);
    }
}

void CConvertView::OnLinkClicked(const SLink& link)
{
    if (link.id != 0) {
        if (wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr)
            KM::SendWindowMessage(main, static_cast<unsigned>(link.id), 0, reinterpret_cast<intptr_t>(&link));
        return;
    }
    if (!wxLaunchDefaultApplication(wxString(link.target)))
        wxMessageBox("Failed to view output file", KM::Res::LoadString(KM::Str::ProgramName), wxOK | wxICON_ERROR,
                     this);
}

namespace {

// The conversion page, on the conversion tab.
PageInfo ConversionPage()
{
    PageInfo page = ViewPage(kPageConversion, kCategoryConversion, &MakePageView<CConvertView>);
    page.makeWithFrame = true;  // its log takes the job's messages from the start
    return page;
}

const CPageRegistration kPage(ConversionPage());

}  // namespace
