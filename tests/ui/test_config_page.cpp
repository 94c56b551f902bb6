// The "Configuration Profile" page as a grower drives it: the list at
// start-up, editing rows in the edit dialog, greying by operation mode,
// "Clear", and "Save" and "Open" with their dialogs, messages and files.
#include "wx_test_util.h"

#include "core/ConfigRows.h"
#include "core/ParameterTable.h"
#include "core/WordHelpers.h"
#include "ui/ConfigPanel.h"
#include "ui/OrvelGUIConfigDialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/listctrl.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <functional>

#include <unistd.h>

// Answers the edit dialog as a user would: act sets its controls, then the
// dialog ends with id. Ending with OK runs the fields' filters first, as the
// "Ok" button does.
template <> class wxExpectModal<OrvelGUIConfigDialog> : public wxExpectModalBase<OrvelGUIConfigDialog> {
public:
    using Action = std::function<void(OrvelGUIConfigDialog&)>;
    explicit wxExpectModal(Action act = {}, int id = wxID_OK) : m_act(std::move(act)), m_id(id) {}

protected:
    int OnInvoked(OrvelGUIConfigDialog* dlg) const override
    {
        if (m_act)
            m_act(*dlg);
        if (m_id == wxID_OK && !(dlg->Validate() && dlg->TransferDataFromWindow())) {
            ADD_FAILURE() << "the dialog's filters refused OK";
            return wxID_CANCEL;
        }
        return m_id;
    }
    wxString GetDefaultDescription() const override { return "parameter edit dialog"; }

private:
    Action m_act;
    int m_id;
};
using ExpectEdit = wxExpectModal<OrvelGUIConfigDialog>;

namespace {

const wxColour kGrey(211, 211, 211);
const wxColour kWhite(255, 255, 255);
const wxColour kRed(255, 0, 0);

// A file dialog of the page: title, filter and style checked, then the path chosen.
ExpectFile ExpectProfileFile(const wxString& title, const wxString& path, int id = wxID_OK,
                             std::function<void()> afterChoosing = {})
{
    const long style = title == "Save Configuration" ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN;
    return ExpectFile(path, id)
        .Titled(title)
        .Filter("Configuration File (*.hvc)|*.hvc")
        .Style(style)
        .Then(std::move(afterChoosing));
}

// A message box whose text must contain every given piece.
class ExpectMessageWith : public wxExpectModalBase<wxMessageDialog, ExpectMessageWith> {
public:
    explicit ExpectMessageWith(std::vector<wxString> pieces) : m_pieces(std::move(pieces)) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        for (const wxString& piece : m_pieces)
            EXPECT_NE(dlg->GetMessage().Find(piece), wxNOT_FOUND)
                << "\"" << dlg->GetMessage().utf8_string() << "\" lacks \"" << piece.utf8_string() << "\"";
        EXPECT_EQ(dlg->GetCaption(), DefaultCaption());
        return wxID_OK;
    }

private:
    std::vector<wxString> m_pieces;
};

class PageTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "config page", wxDefaultPosition, wxSize(800, 900));
        m_page = new ConfigPanel(m_frame, wxID_ANY, wxDefaultPosition, wxSize(446, 319), wxTAB_TRAVERSAL);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(m_page, 1, wxEXPAND);
        m_frame->SetSizer(sizer);
        EventCounter<wxPaintEvent> painted(m_page, wxEVT_PAINT);
        m_frame->Show();
        m_frame->Layout();
        ASSERT_TRUE(painted.WaitFor(1));
        m_list = m_page->GetList();
        ASSERT_NE(m_list, nullptr);
    }
    void TearDown() override
    {
        EXPECT_TRUE(DestroyAndWait(m_frame)); // off the screen the next test reads
    }

    void Activate(int row)
    {
        wxListEvent event(wxEVT_LIST_ITEM_ACTIVATED, m_list->GetId());
        event.SetEventObject(m_list);
        event.SetIndex(row);
        event.m_item.SetId(row);
        m_list->GetEventHandler()->ProcessEvent(event);
    }
    void Click(wxWindowID id)
    {
        auto* button = wxDynamicCast(m_page->FindWindow(id), wxButton);
        ASSERT_NE(button, nullptr) << id;
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(button);
        button->ProcessWindowEvent(event);
    }
    static int Row(uint32_t code) { return RowOfCode(code); }
    wxString Value(uint32_t code) const { return m_list->GetItemText(RowOfCode(code), 1); }
    std::vector<wxString> AllValues() const
    {
        std::vector<wxString> texts;
        for (int r = 0; r < m_list->GetItemCount(); ++r)
            texts.push_back(m_list->GetItemText(r, 0) + " | " + m_list->GetItemText(r, 1));
        return texts;
    }
    bool IsGrey(uint32_t code) const { return m_list->GetItemTextColour(Row(code)) == kGrey; }

    void ChooseMode(int position)
    {
        wxTEST_DIALOG(Activate(Row(1)), ExpectEdit([position](OrvelGUIConfigDialog& d) {
                          ASSERT_TRUE(d.GetModeChoice()->IsShown());
                          d.GetModeChoice()->SetSelection(position);
                      }));
    }
    void EditField1(uint32_t code, const wxString& text)
    {
        wxTEST_DIALOG(Activate(Row(code)),
                      ExpectEdit([text](OrvelGUIConfigDialog& d) { d.GetField(1)->SetValue(text); }));
    }
    void Save(const wxString& path)
    {
        wxTEST_DIALOG(Click(wxID_SAVE), ExpectProfileFile("Save Configuration", path));
    }
    void ExpectInvalidOnSave(int entry)
    {
        wxTEST_DIALOG(Click(wxID_SAVE),
                      ExpectMessageBox(wxID_OK, wxString::Format("Entry Number %d is not valid.", entry),
                                       DefaultCaption(), wxOK | wxCENTRE));
    }
    void Open(const wxString& path)
    {
        wxTEST_DIALOG(Click(wxID_OPEN), ExpectProfileFile("Load Configuration", path));
    }
    // "Open" over unsaved edits: asked first, answered "Discard", then the file.
    void OpenDiscarding(const wxString& path)
    {
        wxTEST_DIALOG(
            Click(wxID_OPEN),
            ExpectMessageBox(wxID_NO, "Save the changes to the configuration profile before opening another?",
                             "Unsaved Changes", wxYES_NO | wxCANCEL),
            ExpectProfileFile("Load Configuration", path));
    }

    wxFrame* m_frame = nullptr;
    ConfigPanel* m_page = nullptr;
    wxListCtrl* m_list = nullptr;
};

} // namespace

