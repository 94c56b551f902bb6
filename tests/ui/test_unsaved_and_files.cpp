// The main window keeps a grower's unsaved work: closing it, and "Open" on
// an edited profile, ask first. Files handed to it (on the command line, by
// a drop) open on their own pages.
#include "test_log_records.h"
#include "test_schedule_util.h"

#include "core/ConfigRows.h"
#include "core/Version.h"
#include "ui/ConfigPanel.h"
#include "ui/GrowActions.h"
#include "ui/GrowChartViewFrame.h"
#include "ui/HalvaneFrame.h"
#include "ui/LogPanel.h"
#include "ui/OrvelGUIConfigDialog.h"
#include "ui/SchedulePanel.h"

#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/weakref.h>

#include <filesystem>

// Answers the parameter edit dialog: act sets its fields, then OK.
template <> class wxExpectModal<OrvelGUIConfigDialog> : public wxExpectModalBase<OrvelGUIConfigDialog> {
public:
    using Action = std::function<void(OrvelGUIConfigDialog&)>;
    explicit wxExpectModal(Action act) : m_act(std::move(act)) {}

protected:
    int OnInvoked(OrvelGUIConfigDialog* dlg) const override
    {
        m_act(*dlg);
        if (!(dlg->Validate() && dlg->TransferDataFromWindow())) {
            ADD_FAILURE() << "the dialog's filters refused OK";
            return wxID_CANCEL;
        }
        return wxID_OK;
    }

private:
    Action m_act;
};

namespace {

const wxString kCaption = "Unsaved Changes";
const wxString kCloseProfile = "Save the changes to the configuration profile before closing?";
const wxString kCloseSchedule = "Save the changes to the schedule before closing?";
const wxString kCloseBoth = "Save the changes to the configuration profile and the schedule before closing?";
const wxString kOpenProfile = "Save the changes to the configuration profile before opening another?";

// The unsaved-changes question: its text, caption and its three buttons.
class ExpectUnsaved : public wxExpectModalBase<wxMessageDialog, ExpectUnsaved> {
public:
    ExpectUnsaved(int answer, wxString message) : m_answer(answer), m_message(std::move(message)) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_EQ(dlg->GetMessage().utf8_string(), m_message.utf8_string());
        EXPECT_EQ(dlg->GetCaption(), kCaption);
        EXPECT_EQ(dlg->GetMessageDialogStyle() & (wxYES_NO | wxCANCEL), wxYES_NO | wxCANCEL);
        EXPECT_EQ(dlg->GetYesLabel(), "Save");
        EXPECT_EQ(dlg->GetNoLabel(), "Discard");
        EXPECT_EQ(dlg->GetCancelLabel(), "Cancel");
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "unsaved changes \"" + m_message + "\""; }

private:
    int m_answer;
    wxString m_message;
};

// The schedule's failed save: a message naming the file, caption "Error".
class ExpectErrorNaming : public wxExpectModalBase<wxMessageDialog, ExpectErrorNaming> {
public:
    explicit ExpectErrorNaming(wxString path) : m_path(std::move(path)) {}

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_NE(dlg->GetMessage().Find(m_path), wxNOT_FOUND) << dlg->GetMessage().utf8_string();
        EXPECT_EQ(dlg->GetCaption(), "Error");
        return wxID_OK;
    }

private:
    wxString m_path;
};

// The main window in a folder of its own (no appconfig.txt), shown; gone at
// scope end if the test has not closed it.
class MainWindow {
public:
    MainWindow() : m_old(wxGetCwd())
    {
        wxSetWorkingDirectory(wxString::FromUTF8(m_dir.Path().string()));
        m_frame = new HalvaneFrame(nullptr, wxID_ANY, GetClientTitle(), wxDefaultPosition, wxSize(640, 480),
                                   wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL);
        ShowAndWaitForPaint(m_frame, m_frame->GetNotebook()->GetPage(0));
    }
    ~MainWindow()
    {
        if (m_frame)
            DestroyAndWait(m_frame);
        PumpUntilIdle();
        wxSetWorkingDirectory(m_old);
    }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HalvaneFrame* frame() const { return m_frame; }
    const TempDir& dir() const { return m_dir; }
    bool Gone()
    {
        return PumpUntil([this] { return !m_frame; }, 3000);
    }
    int Page() const { return m_frame->GetNotebook()->GetSelection(); }
    ConfigPanel* profile() const { return PageAt<ConfigPanel>(0); }
    SchedulePanel* schedule() const { return PageAt<SchedulePanel>(1); }
    LogPanel* log() const { return PageAt<LogPanel>(2); }
    wxString ProfileValue(uint32_t code) const
    {
        return profile()->GetList()->GetItemText(RowOfCode(code), 1);
    }

