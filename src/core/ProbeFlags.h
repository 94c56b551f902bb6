// The probe findings as columns of a log's CSV: for each record, which
// channels each check flags at its time, so that a spreadsheet can filter
// the readings that are not to be trusted.
#pragma once

#include "core/LogCsv.h"
#include "core/LogSeries.h"
#include "core/ProbeHealth.h"

#include <array>
#include <string>
#include <vector>

class ProbeFlags {
public:
    explicit ProbeFlags(const std::vector<ProbeFinding>& findings);

    // ",Stuck,Low EC,Missing,Probes Apart,Clock Jump,Spike".
    static std::string CsvHeader();
    // The record's six fields, each after a comma: the channels ("EC1",
    // "PH2", ..., "clock") each check flags at the record's time, separated
    // by spaces, empty for none. "Missing" is the record's own readings
    // that are missing or impossible. A record with no real date or time
    // has no findings, only its missing readings.
    void AppendCsvFields(std::string& out, const LogRecord& record) const;

    // The columns for WriteLogCsv (the flags are copied into it).
    LogCsvExtra CsvColumns() const;

private:
    // The stretches of one check on one channel, ordered by start, with the
    // latest end up to each: whether any covers an instant is one search.
    struct Stretches {
        std::vector<int64_t> from;
        std::vector<int64_t> latestTo;
        bool Cover(int64_t ms) const;
    };
    static constexpr int kChecks = 5; // Stuck, LowEc, ChannelsDiffer, ClockJump, Spike
    static constexpr int kOwners = 7; // channels 0..5, the clock
    std::array<std::array<Stretches, kOwners>, kChecks> m_stretches;
    // Records come in file order: their times are decoded a day at a time.
    mutable LogTimeDecoder m_times;
};
