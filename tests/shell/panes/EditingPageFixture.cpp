#include "shell/panes/EditingPageFixture.h"
#include "shell/ShellTestSupport.h"
#include "wx/WxTestSupport.h"
#include "controls/ids/CommandIds.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "document/KestrelMediaDoc.h"
#include "shell/frame/KMRibbonBar.h"
#include "shell/frame/PageKinds.h"
#include "shell/views/ConvertView.h"
#include <wx/choice.h>

namespace fs = std::filesystem;

void EditingPageFixture::SetUp()
{
    ASSERT_TRUE(shelltest::StartProgram(app));
    frame = dynamic_cast<CMainFrame*>(app.GetMainFrame());
    ASSERT_NE(frame, nullptr);
    view = dynamic_cast<CEditingView*>(frame->FindMainView(kPageEditing));
    ASSERT_NE(view, nullptr);
    dir = shelltest::TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    fixtures::ClipDesc desc;
    desc.seconds = clipSeconds;
    clip = fixtures::WriteClip(dir / "clip.mp4", desc);
    ASSERT_FALSE(clip.empty());
    entry = Project().InputFiles().AddFile(Utf8ToWide(clip.string()));
    CVideoFileObj* video = Project().GetVideoOutput();
    video->SetValue(L"is_create", CVariant(int32_t{1}));
    video->SetValue(L"file_format", CVariant(int32_t{13}));
    video->SetValue(L"file_name", CVariant(L"*.*"));
}

void EditingPageFixture::TearDown()
{
    shelltest::StopProgram(app);
}

void EditingPageFixture::ShowEditing()
{
    frame->RefillFileCombo();
    frame->GetRibbon()->SetActiveCategory(frame->GetCategory(kCategoryEditing));
    frame->GetFileCombo()->SetSelection(0);
    ASSERT_TRUE(frame->DispatchCommand(KM::Cmd::CurrentFileCombo));
    view->OnInitialUpdate();
}

bool EditingPageFixture::Run(int command)
{
    return frame->DispatchCommand(command);
}

std::vector<fs::path> EditingPageFixture::ConvertInto(const std::string& folder)
{
    const fs::path out = dir / folder;
    Project().GetVideoOutput()->SetValue(L"destination", CVariant(Utf8ToWide(out.string())));
    kmtest::ModalHook hook;
    hook.AnswerMessageBox(wxID_OK);
    EXPECT_TRUE(Run(KM::Cmd::StartConversionFromRibbon));
    auto* conversion = dynamic_cast<CConvertView*>(frame->FindMainView(kPageConversion));
    EXPECT_TRUE(kmtest::PumpUntil([&] { return conversion->IsFinished(); }, std::chrono::seconds(120)));
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(out, ec))
        files.push_back(item.path());
    std::sort(files.begin(), files.end());
    return files;
}