    void Click(wxWindow* page, int id) const
    {
        wxWindow* button = page->FindWindow(id);
        ASSERT_NE(button, nullptr) << id;
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(button);
        button->HandleWindowEvent(event);
    }
    // Activates the profile row of code and types text into the dialog's first field.
    void EditProfile(uint32_t code, const wxString& text) const
    {
        wxListCtrl* list = profile()->GetList();
        wxListEvent event(wxEVT_LIST_ITEM_ACTIVATED, list->GetId());
        event.SetEventObject(list);
        event.SetIndex(RowOfCode(code));
        wxTEST_DIALOG(list->GetEventHandler()->ProcessEvent(event),
                      wxExpectModal<OrvelGUIConfigDialog>(
                          [text](OrvelGUIConfigDialog& d) { d.GetField(1)->SetValue(text); }));
    }
    void AddScheduleDays(const wxString& days) const
    {
        wxTEST_DIALOG(Click(schedule(), wxID_NEW),
                      wxExpectModal<NewScheduleEntryDialog>(EntryInput().Days(days).Ec("1500")));
    }
    // Files dropped on the window, as the toolkit reports them (the event
    // owns its array of names).
    void Drop(const std::vector<wxString>& paths) const
    {
        auto* files = new wxString[paths.size()];
        std::copy(paths.begin(), paths.end(), files);
        wxDropFilesEvent drop(wxEVT_DROP_FILES, static_cast<int>(paths.size()), files);
        m_frame->HandleWindowEvent(drop);
    }

private:
    template <class T> T* PageAt(size_t page) const
    {
        return dynamic_cast<T*>(m_frame->GetNotebook()->GetPage(page));
    }

    TempDir m_dir;
    wxString m_old;
    wxWeakRef<HalvaneFrame> m_frame;
};

// A profile file of 400 bytes with the EC1 target (slot 46) set.
wxString WriteProfile(const TempDir& dir, const std::string& name, uint32_t ecTarget)
{
    std::vector<unsigned char> bytes(400, 0);
    for (int b = 0; b < 4; ++b)
        bytes[4 * 46 + static_cast<size_t>(b)] = static_cast<unsigned char>(ecTarget >> (8 * b));
    const wxString path = dir.File(name.c_str());
    WriteBytes(path, bytes);
    return path;
}

wxString WriteSchedule(const TempDir& dir, const std::string& name, size_t entries)
{
    const wxString path = dir.File(name.c_str());
    WriteBytes(path, std::vector<unsigned char>(88 * entries, 0));
    return path;
}

wxArrayString Paths(std::initializer_list<wxString> paths)
{
    wxArrayString array;
    for (const wxString& path : paths)
        array.Add(path);
    return array;
}

} // namespace

TEST(UnsavedWork, ClosingOverAnEditedProfileAsks)
{
    MainWindow w;
    w.EditProfile(46, "1000");
    ASSERT_EQ(w.ProfileValue(46), "1000 uS");

    // "Cancel": the window stays with the edit.
    wxTEST_DIALOG(EXPECT_FALSE(w.frame()->Close()), ExpectUnsaved(wxID_CANCEL, kCloseProfile));
    ASSERT_TRUE(w.frame());
    EXPECT_TRUE(w.frame()->IsShown());
    EXPECT_EQ(w.ProfileValue(46), "1000 uS");

    // "Save" of a profile that does not validate: the page's own message and
    // red row, and the window stays.
    w.frame()->GetNotebook()->SetSelection(2);
    wxTEST_DIALOG(EXPECT_FALSE(w.frame()->Close()), ExpectUnsaved(wxID_YES, kCloseProfile),
                  ExpectMessageBox(wxID_OK, "Entry Number 1 is not valid.", DefaultCaption()));
    ASSERT_TRUE(w.frame());
    EXPECT_EQ(w.Page(), 0) << "the profile's page is shown with its message";
    EXPECT_EQ(w.profile()->GetList()->GetItemBackgroundColour(RowOfCode(1)), wxColour(255, 0, 0));
    EXPECT_EQ(w.ProfileValue(46), "1000 uS");

    // "Discard" closes.
    wxTEST_DIALOG(EXPECT_TRUE(w.frame()->Close()), ExpectUnsaved(wxID_NO, kCloseProfile));
    EXPECT_TRUE(w.Gone());
}

