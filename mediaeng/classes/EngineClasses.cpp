#include "mediaeng/classes/EngineClasses.h"
#include "engine/EngineIds.h"
#include "engine/FrameFilterSettings.h"
#include "mediaeng/core/CodecEnumerator.h"
#include "mediaeng/core/ConversionJobImpl.h"
#include "mediaeng/core/EngineSeams.h"
#include "mediaeng/core/JobTree.h"
#include "mediaeng/job/run/ConversionRunner.h"
#include "mediaeng/probe/MediaSource.h"
#include "platform/ClassRegistry.h"

namespace mediaeng {

namespace {

// The registry takes a new object with a count of 0 and gives it its owner.
template <class Build>
ClassFactory NodeFactory(const wchar_t* name, Build build)
{
    return [name, build]() -> IUnknown* {
        auto* node = new CEngineNode(name);
        build(*node);
        return static_cast<IEngineNode*>(node);
    };
}

}  // namespace

void RegisterJobClasses()
{
    CoRegisterClass(CLSID_ConversionJob,
                    []() -> IUnknown* { return static_cast<IEngineNode*>(new CConversionJob()); });
    const CLSID* items[] = {&CLSID_WatermarkItem0, &CLSID_WatermarkItem1, &CLSID_WatermarkItem2,
                            &CLSID_WatermarkItem3, &CLSID_WatermarkItem4};
    for (int kind = 0; kind < 5; ++kind)
        CoRegisterClass(*items[kind], NodeFactory(L"Watermark", [kind](CEngineNode& n) { BuildWatermarkItem(n, kind); }));
}

// Every class and plug-in of the engine, in one place: the linker keeps each
// part because this list names it, and nothing registers itself.
void RegisterEngineClasses()
{
    RegisterJobClasses();
    RegisterSourceClasses();
    RegisterCodecEnumerators();
    ::RegisterFrameFilterClasses();
    InstallConversionRunnerFactory(&job::MakeConversionRunner);
    InstallMediaGraphProvider(&PlaybackGraphProvider());
}

}  // namespace mediaeng
