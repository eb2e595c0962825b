#pragma once
// Message ids of the job transfer and the conversion run (texts in
// resources/strings/job.tsv).
#include "platform/Types.h"

enum : UINT {
    kMsgTrimWithSplit = 512,       // warning: trims are not applied while splitting
    kMsgAddingSources = 526,       // text: the sources are being handed to the job
    kMsgSplitAndJoin = 530,        // warning: split wins over join
    kMsgNoActiveOutput = 5801,     // error: no output is switched on
    kMsgNoFormatNode = 5802,       // error: the job offers no output format
    kMsgNothingToConvert = 5803,   // error: no source could be handed over
    kMsgSourceSkipped = 5804,      // error: the named file is left out (%ls)
    kMsgEmptyTrimRange = 5805,     // error: the named file has an empty trim range and is left out (%ls)
    kMsgRunConverted = 5806,       // end of a run: %d of %d files converted
    kMsgRunLeftOut = 5807,         // end of a run: %d files left out
    kMsgRunShortened = 5808,       // end of a run: %d outputs shorter than their source
    kMsgSourceSkippedWhy = 5809,   // error: the named file is left out, and why (%ls, %ls)
};

// Declares the argument kinds of the ids above once.
void RegisterJobMessageArgs();