TEST(UnsavedWork, ScheduleAsksUntilSavedAs)
{
    MainWindow w;
    EXPECT_FALSE(w.schedule()->IsModified());
    w.AddScheduleDays("3");
    ASSERT_EQ(w.schedule()->GetList()->GetItemCount(), 3);

    wxTEST_DIALOG(EXPECT_FALSE(w.frame()->Close()), ExpectUnsaved(wxID_CANCEL, kCloseSchedule));
    ASSERT_TRUE(w.frame());
    EXPECT_EQ(w.schedule()->GetList()->GetItemCount(), 3);

    // A save that fails (the card's folder gone once the file was chosen)
    // leaves the schedule unsaved.
    const std::filesystem::path card = w.dir().Path() / "card";
    std::filesystem::create_directory(card);
    const wxString lost = w.dir().File("card/season.hvs");
    wxTEST_DIALOG(w.Click(w.schedule(), wxID_SAVE),
                  ExpectFile(lost).Then([card] { std::filesystem::remove_all(card); }),
                  ExpectErrorNaming(lost));
    wxTEST_DIALOG(EXPECT_FALSE(w.frame()->Close()), ExpectUnsaved(wxID_CANCEL, kCloseSchedule));

    const wxString path = w.dir().File("season.hvs");
    wxTEST_DIALOG(w.Click(w.schedule(), wxID_SAVE), ExpectFile(path));
    EXPECT_EQ(ReadBytes(path).size(), 3u * 88u);

    // Saved: closing asks nothing (an unexpected question fails the test).
    EXPECT_TRUE(w.frame()->Close());
    EXPECT_TRUE(w.Gone());
}

TEST(UnsavedWork, SaveFromTheQuestionClosesOnlyWhenEverythingSaved)
{
    MainWindow w;
    w.EditProfile(46, "1000");
    w.AddScheduleDays("2");
    // The profile does not validate: its message, no schedule save, no close.
    wxTEST_DIALOG(EXPECT_FALSE(w.frame()->Close()), ExpectUnsaved(wxID_YES, kCloseBoth),
                  ExpectMessageBox(wxID_OK, "Entry Number 1 is not valid.", DefaultCaption()));
    ASSERT_TRUE(w.frame());

    // With the profile as opened, only the schedule is unsaved; "Save" runs
    // its "Save As" and then the window closes.
    const wxString profile = WriteProfile(w.dir(), "p.hvc", 900);
    wxTEST_DIALOG(w.Click(w.profile(), wxID_OPEN), ExpectUnsaved(wxID_NO, kOpenProfile), ExpectFile(profile));
    EXPECT_EQ(w.ProfileValue(46), "900 uS");
    const wxString path = w.dir().File("two.hvs");
    wxTEST_DIALOG(EXPECT_TRUE(w.frame()->Close()), ExpectUnsaved(wxID_YES, kCloseSchedule), ExpectFile(path));
    EXPECT_TRUE(w.Gone());
    EXPECT_EQ(ReadBytes(path).size(), 2u * 88u);
}

TEST(UnsavedWork, OpenOverAnEditedProfileAsksFirst)
{
    MainWindow w;
    const wxString path = WriteProfile(w.dir(), "p.hvc", 900);
    w.EditProfile(46, "1000");

    // "Cancel": no file dialog, the edit stays.
    wxTEST_DIALOG(w.Click(w.profile(), wxID_OPEN), ExpectUnsaved(wxID_CANCEL, kOpenProfile));
    EXPECT_EQ(w.ProfileValue(46), "1000 uS");

    // "Discard", then the file: the opened profile is shown and is not
    // unsaved, so a second "Open" goes straight to its dialog.
    wxTEST_DIALOG(w.Click(w.profile(), wxID_OPEN), ExpectUnsaved(wxID_NO, kOpenProfile), ExpectFile(path));
    EXPECT_EQ(w.ProfileValue(46), "900 uS");
    wxTEST_DIALOG(w.Click(w.profile(), wxID_OPEN), ExpectFile(path, wxID_CANCEL));

    // An edit made back to what was opened is nothing unsaved.
    w.EditProfile(46, "1000");
    w.EditProfile(46, "900");
    EXPECT_TRUE(w.frame()->Close());
    EXPECT_TRUE(w.Gone());
}

TEST(FilesFromOutside, OpenOnTheirPagesInOrder)
{
    MainWindow w;
    const wxString log = WriteLogFile(w.dir(), "reservoir.hvl", HourlyLog(5));
    const wxString schedule = WriteSchedule(w.dir(), "season.hvs", 3);
    // The schedule's "Open" tells the count it read.
    wxTEST_DIALOG(w.frame()->OpenFiles(Paths({log, schedule})),
                  ExpectMessageBox(wxID_OK, "3", DefaultCaption()));
    EXPECT_EQ(w.log()->GetList()->GetItemCount(), 5);
    EXPECT_EQ(w.log()->GetLogName(), "reservoir.hvl");
    EXPECT_EQ(w.schedule()->GetList()->GetItemCount(), 3);
    EXPECT_EQ(w.Page(), 1) << "the page of the last file";

    // A second schedule over the first asks the schedule's own question.
    const wxString other = WriteSchedule(w.dir(), "OTHER.HVS", 2);
    wxTEST_DIALOG(w.frame()->OpenFiles(Paths({other})), ExpectMessageBox(wxID_OK, "2", DefaultCaption()),
                  ExpectMessageBox(wxID_NO, "Are you sure?", "Delete All Entries"));
    EXPECT_EQ(w.schedule()->GetList()->GetItemCount(), 3);

    // What was opened is nothing unsaved.
    EXPECT_TRUE(w.frame()->Close());
    EXPECT_TRUE(w.Gone());
}

