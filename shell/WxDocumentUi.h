#pragma once
// The document's messages and questions as message boxes and the save dialog.
#include "document/DocumentServices.h"

class CWxDocumentUi : public IDocumentUi {
public:
    void ShowError(const std::wstring& text) override;
    void ShowWarning(const std::wstring& text) override;
    Answer AskSaveChanges(const std::wstring& text) override;
    std::wstring AskSavePath(const std::wstring& proposedName) override;
};

// "KestrelMedia Config (*.km)|*.km" from the document string 128.
std::wstring ProjectFileFilter();
