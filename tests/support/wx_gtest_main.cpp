// main() for the GUI test programs: starts wx without running OnInit's
// command-line parsing, keeps an event loop active, turns every wx assertion
// into a test failure and cancels (and fails on) any modal dialog that no
// test expected, so a stray dialog never hangs the run.
#include "wx_test_util.h"

#include <wx/evtloop.h>
#include <wx/modalhook.h>

#include <cstdio>
#include <typeinfo>

#include "core/UserLocale.h"
#include "ui/OrvelGUI.h"

namespace {
wxFrame* g_top = nullptr;

class TestApp : public wxApp {
public:
    bool OnInit() override
    {
        SetExitOnFrameDelete(false);
        g_top = new wxFrame(nullptr, wxID_ANY, "test-top"); // never shown
        SetTopWindow(g_top);
        return true;
    }
};

void GTestAssertHandler(const wxString& file, int line, const wxString& func, const wxString& cond,
                        const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "wx assertion in " << func.utf8_string() << ": " << cond.utf8_string() << " " << msg.utf8_string();
}

class UnexpectedDialogHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dlg) override
    {
        ADD_FAILURE() << "unexpected modal dialog: \"" << dlg->GetTitle().utf8_string() << "\" ("
                      << typeid(*dlg).name() << ")";
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
} g_unexpectedHook;
} // namespace

wxFrame* TestTopFrame()
{
    return g_top;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "wxEntryStart failed (no DISPLAY?)\n");
        return 2;
    }
    if (!wxTheApp->CallOnInit()) {
        wxEntryCleanup();
        return 3;
    }
    wxSetAssertHandler(GTestAssertHandler);
    UseUserLocale(); // as OrvelGUI::OnInit does: the windows see the dates the program shows
    delete wxLog::SetActiveTarget(new wxLogStderr);
    RegisterImageHandlers();
    g_unexpectedHook.Register();
    int rc;
    {
        wxEventLoop loop;
        wxEventLoopActivator activate(&loop);
        rc = RUN_ALL_TESTS();
    }
    g_unexpectedHook.Unregister();
    if (g_top) {
        g_top->Destroy();
        wxTheApp->ProcessIdle();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return rc;
}