TEST_F(PageTest, StartUpShowsEveryRow)
{
    EXPECT_EQ(m_list->GetId(), 5015);
    EXPECT_TRUE(m_list->HasFlag(wxLC_REPORT));
    EXPECT_TRUE(m_list->HasFlag(wxLC_SINGLE_SEL));
    ASSERT_EQ(m_list->GetColumnCount(), 2);
    wxListItem col;
    col.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT | wxLIST_MASK_WIDTH);
    ASSERT_TRUE(m_list->GetColumn(0, col));
    EXPECT_EQ(col.GetText(), "Description");
    EXPECT_EQ(col.GetAlign(), wxLIST_FORMAT_LEFT);
    EXPECT_GE(m_list->GetColumnWidth(0), 400);
    ASSERT_TRUE(m_list->GetColumn(1, col));
    EXPECT_EQ(col.GetText(), "Value");
    EXPECT_EQ(col.GetAlign(), wxLIST_FORMAT_RIGHT);
    EXPECT_GE(m_list->GetColumnWidth(1), 180);

    // The buttons, left to right.
    const std::pair<wxWindowID, const char*> buttons[] = {
        {wxID_SAVE, "Save"}, {wxID_OPEN, "Open"}, {wxID_NEW, "Clear"}};
    int lastX = -1;
    for (const auto& [id, label] : buttons) {
        auto* button = wxDynamicCast(m_page->FindWindow(id), wxButton);
        ASSERT_NE(button, nullptr) << label;
        EXPECT_EQ(button->GetLabel(), label);
        EXPECT_GT(button->GetPosition().x, lastX) << label;
        lastX = button->GetPosition().x;
    }

    const char* expected[] = {
        "OPERATION MODE | ",
        "Operation Mode | Error Operation Mode Not Recognized",
        "ACTUATOR FLOW RATES | ",
        "Actuator 1 Dosage Rate | 0 - 0 - 0 - 0 - 0 - 0",
        "CHANNEL 1 RATIOS | ",
        "EC1 Actuator 1 Dosage Ratio | 0 - 0 - 0 - 0 - 0 - 0",
        "PH1 UP Actuator 1 Dosage Ratio | 0 - 0 - 0 - 0 - 0 - 0",
        "PH1 DO Actuator 1 Dosage Ratio | 0 - 0 - 0 - 0 - 0 - 0",
        "CHANNEL 1 TARGET | ",
        "EC1 Target | 0 uS",
        "PH1 Target | 0.00 ",
        "EC1 Tolerance | 0 uS",
        "PH1 Tolerance | 0.00 ",
        "CHANNEL 1 DOSAGE | ",
        "EC1 Dosage Increment | 0 ml",
        "PH1 Up Dosage Increment | 0 ml",
        "PH1 Down Dosage Increment | 0 ml",
        "CHANNEL 1 DELAYS | ",
        "EC1 Stabilization Delay | 0 samples",
        "PH1 Stabilization Delay | 0 samples",
        "CHANNEL 2 RATIOS | ",
        "EC2 Actuator 1 Dosage Ratio | 0 - 0 - 0 - 0 - 0 - 0",
        "PH2 UP Actuator 1 Dosage Ratio | 0 - 0 - 0 - 0 - 0 - 0",
        "PH2 DO Actuator 1 Dosage Ratio | 0 - 0 - 0 - 0 - 0 - 0",
        "CHANNEL 2 TARGET | ",
        "EC2 Target | 0 uS",
        "PH2 Target | 0.00 ",
        "EC2 Tolerance | 0 uS",
        "PH2 Tolerance | 0.00 ",
        "CHANNEL 2 DOSAGE | ",
        "EC2 Dosage Increment | 0 ml",
        "PH2 Up Dosage Increment | 0 ml",
        "PH2 Down Dosage Increment | 0 ml",
        "CHANNEL 2 DELAYS | ",
        "EC2 Stabilization Delay | 0 samples",
        "PH2 Stabilization Delay | 0 samples",
        "NETWORK SETTINGS | ",
        "Server's Hostname, max 16 characters | ",
        "Server's IP Address to listen on | 0.0.0.0",
        "Server's Default Gateway | 0.0.0.0",
        "Server's Subnet Mask | 0.0.0.0",
        "Server's Primary DNS Server | 0.0.0.0",
        "Server's Secondary DNS Server | 0.0.0.0",
        "Username, max 16 characters | ",
        "Password, max 16 characters | ******",
        "Server's Network Configuration | DHCP Deactivated",
    };
    const auto texts = AllValues();
    ASSERT_EQ(texts.size(), 46u);
    int headers = 0;
    for (size_t r = 0; r < 46; ++r) {
        EXPECT_EQ(texts[r].utf8_string(), expected[r]) << "row " << r;
        const bool header = IsSectionCode(ConfigRowTable[r]);
        headers += header;
        if (header)
            EXPECT_EQ(m_list->GetItemBackgroundColour(static_cast<long>(r)), kGrey) << "row " << r;
        else
            EXPECT_NE(m_list->GetItemBackgroundColour(static_cast<long>(r)), kRed) << "row " << r;
        EXPECT_NE(m_list->GetItemTextColour(static_cast<long>(r)), kGrey)
            << "mode 0 greys nothing, row " << r;
    }
    EXPECT_EQ(headers, 11);

    // Activating a section header does nothing (any dialog would fail the test).
    for (uint32_t header : {0x101u, 0x302u, 0x501u})
        Activate(Row(header));
    EXPECT_EQ(AllValues(), texts);
}

