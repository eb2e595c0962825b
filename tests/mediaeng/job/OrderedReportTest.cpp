// Files converted side by side report as one after another would: each file's
// lines in its turn, one bar that only moves forward, and after a stop only
// what one after another would have said.
#include "RecordingHandler.h"
#include "mediaeng/job/run/OrderedReport.h"
#include <gtest/gtest.h>

namespace {

using jobtest::CRecordingHandler;
using mediaeng::job::COrderedReport;

// The recorded lines as "S a" (start), "W a" (warning), "L" (link), "E a" (error).
std::vector<std::string> Script(const CRecordingHandler& h)
{
    std::vector<std::string> out;
    for (const auto& l : h.Lines()) {
        if (l.flags & MSGF_FILE_DONE) continue;  // the link's second half
        const std::string file = l.text.find(L"b.m") != std::wstring::npos   ? "b"
                                 : l.text.find(L"c.m") != std::wstring::npos ? "c"
                                                                               : "a";
        const char* kind = (l.flags & MSGF_START) ? "S " : (l.flags & MSGF_WARNING) ? "W " : (l.flags & MSGF_ERROR) ? "E " : "L ";
        out.push_back(kind + file);
    }
    return out;
}

void StartAll(COrderedReport& r)
{
    r.Start(0, L"/x/a.mkv");
    r.Start(1, L"/x/b.mkv");
    r.Start(2, L"/x/c.mkv");
}

void Drain(COrderedReport& r)
{
    r.Pump([] { return true; });
}

TEST(OrderedReport, LaterFilesWaitForTheEarlierOnesAndKeepTheirOwnOrder)
{
    CRecordingHandler h;
    mediaeng::job::CJobMessages msg(&h);
    COrderedReport r(msg, {1, 1, 1});
    StartAll(r);
    // c and b end before a; b has a warning and an error.
    r.Saved(2, L"/out/c.mp4");
    r.End(2, false);
    r.Warning(1, L"/x/b.mkv", L"odd");
    r.Error(1, L"/x/b.mkv", L"broken");
    r.End(1, false);
    Drain(r);
    EXPECT_EQ(Script(h), (std::vector<std::string>{"S a"}));
    r.Saved(0, L"/out/a.mp4");
    r.End(0, false);
    Drain(r);
    EXPECT_EQ(Script(h), (std::vector<std::string>{"S a", "L a", "S b", "W b", "E b", "S c", "L c"}));
}

TEST(OrderedReport, ProgressIsOneBarThatOnlyMovesForward)
{
    CRecordingHandler h;
    mediaeng::job::CJobMessages msg(&h);
    COrderedReport r(msg, {3, 1});
    r.Progress(1, 0.5);   // an eighth of the batch
    r.Progress(0, 0.5);   // and three eighths
    r.Progress(1, 0.25);  // a file never goes back
    r.End(1, false);      // an ended file counts whole
    r.Progress(0, 0.9);
    Drain(r);
    std::vector<DWORD> values;
    for (const auto& e : h.Events())
        if (e.id == MSGE_FILE_POS) values.push_back(e.value);
    const DWORD scale = mediaeng::job::kProgressScale;
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[0], scale / 8);
    EXPECT_EQ(values[1], scale / 2);
    EXPECT_EQ(values[2], scale * 5 / 8);
    EXPECT_NEAR(double(values[3]), scale * (2.7 + 1) / 4, 1.0);
}

TEST(OrderedReport, AfterAStopFilesCutShortBehindItSayNothing)
{
    CRecordingHandler h;
    mediaeng::job::CJobMessages msg(&h);
    COrderedReport r(msg, {1, 1, 1});
    StartAll(r);
    r.Saved(1, L"/out/b.mp4");  // b ended before the stop: its file is written
    r.End(1, false);
    r.End(2, true);
    r.End(0, true);
    Drain(r);
    EXPECT_EQ(Script(h), (std::vector<std::string>{"S a", "S b", "L b"}));
}

}  // namespace
