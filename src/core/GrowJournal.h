// The journal of a grow: what happened that no probe records (the reservoir
// changed, a probe calibrated, the crop harvested), each note at an instant.
// Kept in time order. Pure: no window.
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

enum class NoteKind {
    ReservoirChange,
    TopUp,
    Calibration, // with the solution's value and the reading before
    Transplant,
    Harvest, // with a yield
    Service, // a pump or a probe serviced or replaced
    Other,
};
constexpr int kNoteKindCount = 7;

// "Reservoir change", "Top-up", "Calibration", "Transplant", "Harvest",
// "Pump or probe service", "Other".
wxString NoteKindName(NoteKind kind);
// The kind's name in a grow file: "reservoir-change", "top-up",
// "calibration", "transplant", "harvest", "service", "other".
const char* NoteKindId(NoteKind kind);
// The kind of a grow file's name; false for any other text.
bool NoteKindFromId(const std::string& id, NoteKind& kind);

struct GrowNote {
    int64_t timeMs = 0; // the instant, ms since the epoch (its local time to the second)
    NoteKind kind = NoteKind::Other;
    wxString text;
    // Calibration: the solution's value and the reading before it (NaN:
    // not given).
    double solution = std::numeric_limits<double>::quiet_NaN();
    double readingBefore = std::numeric_limits<double>::quiet_NaN();
    // Harvest: the yield as the grower writes it ("1.2 kg").
    wxString yield;

    bool operator==(const GrowNote& other) const;
    bool operator!=(const GrowNote& other) const { return !(*this == other); }
};

// The note's one-line label for a marker: its kind, then its text if any
// ("Reservoir change: 120 l fresh").
wxString NoteLabel(const GrowNote& note);
// Everything of the note on one line, as a readout or a list shows it: the
// label, then "solution 7.00, before 7.21" or "yield 1.2 kg".
wxString NoteDescription(const GrowNote& note);

class GrowJournal {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    GrowJournal() = default;
    explicit GrowJournal(std::vector<GrowNote> notes);

    const std::vector<GrowNote>& Notes() const { return m_notes; }
    size_t Count() const { return m_notes.size(); }
    const GrowNote& operator[](size_t i) const { return m_notes[i]; }

    // Adds a note after every note of the same instant; its index.
    size_t Add(GrowNote note);
    // Replaces note i (it moves to its new time); its new index.
    size_t Replace(size_t i, GrowNote note);
    void Remove(size_t i);

    // The last note at or before timeMs; npos when none.
    size_t AtOrBefore(int64_t timeMs) const;
    // The note nearest to timeMs within toleranceMs either side; npos when
    // none.
    size_t Nearest(int64_t timeMs, int64_t toleranceMs) const;
    // The notes with a time in [fromMs, toMs]: [first, last) indices.
    std::pair<size_t, size_t> Within(int64_t fromMs, int64_t toMs) const;

private:
    std::vector<GrowNote> m_notes;
};
