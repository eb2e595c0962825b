#pragma once
// The engine's own plug-ins for the seams of engine/ConversionJob.h and
// engine/MediaSourceGraph.h, installed by RegisterEngineClasses. The public
// setters and getters run EngineInitialize first, so these install without it.
#include "engine/ConversionJob.h"
#include "engine/MediaSourceGraph.h"

namespace mediaeng {
void InstallConversionRunnerFactory(ConversionRunnerFactory factory);
void InstallMediaGraphProvider(IMediaGraphProvider* provider);
// Removes provider if it is the one installed.
void ClearMediaGraphProvider(IMediaGraphProvider* provider);
// The playback and grab graphs (mediaeng/playback/PlaybackGraphProvider.cpp).
IMediaGraphProvider& PlaybackGraphProvider();
}  // namespace mediaeng
