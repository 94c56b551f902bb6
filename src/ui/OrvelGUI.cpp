#include "ui/OrvelGUI.h"

#include "core/UserLocale.h"
#include "core/Version.h"
#include "ui/HalvaneFrame.h"

#include <wx/cmdline.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/splash.h>
#include <wx/stattext.h>
#include <wx/weakref.h>

#include <csignal>

#include "images/splash.xpm"

namespace {
constexpr int kSplashMilliseconds = 6000;
constexpr wxWindowID kSplashLabelId = 5006;

#ifdef __UNIX__
// A desktop session that ends sends SIGTERM: the main window closes as its
// close button would, so unsaved work is asked about, never dropped.
void CloseOnTerminate(int)
{
    if (wxWindow* top = wxTheApp->GetTopWindow())
        top->Close(false);
    else
        wxTheApp->ExitMainLoop();
}
#endif
} // namespace

void RegisterImageHandlers()
{
    wxInitAllImageHandlers();
}

wxSplashScreen* ShowSplashScreen()
{
    const wxBitmap bitmap(splash_xpm);
    auto* splash =
        new wxSplashScreen(bitmap, wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_TIMEOUT, kSplashMilliseconds, nullptr,
                           wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSIMPLE_BORDER | wxSTAY_ON_TOP);
    wxWindow* inner = splash->GetSplashWindow();
    new wxStaticText(inner, kSplashLabelId, "v" + GetVersionText());
    // wxDefaultCoord is -1, so the build label sits at y = 14.
    new wxStaticText(inner, kSplashLabelId, "b" + GetBuildDateText(),
                     wxPoint(wxDefaultCoord, wxDefaultCoord + 15));
    return splash;
}

bool OrvelGUI::OnInit()
{
    if (!wxApp::OnInit())
        return false;
    UseUserLocale(); // without the user's locale, dates and names stay in the "C" forms
    RegisterImageHandlers();
    wxWeakRef<wxSplashScreen> splash = ShowSplashScreen();
    wxYield(); // let the splash paint before the frame is built
    auto* frame = new HalvaneFrame(nullptr, wxID_ANY, GetClientTitle(), wxDefaultPosition,
                                   wxWindow::FromDIP(wxSize(640, 480), nullptr),
                                   wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
    frame->Show();
    // The frame is shown under the splash; without a window manager that
    // honours "stay on top" it would otherwise cover it.
    if (splash)
        splash->Raise();
    SetTopWindow(frame);
#ifdef __UNIX__
    SetSignalHandler(SIGTERM, CloseOnTerminate);
#endif
    if (!m_files.empty()) {
        const wxArrayString files = m_files;
        frame->CallAfter([frame, files] { frame->OpenFiles(files); });
    }
    return true;
}

void OrvelGUI::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddParam("file", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL | wxCMD_LINE_PARAM_MULTIPLE);
}

bool OrvelGUI::OnCmdLineParsed(wxCmdLineParser& parser)
{
    for (size_t i = 0; i < parser.GetParamCount(); ++i) {
        wxFileName name(parser.GetParam(i));
        name.MakeAbsolute();
        m_files.Add(name.GetFullPath());
    }
    return wxApp::OnCmdLineParsed(parser);
}