TEST_F(PageTest, OperationModeGreysAndLocksRows)
{
    const auto unused = [](uint32_t code, uint32_t mode) { return IsRowShadedInMode(code, mode); };

    ChooseMode(0);
    EXPECT_EQ(Value(1), "Passive Mode");
    for (uint32_t code : ConfigRowTable) {
        if (IsSectionCode(code))
            continue;
        EXPECT_EQ(IsGrey(code), unused(code, kModePassive)) << code;
    }
    EXPECT_TRUE(IsGrey(3));
    EXPECT_TRUE(IsGrey(9));
    EXPECT_TRUE(IsGrey(67));
    EXPECT_FALSE(IsGrey(1));
    EXPECT_FALSE(IsGrey(80));
    EXPECT_FALSE(IsGrey(98));

    // Greyed rows open no dialog and keep their values.
    const auto before = AllValues();
    for (uint32_t code : {3u, 21u, 46u, 48u, 54u, 64u, 15u, 47u, 67u})
        Activate(Row(code));
    EXPECT_EQ(AllValues(), before);
    // The network rows stay editable.
    wxTEST_DIALOG(Activate(Row(84)), ExpectEdit({}, wxID_CANCEL));

    // A single-channel mode greys channel 2 only.
    ChooseMode(1);
    EXPECT_EQ(Value(1), "Single Channel Single Environment Mode - Channel 1");
    for (uint32_t code : ConfigRowTable) {
        if (!IsSectionCode(code)) {
            EXPECT_EQ(IsGrey(code), unused(code, kModeSingleChannel)) << code;
        }
    }
    EXPECT_TRUE(IsGrey(47));
    EXPECT_TRUE(IsGrey(15));
    EXPECT_FALSE(IsGrey(3));
    EXPECT_FALSE(IsGrey(9));
    EditField1(46, "1200"); // channel 1 is editable again
    EXPECT_EQ(Value(46), "1200 uS");

    // Back to the dual mode: every row is rebuilt with normal text.
    ChooseMode(0);
    ChooseMode(3);
    EXPECT_EQ(Value(1), "Dual Channel Dual Environment Mode");
    for (int r = 0; r < m_list->GetItemCount(); ++r)
        EXPECT_NE(m_list->GetItemTextColour(r), kGrey) << "row " << r;
    EXPECT_EQ(Value(46), "1200 uS") << "the values stay when the mode changes";
    EditField1(67, "25");
    EXPECT_EQ(Value(67), "25 samples");
}

