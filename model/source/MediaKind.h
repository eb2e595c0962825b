#pragma once
// What kind of media a probed engine source holds: video, audio, a picture.
// A virtual video source (an image made into video) counts as video with
// audio and a picture size.
#include "platform/Unknown.h"

bool IsVirtualVideoSource(IUnknown* source);
bool HasVideo(IUnknown* source);
bool HasAudio(IUnknown* source);
bool HasFrameSize(IUnknown* source);
bool IsImageSource(IUnknown* source);
bool IsAudioOnlySource(IUnknown* source);
bool IsVideoSource(IUnknown* source);
