#include "shell/panes/PlayerPane.h"
#include "controls/ids/CommandIds.h"
#include "controls/preview/PreviewPlayerCtrl.h"
#include "model/project/Project.h"
#include "model/source/KMFile.h"
#include "player/Player.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/PlayerBaseView.h"
#include "shell/frame/FileComboItems.h"
#include "shell/frame/MainFrmRibbon.h"
#include <wx/choice.h>
#include <wx/event.h>
#include <wx/toplevel.h>

FileChoice CPlayerPane::ReadFileChoice() const
{
    FileChoice choice;
    auto* frame = dynamic_cast<CMainFrmRibbon*>(wxGetTopLevelParent(m_pView));
    wxChoice* combo = frame ? frame->GetFileCombo() : nullptr;
    if (!combo || !Project())
        return choice;
    for (const FileComboItem& item : BuildFileComboItems(Project()))
        choice.entries.push_back(item.entry);
    // The choice and the list are filled from the same sources; a shorter
    // choice (refilled later) limits the list.
    if (choice.entries.size() > combo->GetCount())
        choice.entries.resize(combo->GetCount());
    choice.selection = combo->GetSelection();
    return choice;
}

void CPlayerPane::SelectInChoice(CKMFile* entry) const
{
    auto* frame = dynamic_cast<CMainFrmRibbon*>(wxGetTopLevelParent(m_pView));
    if (wxChoice* combo = frame ? frame->GetFileCombo() : nullptr) {
        const int index = IndexOfEntry(ReadFileChoice(), entry);
        if (index >= 0)
            combo->SetSelection(index);
    }
}

void CPlayerPane::GoToFile(CKMFile* entry)
{
    if (!entry || !m_pDoc)
        return;
    m_pDoc->SetCurrentFile(entry);
    SetPlayerItem(entry);
}

bool CPlayerPane::OnUpdateCommand(int id, wxUpdateUIEvent& ui)
{
    CPlayer* player = CPlayer::Instance();
    switch (id) {
    case KM::Cmd::CurrentFileCombo: ui.Enable(true); return true;
    case KM::Cmd::NextFile:
    case KM::Cmd::PreviousFile: ui.Enable(NeighbourEntry(ReadFileChoice(), id == KM::Cmd::NextFile ? 1 : -1) != nullptr); return true;
    case KM::Cmd::PlayerStop: ui.Enable(player && IsPlayerStopEnabled(player->m_nState.load())); return true;
    case KM::Cmd::PlayPause: {
        const PlayPauseState s = ComputePlayPauseState(m_pDoc ? m_pDoc->GetCurrentFile() : nullptr,
                                                       player && player->m_bPlaying, player && player->m_bRewind);
        ui.Enable(s.enabled);
        ui.Check(s.checked);
        return true;
    }
    default: return false;
    }
}

bool CPlayerPane::OnExecuteCommand(int id)
{
    switch (id) {
    case KM::Cmd::CurrentFileCombo: {
        auto* frame = wxGetTopLevelParent(m_pView);
        GoToFile(CMainFrmRibbon::GetComboFileEntry(frame));
        return true;
    }
    case KM::Cmd::NextFile:
    case KM::Cmd::PreviousFile: {
        CKMFile* entry = NeighbourEntry(ReadFileChoice(), id == KM::Cmd::NextFile ? 1 : -1);
        GoToFile(entry);
        if (entry)
            SelectInChoice(entry);
        return true;
    }
    case KM::Cmd::PlayerStop:
        PlayerCommand(KM::Cmd::PlayerStop);
        RedrawPlayer();
        OnStopped();
        return true;
    case KM::Cmd::PlayPause: {
        // A file the engine could not read is never handed to the player.
        CKMFile* current = m_pDoc ? m_pDoc->GetCurrentFile() : nullptr;
        if (ComputePlayPauseState(current, false, false).enabled)
            PlayerCommand(KM::Cmd::PlayPause);
        return true;
    }
    default: return false;
    }
}

void CPlayerPane::SetPlayerItem(CKMFile* file)
{
    if (CPreviewPlayerCtrl* preview = Preview())
        preview->SetItem(file);
}

void CPlayerPane::RedrawPlayer()
{
    if (CPreviewPlayerCtrl* preview = Preview())
        preview->Redraw();
}

void CPlayerPane::PlayerCommand(int id)
{
    if (CPreviewPlayerCtrl* preview = Preview())
        preview->OnPlayerButton(id);
}

void CPlayerPane::BindPreviewEdits(CFrameFileObj* output)
{
    CPreviewPlayerCtrl* preview = Preview();
    if (!preview)
        return;
    preview->m_pCrop = output ? &output->m_crop : nullptr;
    preview->m_pEraser = output ? &output->m_eraser : nullptr;
    RefreshPreviewFilters();
}

void CPlayerPane::RefreshPreviewFilters()
{
    CPreviewPlayerCtrl* preview = Preview();
    if (!preview)
        return;
    IUnknown* filters = nullptr;
    CProject* project = Project();
    if (project && SUCCEEDED(project->GetCurrentFilters(&filters)) && filters) {
        preview->SetFilterSettings(filters);
        filters->Release();
    } else {
        preview->SetFilterSettings(nullptr);
    }
    preview->Redraw();
}

void CPlayerPane::DropPreviewEdits()
{
    if (CPreviewPlayerCtrl* preview = Preview()) {
        preview->m_pCrop = nullptr;
        preview->m_pEraser = nullptr;
        preview->SetFilterSettings(nullptr);
    }
}

void CPlayerPane::Unbind()
{
    DropPreviewEdits();
    if (CPreviewPlayerCtrl* preview = Preview())
        preview->SetItem(nullptr);
}