TEST_F(PageTest, FailedSaveMarksTheRowAndALaterSaveClearsIt)
{
    TempDir dir;
    // A fresh profile: its mode is entry 1.
    ExpectInvalidOnSave(1);
    EXPECT_EQ(m_list->GetItemBackgroundColour(Row(1)), kRed);

    ChooseMode(3); // rows rebuilt: the mark is gone
    EXPECT_NE(m_list->GetItemBackgroundColour(Row(1)), kRed);

    // Actuator 4 of the PH2 UP ratios: entry 30, the group's row turns red.
    wxTEST_DIALOG(Activate(Row(27)),
                  ExpectEdit([](OrvelGUIConfigDialog& d) { d.GetField(4)->SetValue("101"); }));
    EXPECT_EQ(Value(27), "0 - 0 - 0 - 101 - 0 - 0");
    ExpectInvalidOnSave(30);
    for (int r = 0; r < m_list->GetItemCount(); ++r) {
        if (IsSectionCode(ConfigRowTable[static_cast<size_t>(r)]))
            EXPECT_EQ(m_list->GetItemBackgroundColour(r), kGrey) << r;
        else
            EXPECT_EQ(m_list->GetItemBackgroundColour(r), r == Row(27) ? kRed : kWhite) << r;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "p.hvc"));

    // A target switches its loop's checks on: EC1 target 1000 reports tolerance 50.
    wxTEST_DIALOG(Activate(Row(27)),
                  ExpectEdit([](OrvelGUIConfigDialog& d) { d.GetField(4)->SetValue("100"); }));
    EXPECT_EQ(m_list->GetItemBackgroundColour(Row(27)), kRed) << "an edit alone does not clear the mark";
    EditField1(46, "1000");
    ExpectInvalidOnSave(50);
    EXPECT_EQ(m_list->GetItemBackgroundColour(Row(50)), kRed);
    EXPECT_EQ(m_list->GetItemBackgroundColour(Row(27)), kWhite);

    EditField1(50, "150");
    EditField1(64, "5");
    const wxString path = dir.File("p.hvc");
    Save(path);
    for (int r = 0; r < m_list->GetItemCount(); ++r)
        EXPECT_NE(m_list->GetItemBackgroundColour(r), kRed) << r;
    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 400u);
    EXPECT_EQ(bytes[4 * 30], 100);
    EXPECT_EQ(bytes[4 * 46] | bytes[4 * 46 + 1] << 8, 1000);

    // A cancelled save dialog writes nothing.
    std::filesystem::remove(std::filesystem::path(path.utf8_string()));
    wxTEST_DIALOG(Click(wxID_SAVE), ExpectProfileFile("Save Configuration", path, wxID_CANCEL));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path.utf8_string())));
}

// What the list shows on screen, in the list's own coordinates.
wxImage ListOnScreen(wxListCtrl* list)
{
    // Frames of earlier tests may still be on top.
    wxGetTopLevelParent(list)->Raise();
    EventCounter<wxPaintEvent> painted(ListRowsWindow(list), wxEVT_PAINT);
    list->Refresh();
    list->Update();
    EXPECT_TRUE(painted.WaitFor(1));
    const wxSize size = list->GetSize();
    const wxPoint origin = list->GetScreenPosition();
    wxBitmap shot(size.x, size.y, 24);
    {
        wxScreenDC screen;
        wxMemoryDC dc(shot);
        dc.Blit(0, 0, size.x, size.y, &screen, origin.x, origin.y);
    }
    return shot.ConvertToImage();
}

// The list's rectangle of row's cell in column, on screen as ListOnScreen takes it.
wxRect CellRect(wxListCtrl* list, int row, int column)
{
    wxRect cell;
    EXPECT_TRUE(list->GetSubItemRect(row, column, cell));
    return cell;
}

