#include "core/GrowJournal.h"

#include <algorithm>
#include <cmath>

namespace {

struct KindText {
    NoteKind kind;
    const char* id;
    const char* name;
};

const KindText kKinds[kNoteKindCount] = {
    {NoteKind::ReservoirChange, "reservoir-change", "Reservoir change"},
    {NoteKind::TopUp, "top-up", "Top-up"},
    {NoteKind::Calibration, "calibration", "Calibration"},
    {NoteKind::Transplant, "transplant", "Transplant"},
    {NoteKind::Harvest, "harvest", "Harvest"},
    {NoteKind::Service, "service", "Pump or probe service"},
    {NoteKind::Other, "other", "Other"},
};

bool SameNumber(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

bool Before(const GrowNote& note, int64_t ms)
{
    return note.timeMs < ms;
}

} // namespace

wxString NoteKindName(NoteKind kind)
{
    return kKinds[static_cast<int>(kind)].name;
}

const char* NoteKindId(NoteKind kind)
{
    return kKinds[static_cast<int>(kind)].id;
}

bool NoteKindFromId(const std::string& id, NoteKind& kind)
{
    for (const KindText& k : kKinds)
        if (id == k.id) {
            kind = k.kind;
            return true;
        }
    return false;
}

bool GrowNote::operator==(const GrowNote& other) const
{
    return timeMs == other.timeMs && kind == other.kind && text == other.text &&
           SameNumber(solution, other.solution) && SameNumber(readingBefore, other.readingBefore) &&
           yield == other.yield;
}

wxString NoteLabel(const GrowNote& note)
{
    wxString label = NoteKindName(note.kind);
    wxString text = note.text;
    text.Replace("\n", " ");
    text.Trim().Trim(false);
    if (!text.empty())
        label << ": " << text;
    return label;
}

wxString NoteDescription(const GrowNote& note)
{
    wxString description = NoteLabel(note);
    if (note.kind == NoteKind::Calibration) {
        if (!std::isnan(note.solution))
            description << ", solution " << wxString::FromCDouble(note.solution, 2);
        if (!std::isnan(note.readingBefore))
            description << ", before " << wxString::FromCDouble(note.readingBefore, 2);
    }
    if (note.kind == NoteKind::Harvest && !note.yield.empty())
        description << ", yield " << note.yield;
    return description;
}

GrowJournal::GrowJournal(std::vector<GrowNote> notes) : m_notes(std::move(notes))
{
    std::stable_sort(m_notes.begin(), m_notes.end(),
                     [](const GrowNote& a, const GrowNote& b) { return a.timeMs < b.timeMs; });
}

size_t GrowJournal::Add(GrowNote note)
{
    const auto at = std::upper_bound(m_notes.begin(), m_notes.end(), note.timeMs,
                                     [](int64_t ms, const GrowNote& n) { return ms < n.timeMs; });
    const auto index = at - m_notes.begin();
    m_notes.insert(at, std::move(note));
    return static_cast<size_t>(index);
}

size_t GrowJournal::Replace(size_t i, GrowNote note)
{
    Remove(i);
    return Add(std::move(note));
}

void GrowJournal::Remove(size_t i)
{
    if (i < m_notes.size())
        m_notes.erase(m_notes.begin() + static_cast<std::ptrdiff_t>(i));
}

size_t GrowJournal::AtOrBefore(int64_t timeMs) const
{
    const auto after = std::upper_bound(m_notes.begin(), m_notes.end(), timeMs,
                                        [](int64_t ms, const GrowNote& n) { return ms < n.timeMs; });
    return after == m_notes.begin() ? npos : static_cast<size_t>(after - m_notes.begin()) - 1;
}

size_t GrowJournal::Nearest(int64_t timeMs, int64_t toleranceMs) const
{
    const auto at = std::lower_bound(m_notes.begin(), m_notes.end(), timeMs, Before);
    size_t best = npos;
    int64_t bestDistance = toleranceMs;
    if (at != m_notes.end() && at->timeMs - timeMs <= bestDistance) {
        best = static_cast<size_t>(at - m_notes.begin());
        bestDistance = at->timeMs - timeMs;
    }
    if (at != m_notes.begin()) {
        const auto before = at - 1;
        if (timeMs - before->timeMs <= bestDistance &&
            (best == npos || timeMs - before->timeMs < bestDistance))
            best = static_cast<size_t>(before - m_notes.begin());
    }
    return best;
}

std::pair<size_t, size_t> GrowJournal::Within(int64_t fromMs, int64_t toMs) const
{
    const auto first = std::lower_bound(m_notes.begin(), m_notes.end(), fromMs, Before);
    const auto last = std::upper_bound(first, m_notes.end(), toMs,
                                       [](int64_t ms, const GrowNote& n) { return ms < n.timeMs; });
    return {static_cast<size_t>(first - m_notes.begin()), static_cast<size_t>(last - m_notes.begin())};
}
