#include "core/GrowFile.h"

#include "core/SafeFile.h"
#include "util/CivilTime.h"

#include <nlohmann/json.hpp>

#include <wx/arrstr.h>
#include <wx/datetime.h>
#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <cmath>
#include <cstdio>

using nlohmann::json;

namespace {

constexpr size_t kMaxTextChars = 100000;

// The probe thresholds a grow file may hold: those "Probe Thresholds..."
// offers.
constexpr double kMaxThresholdMinutes = 100000;
constexpr double kMaxSpikeReturnMinutes = 1440;
constexpr double kMaxEcUs = 100000;
constexpr double kMaxPhStep = 18;
constexpr double kMaxTemperatureStep = 100;
constexpr int64_t kMinuteMs = int64_t{60} * 1000;

double MinutesOf(int64_t ms)
{
    const int64_t minutes = ms / kMinuteMs; // thresholds are whole minutes
    return static_cast<double>(minutes);
}

int64_t MsOf(double minutes)
{
    return static_cast<int64_t>(minutes) * kMinuteMs;
}

std::string Utf8(const wxString& s)
{
    const wxScopedCharBuffer b = s.utf8_str();
    return std::string(b.data(), b.length());
}

wxString FromUtf8(const std::string& s)
{
    return wxString::FromUTF8(s.data(), s.size());
}

bool ParseDate(const std::string& text, GrowDate& date)
{
    int y = 0, m = 0, d = 0;
    char tail = 0;
    if (text.size() != 10 || std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3)
        return false;
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 ||
        d > wxDateTime::GetNumberOfDays(static_cast<wxDateTime::Month>(m - 1), y))
        return false;
    date = {y, m, d};
    return true;
}

std::string FormatDate(const GrowDate& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month % 100, date.day % 100);
    return text;
}

bool IsAbsolute(const wxString& path)
{
    return path.StartsWith("/") || path.StartsWith("\\") ||
           (path.length() >= 2 && path[1] == ':' && wxIsalpha(path[0]));
}

// Reads the grow's parts one by one, keeping the first thing wrong.
class Reader {
public:
    Reader(const json& root, const wxString& folder) : m_root(root), m_folder(folder) {}

    bool Text(const json& object, const char* key, const wxString& where, wxString& out, bool required)
    {
        const auto it = object.find(key);
        if (it == object.end() || it->is_null()) {
            if (required)
                return Fail(where + "\"" + key + "\" is missing");
            return true;
        }
        if (!it->is_string())
            return Fail(where + "\"" + key + "\" is not a text");
        const std::string& s = it->get_ref<const std::string&>();
        if (s.size() > kMaxTextChars * 4)
            return Fail(where + "\"" + key + "\" is too long");
        out = FromUtf8(s);
        return true;
    }

    bool Number(const json& object, const char* key, const wxString& where, double& out)
    {
        const auto it = object.find(key);
        if (it == object.end() || it->is_null())
            return true;
        if (!it->is_number())
            return Fail(where + "\"" + key + "\" is not a number");
        out = it->get<double>();
        if (!std::isfinite(out))
            return Fail(where + "\"" + key + "\" is not a finite number");
        return true;
    }

    bool Path(const json& object, const char* key, wxString& out)
    {
        wxString relative;
        if (!Text(object, key, "", relative, false))
            return false;
        if (object.contains(key) && !object[key].is_null())
            return Resolve(relative, wxString("\"") + key + "\"", out);
        return true;
    }

    bool Resolve(const wxString& relative, const wxString& what, wxString& out)
    {
        if (relative.empty() || relative.find(wxUniChar(0)) != wxString::npos)
            return Fail(what + " is no file name");
        if (IsAbsolute(relative))
            return Fail(what + " is an absolute path (\"" + relative +
                        "\"); a grow file names its files relative to its own folder");
        // Name by name onto the folder, so that the result is a path of this
        // system whatever its separator, ".." taken back where it can be.
        wxFileName name = wxFileName::DirName(m_folder);
        const wxArrayString parts = wxSplit(relative, '/', 0);
        for (size_t i = 0; i + 1 < parts.size(); ++i) {
            if (parts[i].empty() || parts[i] == ".")
                continue;
            if (parts[i] == ".." && name.GetDirCount() > 0 && name.GetDirs().Last() != "..")
                name.RemoveLastDir();
            else
                name.AppendDir(parts[i]);
        }
        if (parts.empty() || parts.Last().empty() || parts.Last() == "." || parts.Last() == "..")
            return Fail(what + " is no file name");
        name.SetFullName(parts.Last());
        out = name.GetFullPath();
        return true;
    }

