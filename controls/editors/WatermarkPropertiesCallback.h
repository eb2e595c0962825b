#pragma once
// What the watermark editor tells its pane: the watermark now selected (null
// for none) and the watermark just moved or resized.

class CWatermarkObj;

class IWatermarkPropertiesCallback {
public:
    virtual void OnWatermarkSelected(CWatermarkObj* watermark) = 0;
    virtual void OnWatermarkChanged(CWatermarkObj* watermark) = 0;

protected:
    ~IWatermarkPropertiesCallback() = default;
};
