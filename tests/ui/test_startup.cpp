// The main window as a user sees it at start-up, and the settings file read
// while it is built.
#include "wx_test_util.h"

#include "core/Version.h"
#include "ui/HalvaneFrame.h"
#include "ui/OrvelGUI.h"

#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/splash.h>
#include <wx/statusbr.h>

#include <numeric>

#include "images/icon.xpm"
#include "images/splash.xpm"

namespace {

// Runs a test body with the current directory set to a fresh folder.
class InTempDir {
public:
    InTempDir() : m_old(wxGetCwd()) { wxSetWorkingDirectory(wxString::FromUTF8(m_dir.Path().string())); }
    ~InTempDir() { wxSetWorkingDirectory(m_old); }
    wxString File(const char* name) const { return m_dir.File(name); }

private:
    TempDir m_dir;
    wxString m_old;
};

HalvaneFrame* MakeFrame()
{
    return new HalvaneFrame(nullptr, wxID_ANY, GetClientTitle(), wxDefaultPosition, wxSize(640, 480),
                            wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
}

std::vector<unsigned char> Pattern(size_t size)
{
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    return bytes;
}

} // namespace

TEST(Startup, MainWindowAsTheUserSeesIt)
{
    InTempDir cwd; // no appconfig.txt here: a silent start
    HalvaneFrame* frame = MakeFrame();
    ASSERT_TRUE(ShowAndWaitForPaint(frame, frame->GetNotebook()->GetCurrentPage()));

    EXPECT_EQ(frame->GetTitle(), "HALVANE DUO CLIENT v0.9.0.1");
    // 640 x 480, widened within the screen to show the profile's columns whole.
    EXPECT_EQ(frame->GetSize().y, 480);
    EXPECT_GE(frame->GetSize().x, 640);
    EXPECT_LE(frame->GetSize().x, wxGetClientDisplayRect().width);
    EXPECT_TRUE(frame->GetWindowStyleFlag() & wxTAB_TRAVERSAL);
    // The window icon first, then the same drop for the task bar and the
    // window switcher at 32 to 256 pixels.
    ASSERT_EQ(frame->GetIcons().GetIconCount(), 6u);
    EXPECT_TRUE(frame->GetIcons().GetIconByIndex(0).IsOk());
    EXPECT_EQ(frame->GetIcons().GetIconByIndex(0).GetWidth(), 16);
    EXPECT_EQ(frame->GetIcons().GetIconByIndex(5).GetWidth(), 256);
    EXPECT_EQ(frame->GetMenuBar(), nullptr);
    EXPECT_EQ(frame->GetToolBar(), nullptr);

    wxNotebook* book = frame->GetNotebook();
    ASSERT_NE(book, nullptr);
    const char* tabs[] = {"Configuration Profile", "Schedule", "Log Book", "Node Call"};
    ASSERT_EQ(book->GetPageCount(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(book->GetPageText(i), tabs[i]) << "tab " << i;
    EXPECT_EQ(book->GetSelection(), 0);
    EXPECT_EQ(book->GetPageText(static_cast<size_t>(book->GetSelection())), "Configuration Profile");

    wxStatusBar* status = frame->GetStatusBar();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->GetFieldsCount(), 1);
    EXPECT_EQ(status->GetStatusText(0), "");
    EXPECT_TRUE(status->GetWindowStyleFlag() & wxST_SIZEGRIP);

    EXPECT_EQ(frame->GetAppConfig().recordCount, 0);
    EXPECT_TRUE(DestroyAndWait(frame));
}

TEST(Startup, EveryPageHasItsListAboveButtonsAtTheRight)
{
    InTempDir cwd;
    HalvaneFrame* frame = MakeFrame();
    ASSERT_TRUE(ShowAndWaitForPaint(frame, frame->GetNotebook()->GetCurrentPage()));
    wxNotebook* book = frame->GetNotebook();
    const size_t buttonCounts[] = {3, 5, 2, 1};
    ASSERT_EQ(book->GetPageCount(), 4u);
    for (size_t p = 0; p < 4; ++p) {
        SCOPED_TRACE(book->GetPageText(p));
        wxWindow* page = book->GetPage(p);
        if (p > 0) {
            // Laid out and painted once its tab is chosen.
            EventCounter<wxPaintEvent> painted(page, wxEVT_PAINT);
            book->SetSelection(p);
            ASSERT_TRUE(painted.WaitFor(1));
        }
        wxListCtrl* list = nullptr;
        std::vector<wxButton*> buttons;
        for (wxWindow* child : page->GetChildren()) {
            if (auto* button = dynamic_cast<wxButton*>(child))
                buttons.push_back(button);
            else if (!list)
                list = dynamic_cast<wxListCtrl*>(child);
        }
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(buttons.size(), buttonCounts[p]);
        const int width = page->GetClientSize().GetWidth();
        // The list fills the width above the row, less its 5-pixel border.
        EXPECT_EQ(list->GetRect().GetLeft(), 5);
        EXPECT_EQ(list->GetRect().GetRight(), width - 1 - 5);
        // The buttons below it, side by side in their order, 10 pixels apart
        // (two borders), the last one 5 pixels from the right edge.
        for (size_t b = 0; b < buttons.size(); ++b) {
            SCOPED_TRACE(buttons[b]->GetLabel());
            EXPECT_GT(buttons[b]->GetRect().GetTop(), list->GetRect().GetBottom());
            if (b > 0) {
                EXPECT_EQ(buttons[b]->GetRect().GetLeft(), buttons[b - 1]->GetRect().GetRight() + 1 + 10);
            }
        }
        EXPECT_EQ(buttons.back()->GetRect().GetRight(), width - 1 - 5);
        EXPECT_GT(buttons.front()->GetRect().GetLeft(), 5) << "the row is right-aligned, not filled";
    }
    EXPECT_TRUE(DestroyAndWait(frame));
}

TEST(Startup, SettingsFileLengthsAsTheUserSeesThem)
{
    struct Case {
        size_t size;
        bool message;
        int records;
    };
    const Case cases[] = {{0, false, 0}, {49, true, 0}, {51, true, 0}, {101, true, 0}, {150, false, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes");
        InTempDir cwd;
        const auto bytes = Pattern(c.size);
        WriteBytes(cwd.File("appconfig.txt"), bytes);
        HalvaneFrame* frame = nullptr;
        if (c.message) {
            wxTEST_DIALOG(frame = MakeFrame(), ExpectMessageBox(wxID_OK, "Error Reading Halvane Config File",
                                                                DefaultCaption(), wxOK | wxCENTRE));
        } else {
            frame = MakeFrame();
        }
        ASSERT_NE(frame, nullptr);
        // Start-up went on: the frame is whole.
        EXPECT_EQ(frame->GetNotebook()->GetPageCount(), 4u);
        const AppConfigFile& table = frame->GetAppConfig();
        EXPECT_EQ(table.recordCount, c.records);
        for (int r = 0; r < c.records; ++r)
            EXPECT_TRUE(std::equal(bytes.begin() + r * 50, bytes.begin() + (r + 1) * 50, table.Record(r)))
                << "record " << r << " not in file order";
        EXPECT_TRUE(DestroyAndWait(frame));
    }
}

TEST(Startup, MissingSettingsFileIsSilent)
{
    InTempDir cwd;
    HalvaneFrame* frame = MakeFrame(); // the catch-all hook fails on any message
    EXPECT_EQ(frame->GetAppConfig().recordCount, 0);
    EXPECT_TRUE(DestroyAndWait(frame));
}

TEST(Startup, SplashScreenTexts)
{
    wxSplashScreen* splash = ShowSplashScreen();
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(splash->GetTimeout(), 6000);
    EXPECT_EQ(splash->GetSplashStyle(), wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_TIMEOUT);
    EXPECT_TRUE(splash->GetWindowStyleFlag() & wxSTAY_ON_TOP);
    EXPECT_TRUE(splash->GetWindowStyleFlag() & wxSIMPLE_BORDER);
    const wxBitmap& bmp = splash->GetSplashWindow()->GetBitmap();
    ASSERT_TRUE(bmp.IsOk());
    EXPECT_EQ(bmp.GetWidth(), 250);
    EXPECT_EQ(bmp.GetHeight(), 250);

    std::vector<wxStaticText*> labels;
    for (wxWindow* child : splash->GetSplashWindow()->GetChildren())
        if (auto* label = dynamic_cast<wxStaticText*>(child))
            labels.push_back(label);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0]->GetLabel(), "v0.9.0.1");
    EXPECT_EQ(labels[1]->GetLabel(), "b04/02/12");
    EXPECT_EQ(labels[0]->GetId(), 5006);
    EXPECT_EQ(labels[1]->GetId(), 5006);
    // 15 below the toolkit's default coordinate of -1.
    EXPECT_EQ(labels[1]->GetPosition().y, wxDefaultCoord + 15);
    EXPECT_TRUE(DestroyAndWait(splash));
}

TEST(Startup, ImagesDecodeWithTheirSizesAndGreys)
{
    // The window icon: 16 x 16, transparent corners, 79 greys (grey-scale keys).
    const wxImage icon(icon_xpm);
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(icon.GetWidth(), 16);
    EXPECT_EQ(icon.GetHeight(), 16);
    EXPECT_TRUE(icon.HasMask());
    EXPECT_TRUE(icon.IsTransparent(0, 0));
    EXPECT_EQ(icon.CountColours(), 80u); // 79 greys and the mask colour
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (!icon.IsTransparent(x, y)) {
                EXPECT_EQ(icon.GetRed(x, y), icon.GetGreen(x, y));
                EXPECT_EQ(icon.GetRed(x, y), icon.GetBlue(x, y));
                EXPECT_GE(icon.GetRed(x, y), 0x49);
                EXPECT_LE(icon.GetRed(x, y), 0xED);
            }

    const wxImage splash(splash_xpm);
    ASSERT_TRUE(splash.IsOk());
    EXPECT_EQ(splash.GetWidth(), 250);
    EXPECT_EQ(splash.GetHeight(), 250);
    EXPECT_EQ(wxString(splash_xpm[0]), "250 250 18 1");
    EXPECT_TRUE(splash.IsTransparent(0, 0));

    // Chart export relies on these handlers being registered at start.
    for (auto type : {wxBITMAP_TYPE_BMP, wxBITMAP_TYPE_JPEG, wxBITMAP_TYPE_PNG, wxBITMAP_TYPE_TIFF})
        EXPECT_NE(wxImage::FindHandler(type), nullptr) << type;
}
