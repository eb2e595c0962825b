#pragma once
// What the crop editor does with the mouse, without a window: where the crop
// rectangle lies over the picture, which handle a point grabs, and how a drag
// moves the margins of the crop record. The window feeds it the picture's
// place (image rectangle, scale) at every paint and the mouse events.
#include "controls/editors/EditCursor.h"
#include "platform/Types.h"
#include <vector>

class CCropEditBase;
class CCropObj;

class CCropEditModel {
public:
    CCropEditModel() = default;
    virtual ~CCropEditModel() = default;
    CCropEditModel(const CCropEditModel&) = delete;
    CCropEditModel& operator=(const CCropEditModel&) = delete;

    // Hit codes: the drag each one starts.
    enum EHit { kNone = 0, kTop, kBottom, kLeft, kRight, kTopLeft, kTopRight, kBottomLeft, kBottomRight, kMove };

    // The picture's place at the last paint, the client rectangle, and whether
    // the window takes input.
    void SetView(const RECT& image, double scale, const RECT& client);
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }
    bool IsEnabled() const { return m_bEnabled; }
    const RECT& ImageRect() const { return m_rcImage; }
    double Scale() const { return m_dScale; }

    void SetCallback(CCropEditBase* callback) { m_pCallback = callback; }
    void SetCropObj(CCropObj* crop) { m_pCrop = crop; }
    CCropObj* GetCropObj() const { return m_pCrop; }
    void SetEditMode(bool edit) { m_bEdit = edit; }
    bool IsEditMode() const { return m_bEdit; }
    int DragCode() const { return m_nDragCode; }

    // The record's rectangle in client pixels, given the image rectangle;
    // the image rectangle itself when there is no record.
    virtual RECT GetCropRect(const RECT& image) const;
    // Whether there is a rectangle to draw and drag.
    virtual bool ShowsFrame() const;
    // Each sets one edge of the record from the matching edge of rc (client
    // pixels), with its clamps, then tells the callback.
    virtual void DragTop(const RECT& rc);
    virtual void DragBottom(const RECT& rc);
    virtual void DragLeft(const RECT& rc);
    virtual void DragRight(const RECT& rc);
    // Moves the record's rectangle to rc keeping its size w x h (client px).
    virtual void MoveRect(const RECT& rc, int w, int h);
    virtual int HitTest(POINT p) const;
    // Moves the rectangle so that the press's grab offset stays the same.
    virtual void MoveByMouse(POINT p);
    // All margins 0 and the callback; false when no crop record is attached.
    bool ResetCrop();

    // Mouse protocol. Down returns true when a drag starts (capture the
    // mouse); Move returns true when the picture must be redrawn; Up returns
    // true when a drag ended (release the capture).
    bool OnButtonDown(POINT p);
    bool OnMouseMove(POINT p);
    bool OnButtonUp();
    EEditCursor CursorAt(POINT p) const;

    // The four 2-pixel strips of the frame and the top-left points of the
    // 10 x 10 handles, in drawing order, for rectangle rc.
    static std::vector<RECT> FrameStrips(const RECT& rc);
    static std::vector<POINT> HandlePoints(const RECT& rc);
    static EEditCursor CursorForHit(int code);

protected:
    // The band test on a rectangle: hit code 0-9 (no enabled test).
    int HitRect(const RECT& rc, POINT p) const;
    void NotifyChange();

    RECT m_rcImage{};
    double m_dScale = 1.0;
    RECT m_rcClient{};
    bool m_bEnabled = true;
    CCropEditBase* m_pCallback = nullptr;
    POINT m_ptGrab{};
    CCropObj* m_pCrop = nullptr;
    int m_nDragCode = kNone;
    bool m_bEdit = true;
};
