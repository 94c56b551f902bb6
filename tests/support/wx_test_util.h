// Helpers shared by the GUI tests: dialog expectations whose failures are
// test failures, and event pumping.
#pragma once

#include <wx/colordlg.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>
#include <wx/wx.h>

#include <gtest/gtest.h>

#include "temp_dir.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

class GTestModalHook;
#define wxTEST_DIALOG_HOOK_CLASS GTestModalHook
#include <wx/testing.h>

class GTestModalHook : public wxTestingModalHook {
public:
    using wxTestingModalHook::wxTestingModalHook;

protected:
    void ReportFailure(const wxString& msg) override
    {
        ADD_FAILURE() << "wxTEST_DIALOG: " << msg.utf8_string();
    }
    // The base lets an unexpected dialog really run, which hangs under Xvfb.
    int Enter(wxDialog* dlg) override
    {
        const int rc = wxTestingModalHook::Enter(dlg);
        return rc == wxID_NONE ? wxID_CANCEL : rc;
    }
};

// Hidden top-level frame made by main(); a parent for windows under test.
wxFrame* TestTopFrame();

// Pumps events until cond() holds or timeoutMs pass; returns cond().
inline bool PumpUntil(const std::function<bool()>& cond, int timeoutMs = 2000)
{
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(timeoutMs);
    wxEventLoopBase* active = wxEventLoopBase::GetActive();
    std::unique_ptr<wxEventLoop> own;
    std::unique_ptr<wxEventLoopActivator> activator;
    if (!active) {
        own.reset(new wxEventLoop);
        activator.reset(new wxEventLoopActivator(own.get()));
        active = own.get();
    }
    while (!cond()) {
        if (clock::now() >= deadline)
            return cond();
        active->DispatchTimeout(10);
        if (wxTheApp)
            wxTheApp->ProcessPendingEvents();
    }
    return true;
}

// The screen scale a test run was started at: HALVANE_TEST_SCALE, which the
// CTest entries that set GDK_SCALE set with it; 0 in the ordinary runs.
inline int TestScreenScale()
{
    const char* scale = std::getenv("HALVANE_TEST_SCALE");
    return scale ? std::atoi(scale) : 0;
}

// Counts the events of one type that reach a window (and lets the window
// handle them as ever), so that a test can wait for the event it awaits: the
// paint after a show, the key release after typing, the click's button-up.
// A filter, if given, picks the events counted (a key code, say).
template <typename Event> class EventCounter {
public:
    using Filter = std::function<bool(const Event&)>;
    EventCounter(wxEvtHandler* window, const wxEventTypeTag<Event>& type, Filter filter = nullptr)
        : m_window(window), m_type(type), m_filter(std::move(filter))
    {
        window->Bind(m_type, &EventCounter::OnEvent, this);
    }
    ~EventCounter()
    {
        if (m_window)
            m_window->Unbind(m_type, &EventCounter::OnEvent, this);
    }
    EventCounter(const EventCounter&) = delete;
    EventCounter& operator=(const EventCounter&) = delete;

    int Count() const { return m_count; }
    // Pumps until `count` events have arrived in all.
    bool WaitFor(int count, int timeoutMs = 3000)
    {
        return PumpUntil([&] { return m_count >= count; }, timeoutMs);
    }
    // Pumps until one more event than now has arrived.
    bool WaitForNext(int timeoutMs = 3000) { return WaitFor(m_count + 1, timeoutMs); }

private:
    void OnEvent(Event& event)
    {
        if (!m_filter || m_filter(event))
            ++m_count;
        event.Skip();
    }

    wxWeakRef<wxEvtHandler> m_window;
    wxEventTypeTag<Event> m_type;
    Filter m_filter;
    int m_count = 0;
};

