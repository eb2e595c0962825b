#pragma once
// The main window with one short clip as the project's source and the video
// output on: the editing page, its panes, and a conversion started from the
// ribbon that is waited for.
#include "fixtures/MediaFixtures.h"
#include "model/project/Project.h"
#include "shell/KestrelMediaApp.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/MainFrame.h"
#include "shell/views/EditingView.h"
#include <filesystem>
#include <gtest/gtest.h>

class CKMFile;

class EditingPageFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CProject& Project() { return *app.GetDocument()->GetProject(); }
    // The editing tab with the clip chosen in the ribbon's file choice.
    void ShowEditing();
    bool Run(int command);
    // Converts the project from the ribbon into a fresh folder; the files written.
    std::vector<std::filesystem::path> ConvertInto(const std::string& folder);

    CKestrelMediaApp app;
    CMainFrame* frame = nullptr;
    CEditingView* view = nullptr;
    std::filesystem::path dir;
    std::filesystem::path clip;
    CKMFile* entry = nullptr;
    double clipSeconds = 1.0;
};