// On screen, as a user sees it. (The one screen read of this program: under
// Xvfb a later read may give back the pixels of the first.)
TEST_F(PageTest, FailedSaveShowsTheRedRow)
{
    // A short list: the offending row lies below the rows in view.
    {
        EventCounter<wxPaintEvent> painted(ListRowsWindow(m_list), wxEVT_PAINT);
        m_frame->SetSize(800, 300);
        m_frame->Layout();
        ASSERT_TRUE(painted.WaitFor(1));
    }

    ChooseMode(3);
    // PH2 UP ratios: actuator 4 out of range, the row just edited and selected.
    const int row = Row(27);
    m_list->SetFocus();
    m_list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    wxTEST_DIALOG(Activate(row), ExpectEdit([](OrvelGUIConfigDialog& d) { d.GetField(4)->SetValue("101"); }));
    m_list->EnsureVisible(0);
    ASSERT_TRUE(PumpUntil([&] { return m_list->GetTopItem() == 0; }));
    ExpectInvalidOnSave(30);

    EXPECT_EQ(m_list->GetItemState(row, wxLIST_STATE_SELECTED), 0) << "still selected";
    const wxRect cell = CellRect(m_list, row, 0);
    EXPECT_TRUE(wxRect(m_list->GetClientSize()).Contains(cell)) << "not scrolled into view";
    // The screen catches up with the list within a few paints.
    int red = 0;
    PumpUntil(
        [&] {
            const wxImage screen = ListOnScreen(m_list);
            red = 0;
            for (int y = std::max(0, cell.y); y <= std::min(screen.GetHeight() - 1, cell.GetBottom()); ++y)
                for (int x = std::max(0, cell.x); x <= std::min(screen.GetWidth() - 1, cell.GetRight()); ++x)
                    red +=
                        screen.GetRed(x, y) == 255 && screen.GetGreen(x, y) == 0 && screen.GetBlue(x, y) == 0;
            return red > cell.width * cell.height / 2;
        },
        4000);
    EXPECT_GT(red, cell.width * cell.height / 2) << "the row does not show red";
}

TEST_F(PageTest, LongestValuesReadWhole)
{
    // The longest mode name, and a group of six five-digit numbers.
    ChooseMode(1); // "Single Channel Single Environment Mode - Channel 1"
    wxTEST_DIALOG(Activate(Row(3)), ExpectEdit([](OrvelGUIConfigDialog& d) {
                      for (int k = 1; k <= 6; ++k)
                          d.GetField(k)->SetValue("65000");
                  }));
    EXPECT_EQ(Value(3), "65000 - 65000 - 65000 - 65000 - 65000 - 65000");
    for (uint32_t code : {1u, 3u}) {
        // The list draws a cell's text 4 pixels in from either edge of its
        // column and cuts what does not fit between them.
        const wxRect cell = CellRect(m_list, Row(code), 1);
        EXPECT_GE(cell.width, m_list->GetTextExtent(Value(code)).x + 8) << Value(code).utf8_string();
        EXPECT_GE(cell.x, m_list->GetColumnWidth(0) - 1);
    }
}

TEST_F(PageTest, WidthsTheUserSetLastThroughRebuilds)
{
    TempDir dir;
    const int description = m_list->GetColumnWidth(0) + 30;
    const int value = m_list->GetColumnWidth(1) + 70;
    m_list->SetColumnWidth(0, description); // as dragging the header's dividers does
    m_list->SetColumnWidth(1, value);

    const auto widthsKept = [&](const char* after) {
        EXPECT_EQ(m_list->GetColumnWidth(0), description) << after;
        EXPECT_EQ(m_list->GetColumnWidth(1), value) << after;
    };
    ChooseMode(2);
    widthsKept("a mode change");
    const wxString path = dir.File("p.hvc");
    WriteBytes(path, std::vector<unsigned char>(400, 0));
    OpenDiscarding(path);
    widthsKept("Open");
    wxTEST_DIALOG(Click(wxID_NEW), ExpectMessageBox(wxID_YES, "Are you sure?", "Delete All Entries"));
    widthsKept("Clear");
    // Narrower than fitted is the user's choice too.
    m_list->SetColumnWidth(1, 120);
    ChooseMode(3);
    EXPECT_EQ(m_list->GetColumnWidth(1), 120);
}

TEST_F(PageTest, EditDialogCentredOnThePageAndNoWiderThanItNeeds)
{
    for (uint32_t code : {1u, 86u, 94u}) {
        wxTEST_DIALOG(
            Activate(Row(code)),
            ExpectEdit(
                [this, code](OrvelGUIConfigDialog& d) {
                    const wxRect dialog = d.GetScreenRect();
                    const wxRect page = m_page->GetScreenRect();
                    EXPECT_NEAR(dialog.GetX() + dialog.GetWidth() / 2, page.GetX() + page.GetWidth() / 2, 2)
                        << code;
                    EXPECT_NEAR(dialog.GetY() + dialog.GetHeight() / 2, page.GetY() + page.GetHeight() / 2, 2)
                        << code;
                    EXPECT_TRUE(wxGetClientDisplayRect().Contains(dialog)) << code;
                    EXPECT_LE(dialog.GetWidth(), std::max(620, d.GetBestSize().x)) << code;
                },
                wxID_CANCEL));
    }
}