// Counts the key releases anywhere in the program (a popup's included) of
// one key, or of every key but the modifiers: the last thing a typed key
// sends, so once its release is in, the key itself has been handled.
class KeyReleases : public wxEventFilter {
public:
    static constexpr int kAnyKey = 0;
    explicit KeyReleases(int key = kAnyKey) : m_key(key) { wxEvtHandler::AddFilter(this); }
    ~KeyReleases() override { wxEvtHandler::RemoveFilter(this); }
    KeyReleases(const KeyReleases&) = delete;
    KeyReleases& operator=(const KeyReleases&) = delete;

    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_KEY_UP) {
            const int key = static_cast<wxKeyEvent&>(event).GetKeyCode();
            if (m_key == kAnyKey
                    ? key != WXK_SHIFT && key != WXK_CONTROL && key != WXK_ALT && key != WXK_RAW_CONTROL
                    : key == m_key)
                ++m_count;
        }
        return Event_Skip;
    }
    int Count() const { return m_count; }
    bool WaitFor(int count, int timeoutMs = 3000)
    {
        return PumpUntil([&] { return m_count >= count; }, timeoutMs);
    }

private:
    int m_key;
    int m_count = 0;
};

// Pumps until the event loop has handled everything queued so far and gone
// idle (the application's idle event): what a user action queued (a
// CallAfter, a posted event) has then run.
inline bool PumpUntilIdle(int timeoutMs = 3000)
{
    EventCounter<wxIdleEvent> idle(wxTheApp, wxEVT_IDLE);
    wxWakeUpIdle();
    return idle.WaitFor(1, timeoutMs);
}

// Types one key as a user would and pumps until its release has arrived
// and what it queued has run.
inline bool TypeKey(int key, int modifiers = wxMOD_NONE, int timeoutMs = 3000)
{
    KeyReleases released;
    wxUIActionSimulator().Char(key, modifiers);
    return released.WaitFor(1, timeoutMs) && PumpUntilIdle(timeoutMs);
}

// Destroys a window and pumps until it is deleted (a top-level window is
// deleted when the loop is next idle), off the screen the next test reads.
inline bool DestroyAndWait(wxWindow* window, int timeoutMs = 3000)
{
    wxWeakRef<wxWindow> alive(window);
    window->Destroy();
    wxWakeUpIdle();
    return PumpUntil([&] { return !alive; }, timeoutMs);
}

// The window of a list control that shows its rows and gets the mouse and the
// keys (GTK's list is generic: a header above a window of rows), found as
// the largest of its children.
inline wxWindow* ListRowsWindow(wxWindow* list)
{
    wxWindow* rows = list;
    int area = 0;
    for (wxWindow* child : list->GetChildren()) {
        const wxSize size = child->GetSize();
        if (size.x * size.y > area) {
            area = size.x * size.y;
            rows = child;
        }
    }
    return rows;
}

// Moves the pointer to a point of a window's client area, as a user would,
// and pumps until the window has seen it move there (anywhere in it, for a
// native control that may report its own coordinates).
inline bool MovePointerTo(wxUIActionSimulator& sim, wxWindow* window, const wxPoint& client,
                          bool exactly = true, int timeoutMs = 3000)
{
    const wxPoint screen = window->ClientToScreen(client);
    // A pointer already there makes no motion: step aside first, and let the
    // window see that before coming back (GTK may not report the way back).
    if (wxGetMousePosition() == screen) {
        EventCounter<wxMouseEvent> aside(window, wxEVT_MOTION);
        sim.MouseMove(screen + wxPoint(3, 3));
        aside.WaitFor(1, timeoutMs);
    }
    EventCounter<wxMouseEvent> moved(window, wxEVT_MOTION, [client, exactly](const wxMouseEvent& event) {
        return !exactly || event.GetPosition() == client;
    });
    sim.MouseMove(screen);
    return moved.WaitFor(1, timeoutMs);
}

// Shows a top-level window and pumps until `painted` (the window itself if
// none) has been painted on the screen at its laid-out size.
inline bool ShowAndWaitForPaint(wxWindow* window, wxWindow* painted = nullptr, int timeoutMs = 3000)
{
    EventCounter<wxPaintEvent> paints(painted ? painted : window, wxEVT_PAINT);
    window->Show();
    return paints.WaitFor(1, timeoutMs);
}

