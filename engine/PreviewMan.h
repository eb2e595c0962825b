#pragma once
// The engine's colour-preview manager: while the colour dialog is open, the
// object it holds (when one registered itself) may show the chosen colour on
// the current picture. The dialog only asks whether there is one and releases
// it when it closes. All calls come from the window thread.
#include "platform/Unknown.h"

class CPreviewMan {
public:
    static CPreviewMan& GetInstance();

    bool HasObject() const { return static_cast<bool>(m_object); }
    void SetObject(ComPtr<IUnknown> object) { m_object = std::move(object); }
    void ReleaseObject() { m_object = nullptr; }

private:
    CPreviewMan() = default;
    ComPtr<IUnknown> m_object;
};

// Readies the engine's drawing services for the colour dialog; safe to call
// more than once. S_OK when they are usable.
HRESULT LoadGDILibrary();
