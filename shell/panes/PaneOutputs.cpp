#include "shell/panes/PaneOutputs.h"
#include "model/project/Project.h"

OutputFlags ProjectOutputs(CProject* project)
{
    OutputFlags flags;
    if (!project) return flags;
    flags.video = project->GetVideoOutput()->is_create != 0;
    flags.image = project->GetImageOutput()->is_create != 0;
    flags.audio = project->GetAudioOutput()->is_create != 0;
    return flags;
}

AdvancedTarget ChooseAdvancedTarget(CProject* project)
{
    const OutputFlags outputs = ProjectOutputs(project);
    if (outputs.video) return {&project->GetVideoOutput()->m_adv, 1};
    if (outputs.audio) return {&project->GetAudioOutput()->m_adv, 2};
    if (outputs.image) return {&project->GetImageOutput()->m_adv, 4};
    return {};
}
