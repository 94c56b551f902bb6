#include "ui/DateEntryCtrl.h"

#include "core/DateText.h"

#include <wx/sizer.h>

// The calendar that drops down below the field. It takes its keys from the
// field (the combo control passes them on while it is shown) as well as
// directly, so it works whether or not the pop-up window gets the focus.
class DateEntryPopup : public wxGenericCalendarCtrl, public wxComboPopup {
public:
    explicit DateEntryPopup(DateEntryCtrl* field) : owner(field) {}

    bool Create(wxWindow* parent) override
    {
        if (!wxGenericCalendarCtrl::Create(
                parent, wxID_ANY, wxDateTime::Today(), wxDefaultPosition, wxDefaultSize,
                wxCAL_SEQUENTIAL_MONTH_SELECTION | wxCAL_SHOW_HOLIDAYS | wxBORDER_SUNKEN))
            return false;
        Bind(wxEVT_KEY_DOWN, &DateEntryPopup::OnKeyDown, this);
        Bind(wxEVT_LEFT_DOWN, &DateEntryPopup::OnLeftDown, this);
        Bind(wxEVT_CALENDAR_DOUBLECLICKED, [this](wxCalendarEvent&) { owner->Pick(GetDate()); });
        return true;
    }
    wxWindow* GetControl() override { return this; }
    wxSize GetAdjustedSize(int, int, int) override { return GetBestSize(); }

    // Opens on the field's day, or on the last one shown while the text names none.
    void OnPopup() override
    {
        picked.clear();
        if (owner->GetValue().IsValid())
            SetDate(owner->GetValue());
    }
    void SetStringValue(const wxString&) override {}
    // What the combo control puts into the field when the calendar closes:
    // the picked day, or the text as it stands.
    wxString GetStringValue() const override
    {
        return picked.empty() ? m_combo->GetTextCtrl()->GetValue() : picked;
    }

    void PickDay(const wxDateTime& day)
    {
        picked = FormatUserDateText(day, owner->GetShortFormat());
        Dismiss();
    }

    // True when the key was one of the calendar's.
    bool HandleKey(const wxKeyEvent& event)
    {
        const bool ctrl = event.GetModifiers() == wxMOD_CONTROL;
        if (event.GetModifiers() != wxMOD_NONE && !ctrl)
            return false;
        const wxDateTime day = GetDate();
        switch (event.GetKeyCode()) {
        case WXK_ESCAPE:
            Dismiss();
            return true;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
        case WXK_SPACE:
            owner->Pick(day);
            return true;
        case WXK_LEFT:
            return MoveTo(day - wxDateSpan::Day());
        case WXK_RIGHT:
            return MoveTo(day + wxDateSpan::Day());
        case WXK_UP:
            return MoveTo(day - wxDateSpan::Week());
        case WXK_DOWN:
            return MoveTo(day + wxDateSpan::Week());
        case WXK_PAGEUP:
            return MoveTo(day - (ctrl ? wxDateSpan::Year() : wxDateSpan::Month()));
        case WXK_PAGEDOWN:
            return MoveTo(day + (ctrl ? wxDateSpan::Year() : wxDateSpan::Month()));
        case WXK_HOME:
            return MoveTo(wxDateTime(day).SetDay(1));
        case WXK_END:
            return MoveTo(wxDateTime(day).SetToLastMonthDay());
        default:
            return false;
        }
    }

private:
    bool MoveTo(const wxDateTime& day)
    {
        SetDate(day);
        return true;
    }

    void OnKeyDown(wxKeyEvent& event)
    {
        if (!HandleKey(event))
            event.Skip();
    }

    // A click on a day picks it; the month arrows and the rest work as usual.
    void OnLeftDown(wxMouseEvent& event)
    {
        wxDateTime day;
        if (HitTest(event.GetPosition(), &day) == wxCAL_HITTEST_DAY && day.IsValid()) {
            SetDate(day);
            owner->Pick(day);
            return;
        }
        event.Skip();
    }

    DateEntryCtrl* owner;
    wxString picked;
};