TEST_F(PageTest, ClearAsksFirst)
{
    ChooseMode(0);
    EditField1(80, "tent7");
    const auto edited = AllValues();

    wxTEST_DIALOG(Click(wxID_NEW), ExpectMessageBox(wxID_NO, "Are you sure?", "Delete All Entries",
                                                    wxYES_NO | wxICON_QUESTION));
    EXPECT_EQ(AllValues(), edited);
    EXPECT_TRUE(IsGrey(3));

    wxTEST_DIALOG(Click(wxID_NEW), ExpectMessageBox(wxID_YES, "Are you sure?", "Delete All Entries",
                                                    wxYES_NO | wxICON_QUESTION));
    EXPECT_EQ(Value(1), "Error Operation Mode Not Recognized");
    EXPECT_EQ(Value(80), "");
    EXPECT_EQ(Value(3), "0 - 0 - 0 - 0 - 0 - 0");
    for (int r = 0; r < m_list->GetItemCount(); ++r)
        EXPECT_NE(m_list->GetItemTextColour(r), kGrey) << r;
    EXPECT_EQ(m_page->GetProfile(), NodeConfig{});
}

TEST_F(PageTest, CancelledEditChangesNothing)
{
    ChooseMode(3);
    const auto before = AllValues();
    const NodeConfig profile = m_page->GetProfile();
    wxTEST_DIALOG(
        Activate(Row(1)),
        ExpectEdit([](OrvelGUIConfigDialog& d) { d.GetModeChoice()->SetSelection(0); }, wxID_CANCEL));
    wxTEST_DIALOG(Activate(Row(9)), ExpectEdit(
                                        [](OrvelGUIConfigDialog& d) {
                                            for (int k = 1; k <= 6; ++k)
                                                d.GetField(k)->SetValue("55");
                                        },
                                        wxID_CANCEL));
    wxTEST_DIALOG(Activate(Row(94)), ExpectEdit(
                                         [](OrvelGUIConfigDialog& d) {
                                             d.GetField(1)->SetValue("someone");
                                             d.GetField(3)->SetValue("secret");
                                         },
                                         wxID_CANCEL));
    wxTEST_DIALOG(
        Activate(Row(98)),
        ExpectEdit([](OrvelGUIConfigDialog& d) { d.GetDhcpCheckBox()->SetValue(true); }, wxID_CANCEL));
    EXPECT_EQ(AllValues(), before);
    EXPECT_EQ(m_page->GetProfile(), profile);
    EXPECT_FALSE(IsGrey(3)) << "a cancelled mode change greys nothing";
}

TEST_F(PageTest, NetworkEditsAsStoredForTheCard)
{
    TempDir dir;
    ChooseMode(3);

    // The password row edits both fields and still reads "******".
    wxTEST_DIALOG(Activate(Row(94)), ExpectEdit([](OrvelGUIConfigDialog& d) {
                      EXPECT_TRUE(d.GetField(3)->HasFlag(wxTE_PASSWORD));
                      d.GetField(1)->SetValue("abc");
                      d.GetField(3)->SetValue("pw12");
                  }));
    EXPECT_EQ(Value(90), "abc             ");
    EXPECT_EQ(Value(94), "******");
    // The username row opens the same editor with both stored values; OK
    // without a change keeps them.
    wxTEST_DIALOG(Activate(Row(90)), ExpectEdit([](OrvelGUIConfigDialog& d) {
                      EXPECT_EQ(d.GetField(1)->GetValue(), "abc");
                      EXPECT_EQ(d.GetField(3)->GetValue(), "pw12");
                  }));

    // The hostname opens with its stored name: OK without a change keeps it.
    EditField1(80, "tent7");
    wxTEST_DIALOG(Activate(Row(80)),
                  ExpectEdit([](OrvelGUIConfigDialog& d) { EXPECT_EQ(d.GetField(1)->GetValue(), "tent7"); }));
    EXPECT_EQ(Value(80), "tent7");

    // An octet of 300 is stored as 44.
    wxTEST_DIALOG(Activate(Row(86)), ExpectEdit([](OrvelGUIConfigDialog& d) {
                      const char* octets[] = {"300", "168", "1", "1"};
                      for (int j = 0; j < 4; ++j)
                          d.GetOctetField(j)->SetValue(octets[j]);
                  }));
    EXPECT_EQ(Value(86), "44.168.1.1");
    wxTEST_DIALOG(Activate(Row(98)),
                  ExpectEdit([](OrvelGUIConfigDialog& d) { d.GetDhcpCheckBox()->SetValue(true); }));
    EXPECT_EQ(Value(98), "DHCP Activated");

    const wxString path = dir.File("net.hvc");
    Save(path);
    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 400u);
    EXPECT_EQ(std::string(bytes.begin() + 320, bytes.begin() + 336),
              std::string("tent7") + std::string(11, '\0'));
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 344, bytes.begin() + 348),
              (std::vector<unsigned char>{44, 168, 1, 1}));
    EXPECT_EQ(std::string(bytes.begin() + 360, bytes.begin() + 376), "abc             ");
    EXPECT_EQ(std::string(bytes.begin() + 376, bytes.begin() + 392), "pw12            ");
    EXPECT_EQ(bytes[4 * 98], 1);
}

