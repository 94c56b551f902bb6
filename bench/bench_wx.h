// Starting and stopping wx for a GUI benchmark program (run under Xvfb), so
// each program's main() says only what it sets up around its benchmarks.
#pragma once

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

namespace bench {

class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        SetExitOnFrameDelete(false);
        return true;
    }
};

// Reads Google Benchmark's flags and starts wx with a quiet app whose log goes
// to stderr. Returns 0, or the exit status to end the program with.
inline int StartWx(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "wxEntryStart failed (no DISPLAY? run under xvfb-run)\n");
        return 2;
    }
    if (!wxTheApp->CallOnInit())
        return 3;
    delete wxLog::SetActiveTarget(new wxLogStderr);
    return 0;
}

inline void StopWx()
{
    wxTheApp->OnExit();
    wxEntryCleanup();
}

} // namespace bench