DateEntryCtrl::DateEntryCtrl(wxWindow* parent, wxWindowID id, const wxDateTime& date, const wxPoint& pos,
                             const wxSize& size, long style, const wxString& name)
    : wxPanel(parent, id, pos, size, style, name), shortFormat(UserShortDateFormat())
{
    combo = new wxComboCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize);
    popup = new DateEntryPopup(this);
    combo->SetPopupControl(popup);

    auto* box = new wxBoxSizer(wxHORIZONTAL);
    box->Add(combo, 1, wxEXPAND);
    SetSizer(box);

    GetTextCtrl()->Bind(wxEVT_TEXT, &DateEntryCtrl::OnText, this);
    // The combo control hands its text field's keys to its own handlers
    // first; bound here they come before its own (which would open or close
    // the calendar, or pass the key to it).
    combo->Bind(wxEVT_KEY_DOWN, &DateEntryCtrl::OnKeyDown, this);
    // The dialog takes Escape (to cancel) before the key reaches the field;
    // while the calendar is open, Escape is the calendar's.
    combo->Bind(wxEVT_CHAR_HOOK, &DateEntryCtrl::OnCharHook, this);

    // Wide enough for any date of the short form, with a blank to spare.
    wxString widest = FormatUserDateText(wxDateTime(28, wxDateTime::Dec, 2088), shortFormat) + " ";
    for (wxUniCharRef c : widest)
        if (c >= '0' && c <= '9')
            c = '8';
    const int textWidth = GetTextCtrl()->GetSizeFromTextSize(GetTextCtrl()->GetTextExtent(widest).x).x;
    combo->SetMinSize(wxSize(textWidth + combo->GetButtonSize().x, -1));

    SetValue(date.IsValid() ? date : wxDateTime::Today());
    SetInitialSize(size);
}

wxTextCtrl* DateEntryCtrl::GetTextCtrl() const
{
    return combo->GetTextCtrl();
}

wxGenericCalendarCtrl* DateEntryCtrl::GetCalendar() const
{
    return popup;
}

wxColour DateEntryCtrl::NotADateColour()
{
    return wxColour(255, 200, 200);
}

void DateEntryCtrl::SetValue(const wxDateTime& date)
{
    ShowText(FormatUserDateText(date.IsValid() ? date.GetDateOnly() : wxInvalidDateTime, shortFormat));
}

void DateEntryCtrl::Pick(const wxDateTime& date)
{
    if (combo->IsPopupShown())
        popup->PickDay(date); // the combo control puts the day into the field as it closes
    else
        ShowText(FormatUserDateText(date, shortFormat));
    GetTextCtrl()->SetInsertionPointEnd();
}

void DateEntryCtrl::ShowText(const wxString& text)
{
    combo->SetText(text);
    ReadText();
}

void DateEntryCtrl::OnText(wxCommandEvent& event)
{
    ReadText();
    event.Skip();
}

void DateEntryCtrl::ReadText()
{
    value = ParseUserDateText(GetTextCtrl()->GetValue(), shortFormat);
    const bool notADate = !value.IsValid();
    if (notADate == marked)
        return;
    marked = notADate;
    GetTextCtrl()->SetBackgroundColour(marked ? NotADateColour() : wxNullColour);
    GetTextCtrl()->Refresh();
}

void DateEntryCtrl::OnCharHook(wxKeyEvent& event)
{
    if (combo->IsPopupShown() && event.GetKeyCode() == WXK_ESCAPE && event.GetModifiers() == wxMOD_NONE) {
        combo->Dismiss();
        return;
    }
    event.Skip();
}

void DateEntryCtrl::OnKeyDown(wxKeyEvent& event)
{
    if (combo->IsPopupShown()) {
        if (!popup->HandleKey(event))
            event.Skip();
        return;
    }
    wxDateSpan step;
    switch (event.GetModifiers() == wxMOD_NONE ? event.GetKeyCode() : WXK_NONE) {
    case WXK_UP:
    case WXK_NUMPAD_UP:
        step = wxDateSpan::Day();
        break;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        step = -wxDateSpan::Day();
        break;
    case WXK_PAGEUP:
    case WXK_NUMPAD_PAGEUP:
        step = wxDateSpan::Month();
        break;
    case WXK_PAGEDOWN:
    case WXK_NUMPAD_PAGEDOWN:
        step = -wxDateSpan::Month();
        break;
    default:
        event.Skip(); // typing, and Alt+Down or F4 to open the calendar
        return;
    }
    if (value.IsValid()) // a text that is no date is left for the user to mend
        ShowText(FormatUserDateText(value + step, shortFormat));
    GetTextCtrl()->SetInsertionPointEnd();
}
