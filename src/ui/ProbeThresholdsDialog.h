// The thresholds of the probe checks, edited in a dialog and kept for the
// rest of the session: every chart made after OK uses them.
#pragma once

#include "core/ProbeHealth.h"

#include <wx/dialog.h>

class wxSpinCtrl;
class wxSpinCtrlDouble;

// The application's thresholds for this session (the defaults at start).
ProbeThresholds& SessionProbeThresholds();

class ProbeThresholdsDialog : public wxDialog {
public:
    ProbeThresholdsDialog(wxWindow* parent, const ProbeThresholds& thresholds);

    // The thresholds as the fields read now.
    ProbeThresholds GetThresholds() const;

    wxSpinCtrl* GetStuckMinutes() const { return m_stuckMinutes; }
    wxSpinCtrlDouble* GetLowEc() const { return m_lowEc; }

private:
    wxSpinCtrl* m_stuckMinutes = nullptr;
    wxSpinCtrlDouble* m_lowEc = nullptr;
    wxSpinCtrlDouble* m_spikeEc = nullptr;
    wxSpinCtrlDouble* m_spikePh = nullptr;
    wxSpinCtrlDouble* m_spikeTemperature = nullptr;
    wxSpinCtrl* m_spikeMinutes = nullptr;
    wxSpinCtrl* m_clockMinutes = nullptr;
};
