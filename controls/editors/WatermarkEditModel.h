#pragma once
// What the watermark editor does with the mouse, without a window: which
// drawn watermark a click selects, which edge a point grabs, and how a move
// or a resize in client pixels becomes the watermark's anchor offsets and
// size in source pixels. The selection is the watermark's own identity, so it
// survives the drawn records being rebuilt at every paint.
#include "controls/editors/EditCursor.h"
#include "engine/WatermarkEngine.h"
#include "model/edit/WatermarkObj.h"
#include <functional>
#include <vector>

class CWatermarksObj;
class IWatermarkPropertiesCallback;

class CWatermarkEditModel {
public:
    // Hit codes: the drag each one starts.
    enum EHit { kNone = 0, kMove, kWidth, kHeight, kBoth };

    void SetView(const RECT& image, double scale, const RECT& client);
    void SetScrollPos(POINT pos) { m_ptScroll = pos; }
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }
    // The records of the last draw, in drawing order (the last is topmost);
    // each carries its watermark's id as its key.
    void SetRecords(std::vector<WATERMARK_RECORD> records) { m_records = std::move(records); }
    const std::vector<WATERMARK_RECORD>& Records() const { return m_records; }
    void SetSource(CWatermarksObj* source) { m_pSource = source; }
    CWatermarksObj* Source() const { return m_pSource; }
    // Called after a move (false) or a resize (true) changed the watermark.
    void SetPushHandler(std::function<void(bool resized)> handler) { m_onPushed = std::move(handler); }
    void SetCallback(IWatermarkPropertiesCallback* callback) { m_pCallback = callback; }

    WatermarkId SelectedId() const { return m_selection; }
    CWatermarkObj* SelectedObj() const;
    // The selected watermark's record of the last draw, or null.
    const WATERMARK_RECORD* SelectedRecord() const;
    void SetSelection(WatermarkId id) { m_selection = id; }
    // The source's watermark drawn as this record, or null.
    CWatermarkObj* FindWatermarkObj(const WATERMARK_RECORD& record) const;
    int DragMode() const { return m_nDragMode; }

    // Hit code of p against the selected rectangle; sets the side flags.
    int HitTest(POINT p);
    // Selects what a press at p grabs; true when something is selected.
    bool SelectAt(POINT p);
    // Places the selected watermark's top-left corner at client (X, Y),
    // within the bounds of its anchor.
    void MoveTo(double X, double Y);
    void MoveByMouse(POINT p);
    void ResizeWidth(LONG mouseX);
    void ResizeHeight(LONG mouseY);

    // Mouse protocol. Down: returns whether a repaint is due; *capture is
    // set when a drag starts. Move: whether a repaint is due. Up: whether a
    // drag ended (release the capture).
    bool OnButtonDown(POINT p, bool* capture);
    bool OnMouseMove(POINT p);
    bool OnButtonUp();
    EEditCursor CursorAt(POINT p);

    // The selection frame (four 1-pixel lines) and the top-left points of
    // the eight 10 x 10 handles around a selected rectangle rc.
    static std::vector<RECT> SelectionLines(const RECT& rc);
    static std::vector<POINT> SelectionHandles(const RECT& rc);

private:
    void Notify(CWatermarkObj* selected);
    void Pushed(CWatermarkObj& obj, bool resized);

    RECT m_rcImage{};
    double m_dScale = 1.0;
    RECT m_rcClient{};
    POINT m_ptScroll{};
    bool m_bEnabled = true;
    std::vector<WATERMARK_RECORD> m_records;
    CWatermarksObj* m_pSource = nullptr;
    std::function<void(bool)> m_onPushed;

    WatermarkId m_selection = kNoWatermarkId;
    int m_nDragMode = kNone;
    POINT m_ptMoveGrab{};
    int m_nVSide = 0;
    int m_nHSide = 0;
    LONG m_nEdgeGrabY = 0;
    LONG m_nEdgeGrabX = 0;
    IWatermarkPropertiesCallback* m_pCallback = nullptr;
};
