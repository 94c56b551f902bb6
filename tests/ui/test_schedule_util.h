// Answering the schedule page's "Add" dialog in tests: the expectation fills
// the dialog's controls with what a user would type or pick, then answers.
#pragma once

#include "wx_test_util.h"

#include "ui/NewScheduleEntryDialog.h"

#include <array>
#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

// What the user enters; a field left unset keeps the dialog's initial text.
struct EntryInput {
    std::optional<wxDateTime> date;
    std::optional<wxString> dateText; // typed into the date field
    bool clickAdd = false;            // answer by clicking "Add New Entries"; Cancel if it refuses
    std::optional<wxString> days;
    std::optional<wxString> ec;
    std::optional<wxString> ph;
    std::array<std::optional<wxString>, 6> ecUp{}, phUp{}, phDown{};

    EntryInput& Date(int day, wxDateTime::Month month, int year)
    {
        date = wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), month, year);
        return *this;
    }
    EntryInput& DateText(const wxString& text)
    {
        dateText = text;
        return *this;
    }
    EntryInput& ClickAdd()
    {
        clickAdd = true;
        return *this;
    }
    EntryInput& Days(const wxString& text)
    {
        days = text;
        return *this;
    }
    EntryInput& Ec(const wxString& text)
    {
        ec = text;
        return *this;
    }
    EntryInput& Ph(const wxString& text)
    {
        ph = text;
        return *this;
    }
};

// The texts and date a dialog showed when it opened.
struct EntrySeen {
    bool shown = false;
    wxString title;
    wxRect rect, parentRect; // on screen
    wxDateTime date;
    wxString days, ec, ph;
    std::array<wxString, 6> ecUp, phUp, phDown;
};

template <> class wxExpectModal<NewScheduleEntryDialog> : public wxExpectModalBase<NewScheduleEntryDialog> {
public:
    explicit wxExpectModal(EntryInput input = {}, int answer = wxID_OK, EntrySeen* seen = nullptr)
        : m_input(std::move(input)), m_answer(answer), m_seen(seen)
    {
    }

protected:
    int OnInvoked(NewScheduleEntryDialog* dlg) const override
    {
        if (m_seen) {
            m_seen->shown = true;
            m_seen->title = dlg->GetTitle();
            m_seen->rect = dlg->GetScreenRect();
            m_seen->parentRect = dlg->GetParent()->GetScreenRect();
            m_seen->date = dlg->GetDatePicker()->GetValue();
            m_seen->days = dlg->GetDaysField()->GetValue();
            m_seen->ec = dlg->GetEcField()->GetValue();
            m_seen->ph = dlg->GetPhField()->GetValue();
            for (size_t k = 0; k < 6; ++k) {
                m_seen->ecUp[k] = dlg->GetEcUpFields()[k]->GetValue();
                m_seen->phUp[k] = dlg->GetPhUpFields()[k]->GetValue();
                m_seen->phDown[k] = dlg->GetPhDownFields()[k]->GetValue();
            }
        }
        if (m_input.date)
            dlg->GetDatePicker()->SetValue(*m_input.date);
        if (m_input.dateText)
            dlg->GetDatePicker()->GetTextCtrl()->SetValue(*m_input.dateText);
        Type(dlg->GetDaysField(), m_input.days);
        Type(dlg->GetEcField(), m_input.ec);
        Type(dlg->GetPhField(), m_input.ph);
        for (size_t k = 0; k < 6; ++k) {
            Type(dlg->GetEcUpFields()[k], m_input.ecUp[k]);
            Type(dlg->GetPhUpFields()[k], m_input.phUp[k]);
            Type(dlg->GetPhDownFields()[k], m_input.phDown[k]);
        }
        if (m_input.clickAdd) {
            // As the button reports a click; a refusal leaves the dialog
            // open, and the user then cancels it.
            wxWindow* add = dlg->FindWindow(wxID_OK);
            dlg->SetReturnCode(0);
            wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
            click.SetEventObject(add);
            add->GetEventHandler()->ProcessEvent(click);
            return dlg->GetReturnCode() == wxID_OK ? wxID_OK : wxID_CANCEL;
        }
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "new schedule entry dialog"; }

private:
    static void Type(wxTextCtrl* field, const std::optional<wxString>& text)
    {
        if (!text)
            return;
        field->SetValue(*text);
        // A text longer than the field takes could not have been typed.
        EXPECT_EQ(field->GetValue().utf8_string(), text->utf8_string()) << "field refused the text";
    }

    EntryInput m_input;
    int m_answer;
    EntrySeen* m_seen;
};

// Dates as a user of the test's locale types them. The ui_* entries run in
// the "C" locale; the *_de_DE entries set LC_ALL and HALVANE_TEST_LOCALE to
// de_DE.UTF-8, and the locale must then be installed.
struct LocaleDates {
    std::string locale;          // what LC_TIME must be
    std::vector<wxString> dec30; // texts that name 30 December 2012
    wxString dec31;              // 31 December 2012 as the field writes it
    wxString jan1;               // 1 January 2013 as the field writes it
    wxString notADate;           // a day 45 of a month 13
};

inline LocaleDates TestLocaleDates()
{
    const char* wanted = std::getenv("HALVANE_TEST_LOCALE");
    if (wanted && std::string(wanted) == "de_DE.UTF-8")
        return {"de_DE.UTF-8",
                {"30.12.2012", "30.12.12", "2012-12-30", "30.12.2012 "},
                "31.12.2012",
                "01.01.2013",
                "45.13.2012"};
    return {"C",
            {"12/30/2012", "12/30/12", "2012-12-30", " 12/30/2012"},
            "12/31/2012",
            "01/01/2013",
            "13/45/2012"};
}

// Fails the test unless LC_TIME is the locale the dates are written for.
inline void ExpectTestLocale(const LocaleDates& dates)
{
    const char* now = std::setlocale(LC_TIME, nullptr);
    ASSERT_EQ(std::string(now ? now : ""), dates.locale)
        << "the dates are written for " << dates.locale << " (missing? run scripts/install-deps.sh as root)";
}
