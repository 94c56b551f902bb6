// The band the controller holds each log channel in: the profile's target and
// tolerance of EC and PH per control channel, overridden day by day by a
// schedule for that channel. Pure: no window, no drawing.
#pragma once

#include "core/LogSeries.h"
#include "core/NodeConfig.h"
#include "core/NodeSchedule.h"

#include <wx/string.h>

#include <array>
#include <cstdint>
#include <vector>

struct ChannelTarget {
    bool adjusted = false; // false: not maintained (target 0) or not adjusted in the mode, or no profile
    double target = 0;     // EC in uS, PH units
    double tolerance = 0;  // either side
    // adjusted && |value - target| <= tolerance, edges inside, NaN never. The
    // edges give by one single-precision step of (|target| + tolerance), so
    // that a float-stored PH 6.2 with tolerance 0.2 holds 6.4f and 6.0f (a
    // whole-uS EC band is unchanged by it: 1500 +/- 100 holds 1600, not 1600.5).
    bool Contains(double value) const;

    bool operator==(const ChannelTarget& other) const;
    bool operator!=(const ChannelTarget& other) const { return !(*this == other); }
};

// [fromMs, toMs): local calendar days of one target, equal neighbours merged.
struct TargetStep {
    int64_t fromMs;
    int64_t toMs;
    ChannelTarget target;
};

// Profile slots of the tolerances (EC in uS, PH as float words).
enum TargetToleranceIndex : int {
    kIndexEc1Tolerance = 50,
    kIndexEc2Tolerance = 51,
    kIndexPh1Tolerance = 52,
    kIndexPh2Tolerance = 53,
};

// Const calls never change the object: several threads may ask at once.
class LogTargets {
public:
    void SetProfile(const NodeConfig& config);
    bool HasProfile() const { return m_hasProfile; }
    // The profile's mode keeps both channels' probes in one reservoir
    // (dual channel, single environment): their readings should agree.
    bool OneReservoir() const { return m_oneReservoir; }
    // controlChannel 1 or 2: the schedule overrides EC(controlChannel) and
    // PH(controlChannel) on each day it has an entry for (the first entry of
    // a date counts).
    void SetSchedule(int controlChannel, const NodeSchedule& schedule);
    bool HasSchedule(int controlChannel) const;
    void Clear();

    // Log channel 0..5 on the local calendar day of the packed date word (a
    // record's kLogDate).
    ChannelTarget TargetOn(int logChannel, uint32_t dateWord) const;
    // The same for an instant (ms since the epoch, its local calendar day).
    ChannelTarget TargetAt(int logChannel, int64_t ms) const;
    // The target's steps over [fromMs, toMs] (days split at local midnight,
    // equal neighbours merged), the first from fromMs, the last to toMs; a day
    // not adjusted among adjusted ones is a step with target.adjusted false.
    // Empty for a channel never adjusted there.
    std::vector<TargetStep> Steps(int logChannel, int64_t fromMs, int64_t toMs) const;

    // The same profile and schedules: every day's target the same.
    bool operator==(const LogTargets& other) const;
    bool operator!=(const LogTargets& other) const { return !(*this == other); }

private:
    struct DayTarget {
        uint32_t dateKey; // year << 9 | month << 5 | day: orders as the calendar
        double ec;
        double ph;
    };
    struct Channel {
        bool adjusted = false; // the mode adjusts it
        double ecTarget = 0, ecTolerance = 0;
        double phTarget = 0, phTolerance = 0;
        bool hasSchedule = false;
        std::vector<DayTarget> days; // sorted by dateKey, first entry of a date
    };

    // The EC (ph false) or PH target of control channel index c (0, 1) on a day.
    ChannelTarget Compute(int c, bool ph, uint32_t dateKey) const;

    bool m_hasProfile = false;
    bool m_oneReservoir = false;
    std::array<Channel, 2> m_channels;
};

// "not adjusted", or "target 1500 ± 100" (EC in whole uS) / "target 6.20 ±
// 0.20" (PH, two decimals).
wxString TargetText(int logChannel, const ChannelTarget& target);
