#include "controls/preview/PreviewPlayerCtrl.h"
#include "controls/draw/FitSize.h"
#include "controls/draw/MediaTimeText.h"
#include "controls/ids/CommandIds.h"
#include "model/edit/CropObj.h"
#include "model/edit/EraserObj.h"
#include "model/source/KMFile.h"
#include "platform/Bitmap.h"
#include "player/Player.h"
#include <cstring>
#include <vector>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/utils.h>

namespace {

// The working copies of a record's blocks: the engine classes may replace
// them, the copies own whatever they point to last.
struct WorkingFrame {
    std::vector<BYTE> format;
    std::vector<BYTE> data;
    FRAME_RECORD record;

    // headerOnly: the geometry needs the format block alone, not a copy of the picture.
    explicit WorkingFrame(const FRAME_RECORD& r, bool headerOnly = false)
        : format(r.pbFormat, r.pbFormat + r.cbFormat)
    {
        if (!headerOnly)
            data.assign(r.pbData, r.pbData + r.cbData);
        Sync();
    }
    void Sync()
    {
        record.cbFormat = static_cast<DWORD>(format.size());
        record.pbFormat = format.data();
        record.cbData = static_cast<DWORD>(data.size());
        record.pbData = data.empty() ? nullptr : data.data();
    }
    // After an engine call: copy what the record now points at.
    void Take()
    {
        if (record.pbFormat != format.data())
            format.assign(record.pbFormat, record.pbFormat + record.cbFormat);
        else
            format.resize(record.cbFormat);
        if (record.pbData && record.pbData != data.data())
            data.assign(record.pbData, record.pbData + record.cbData);
        else
            data.resize(record.cbData);
        Sync();
    }
    const BITMAPINFOHEADER* Header() const
    {
        return format.size() >= sizeof(BITMAPINFOHEADER) ? reinterpret_cast<const BITMAPINFOHEADER*>(format.data())
                                                         : nullptr;
    }
};

wxSize HeaderSize(const BITMAPINFOHEADER* h)
{
    return h ? wxSize(static_cast<int>(h->biWidth), std::abs(static_cast<int>(h->biHeight))) : wxSize();
}

// A 24-bit bottom-up BGR picture with padded rows as a top-down RGB image.
wxImage ImageFromDib(const BITMAPINFOHEADER& h, const BYTE* bits, size_t size)
{
    const int w = static_cast<int>(h.biWidth);
    const int rows = static_cast<int>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    if (w <= 0 || rows <= 0 || h.biBitCount != 24 || size < stride * static_cast<size_t>(rows))
        return {};
    wxImage image(w, rows, false);
    unsigned char* out = image.GetData();
    for (int y = 0; y < rows; ++y) {
        const int source = h.biHeight > 0 ? rows - 1 - y : y;
        const BYTE* in = bits + stride * static_cast<size_t>(source);
        unsigned char* line = out + static_cast<size_t>(y) * w * 3;
        for (int x = 0; x < w; ++x) {
            line[3 * x] = in[3 * x + 2];
            line[3 * x + 1] = in[3 * x + 1];
            line[3 * x + 2] = in[3 * x];
        }
    }
    return image;
}

}  // namespace

CPreviewPlayerCtrl::~CPreviewPlayerCtrl()
{
    // A control that goes away lets go of the player.
    if (CPlayer* player = Player(); player && player->GetCtrl() == this)
        player->Attach(nullptr, nullptr, nullptr);
}

bool CPreviewPlayerCtrl::Create(wxWindow* parent, wxWindowID id)
{
    if (!wxWindow::Create(parent, id, wxDefaultPosition, wxDefaultSize, wxCLIP_SIBLINGS | wxFULL_REPAINT_ON_RESIZE))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CPreviewPlayerCtrl::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CPreviewPlayerCtrl::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CPreviewPlayerCtrl::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &CPreviewPlayerCtrl::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CPreviewPlayerCtrl::OnCaptureLost, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        Refresh(false);
    });
    return true;
}

