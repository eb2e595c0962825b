// Time to rebuild the settings grid after the output format changed, on the
// video output's schema (the largest), for every format it offers. The
// reference is the 50 ms a rebuild may take before the user notices it.
//
// Usage: xvfb-run -a grid_rebuild [rounds, default 20]
#include "controls/grid/PropertiesEditCtrl.h"
#include "engine/EngineInit.h"
#include "model/output/VideoFileObj.h"
#include "model/project/Project.h"
#include "model/schema/SchemaImpl.h"
#include "platform/ClassRegistry.h"
#include "platform/ResourceLibrary.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <wx/app.h>
#include <wx/frame.h>

using Clock = std::chrono::steady_clock;

namespace {
class CBenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    wxApp::SetInstance(new CBenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "grid_rebuild needs an X display (xvfb-run)\n");
        return 1;
    }
    CoInitialize();
    std::unique_ptr<CResourceLibrary> library = CResourceLibrary::Load(KM_RES_DIR);
    if (library) SetCurrentResourceLibrary(library.get());
    int result = 0;
    {
        CProject project;
        CVideoFileObj* video = project.GetVideoOutput();
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(420, 700));
        auto* grid = new CPropertiesEditCtrl(frame, wxID_ANY, wxPoint(0, 0), wxSize(400, 680));
        frame->Show();
        grid->BuildRowsFromParameterTree(video, &project, true);
        CSchemaProperty* format = video->FindProperty(SCHEMA_PROP_FILE_FORMAT);
        std::vector<double> times;
        size_t largest = 0;
        for (int r = 0; r < rounds && format && format->IntValue(); ++r)
            for (const SchemaOption& o : std::vector<SchemaOption>(format->options)) {
                *format->IntValue() = o.value;
                const Clock::time_point t0 = Clock::now();
                grid->Rebuild(true);
                times.push_back(Ms(Clock::now() - t0));
                size_t rows = 0;
                for (auto it = grid->GetIterator(wxPG_ITERATE_ALL); !it.AtEnd(); ++it) ++rows;
                largest = std::max(largest, rows);
            }
        if (times.empty()) {
            std::fprintf(stderr, "the video output offers no formats\n");
            result = 1;
        } else {
            std::sort(times.begin(), times.end());
            std::printf("grid rebuild on a format change (%zu rebuilds, up to %zu rows)\n", times.size(), largest);
            std::printf("  ours:      median %.2f ms, slowest %.2f ms\n", times[times.size() / 2], times.back());
            std::printf("  reference: 50 ms (a rebuild the user does not notice)\n");
        }
        grid->BuildRowsFromParameterTree(nullptr, nullptr, true);
        delete frame;
    }
    SetCurrentResourceLibrary(nullptr);
    wxEntryCleanup();
    return result;
}
