#pragma once
// The window a source entry is shown in: its still picture, or the running
// video while the player plays, after the edit chain its owner hands it (the
// engine's chain code runs it at the shown size), fitted into the window at
// its display aspect; below it, for entries with video or sound, a strip with
// play/pause, stop, a seek bar and the time.
#include "controls/draw/BitmapDC.h"
#include "controls/preview/PreviewGeometry.h"
#include "controls/timeline/PossitionChangeNotify.h"
#include "engine/EditChainRunner.h"
#include "player/PlayerCtrlImpl.h"
#include <functional>
#include <mutex>
#include <wx/bitmap.h>
#include <wx/window.h>

class CKMFile;
class CPlayer;

class CPreviewPlayerCtrl : public wxWindow,
                           public CPlayerCtrlImpl,
                           public IPlayerNotifyWnd,
                           public IPossitionChangeNotify {
public:
    CPreviewPlayerCtrl() = default;
    ~CPreviewPlayerCtrl() override;
    bool Create(wxWindow* parent, wxWindowID id = 1);

    // Shows entry (null: none) and becomes the player's control.
    virtual void SetItem(CKMFile* entry);
    CKMFile* GetItem() const { return m_pItem; }
    // The strip's buttons: 460 stops and rewinds, 32781 plays or pauses.
    void OnPlayerButton(int command);
    // Command 460 sent to the control: seek to the start and pause.
    void OnSeekToStart();
    // Where the seek thumb stands; empty without an entry or a strip.
    wxRect ThumbRect() const;
    // The command of the strip button held down, 0 when none.
    int PressedButton() const { return m_nButtonDown; }
    // Where the picture lands in the client rectangle and how many source
    // pixels one screen pixel covers; false without a picture size.
    bool GetImageRect(wxRect& rect, double& scale);

    // Player sink.
    void OnFrame(FRAME_RECORD* frame) override;
    void OnPlayEnd() override;
    void OnPositionChanged() override;
    void OnPaused() override;
    void OnPlayStateChanged(int state) override;
    void Redraw() override;
    void ResetButtons() override;
    void OnPlayerMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) override;

    // Another control moved the play position: show it.
    void OnPositionChanged(int reason) override;

    const PreviewButtonFaces& Faces() const { return m_faces; }
    SeekTrack Track() const;
    int StripHeight() const { return m_nStripHeight; }
    // The last picture painted, as shown (for tests and the editors).
    const wxImage& ShownPicture() const { return m_shown; }
    wxRect ShownRect() const { return m_shownRect; }

    // Where the picture's edits come from: asked on the user-interface thread
    // at every paint, so an edit of the settings shows with the next paint
    // (null: no edits). The owner keeps what the source reads alive while it
    // is set.
    using ChainSource = std::function<EditChain()>;
    void SetChainSource(ChainSource source);
    bool HasChainSource() const { return static_cast<bool>(m_chainSource); }
    // The chain the owner hands now (no edits without a source).
    EditChain OwnerChain() const { return m_chainSource ? m_chainSource() : EditChain{}; }
    // The watermarks drawn at the last paint, in client pixels.
    const std::vector<WATERMARK_RECORD>& MarkRecords() const { return m_markRecords; }

    IPossitionChangeNotify* m_pPosListener = nullptr;  // told when the position moves, set by the owner

protected:
    // The chain as shown: an editor that shows the whole picture while its
    // marks are dragged leaves out what it edits.
    virtual void AdjustChain(EditChain&) const {}
    // The owner's chain as this control shows it, handed to the engine.
    void TakeChain();
    // The paint of the control: background, picture, strip.
    virtual void PaintAll(wxDC& dc, FRAME_RECORD* record);
    void RenderFrame(wxDC& dc, FRAME_RECORD* record, const wxRect& client);
    void DrawStrip(wxDC& dc, const wxRect& client);
    void DrawOpenError(wxDC& dc, const wxRect& box);

private:
    CPlayer* Player() const;
    void UpdateButtons(int n);
    void DrawButton(wxDC& dc, const wxRect& r, KM::CBitmapDC& face);
    wxRect PlayRect() const;
    wxRect StopRect() const;
    int64_t Duration() const;
    // The display aspect of the turned and cropped picture (source: its
    // stored size before, out: after).
    double ShownAspect(const wxSize& source, const wxSize& out) const;
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void EndDrag();
    void NotifyPosition();
    void UpdateCursor(const wxPoint& p);

    CKMFile* m_pItem = nullptr;
    int m_nStripHeight = 0;
    int m_nTimeWidth = 60;
    int64_t m_llDragPos = -1;
    bool m_bDragging = false;
    int m_nButtonDown = 0;  // command of the pressed strip button
    PreviewButtonFaces m_faces;
    std::mutex m_csRender;
    ChainSource m_chainSource;
    CEditChainRunner m_chain{CEditChainRunner::Use::Preview};
    std::vector<WATERMARK_RECORD> m_markRecords;
    KM::CBitmapDC m_placeholder{332};
    KM::CBitmapDC m_thumb{499};
    KM::CBitmapDC m_play{502}, m_pause{503}, m_stop{504};
    KM::CBitmapDC m_playPressed{505}, m_stopDisabled{506}, m_pausePressed{507}, m_stopPressed{508};
    wxImage m_shown;
    wxRect m_shownRect;
    bool m_attached = false;
};
