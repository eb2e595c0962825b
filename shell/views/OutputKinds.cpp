#include "shell/views/OutputKinds.h"
#include "model/project/Project.h"

bool ApplyOutputKind(CProject& project, int kind)
{
    if (kind != kKindVideo && kind != kKindImage && kind != kKindAudio)
        return false;
    project.GetVideoOutput()->is_create = kind == kKindVideo ? 1 : 0;
    project.GetImageOutput()->is_create = kind == kKindImage ? 1 : 0;
    project.GetAudioOutput()->is_create = kind == kKindAudio ? 1 : 0;
    return true;
}

int EnabledOutputKind(CProject& project)
{
    if (project.GetVideoOutput()->is_create)
        return kKindVideo;
    if (project.GetAudioOutput()->is_create)
        return kKindAudio;
    if (project.GetImageOutput()->is_create)
        return kKindImage;
    return 0;
}

int KindChoiceIndex(int kind)
{
    switch (kind) {
    case kKindVideo: return 0;
    case kKindAudio: return 1;
    case kKindImage: return 2;
    default: return -1;
    }
}

int KindFromChoiceIndex(int index)
{
    static const int kinds[] = {kKindVideo, kKindAudio, kKindImage};
    return index >= 0 && index < 3 ? kinds[index] : 0;
}
