#pragma once
// What a format list tells its owner, and asks of it.
class IFormatChangeNotify {
public:
    virtual void OnFormatChanged(int id) = 0;
    virtual int GetCurrentFormat() = 0;

protected:
    ~IFormatChangeNotify() = default;
};
