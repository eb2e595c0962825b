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

void CPlayerPane::RegisterCommands(CCommandTable& commands)
{
    using namespace KM::Cmd;
    auto neighbour = [this](int step) {
        return [this, step] { return Enabled(NeighbourEntry(ReadFileChoice(), step) != nullptr); };
    };
    auto goToNeighbour = [this](int step) {
        return [this, step] {
            CKMFile* entry = NeighbourEntry(ReadFileChoice(), step);
            GoToFile(entry);
            if (entry)
                SelectInChoice(entry);
        };
    };
    commands.Add(CurrentFileCombo, [this] { GoToFile(CMainFrmRibbon::GetComboFileEntry(wxGetTopLevelParent(m_pView))); })
        .Add(NextFile, neighbour(1), goToNeighbour(1))
        .Add(PreviousFile, neighbour(-1), goToNeighbour(-1))
        .Add(PlayerStop, [] { return Enabled(IsPlayerStopEnabled(PlayerPlayState())); },
             [this] {
                 PlayerCommand(PlayerStop);
                 RedrawPlayer();
                 OnStopped();
             })
        .Add(PlayPause, [this] { return PlayPauseUi(m_pDoc ? m_pDoc->GetCurrentFile() : nullptr); },
             [this] {
                 // A file the engine could not read is never handed to the player.
                 CKMFile* current = m_pDoc ? m_pDoc->GetCurrentFile() : nullptr;
                 if (ComputePlayPauseState(current, false, false).enabled)
                     PlayerCommand(PlayPause);
             });
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