// A message box whose text, caption and (optionally) style are checked.
class ExpectMessageBox : public wxExpectModalBase<wxMessageDialog, ExpectMessageBox> {
public:
    ExpectMessageBox(int answer, wxString message, wxString caption, long requiredStyle = 0)
        : m_answer(answer), m_message(std::move(message)), m_caption(std::move(caption)),
          m_requiredStyle(requiredStyle)
    {
    }

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        EXPECT_EQ(dlg->GetMessage().utf8_string(), m_message.utf8_string());
        EXPECT_EQ(dlg->GetCaption().utf8_string(), m_caption.utf8_string());
        if (m_requiredStyle) {
            EXPECT_EQ(dlg->GetMessageDialogStyle() & m_requiredStyle, m_requiredStyle)
                << "message box \"" << m_message.utf8_string() << "\" lacks a required style flag";
        }
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "message box \"" + m_message + "\""; }

private:
    int m_answer;
    wxString m_message, m_caption;
    long m_requiredStyle;
};

// The toolkit's default message box caption ("Message").
inline wxString DefaultCaption()
{
    return wxMessageBoxCaptionStr;
}

// wxFileDialog on GTK only reports a path set by SetPath() after the main
// loop has run: pump inside the expectation. An open dialog cannot select a
// file that does not exist. Optionally checks the dialog's title, filter and
// style flags, and runs an action once the path is chosen (a file that
// vanishes before the page reads it, say). The setters return copies, so a
// chain stays a temporary that wxTEST_DIALOG keeps alive.
class ExpectFile : public wxExpectModalBase<wxFileDialog, ExpectFile> {
public:
    explicit ExpectFile(wxString path, int id = wxID_OK) : m_path(std::move(path)), m_id(id) {}

    ExpectFile Titled(const wxString& title) const
    {
        ExpectFile copy(*this);
        copy.m_title = title;
        return copy;
    }
    ExpectFile Filter(const wxString& wildcard) const
    {
        ExpectFile copy(*this);
        copy.m_wildcard = wildcard;
        return copy;
    }
    ExpectFile Style(long flags) const
    {
        ExpectFile copy(*this);
        copy.m_style = flags;
        return copy;
    }
    ExpectFile Then(std::function<void()> afterChoosing) const
    {
        ExpectFile copy(*this);
        copy.m_afterChoosing = std::move(afterChoosing);
        return copy;
    }

protected:
    int OnInvoked(wxFileDialog* dlg) const override
    {
        if (!m_title.empty()) {
            EXPECT_EQ(dlg->GetMessage().utf8_string(), m_title.utf8_string());
        }
        if (!m_wildcard.empty()) {
            EXPECT_EQ(dlg->GetWildcard().utf8_string(), m_wildcard.utf8_string());
        }
        if (m_style) {
            EXPECT_EQ(dlg->GetWindowStyleFlag() & m_style, m_style) << "file dialog style";
        }
        if (m_id != wxID_OK)
            return m_id;
        dlg->SetPath(m_path);
        if (!PumpUntil([&] { return dlg->GetPath() == m_path; }, 3000))
            ADD_FAILURE() << "file dialog did not accept '" << m_path.utf8_string() << "'";
        if (m_afterChoosing)
            m_afterChoosing();
        return m_id;
    }
    wxString GetDefaultDescription() const override
    {
        return "file dialog " + (m_title.empty() ? wxString() : "\"" + m_title + "\" ") + "-> " + m_path;
    }

private:
    wxString m_path;
    int m_id;
    wxString m_title, m_wildcard;
    long m_style = 0;
    std::function<void()> m_afterChoosing;
};

// There is no stock expectation for wxColourDialog; on GTK the colour must
// also be pushed into the native widget or the dialog returns its initial one.
struct ColourDialogAccess : wxColourDialog {
    static void Push(wxColourDialog* d) { (d->*(&ColourDialogAccess::ColourDataToDialog))(); }
};
template <> class wxExpectModal<wxColourDialog> : public wxExpectModalBase<wxColourDialog> {
public:
    explicit wxExpectModal(const wxColour& c, int id = wxID_OK) : m_colour(c), m_id(id) {}

protected:
    int OnInvoked(wxColourDialog* dlg) const override
    {
        dlg->GetColourData().SetColour(m_colour);
#ifdef __WXGTK__
        ColourDialogAccess::Push(dlg);
#endif
        return m_id;
    }

private:
    wxColour m_colour;
    int m_id;
};