TEST_F(PageTest, ProfileMadeHereOpensAgainAsItWas)
{
    TempDir dir;
    ChooseMode(1);
    wxTEST_DIALOG(Activate(Row(3)), ExpectEdit([](OrvelGUIConfigDialog& d) {
                      for (int k = 1; k <= 6; ++k)
                          d.GetField(k)->SetValue(wxString::Format("%d", 100 * k));
                  }));
    wxTEST_DIALOG(Activate(Row(21)),
                  ExpectEdit([](OrvelGUIConfigDialog& d) { d.GetField(1)->SetValue("10"); }));
    EditField1(46, "1500");
    EditField1(48, "6.5");
    EditField1(50, "100");
    EditField1(52, "0.2");
    EditField1(54, "30");
    EditField1(56, "5");
    EditField1(58, "5");
    EditField1(64, "12");
    EditField1(66, "8");
    EditField1(80, "tent7");
    EXPECT_EQ(Value(48), "6.50 ");
    EXPECT_EQ(Value(3), "100 - 200 - 300 - 400 - 500 - 600");
    wxTEST_DIALOG(Activate(Row(48)),
                  ExpectEdit([](OrvelGUIConfigDialog& d) { EXPECT_EQ(d.GetField(1)->GetValue(), "6.50"); },
                             wxID_CANCEL));
    const auto made = AllValues();
    const NodeConfig profile = m_page->GetProfile();

    const wxString path = dir.File("made.hvc");
    Save(path);
    ASSERT_EQ(ReadBytes(path).size(), 400u);

    wxTEST_DIALOG(Click(wxID_NEW), ExpectMessageBox(wxID_YES, "Are you sure?", "Delete All Entries"));
    ASSERT_NE(AllValues(), made);
    OpenDiscarding(path);
    EXPECT_EQ(AllValues(), made);
    EXPECT_EQ(m_page->GetProfile(), profile);
    EXPECT_TRUE(IsGrey(47)) << "the opened profile's mode greys its rows";

    // Saved again unchanged: the same bytes.
    const wxString again = dir.File("again.hvc");
    Save(again);
    EXPECT_EQ(ReadBytes(again), ReadBytes(path));

    // A cancelled open changes nothing.
    wxTEST_DIALOG(Click(wxID_OPEN), ExpectProfileFile("Load Configuration", path, wxID_CANCEL));
    EXPECT_EQ(AllValues(), made);
}

TEST_F(PageTest, OpenChecksTheLength)
{
    TempDir dir;
    ChooseMode(3);
    EditField1(46, "777");
    const auto before = AllValues();

    // 401 bytes: refused, the profile stays; the rows are rebuilt from it.
    std::vector<unsigned char> bytes(401, 0);
    WriteBytes(dir.File("odd.hvc"), bytes);
    ExpectInvalidOnSave(50); // leaves a red mark for the rebuild to clear
    wxTEST_DIALOG(
        Click(wxID_OPEN),
        ExpectMessageBox(wxID_NO, "Save the changes to the configuration profile before opening another?",
                         "Unsaved Changes"),
        ExpectProfileFile("Load Configuration", dir.File("odd.hvc")),
        ExpectMessageBox(wxID_OK, "Error reading node config file", DefaultCaption(), wxOK | wxCENTRE));
    EXPECT_EQ(AllValues(), before);
    EXPECT_NE(m_list->GetItemBackgroundColour(Row(50)), kRed);

    // 404 bytes: the first 400 are the profile.
    bytes.assign(404, 0);
    bytes[4 * 1] = 0x01;
    bytes[4 * 1 + 1] = 0x01; // Passive Mode
    bytes[4 * 3] = 42;
    bytes[400] = 0xFF;
    WriteBytes(dir.File("long.hvc"), bytes);
    OpenDiscarding(dir.File("long.hvc")); // the refused file left the edits unsaved
    EXPECT_EQ(Value(1), "Passive Mode");
    EXPECT_EQ(Value(3), "42 - 0 - 0 - 0 - 0 - 0");
    EXPECT_EQ(Value(46), "0 uS");
    EXPECT_TRUE(IsGrey(3));

    // A short file: its words, zeros after them.
    bytes.assign(8, 0);
    bytes[4] = 0x01;
    bytes[5] = 0x04; // Dual Channel Dual Environment Mode
    WriteBytes(dir.File("short.hvc"), bytes);
    Open(dir.File("short.hvc"));
    EXPECT_EQ(Value(1), "Dual Channel Dual Environment Mode");
    EXPECT_EQ(Value(3), "0 - 0 - 0 - 0 - 0 - 0");
    EXPECT_FALSE(IsGrey(3));
}

