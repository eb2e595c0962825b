// Registries through which other engine parts plug into the core.
#include "engine/ConversionJob.h"
#include "engine/MediaSourceGraph.h"
#include <atomic>

namespace {
std::atomic<ConversionRunnerFactory> g_runnerFactory{nullptr};
std::atomic<IMediaGraphProvider*> g_graphProvider{nullptr};
}  // namespace

void SetConversionRunnerFactory(ConversionRunnerFactory factory) { g_runnerFactory = factory; }
ConversionRunnerFactory GetConversionRunnerFactory() { return g_runnerFactory; }
void SetMediaGraphProvider(IMediaGraphProvider* provider) { g_graphProvider = provider; }
IMediaGraphProvider* GetMediaGraphProvider() { return g_graphProvider; }
