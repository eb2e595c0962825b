#pragma once
// What the document needs of the windows around it, so its logic runs
// without a display: the preview player it detaches, and the user it tells
// about failures and asks before changes are dropped.
#include <string>

class IDocPlayer {
public:
    virtual ~IDocPlayer() = default;
    // Closes the playback graph of the entry being shown.
    virtual void CloseGraph() = 0;
    // Lets go of the entry the player shows and of every frame it holds.
    virtual void Detach() = 0;
};

class IDocumentUi {
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~IDocumentUi() = default;
    virtual void ShowError(const std::wstring& text) = 0;
    virtual void ShowWarning(const std::wstring& text) = 0;
    // "Save the changes?" with Yes, No and Cancel.
    virtual Answer AskSaveChanges(const std::wstring& text) = 0;
    // The save dialog; empty when cancelled.
    virtual std::wstring AskSavePath(const std::wstring& proposedName) = 0;
};
