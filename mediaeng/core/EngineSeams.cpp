// Registries through which other engine parts plug into the core.
#include "mediaeng/core/EngineSeams.h"
#include "engine/EngineInit.h"
#include <atomic>

namespace {
std::atomic<ConversionRunnerFactory> g_runnerFactory{nullptr};
std::atomic<IMediaGraphProvider*> g_graphProvider{nullptr};
}  // namespace

void mediaeng::InstallConversionRunnerFactory(ConversionRunnerFactory factory) { g_runnerFactory = factory; }
void mediaeng::InstallMediaGraphProvider(IMediaGraphProvider* provider) { g_graphProvider = provider; }

void mediaeng::ClearMediaGraphProvider(IMediaGraphProvider* provider)
{
    g_graphProvider.compare_exchange_strong(provider, nullptr);
}

// The engine's own seams go in first, so a caller that swaps one for a while
// and puts back what it read restores the engine's, not an empty slot.
void SetConversionRunnerFactory(ConversionRunnerFactory factory)
{
    EngineInitialize();
    g_runnerFactory = factory;
}

ConversionRunnerFactory GetConversionRunnerFactory()
{
    EngineInitialize();
    return g_runnerFactory;
}

void SetMediaGraphProvider(IMediaGraphProvider* provider)
{
    EngineInitialize();
    g_graphProvider = provider;
}

IMediaGraphProvider* GetMediaGraphProvider()
{
    EngineInitialize();
    return g_graphProvider;
}