TEST_F(PageTest, SaveThatCannotBeWrittenSaysWhereAndWhy)
{
    TempDir dir;
    ChooseMode(3);
    const wxString good = dir.File("good.hvc");
    Save(good);
    const auto old = ReadBytes(good);
    ASSERT_EQ(old.size(), 400u);

    EditField1(80, "tent9");
    // Into a folder that is gone by the time the file is written (a file
    // dialog cannot choose a folder that does not exist).
    std::filesystem::create_directory(dir.Path() / "gone");
    const wxString missing = dir.File("gone/p.hvc");
    wxTEST_DIALOG(Click(wxID_SAVE),
                  ExpectProfileFile("Save Configuration", missing, wxID_OK,
                                    [&] { std::filesystem::remove(dir.Path() / "gone"); }),
                  ExpectMessageWith({missing, "No such file or directory"}));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "gone"));

    // Onto the old profile when no file can be made beside it: as root
    // (which writes anywhere) the full file system case is in the core tests.
    if (geteuid() != 0) {
        std::filesystem::permissions(dir.Path(),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        wxTEST_DIALOG(Click(wxID_SAVE), ExpectProfileFile("Save Configuration", good),
                      ExpectMessageWith({good, "Permission denied"}));
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(ReadBytes(good), old);
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        files.push_back(e.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"good.hvc"}) << "no temporary file left behind";
}

TEST_F(PageTest, EnterOnARowOpensItsEditor)
{
    m_list->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == m_list; }));
    m_list->SetItemState(Row(46), wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    bool opened = false;
    wxUIActionSimulator sim;
    wxTEST_DIALOG(
        {
            sim.Char(WXK_RETURN);
            PumpUntil([&] { return opened; }, 3000);
        },
        ExpectEdit([&](OrvelGUIConfigDialog& d) {
            opened = true;
            EXPECT_EQ(d.GetIndex(), 46);
            d.GetField(1)->SetValue("2500");
        }));
    EXPECT_EQ(Value(46), "2500 uS");
}

// Keys only, as a keyboard user saves a profile that fails: Tab to "Save",
// Space, Return on the message, Shift+Tab back to the list, Return.
TEST_F(PageTest, KeysOnlyAfterAFailedSaveOpenTheInvalidEntry)
{
    EditField1(46, "1000"); // the EC 1 target: the row is selected, as after a click
    m_list->SetItemState(Row(46), wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                         wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_list->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == m_list; }, 2000));
    wxWindow* save = m_page->FindWindow(wxID_SAVE);
    wxUIActionSimulator sim;
    bool opened = false;
    wxTEST_DIALOG(
        {
            sim.Char(WXK_TAB);
            ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == save; }, 3000)) << "Tab to Save";
            sim.Char(' ');
            ASSERT_TRUE(PumpUntil([&] { return m_list->GetItemBackgroundColour(Row(1)) == kRed; }, 3000))
                << "Space presses Save";
            sim.Char(WXK_TAB, wxMOD_SHIFT);
            ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == m_list; }, 3000))
                << "back to the list";
            // A fresh profile's first invalid entry is its mode, entry 1.
            EXPECT_EQ(m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED), Row(1));
            EXPECT_EQ(m_list->GetItemState(Row(1), wxLIST_STATE_SELECTED), 0)
                << "the selection hides the red";
            EXPECT_EQ(m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), -1);
            sim.Char(WXK_RETURN);
            PumpUntil([&] { return opened; }, 3000);
        },
        ExpectMessageBox(wxID_OK, "Entry Number 1 is not valid.", DefaultCaption(), wxOK | wxCENTRE),
        ExpectEdit([&](OrvelGUIConfigDialog& d) {
            opened = true;
            EXPECT_EQ(d.GetIndex(), 1);
            EXPECT_EQ(m_list->GetItemBackgroundColour(Row(1)), kRed) << "the row shows red while edited";
            d.GetModeChoice()->SetSelection(3);
        }));
    EXPECT_TRUE(opened) << "Return opens the invalid entry's dialog";
    EXPECT_NE(m_list->GetItemBackgroundColour(Row(1)), kRed) << "the rows were rebuilt for the new mode";

    // A double click opens it too.
    ExpectInvalidOnSave(50); // the EC 1 tolerance, now checked
    ASSERT_EQ(m_list->GetItemBackgroundColour(Row(50)), kRed);
    m_list->EnsureVisible(Row(50));
    PumpUntilIdle();
    const wxRect cell = CellRect(m_list, Row(50), 0);
    opened = false;
    wxTEST_DIALOG(
        {
            MovePointerTo(sim, ListRowsWindow(m_list),
                          ListRowsWindow(m_list)->ScreenToClient(m_list->ClientToScreen(
                              wxPoint(cell.x + cell.width / 2, cell.y + cell.height / 2))),
                          false);
            sim.MouseDblClick();
            PumpUntil([&] { return opened; }, 3000);
        },
        ExpectEdit(
            [&](OrvelGUIConfigDialog& d) {
                opened = true;
                EXPECT_EQ(d.GetIndex(), 50);
            },
            wxID_CANCEL));
    EXPECT_TRUE(opened) << "a double click opens the invalid entry's dialog";
}
