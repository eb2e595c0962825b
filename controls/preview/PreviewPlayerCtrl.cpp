#include "controls/preview/PreviewPlayerCtrl.h"
#include "controls/draw/FitSize.h"
#include "controls/draw/MediaTimeText.h"
#include "controls/draw/WrapText.h"
#include "controls/ids/CommandIds.h"
#include "model/source/KMFile.h"
#include "platform/Bitmap.h"
#include "player/Player.h"
#include <cstring>
#include <vector>
#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/utils.h>

namespace {

// A copy of a record's format block, without its picture: the chain's
// Reshape may replace the block, the copy owns whatever it points to last.
struct WorkingHeader {
    std::vector<BYTE> format;
    FRAME_RECORD record{};

    explicit WorkingHeader(const FRAME_RECORD& r) : format(r.pbFormat, r.pbFormat + r.cbFormat) { Sync(); }
    void Sync()
    {
        record.cbFormat = static_cast<DWORD>(format.size());
        record.pbFormat = format.data();
    }
    // After an engine call: copy what the record now points at.
    void Take()
    {
        if (record.pbFormat != format.data())
            format.assign(record.pbFormat, record.pbFormat + record.cbFormat);
        else
            format.resize(record.cbFormat);
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

// A 24-bit bottom-up BGR picture with padded rows as a top-down RGB image,
// written into reuse when nobody else holds it and it has the size (a new
// picture of a few MB with every frame costs its page faults every time).
wxImage ImageFromDib(const BITMAPINFOHEADER& h, const BYTE* bits, size_t size, wxImage& reuse)
{
    const int w = static_cast<int>(h.biWidth);
    const int rows = static_cast<int>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    if (w <= 0 || rows <= 0 || h.biBitCount != 24 || size < stride * static_cast<size_t>(rows))
        return {};
    const bool own = reuse.IsOk() && reuse.GetRefData()->GetRefCount() == 1 && reuse.GetSize() == wxSize(w, rows) &&
                     !reuse.HasAlpha() && !reuse.HasMask();
    wxImage image = own ? reuse : wxImage(w, rows, false);
    reuse = wxImage();
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
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnSeekToStart(); }, KM::Cmd::PlayerStop);
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

void CPreviewPlayerCtrl::OnFrame(FRAME_RECORD*)
{
    // The frame is in the entry's record, which the paint handler draws with
    // the play position: ask for a repaint. Nothing is drawn from here (a
    // client DC draws nothing under GTK 3 on Wayland).
    if (IsBeingDeleted() || !IsShownOnScreen())
        return;
    Refresh(false);
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

void CPreviewPlayerCtrl::SetChainSource(ChainSource source)
{
    m_chainSource = std::move(source);
    Redraw();
}

void CPreviewPlayerCtrl::TakeChain()
{
    EditChain chain = OwnerChain();
    AdjustChain(chain);
    m_chain.SetChain(chain);
}

void CPreviewPlayerCtrl::RenderFrame(wxDC& dc, FRAME_RECORD* record, const wxRect& client)
{
    std::lock_guard lock(m_csRender);
    const int boxW = client.width - 10;
    const int boxH = client.height - m_nStripHeight - 10;
    wxImage previous = m_shown;
    m_shown = wxImage();
    m_markRecords.clear();
    if (record && record->pbData && record->cbData) {
        TakeChain();
        // The shape first, from the header alone; then the picture at the
        // shown size, read straight from the player's record.
        WorkingHeader work(*record);
        const wxSize source = HeaderSize(work.Header());
        m_chain.Reshape(work.record);
        work.Take();
        const BITMAPINFOHEADER* h = work.Header();
        if (!h)
            return;
        const wxSize out = HeaderSize(h);
        const FitSize fit = FitSizeKeepAspect(out.x, out.y, boxW, boxH, ShownAspect(source, out));
        if (fit.width <= 0 || fit.height <= 0)
            return;
        FRAME_RECORD shown{};
        if (FAILED(m_chain.ShowSized(*record, fit.width, fit.height, shown)))
            return;
        // The filters and the watermarks run on the shown size, as the
        // conversion runs them on its own.
        const wxRect place(client.x + (client.width - fit.width) / 2,
                           client.y + (client.height - fit.height - m_nStripHeight) / 2, fit.width, fit.height);
        const double scale = out.x > fit.width ? static_cast<double>(out.x) / fit.width : 1.0;
        m_chain.FinishShown(shown, RECT{place.x, place.y, place.GetRight() + 1, place.GetBottom() + 1}, scale);
        m_markRecords = m_chain.MarkRecords();
        if (shown.pbFormat && shown.cbFormat >= sizeof(BITMAPINFOHEADER) && shown.pbData)
            m_shown = ImageFromDib(*reinterpret_cast<const BITMAPINFOHEADER*>(shown.pbFormat), shown.pbData,
                                   shown.cbData, previous);
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
    if (m_pItem && !probed) {
        DrawOpenError(dc, wxRect(client.x + 5, client.y + 5, boxW, boxH));
        return;
    }
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

// A file that cannot be read says so where its picture would be, and why.
void CPreviewPlayerCtrl::DrawOpenError(wxDC& dc, const wxRect& box)
{
    if (!m_pItem || m_pItem->m_openError.empty() || box.width <= 0)
        return;
    dc.SetFont(GetFont());
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
    const auto measure = [&dc](const std::wstring& s) { return dc.GetTextExtent(s).x; };
    const std::vector<std::wstring> lines = WrapText(m_pItem->m_openError, box.width, measure);
    const int lineHeight = dc.GetCharHeight();
    int y = box.y + std::max(0, (box.height - lineHeight * static_cast<int>(lines.size())) / 2);
    for (const std::wstring& line : lines) {
        dc.DrawText(line, box.x + std::max(0, (box.width - measure(line)) / 2), y);
        y += lineHeight;
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
    return TransformedAspect(aspect, source.x, source.y, m_chain.Chain().rotateDegrees / 90, out.x, out.y);
}

bool CPreviewPlayerCtrl::GetImageRect(wxRect& rect, double& scale)
{
    const wxRect client = rect;
    int w = 0, h = 0;
    wxSize source;
    FRAME_RECORD* record = nullptr;
    if (CPlayer* player = Player(); player && m_pItem)
        player->GetFrame(m_pItem, &record);
    std::lock_guard lock(m_csRender);
    TakeChain();
    if (record && record->pbData) {
        WorkingHeader work(*record);
        source = HeaderSize(work.Header());
        m_chain.Reshape(work.record);
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

// The command sent to the control itself: back to the start and paused,
// where the strip's Stop button stops the playback.
void CPreviewPlayerCtrl::OnSeekToStart()
{
    if (CPlayer* player = Player()) {
        player->Seek(0);
        player->Pause();
    }
    NotifyPosition();
}

// Over the seek thumb (or while it is dragged) the hand, elsewhere the arrow.
void CPreviewPlayerCtrl::UpdateCursor(const wxPoint& p)
{
    SetCursor(m_bDragging || ThumbRect().Contains(p) ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
}

wxRect CPreviewPlayerCtrl::ThumbRect() const
{
    if (!m_pItem || !m_nStripHeight)
        return {};
    const int b = GetClientSize().y;
    const int64_t position = m_llDragPos >= 0 ? m_llDragPos : m_pItem->m_currentPosition;
    const int x = ThumbX(Track(), position, Duration());
    return wxRect(wxPoint(x + 1, b - 23), wxPoint(x + 11, b - 9));
}

void CPreviewPlayerCtrl::OnLeftDown(wxMouseEvent& event)
{
    const wxPoint p = event.GetPosition();
    if (m_nStripHeight) {
        if ((m_faces.playVisible || m_faces.pauseVisible) && PlayRect().Contains(p)) {
            if (m_faces.playEnabled || m_faces.pauseVisible) {
                m_nButtonDown = KM::Cmd::PlayPause;
                CaptureMouse();
                Redraw();  // the pressed face
            }
            return;
        }
        if (m_faces.stopVisible && StopRect().Contains(p)) {
            if (m_faces.stopEnabled) {
                m_nButtonDown = KM::Cmd::PlayerStop;
                CaptureMouse();
                Redraw();
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
    if (!m_nButtonDown)
        UpdateCursor(event.GetPosition());
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
        else
            Redraw();  // the normal face again
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
