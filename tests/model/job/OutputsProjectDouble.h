#pragma once
// A run manager over output objects of its own: the transfer writes them into
// the engine's job as the project's would.
#include "model/job/RunManager.h"
#include "model/output/AudioFileObj.h"
#include "model/output/ImageFileObj.h"
#include "model/output/VideoFileObj.h"

class OutputsProject : public CRunManager {
public:
    CVideoFileObj* GetVideoOutput() override { return &video; }
    CAudioFileObj* GetAudioOutput() override { return &audio; }
    CImageFileObj* GetImageOutput() override { return &image; }
    CVideoFileObj video;
    CAudioFileObj audio;
    CImageFileObj image;
};
