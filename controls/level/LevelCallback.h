#pragma once
// Told every change of the level slider.
class ILevelCallback {
public:
    virtual void OnLevelChanged(int black, int white, double gamma) = 0;

protected:
    ~ILevelCallback() = default;
};
