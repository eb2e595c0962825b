#pragma once
// Told by the timeline controls when the play position or the current range
// was moved (first operation), and when what shows it wants repainting (second).
class IPossitionChangeNotify {
public:
    virtual ~IPossitionChangeNotify() = default;
    virtual void OnPositionChanged(int reason) = 0;
    virtual void OnPositionRedraw() {}
};