    bool Logs(std::vector<wxString>& out)
    {
        const auto it = m_root.find("logs");
        if (it == m_root.end())
            return Fail("\"logs\" is missing");
        if (!it->is_array())
            return Fail("\"logs\" is not a list of file names");
        if (it->size() > kGrowMaxLogs)
            return Fail("\"logs\" names more logs than a grow may hold");
        for (size_t i = 0; i < it->size(); ++i) {
            const json& entry = (*it)[i];
            const wxString what = wxString::Format("\"logs\" entry %zu", i + 1);
            if (!entry.is_string())
                return Fail(what + " is not a text");
            wxString path;
            if (!Resolve(FromUtf8(entry.get_ref<const std::string&>()), what, path))
                return false;
            out.push_back(path);
        }
        return true;
    }

    bool Note(const json& entry, size_t i, GrowNote& note)
    {
        const wxString where = wxString::Format("journal note %zu: ", i + 1);
        if (!entry.is_object())
            return Fail(where + "it is not an object");
        wxString time, kind;
        if (!Text(entry, "time", where, time, true) || !Text(entry, "kind", where, kind, true))
            return false;
        if (!ParseLocalTime(Utf8(time), note.timeMs))
            return Fail(where + "\"time\" is no date and time of the form 2026-03-04T10:20:00");
        if (!NoteKindFromId(Utf8(kind), note.kind))
            return Fail(where + "\"kind\" \"" + kind + "\" is no kind of note");
        return Text(entry, "text", where, note.text, false) &&
               Number(entry, "solution", where, note.solution) &&
               Number(entry, "readingBefore", where, note.readingBefore) &&
               Text(entry, "yield", where, note.yield, false);
    }

    bool Journal(GrowJournal& out)
    {
        const auto it = m_root.find("journal");
        if (it == m_root.end() || it->is_null())
            return true;
        if (!it->is_array())
            return Fail("\"journal\" is not a list of notes");
        if (it->size() > kGrowMaxNotes)
            return Fail("\"journal\" holds more notes than a grow may hold");
        std::vector<GrowNote> notes(it->size());
        for (size_t i = 0; i < notes.size(); ++i)
            if (!Note((*it)[i], i, notes[i]))
                return false;
        out = GrowJournal(std::move(notes));
        return true;
    }

    // A threshold of the "probeThresholds" object: absent keeps the
    // default; anything but a number in [lo, hi] (a whole one for minutes)
    // is refused.
    bool Threshold(const json& object, const char* key, double lo, double hi, bool whole, double& out)
    {
        const auto it = object.find(key);
        if (it == object.end())
            return true;
        const double v = it->is_number() ? it->get<double>() : std::nan("");
        if (!(v >= lo && v <= hi) || (whole && v != std::floor(v)))
            return Fail(wxString::Format("\"probeThresholds\": \"%s\" is not a %s from %s to %s", key,
                                         whole ? "whole number" : "number", wxString::FromCDouble(lo),
                                         wxString::FromCDouble(hi)));
        out = v;
        return true;
    }

    bool Thresholds(ProbeThresholds& t)
    {
        const auto it = m_root.find("probeThresholds");
        if (it == m_root.end() || it->is_null())
            return true;
        if (!it->is_object())
            return Fail("\"probeThresholds\" is not an object");
        double stuck = MinutesOf(t.stuckMs), spikeReturn = MinutesOf(t.spikeReturnMs),
               clock = MinutesOf(t.clockJumpMs);
        if (!Threshold(*it, "stuckMinutes", 1, kMaxThresholdMinutes, true, stuck) ||
            !Threshold(*it, "lowEcUs", 0, kMaxEcUs, false, t.lowEcUs) ||
            !Threshold(*it, "spikeEcUs", 0, kMaxEcUs, false, t.spikeStepEcUs) ||
            !Threshold(*it, "spikePh", 0, kMaxPhStep, false, t.spikeStepPh) ||
            !Threshold(*it, "spikeTemperature", 0, kMaxTemperatureStep, false, t.spikeStepTemperature) ||
            !Threshold(*it, "spikeReturnMinutes", 1, kMaxSpikeReturnMinutes, true, spikeReturn) ||
            !Threshold(*it, "clockJumpMinutes", 1, kMaxThresholdMinutes, true, clock))
            return false;
        t.stuckMs = MsOf(stuck);
        t.spikeReturnMs = MsOf(spikeReturn);
        t.clockJumpMs = MsOf(clock);
        return true;
    }