CPlayer* CPreviewPlayerCtrl::Player() const
{
    return CPlayer::Instance();
}

void CPreviewPlayerCtrl::SetItem(CKMFile* entry)
{
    m_pItem = entry;
    const bool strip = entry && (entry->m_hasVideo || entry->m_hasAudio);
    m_nStripHeight = strip ? kStripHeight : 0;
    if (CPlayer* player = Player())
        player->Attach(this, this, entry);
    m_attached = true;
    UpdateButtons(0);
    Redraw();
}

int64_t CPreviewPlayerCtrl::Duration() const
{
    return m_pItem ? m_pItem->m_duration : 0;
}

SeekTrack CPreviewPlayerCtrl::Track() const
{
    const wxSize size = GetClientSize();
    return MakeSeekTrack(0, size.x, m_nTimeWidth);
}

wxRect CPreviewPlayerCtrl::PlayRect() const
{
    const int b = GetClientSize().y;
    return wxRect(5, b - 27, 22, 22);
}

wxRect CPreviewPlayerCtrl::StopRect() const
{
    const int b = GetClientSize().y;
    return wxRect(28, b - 27, 22, 22);
}

void CPreviewPlayerCtrl::UpdateButtons(int n)
{
    CPlayer* player = Player();
    m_faces = ButtonFaces(n, m_pItem != nullptr, player && player->IsConverting(), player ? player->PlayState() : 0,
                          player && player->IsPlaying(), player && player->IsRewinding());
}

// ------------------------------------------------------------ sink

void CPreviewPlayerCtrl::OnFrame(FRAME_RECORD* frame)
{
    // A window that is not on screen has nothing to show the frame on.
    if (IsBeingDeleted() || !IsShownOnScreen())
        return;
    wxClientDC client(this);
    wxBufferedDC dc(&client, GetClientSize());
    PaintAll(dc, frame);
}

void CPreviewPlayerCtrl::OnPlayEnd()
{
    if (CPlayer* player = Player())
        player->MarkPlayEnded();
    NotifyPosition();
    Redraw();
}

void CPreviewPlayerCtrl::OnPositionChanged()
{
    NotifyPosition();
    Refresh(false);
}

void CPreviewPlayerCtrl::OnPositionChanged(int)
{
    Redraw();
}

void CPreviewPlayerCtrl::OnPaused()
{
    NotifyPosition();
    Redraw();
}

void CPreviewPlayerCtrl::NotifyPosition()
{
    if (m_pPosListener)
        m_pPosListener->OnPositionChanged(0);
}

void CPreviewPlayerCtrl::OnPlayStateChanged(int state)
{
    UpdateButtons(state);
    Redraw();
}

void CPreviewPlayerCtrl::Redraw()
{
    Refresh(false);
}

void CPreviewPlayerCtrl::ResetButtons()
{
    UpdateButtons(0);
    Redraw();
}

void CPreviewPlayerCtrl::OnPlayerMessage(unsigned msg, uintptr_t, intptr_t)
{
    if (msg == kMsgGrabReady)
        Redraw();
}

// ------------------------------------------------------------ painting

void CPreviewPlayerCtrl::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    FRAME_RECORD* record = nullptr;
    if (CPlayer* player = Player(); player && m_pItem)
        player->GetFrame(m_pItem, &record);
    PaintAll(dc, record);
}

void CPreviewPlayerCtrl::PaintAll(wxDC& dc, FRAME_RECORD* record)
{
    const wxRect client = GetClientRect();
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    RenderFrame(dc, record, client);
    if (m_nStripHeight)
        DrawStrip(dc, client);
}

void CPreviewPlayerCtrl::SetFilterSettings(IUnknown* settings)
{
    if (settings != m_pFilterSettings.Get())
        m_pFilterSettings = ComPtr<IUnknown>(settings);
    Redraw();
}

