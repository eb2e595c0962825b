#include "model/project/FirstFormats.h"

#include "model/output/OutputIds.h"
#include "model/project/Project.h"
#include "model/schema/SchemaImpl.h"
#include "model/schema/SchemaProperty.h"

bool ChooseFirstFormat(COutputFileObj& output)
{
    if (output.file_format != kNoOutputFormat) return false;
    const CSchemaProperty* formats = output.FindProperty(SCHEMA_PROP_FILE_FORMAT);
    if (!formats || formats->options.empty()) return false;
    output.file_format = formats->options.front().value;
    // The codec lists follow the format, as after a choice in the grid.
    output.UpdateStates();
    return true;
}

void ChooseFirstFormats(CProject& project)
{
    ChooseFirstFormat(*project.GetVideoOutput());
    ChooseFirstFormat(*project.GetImageOutput());
    ChooseFirstFormat(*project.GetAudioOutput());
}
