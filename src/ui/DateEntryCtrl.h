// The schedule dialog's date field: a date typed the way the user writes it,
// or picked from a calendar that drops down below the field.
//
// It stands where the toolkit's date picker stood, with its name "datectrl"
// and its GetValue/SetValue. On GTK that picker cannot be made to keep what a
// grower types: it reads and rewrites its text in the toolkit's own "C" form
// (%m/%d/%y, not the user's locale), re-reads it with a two-digit year on
// every change and on leaving the field (so "12/30/2012" becomes 30 December
// 2020, and "30.12.2012" cannot even be typed), replaces a text it cannot read
// by the date it had, and drops down the native GTK calendar, which gets no
// keys inside the pop-up and closes only on a double click. None of this can
// be changed through its interface.
//
// This field reads its text with ParseUserDateText in the short form of the
// user's locale on every change and never rewrites what was typed; a text that
// names no date is shown on a red ground and GetValue() is then invalid. Up
// and Down step the day, Page Up and Page Down the month. Alt+Down, F4 or the
// button opens the calendar: arrows move by day and week, Page Up and Page
// Down by month (with Ctrl by year), Home and End to the month's ends, Return
// or Space or a click picks the day and closes it, Escape closes it unchanged.
#pragma once

#include <wx/calctrl.h> // before the generic calendar, which needs its types
#include <wx/combo.h>
#include <wx/datetime.h>
#include <wx/generic/calctrlg.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

class DateEntryPopup;

class DateEntryCtrl : public wxPanel {
public:
    // An invalid date shows today's.
    DateEntryCtrl(wxWindow* parent, wxWindowID id, const wxDateTime& date = wxDefaultDateTime,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                  long style = wxTAB_TRAVERSAL | wxNO_BORDER, const wxString& name = "datectrl");

    // The day the text names, at local midnight; wxInvalidDateTime while the
    // text names no day.
    wxDateTime GetValue() const { return value; }
    // Shows date in the user's short form with its full year; an invalid date
    // empties the field.
    void SetValue(const wxDateTime& date);

    wxTextCtrl* GetTextCtrl() const;
    wxComboCtrl* GetCombo() const { return combo; }
    // The drop-down calendar (shown or not).
    wxGenericCalendarCtrl* GetCalendar() const;
    // The short form the field reads and writes ("%d.%m.%Y" in de_DE).
    const wxString& GetShortFormat() const { return shortFormat; }
    // The ground the text is shown on while it names no date.
    static wxColour NotADateColour();

    // Puts the picked day into the field, as typed (used by the calendar).
    void Pick(const wxDateTime& date);

private:
    void OnText(wxCommandEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void ShowText(const wxString& text);
    void ReadText();

    wxComboCtrl* combo = nullptr;
    DateEntryPopup* popup = nullptr;
    wxString shortFormat;
    wxDateTime value;
    bool marked = false;
};
