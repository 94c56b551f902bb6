// Answering the schedule page's "Add" dialog in tests: the expectation fills
// the dialog's controls with what a user would type or pick, then answers.
#pragma once

#include "wx_test_util.h"

#include "ui/NewScheduleEntryDialog.h"

#include <array>
#include <optional>

// What the user enters; a field left unset keeps the dialog's initial text.
struct EntryInput {
    std::optional<wxDateTime> date;
    std::optional<wxString> days;
    std::optional<wxString> ec;
    std::optional<wxString> ph;
    std::array<std::optional<wxString>, 6> ecUp{}, phUp{}, phDown{};

    EntryInput& Date(int day, wxDateTime::Month month, int year)
    {
        date = wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), month, year);
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
        Type(dlg->GetDaysField(), m_input.days);
        Type(dlg->GetEcField(), m_input.ec);
        Type(dlg->GetPhField(), m_input.ph);
        for (size_t k = 0; k < 6; ++k) {
            Type(dlg->GetEcUpFields()[k], m_input.ecUp[k]);
            Type(dlg->GetPhUpFields()[k], m_input.phUp[k]);
            Type(dlg->GetPhDownFields()[k], m_input.phDown[k]);
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
