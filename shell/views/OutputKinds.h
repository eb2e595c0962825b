#pragma once
// The output page's kinds: which output object a kind enables and the
// numbering of the kind choice, the view and the profile categories.

class CProject;

enum EOutputViewKind : int { kKindVideo = 1, kKindImage = 2, kKindAudio = 4 };

// Enables the kind's output object and disables the other two; false for an
// unknown kind (nothing changes).
bool ApplyOutputKind(CProject& project, int kind);
// The kind of the first enabled output, video, audio, then image; 0 for none.
int EnabledOutputKind(CProject& project);
// Index in the kind choice (video, audio, image) and back.
int KindChoiceIndex(int kind);
int KindFromChoiceIndex(int index);