void CPreviewPlayerCtrl::TransformHeader(FRAME_RECORD& record)
{
    if (m_pCrop) {
        m_rotate.SetAngle(m_pCrop->rotate * 90);
        m_rotate.SetFlip(m_pCrop->flip_h, m_pCrop->flip_v);
        m_rotate.Rotate(&record.cbFormat, &record.pbFormat, &record.cbData, &record.pbData);
    }
    ApplyCropErase(record);
}

void CPreviewPlayerCtrl::ApplyCropErase(FRAME_RECORD& record)
{
    ApplyCrop(record);
    ApplyErase(record);
}

void CPreviewPlayerCtrl::ApplyCrop(FRAME_RECORD& record)
{
    if (!m_pCrop)
        return;
    m_cropMng.m_rcCrop = RECT{m_pCrop->crop_left, m_pCrop->crop_top, m_pCrop->crop_right, m_pCrop->crop_bottom};
    m_cropMng.Crop(&record.cbFormat, &record.pbFormat, &record.cbData, &record.pbData, nullptr, 1.0);
}

void CPreviewPlayerCtrl::ApplyErase(FRAME_RECORD& record)
{
    if (!m_pEraser)
        return;
    const tag_ERASEPARAM params = m_pEraser->Params();
    m_eraser.SetProperty(&params);
    m_eraser.Erase(&record.cbFormat, &record.pbFormat, &record.cbData, &record.pbData);
}

void CPreviewPlayerCtrl::RenderFrame(wxDC& dc, FRAME_RECORD* record, const wxRect& client)
{
    std::lock_guard lock(m_csRender);
    const int boxW = client.width - 10;
    const int boxH = client.height - m_nStripHeight - 10;
    m_shown = wxImage();
    if (record && record->pbData && record->cbData) {
        WorkingFrame work(*record);
        const wxSize source = HeaderSize(work.Header());
        TransformHeader(work.record);
        work.Take();
        const BITMAPINFOHEADER* h = work.Header();
        if (!h)
            return;
        const wxSize out = HeaderSize(h);
        const FitSize fit = FitSizeKeepAspect(out.x, out.y, boxW, boxH, ShownAspect(source, out));
        if (fit.width <= 0 || fit.height <= 0)
            return;
        m_convert24.Convert24(&work.record.cbFormat, &work.record.pbFormat, &work.record.cbData, &work.record.pbData);
        work.Take();
        m_resize.Resize(fit.width, fit.height, &work.record.cbFormat, &work.record.pbFormat, &work.record.cbData,
                        &work.record.pbData, 1, RESIZE_STRETCH, RESAMPLE_BILINEAR);
        work.Take();
        if (m_pFilterSettings) {
            // The colour filters run on the shown size, as the conversion runs them on its own.
            m_filters.SetFilters(m_pFilterSettings.Get());
            m_filters.ConvertForItem(fit.width, fit.height, &work.record.cbFormat, &work.record.pbFormat,
                                     &work.record.cbData, &work.record.pbData, nullptr, 0, 0);
            work.Take();
        }
        AfterPipeline(work.record);
        work.Take();
        if (const BITMAPINFOHEADER* out = work.Header())
            m_shown = ImageFromDib(*out, work.data.data(), work.data.size());
        if (!m_shown.IsOk())
            return;
        m_shownRect = wxRect(client.x + (client.width - m_shown.GetWidth()) / 2,
                             client.y + (client.height - m_shown.GetHeight() - m_nStripHeight) / 2, m_shown.GetWidth(),
                             m_shown.GetHeight());
        dc.DrawBitmap(wxBitmap(m_shown), m_shownRect.GetTopLeft());
        return;
    }
    if (record)
        return;  // a record without data: nothing is drawn
    const bool probed = m_pItem && m_pItem->m_width > 0 && m_pItem->m_height > 0;
    const FitSize fit = probed ? FitSizeKeepAspect(m_pItem->m_width, m_pItem->m_height, boxW, boxH, m_pItem->m_aspectRatio)
                               : FitSizeKeepAspect(640, 480, boxW, boxH, 0);
    if (m_pItem && !probed)
        return;
    m_shownRect = wxRect(client.x + (client.width - fit.width) / 2,
                         client.y + (client.height - fit.height - m_nStripHeight) / 2, fit.width, fit.height);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(probed ? *wxBLACK_BRUSH : *wxWHITE_BRUSH);
    dc.DrawRectangle(wxRect(m_shownRect).Inflate(1));
    if (!m_pItem) {
        wxRect inner = m_shownRect;
        inner.x += 10;
        inner.y += 10;
        inner.width -= 10;
        inner.height -= 10;
        if (inner.width > 32 && inner.height > 32)
            m_placeholder.Draw(dc, wxRect(inner.GetTopLeft(), wxSize(std::min(inner.width, 64), std::min(inner.height, 64))));
    }
}