    bool Version()
    {
        const auto it = m_root.find("format");
        if (it == m_root.end())
            return Fail("\"format\" is missing: this is no grow file");
        if (!it->is_number_integer())
            return Fail("\"format\" is not a whole number");
        const auto format = it->get<int64_t>();
        if (format < 1 || format > kGrowFormat)
            return Fail(wxString::Format("it has format %lld; this program reads format %d",
                                         static_cast<long long>(format), kGrowFormat));
        return true;
    }

    bool Read(Grow& grow)
    {
        if (!m_root.is_object())
            return Fail("it is no JSON object");
        wxString start;
        if (!Version() || !Text(m_root, "name", "", grow.name, true) ||
            !Text(m_root, "start", "", start, true))
            return false;
        if (!ParseDate(Utf8(start), grow.start))
            return Fail("\"start\" is no date of the form 2026-03-01");
        return Logs(grow.logs) && Path(m_root, "profile", grow.profile) &&
               Path(m_root, "schedule1", grow.schedule1) && Path(m_root, "schedule2", grow.schedule2) &&
               Journal(grow.journal) && Thresholds(grow.probeThresholds);
    }

    const wxString& Reason() const { return m_reason; }

private:
    bool Fail(const wxString& reason)
    {
        m_reason = reason;
        return false;
    }

    const json& m_root;
    wxString m_folder;
    wxString m_reason;
};

// A path as the grow file names it: relative to folder, '/' between names.
bool RelativePath(const wxString& path, const wxString& folder, std::string& out, wxString& reason)
{
    wxFileName name(path);
    if (!name.MakeRelativeTo(folder)) {
        reason = "\"" + path + "\" cannot be named relative to the grow file's folder (another drive?)";
        return false;
    }
    out = Utf8(name.GetFullPath(wxPATH_UNIX));
    return true;
}

// Written with the keys in a reader's order: what, then the details.
nlohmann::ordered_json NoteJson(const GrowNote& note)
{
    nlohmann::ordered_json entry = nlohmann::ordered_json::object();
    entry["time"] = FormatLocalTime(note.timeMs);
    entry["kind"] = NoteKindId(note.kind);
    entry["text"] = Utf8(note.text);
    // The details belong to a calibration and a harvest; written for any
    // note that has them, so that nothing a script wrote is lost.
    if (!std::isnan(note.solution))
        entry["solution"] = note.solution;
    if (!std::isnan(note.readingBefore))
        entry["readingBefore"] = note.readingBefore;
    if (!note.yield.empty())
        entry["yield"] = Utf8(note.yield);
    return entry;
}

nlohmann::ordered_json ThresholdsJson(const ProbeThresholds& t)
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    object["stuckMinutes"] = t.stuckMs / kMinuteMs;
    object["lowEcUs"] = t.lowEcUs;
    object["spikeEcUs"] = t.spikeStepEcUs;
    object["spikePh"] = t.spikeStepPh;
    object["spikeTemperature"] = t.spikeStepTemperature;
    object["spikeReturnMinutes"] = t.spikeReturnMs / kMinuteMs;
    object["clockJumpMinutes"] = t.clockJumpMs / kMinuteMs;
    return object;
}

} // namespace

bool ParseLocalTime(const std::string& text, int64_t& ms)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    if (text.size() != 19 || text[10] != 'T' ||
        std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
        return false;
    GrowDate date;
    if (!ParseDate(text.substr(0, 10), date) || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
        return false;
    const wxDateTime t(static_cast<wxDateTime::wxDateTime_t>(d), static_cast<wxDateTime::Month>(mo - 1), y,
                       static_cast<wxDateTime::wxDateTime_t>(h), static_cast<wxDateTime::wxDateTime_t>(mi),
                       static_cast<wxDateTime::wxDateTime_t>(s));
    if (!t.IsValid())
        return false;
    ms = t.GetValue().GetValue();
    return true;
}

std::string FormatLocalTime(int64_t ms)
{
    // Field by field, four digits of year whatever the year (strftime's %Y
    // does not pad the year 999), so that every time written reads back.
    const wxDateTime t{wxLongLong(ms)};
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.GetYear(),
                  static_cast<int>(t.GetMonth()) + 1, t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond());
    return text;
}