TEST(FilesFromOutside, MissingForeignAndRefusedFilesAreNamed)
{
    MainWindow w;
    const wxString missing = w.dir().File("gone.hvl");
    const wxString foreign = w.dir().File("notes.txt");
    WriteBytes(foreign, {'h', 'i'});
    const wxString refused = w.dir().File("short.hvl");
    WriteBytes(refused, std::vector<unsigned char>(7, 1));
    const wxString profile = WriteProfile(w.dir(), "p.hvc", 700);
    wxTEST_DIALOG(
        w.frame()->OpenFiles(Paths({missing, foreign, refused, profile})),
        ExpectMessageBox(wxID_OK, "The file \"" + missing + "\" was not found.", DefaultCaption()),
        ExpectMessageBox(
            wxID_OK,
            "\"" + foreign +
                "\" is not a configuration file (*.hvc), a schedule file (*.hvs) or a log file (*.hvl).",
            DefaultCaption()),
        ExpectMessageBox(wxID_OK, "Error reading node log file", DefaultCaption()));
    EXPECT_EQ(w.log()->GetList()->GetItemCount(), 0);
    EXPECT_EQ(w.ProfileValue(46), "700 uS");
    EXPECT_EQ(w.Page(), 0);
}

TEST(FilesFromOutside, DroppedFilesOpenAfterTheUnsavedQuestion)
{
    MainWindow w;
    const wxString profile = WriteProfile(w.dir(), "p.hvc", 700);
    const wxString log = WriteLogFile(w.dir(), "reservoir.hvl", HourlyLog(4));
    w.EditProfile(46, "1000");

    // "Cancel" keeps the edited profile; the log still opens.
    wxTEST_DIALOG(
        {
            w.Drop({profile, log});
            EXPECT_TRUE(PumpUntil([&] { return w.log()->GetList()->GetItemCount() == 4; }));
        },
        ExpectUnsaved(wxID_CANCEL, kOpenProfile));
    EXPECT_EQ(w.ProfileValue(46), "1000 uS");
    EXPECT_EQ(w.Page(), 2);

    wxTEST_DIALOG(
        {
            w.Drop({profile});
            EXPECT_TRUE(PumpUntil([&] { return w.ProfileValue(46) == "700 uS"; }));
        },
        ExpectUnsaved(wxID_NO, kOpenProfile));
    EXPECT_EQ(w.Page(), 0);
    EXPECT_TRUE(w.frame()->Close());
    EXPECT_TRUE(w.Gone());
}

TEST(UnsavedWork, ClosingOverAGrowWithUnsavedNotesAsks)
{
    MainWindow w;
    Grow grow;
    grow.name = "Basil";
    grow.logs = {WriteLogFile(w.dir(), "basil.hvl", HourlyLog(3))};
    const wxString path = w.dir().File("basil.hvg");
    ASSERT_TRUE(WriteGrowFile(path, grow).Saved());
    GrowChartViewFrame* view = OpenGrowFile(w.log(), path);
    ASSERT_NE(view, nullptr);
    GrowNote note;
    note.timeMs = view->TimeAt(0.05);
    note.text = "roots checked";
    view->AddNote(note);
    const wxString question = "Save the changes to the grow \"Basil\" before closing its chart?";

    // "Cancel" keeps both windows and the note.
    wxTEST_DIALOG(EXPECT_FALSE(w.frame()->Close()), ExpectUnsaved(wxID_CANCEL, question));
    ASSERT_TRUE(w.frame());
    EXPECT_TRUE(view->HasUnsavedChanges());
    // "Save" writes the grow file, then the program closes.
    wxTEST_DIALOG(EXPECT_TRUE(w.frame()->Close()), ExpectUnsaved(wxID_YES, question));
    EXPECT_TRUE(w.Gone());
    const LoadResult<Grow> saved = ReadGrowFile(path);
    ASSERT_EQ(saved.value.journal.Count(), 1u);
    EXPECT_EQ(saved.value.journal[0].text, "roots checked");
}