void CPreviewPlayerCtrl::DrawButton(wxDC& dc, const wxRect& r, KM::CBitmapDC& face)
{
    face.DrawTransparent(dc, r.x, r.y, 22, 22, *wxBLACK);
}

void CPreviewPlayerCtrl::DrawStrip(wxDC& dc, const wxRect& client)
{
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    m_nTimeWidth = dc.GetTextExtent("00:00:00.00").x;
    const int b = client.GetBottom() + 1;
    const SeekTrack track = MakeSeekTrack(client.x, client.GetRight() + 1, m_nTimeWidth);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(0x28, 0x3D, 0x59)));
    dc.DrawRectangle(client.x + 52, b - 18, std::max(track.x1 - client.x - 52, 0), 5);
    int64_t position = 0;
    if (m_pItem) {
        position = m_llDragPos >= 0 ? m_llDragPos : m_pItem->m_currentPosition;
        const int x = ThumbX(track, position, Duration());
        m_thumb.DrawTransparent(dc, x + 1, b - 22, 13, 13, wxColour(255, 0, 255));
    }
    dc.SetTextForeground(wxColour(0x3E, 0x6A, 0xAA));
    dc.DrawLabel(FormatMediaTime(position), wxRect(track.x1, b - 24, client.GetRight() - track.x1, 17),
                 wxALIGN_CENTER);
    const bool playDown = m_nButtonDown == KM::Cmd::PlayPause;
    if (m_faces.playVisible)
        DrawButton(dc, PlayRect(), !m_faces.playEnabled || playDown ? m_playPressed : m_play);
    if (m_faces.pauseVisible)
        DrawButton(dc, PlayRect(), playDown ? m_pausePressed : m_pause);
    if (m_faces.stopVisible)
        DrawButton(dc, StopRect(), !m_faces.stopEnabled ? m_stopDisabled
                                   : m_nButtonDown == KM::Cmd::PlayerStop ? m_stopPressed : m_stop);
}

// The stored picture turns and is cropped, but its pixels keep their shape.
double CPreviewPlayerCtrl::ShownAspect(const wxSize& source, const wxSize& out) const
{
    const double aspect = m_pItem ? m_pItem->m_aspectRatio : 0.0;
    return TransformedAspect(aspect, source.x, source.y, m_pCrop ? m_pCrop->rotate : 0, out.x, out.y);
}

bool CPreviewPlayerCtrl::GetImageRect(wxRect& rect, double& scale)
{
    const wxRect client = rect;
    int w = 0, h = 0;
    wxSize source;
    FRAME_RECORD* record = nullptr;
    if (CPlayer* player = Player(); player && m_pItem)
        player->GetFrame(m_pItem, &record);
    if (record && record->pbData) {
        WorkingFrame work(*record, true);
        source = HeaderSize(work.Header());
        {
            std::lock_guard lock(m_csRender);
            TransformHeader(work.record);
        }
        work.Take();
        const wxSize out = HeaderSize(work.Header());
        w = out.x;
        h = out.y;
    } else if (m_pItem && m_pItem->m_width > 0 && m_pItem->m_height > 0) {
        w = m_pItem->m_width;
        h = m_pItem->m_height;
        source = wxSize(w, h);
    }
    if (w <= 0 || h <= 0)
        return false;
    const FitSize fit =
        FitSizeKeepAspect(w, h, client.width - 10, client.height - m_nStripHeight - 10, ShownAspect(source, wxSize(w, h)));
    if (fit.width <= 0 || fit.height <= 0) {
        scale = 1.0;
        return false;
    }
    rect = wxRect(client.x + (client.width - fit.width) / 2, client.y + (client.height - fit.height - m_nStripHeight) / 2,
                  fit.width, fit.height);
    scale = w > fit.width ? static_cast<double>(w) / fit.width : 1.0;
    return true;
}

