#pragma once
// The project's three output settings objects, as the views and the job
// transfer reach them. CProject implements it; each accessor never gives null.
class CVideoFileObj;
class CAudioFileObj;
class CImageFileObj;

class CProfileImpl {
public:
    virtual CVideoFileObj* GetVideoOutput() = 0;
    virtual CAudioFileObj* GetAudioOutput() = 0;
    virtual CImageFileObj* GetImageOutput() = 0;

protected:
    ~CProfileImpl() = default;
};