int64_t CropDay(const GrowDate& start, int64_t timeMs)
{
    const wxDateTime t{wxLongLong(timeMs)};
    const int64_t day = civil::DaysFromCivil(t.GetYear(), static_cast<int>(t.GetMonth()) + 1, t.GetDay());
    return day - civil::DaysFromCivil(start.year, start.month, start.day);
}

wxString CropDayText(int64_t day)
{
    return wxString::Format("Day %lld", static_cast<long long>(day));
}

bool GrowToJson(const Grow& grow, const wxString& folder, std::string& out, wxString& reason)
{
    using ordered = nlohmann::ordered_json;
    ordered root = ordered::object();
    root["format"] = kGrowFormat;
    root["name"] = Utf8(grow.name);
    root["start"] = FormatDate(grow.start);
    root["logs"] = ordered::array();
    for (const wxString& log : grow.logs) {
        std::string relative;
        if (!RelativePath(log, folder, relative, reason))
            return false;
        root["logs"].push_back(relative);
    }
    const std::pair<const char*, const wxString*> files[] = {
        {"profile", &grow.profile}, {"schedule1", &grow.schedule1}, {"schedule2", &grow.schedule2}};
    for (const auto& [key, path] : files) {
        std::string relative;
        if (path->empty())
            root[key] = nullptr;
        else if (!RelativePath(*path, folder, relative, reason))
            return false;
        else
            root[key] = relative;
    }
    root["journal"] = ordered::array();
    for (const GrowNote& note : grow.journal.Notes())
        root["journal"].push_back(NoteJson(note));
    if (grow.probeThresholds != ProbeThresholds())
        root["probeThresholds"] = ThresholdsJson(grow.probeThresholds);
    // Invalid UTF-8 cannot come from a wxString; replaced all the same.
    out = root.dump(2, ' ', false, ordered::error_handler_t::replace) + "\n";
    return true;
}

LoadResult<Grow> GrowFromJson(const std::string& text, const wxString& folder)
{
    if (text.size() > kGrowFileMaxBytes)
        return FailedLoad<Grow>(LoadStatus::TooLarge, "the file is larger than a grow file can be");
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& e) {
        return FailedLoad<Grow>(LoadStatus::ReadError,
                                wxString::Format("it is no JSON or is cut short (at byte %zu)", e.byte));
    } catch (const json::exception&) {
        // A number beyond any double ("1e999"), say.
        return FailedLoad<Grow>(LoadStatus::ReadError, "it holds a value out of range");
    }
    Grow grow;
    Reader reader(root, folder);
    if (!reader.Read(grow))
        return FailedLoad<Grow>(LoadStatus::ReadError, reader.Reason());
    return LoadedResult(std::move(grow));
}

LoadResult<Grow> ReadGrowFile(const wxString& path)
{
    wxLogNull quiet;
    wxFile file;
    const LoadResult<wxFileOffset> opened = OpenForLoad(path, file);
    if (!opened.Loaded())
        return FailedLoad<Grow>(opened.status, opened.reason);
    if (static_cast<uint64_t>(opened.value) > kGrowFileMaxBytes)
        return FailedLoad<Grow>(LoadStatus::TooLarge, "the file is larger than a grow file can be");
    std::string bytes(static_cast<size_t>(opened.value), '\0');
    if (!bytes.empty() && file.Read(bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        return FailedLoad<Grow>(LoadStatus::ReadError, "the file could not be read");
    return GrowFromJson(bytes, wxFileName(path).GetPath());
}

SaveResult WriteGrowFile(const wxString& path, const Grow& grow)
{
    std::string bytes;
    wxString reason;
    if (!GrowToJson(grow, wxFileName(path).GetPath(), bytes, reason))
        return FailedSave(reason);
    return WriteFileAtomically(path, bytes.data(), bytes.size());
}