// ------------------------------------------------------------ commands and mouse

void CPreviewPlayerCtrl::OnPlayerButton(int command)
{
    CPlayer* player = Player();
    if (!player)
        return;
    wxBusyCursor wait;
    if (command == KM::Cmd::PlayerStop) {
        player->Stop();
        if (m_pItem)
            m_pItem->m_currentPosition = 0;
        player->OnStopped();
    } else if (command == KM::Cmd::PlayPause) {
        if (player->IsPlaying() && !player->IsRewinding())
            player->Pause();
        else
            player->Play();
    } else {
        return;
    }
    UpdateButtons(0);
    Redraw();
}

void CPreviewPlayerCtrl::OnLeftDown(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    if (m_nStripHeight) {
        if ((m_faces.playVisible || m_faces.pauseVisible) && PlayRect().Contains(p)) {
            if (m_faces.playEnabled || m_faces.pauseVisible) {
                m_nButtonDown = KM::Cmd::PlayPause;
                CaptureMouse();
            }
            return;
        }
        if (m_faces.stopVisible && StopRect().Contains(p)) {
            if (m_faces.stopEnabled) {
                m_nButtonDown = KM::Cmd::PlayerStop;
                CaptureMouse();
            }
            return;
        }
    }
    const int b = GetClientSize().y;
    const wxRect bar(6, b - 24, GetClientSize().x - 11, 17);
    if (!m_pItem || !m_nStripHeight || !bar.Contains(p))
        return;
    m_bDragging = true;
    if (CPlayer* player = Player())
        player->BeginSeekDrag();
    m_llDragPos = PositionFromX(Track(), p.x, Duration());
    SetCursor(wxCursor(wxCURSOR_HAND));
    CaptureMouse();
    Redraw();
}

void CPreviewPlayerCtrl::OnMotion(wxMouseEvent& event)
{
    if (!m_bDragging || m_nButtonDown)
        return;
    m_llDragPos = PositionFromX(Track(), event.GetPosition().x, Duration());
    Redraw();
}

void CPreviewPlayerCtrl::OnLeftUp(wxMouseEvent& event)
{
    if (m_nButtonDown) {
        const int command = m_nButtonDown;
        m_nButtonDown = 0;
        if (HasCapture())
            ReleaseMouse();
        const wxRect r = command == KM::Cmd::PlayerStop ? StopRect() : PlayRect();
        if (r.Contains(event.GetPosition()))
            OnPlayerButton(command);
        return;
    }
    if (!m_bDragging)
        return;
    const int64_t target = PositionFromX(Track(), event.GetPosition().x, Duration());
    EndDrag();
    if (CPlayer* player = Player())
        player->Seek(target);
    Redraw();
}

void CPreviewPlayerCtrl::EndDrag()
{
    m_bDragging = false;
    m_llDragPos = -1;
    if (CPlayer* player = Player())
        player->EndSeekDrag();
    if (HasCapture())
        ReleaseMouse();
    SetCursor(wxNullCursor);
}

// Losing the mouse ends a drag without a seek.
void CPreviewPlayerCtrl::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    m_nButtonDown = 0;
    m_bDragging = false;
    m_llDragPos = -1;
    if (CPlayer* player = Player())
        player->EndSeekDrag();
    Redraw();
}
