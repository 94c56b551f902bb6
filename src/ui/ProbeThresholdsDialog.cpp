#include "ui/ProbeThresholdsDialog.h"

#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

namespace {

constexpr int64_t kMinuteMs = int64_t{60} * 1000;

int Minutes(int64_t ms)
{
    return static_cast<int>(ms / kMinuteMs);
}

} // namespace

ProbeThresholds& SessionProbeThresholds()
{
    static ProbeThresholds thresholds;
    return thresholds;
}

ProbeThresholdsDialog::ProbeThresholdsDialog(wxWindow* parent, const ProbeThresholds& t)
    : wxDialog(parent, wxID_ANY, "Probe Thresholds")
{
    auto* grid = new wxFlexGridSizer(2, wxSize(FromDIP(8), FromDIP(6)));
    grid->AddGrowableCol(1);
    const auto label = [&](const char* text) {
        grid->Add(new wxStaticText(this, wxID_ANY, text), wxSizerFlags().CentreVertical());
    };
    const auto whole = [&](const char* text, int value, int max) {
        label(text);
        auto* ctrl = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                    wxSP_ARROW_KEYS, 1, max, value);
        grid->Add(ctrl, wxSizerFlags().Expand());
        return ctrl;
    };
    const auto decimal = [&](const char* text, double value, double max, double step, unsigned digits) {
        label(text);
        auto* ctrl = new wxSpinCtrlDouble(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                          wxSP_ARROW_KEYS, 0, max, value, step);
        ctrl->SetDigits(digits);
        grid->Add(ctrl, wxSizerFlags().Expand());
        return ctrl;
    };
    m_stuckMinutes = whole("Reading unchanged for longer than (min):", Minutes(t.stuckMs), 100000);
    m_lowEc = decimal("EC below, where a target is held (uS):", t.lowEcUs, 100000, 10, 0);
    m_spikeEc = decimal("Spike: EC step over (uS):", t.spikeStepEcUs, 100000, 10, 0);
    m_spikePh = decimal("Spike: PH step over:", t.spikeStepPh, 18, 0.1, 2);
    m_spikeTemperature =
        decimal("Spike: temperature step over (\u00B0C):", t.spikeStepTemperature, 100, 0.5, 1);
    m_spikeMinutes = whole("Spike: back within (min):", Minutes(t.spikeReturnMs), 1440);
    m_clockMinutes = whole("Record times jumping by more than (min):", Minutes(t.clockJumpMs), 100000);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, wxSizerFlags(1).Expand().Border(wxALL, FromDIP(10)));
    top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), wxSizerFlags().Expand().Border(wxALL, FromDIP(10)));
    SetSizerAndFit(top);
    CentreOnParent();
}

ProbeThresholds ProbeThresholdsDialog::GetThresholds() const
{
    ProbeThresholds t;
    t.stuckMs = m_stuckMinutes->GetValue() * kMinuteMs;
    t.lowEcUs = m_lowEc->GetValue();
    t.spikeStepEcUs = m_spikeEc->GetValue();
    t.spikeStepPh = m_spikePh->GetValue();
    t.spikeStepTemperature = m_spikeTemperature->GetValue();
    t.spikeReturnMs = m_spikeMinutes->GetValue() * kMinuteMs;
    t.clockJumpMs = m_clockMinutes->GetValue() * kMinuteMs;
    return t;
}
