#pragma once
// Told by a crop or eraser editor whenever it changed the settings record, so
// that whoever shows the same values (the editor itself, a settings grid) can
// show them again.

class CCropEditBase {
public:
    virtual void OnChange() = 0;

protected:
    ~CCropEditBase() = default;
};
