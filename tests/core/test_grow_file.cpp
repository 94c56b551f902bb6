// The grow file: every field written and read back, its paths relative to
// its folder; bad files refused whole with a reason.
#include "temp_dir.h"
#include "time_zone.h"

#include "core/GrowFile.h"

#include <gtest/gtest.h>

#include <wx/filename.h>

#include <cmath>
#include <string>

namespace {

// A path in this system's own form: the test's folder names its files with
// '/', which Windows reads but writes as '\\'.
wxString Native(const wxString& path)
{
    return wxFileName(path).GetFullPath();
}

std::vector<wxString> Native(std::vector<wxString> paths)
{
    for (wxString& path : paths)
        path = Native(path);
    return paths;
}

int64_t Local(const char* text)
{
    int64_t ms = 0;
    EXPECT_TRUE(ParseLocalTime(text, ms)) << text;
    return ms;
}

std::string Text(const std::vector<unsigned char>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Grow SampleGrow(const TempDir& dir)
{
    Grow grow;
    grow.name = wxString::FromUTF8("Tomaten Gewächshaus 2026");
    grow.start = {2026, 3, 1};
    grow.logs = {dir.File("season logs/März 01.hvl"), dir.File("season logs/April.hvl")};
    grow.profile = dir.File("tomato.hvc");
    grow.schedule1 = dir.File("ch 1.hvs");
    GrowNote change;
    change.timeMs = Local("2026-03-04T10:20:00");
    change.kind = NoteKind::ReservoirChange;
    change.text = wxString::FromUTF8("120 l, frisch angesetzt");
    GrowNote calibration;
    calibration.timeMs = Local("2026-03-02T08:00:05");
    calibration.kind = NoteKind::Calibration;
    calibration.text = "PH 1";
    calibration.solution = 7.0;
    calibration.readingBefore = 7.21;
    GrowNote harvest;
    harvest.timeMs = Local("2026-06-30T18:45:00");
    harvest.kind = NoteKind::Harvest;
    harvest.yield = "4.5 kg";
    grow.journal = GrowJournal({change, calibration, harvest});
    return grow;
}

} // namespace

TEST(GrowFile, EveryFieldIsWrittenRelativeAndReadBack)
{
    const WithTimeZone utc("UTC");
    const TempDir dir;
    std::filesystem::create_directory(dir.Path() / "grows");
    const Grow grow = SampleGrow(dir);
    const wxString path = dir.File("grows/Saison ß.hvg");
    ASSERT_TRUE(WriteGrowFile(path, grow).Saved());

    const std::string written = Text(ReadBytes(path));
    EXPECT_EQ(written, R"({
  "format": 1,
  "name": "Tomaten Gewächshaus 2026",
  "start": "2026-03-01",
  "logs": [
    "../season logs/März 01.hvl",
    "../season logs/April.hvl"
  ],
  "profile": "../tomato.hvc",
  "schedule1": "../ch 1.hvs",
  "schedule2": null,
  "journal": [
    {
      "time": "2026-03-02T08:00:05",
      "kind": "calibration",
      "text": "PH 1",
      "solution": 7.0,
      "readingBefore": 7.21
    },
    {
      "time": "2026-03-04T10:20:00",
      "kind": "reservoir-change",
      "text": "120 l, frisch angesetzt"
    },
    {
      "time": "2026-06-30T18:45:00",
      "kind": "harvest",
      "text": "",
      "yield": "4.5 kg"
    }
  ]
}
)");

    const LoadResult<Grow> read = ReadGrowFile(path);
    ASSERT_TRUE(read.Loaded()) << read.reason;
    EXPECT_EQ(read.value.name, grow.name);
    EXPECT_TRUE(read.value.start == grow.start);
    EXPECT_EQ(read.value.logs, Native(grow.logs));
    EXPECT_EQ(read.value.profile, Native(grow.profile));
    EXPECT_EQ(read.value.schedule1, Native(grow.schedule1));
    EXPECT_EQ(read.value.schedule2, "");
    EXPECT_EQ(read.value.journal.Notes(), grow.journal.Notes());

    // The folder moved elsewhere: its files move with it.
    std::filesystem::rename(dir.Path() / "grows", dir.Path() / "moved");
    const LoadResult<Grow> moved = ReadGrowFile(dir.File("moved/Saison ß.hvg"));
    ASSERT_TRUE(moved.Loaded());
    EXPECT_EQ(moved.value.logs[0], Native(dir.File("season logs/März 01.hvl")));
}

TEST(GrowFile, AFileWrittenByAScriptReads)
{
    const WithTimeZone utc("UTC");
    const LoadResult<Grow> read = GrowFromJson(R"({"format": 1, "name": "Lettuce", "start": "2026-01-31",
        "logs": ["a.hvl", "sub/b.hvl"], "journal": [{"time": "2026-02-01T06:00:00", "kind": "top-up"},
        {"time": "2026-02-01T05:00:00", "kind": "service", "text": "pump 3 replaced"}]})",
                                               "/data/grow");
    ASSERT_TRUE(read.Loaded()) << read.reason;
    // In this system's own form ("\\data\\grow\\a.hvl" on Windows).
    EXPECT_EQ(read.value.logs, (std::vector<wxString>{wxFileName("/data/grow/a.hvl").GetFullPath(),
                                                      wxFileName("/data/grow/sub/b.hvl").GetFullPath()}));
    EXPECT_EQ(read.value.profile, "");
    ASSERT_EQ(read.value.journal.Count(), 2u);
    EXPECT_EQ(NoteDescription(read.value.journal[0]), "Pump or probe service: pump 3 replaced");
    EXPECT_EQ(NoteDescription(read.value.journal[1]), "Top-up");
    EXPECT_EQ(CropDay(read.value.start, read.value.journal[0].timeMs), 1);
    EXPECT_EQ(CropDayText(CropDay(read.value.start, Local("2026-02-23T23:59:59"))), "Day 23");
    EXPECT_EQ(CropDay(read.value.start, Local("2026-01-30T12:00:00")), -1);
    // Any year a file may name is written back as it was read.
    for (const char* time : {"0999-12-31T23:59:59", "0001-01-01T00:00:00", "9999-06-15T12:30:00"})
        EXPECT_EQ(FormatLocalTime(Local(time)), time);
}

TEST(GrowFile, BadFilesAreRefusedWholeWithAReason)
{
    const WithTimeZone utc("UTC");
    const std::string good = R"({"format": 1, "name": "G", "start": "2026-03-01", "logs": ["a.hvl"]})";
    ASSERT_TRUE(GrowFromJson(good, "/g").Loaded());
    const std::pair<std::string, const char*> cases[] = {
        {good.substr(0, 40), "it is no JSON or is cut short (at byte 41)"},
        {"", "it is no JSON or is cut short (at byte 1)"},
        {"[1, 2]", "it is no JSON object"},
        {R"({"format": 1, "name": "G", "start": "2026-03-01", "logs": [], "x": 1e999})",
         "it holds a value out of range"},
        {R"({"name": "G", "start": "2026-03-01", "logs": []})",
         "\"format\" is missing: this is no grow file"},
        {R"({"format": 2, "name": "G", "start": "2026-03-01", "logs": []})",
         "it has format 2; this program reads format 1"},
        {R"({"format": "1", "name": "G", "start": "2026-03-01", "logs": []})",
         "\"format\" is not a whole number"},
        {R"({"format": 1, "name": 5, "start": "2026-03-01", "logs": []})", "\"name\" is not a text"},
        {R"({"format": 1, "name": "G", "start": "2026-02-30", "logs": []})",
         "\"start\" is no date of the form 2026-03-01"},
        {R"({"format": 1, "name": "G", "start": "2026-03-01", "logs": "a.hvl"})",
         "\"logs\" is not a list of file names"},
        {R"({"format": 1, "name": "G", "start": "2026-03-01", "logs": ["a.hvl", "/home/ann/b.hvl"]})",
         "\"logs\" entry 2 is an absolute path (\"/home/ann/b.hvl\"); a grow file names its files relative "
         "to "
         "its own folder"},
        {R"({"format": 1, "name": "G", "start": "2026-03-01", "logs": [], "profile": "C:\\grow\\p.hvc"})",
         "\"profile\" is an absolute path (\"C:\\grow\\p.hvc\"); a grow file names its files relative to its "
         "own folder"},
        {R"({"format": 1, "name": "G", "start": "2026-03-01", "logs": [], "journal": [{"time":
         "2026-03-01T24:00:00", "kind": "other"}]})",
         "journal note 1: \"time\" is no date and time of the form 2026-03-04T10:20:00"},
        {R"({"format": 1, "name": "G", "start": "2026-03-01", "logs": [], "journal": [{"time":
         "2026-03-01T10:00:00", "kind": "other"}, {"time": "2026-03-01T10:00:00", "kind": "party"}]})",
         "journal note 2: \"kind\" \"party\" is no kind of note"},
        {R"({"format": 1, "name": "G", "start": "2026-03-01", "logs": [], "journal": [{"time":
         "2026-03-01T10:00:00", "kind": "calibration", "solution": "7"}]})",
         "journal note 1: \"solution\" is not a number"},
    };
    for (const auto& [text, reason] : cases) {
        const LoadResult<Grow> read = GrowFromJson(text, "/g");
        EXPECT_EQ(read.status, LoadStatus::ReadError) << text;
        EXPECT_EQ(read.reason, wxString::FromUTF8(reason)) << text;
        EXPECT_TRUE(read.value.logs.empty() && read.value.name.empty() && read.value.journal.Count() == 0)
            << "nothing half-read of " << text;
    }

    const TempDir dir;
    EXPECT_EQ(ReadGrowFile(dir.File("none.hvg")).status, LoadStatus::Missing);
    // A save that cannot be made leaves nothing behind and says why.
    const SaveResult failed = WriteGrowFile(dir.File("no folder/g.hvg"), GrowFromJson(good, "/g").value);
    EXPECT_FALSE(failed.Saved());
    EXPECT_FALSE(failed.reason.empty());
}

TEST(GrowFile, AJournalOfTenThousandNotesReadsWhole)
{
    const WithTimeZone utc("UTC");
    const TempDir dir;
    Grow grow;
    grow.name = "Big";
    std::vector<GrowNote> notes(10000);
    for (size_t i = 0; i < notes.size(); ++i) {
        notes[i].timeMs = Local("2026-01-01T00:00:00") + static_cast<int64_t>(i) * 60000;
        notes[i].kind = static_cast<NoteKind>(i % kNoteKindCount);
        notes[i].text = wxString::Format("note %zu", i);
    }
    grow.journal = GrowJournal(notes);
    ASSERT_TRUE(WriteGrowFile(dir.File("big.hvg"), grow).Saved());
    const LoadResult<Grow> read = ReadGrowFile(dir.File("big.hvg"));
    ASSERT_TRUE(read.Loaded()) << read.reason;
    ASSERT_EQ(read.value.journal.Count(), 10000u);
    EXPECT_EQ(read.value.journal[9999].text, "note 9999");
    EXPECT_EQ(FormatLocalTime(read.value.journal[9999].timeMs), "2026-01-07T22:39:00");
}

TEST(GrowJournal, NotesStayInTimeOrderAndAreFoundNearATime)
{
    GrowJournal journal;
    auto note = [](int64_t ms, const char* text) {
        GrowNote n;
        n.timeMs = ms;
        n.text = text;
        return n;
    };
    EXPECT_EQ(journal.Add(note(1000, "b")), 0u);
    EXPECT_EQ(journal.Add(note(500, "a")), 0u);
    EXPECT_EQ(journal.Add(note(1000, "c")), 2u); // after the note of the same time
    EXPECT_EQ(journal.AtOrBefore(999), 0u);
    EXPECT_EQ(journal.AtOrBefore(1000), 2u);
    EXPECT_EQ(journal.AtOrBefore(499), GrowJournal::npos);
    EXPECT_EQ(journal.Nearest(800, 250), 1u);
    EXPECT_EQ(journal.Nearest(700, 250), 0u);
    EXPECT_EQ(journal.Nearest(2000, 250), GrowJournal::npos);
    EXPECT_EQ(journal.Within(400, 1000), (std::pair<size_t, size_t>{0, 3}));
    EXPECT_EQ(journal.Replace(0, note(3000, "a later")), 2u);
    EXPECT_EQ(journal[2].text, "a later");
    journal.Remove(1);
    EXPECT_EQ(journal[1].text, "a later");
}

TEST(GrowFile, ProbeThresholdsAreKeptAndBadOnesRefused)
{
    const WithTimeZone utc("UTC");
    Grow grow;
    grow.name = "G";
    grow.logs = {"/g/a.hvl"};
    std::string json;
    wxString reason;
    ASSERT_TRUE(GrowToJson(grow, "/g", json, reason));
    EXPECT_EQ(json.find("probeThresholds"), std::string::npos) << "the defaults are not written";

    grow.probeThresholds.stuckMs = int64_t{90} * 60000;
    grow.probeThresholds.lowEcUs = 150;
    grow.probeThresholds.spikeStepPh = 0.3;
    grow.probeThresholds.spikeReturnMs = int64_t{10} * 60000;
    ASSERT_TRUE(GrowToJson(grow, "/g", json, reason));
    EXPECT_NE(json.find(R"(  "probeThresholds": {
    "stuckMinutes": 90,
    "lowEcUs": 150.0,
    "spikeEcUs": 200.0,
    "spikePh": 0.3,
    "spikeTemperature": 2.0,
    "spikeReturnMinutes": 10,
    "clockJumpMinutes": 60
  }
})"),
              std::string::npos)
        << json;
    const LoadResult<Grow> back = GrowFromJson(json, "/g");
    ASSERT_TRUE(back.Loaded()) << back.reason;
    EXPECT_EQ(back.value.probeThresholds.stuckMs, 5400000);
    EXPECT_EQ(back.value.probeThresholds.lowEcUs, 150);
    EXPECT_EQ(back.value.probeThresholds.spikeStepPh, 0.3);
    EXPECT_EQ(back.value.probeThresholds.spikeReturnMs, 600000);
    EXPECT_EQ(back.value.probeThresholds.clockJumpMs, 3600000);

    // Keys left out keep their defaults.
    const std::string head = R"({"format": 1, "name": "G", "start": "2026-03-01", "logs": ["a.hvl"], )";
    const LoadResult<Grow> some = GrowFromJson(head + R"("probeThresholds": {"spikePh": 0.25}})", "/g");
    ASSERT_TRUE(some.Loaded()) << some.reason;
    EXPECT_EQ(some.value.probeThresholds.spikeStepPh, 0.25);
    EXPECT_EQ(some.value.probeThresholds.stuckMs, 3600000);
    EXPECT_EQ(some.value.probeThresholds.spikeStepEcUs, 200);

    const std::pair<const char*, const char*> bad[] = {
        {R"("probeThresholds": 60})", "\"probeThresholds\" is not an object"},
        {R"("probeThresholds": {"stuckMinutes": "60"}})",
         "\"probeThresholds\": \"stuckMinutes\" is not a whole number from 1 to 100000"},
        {R"("probeThresholds": {"stuckMinutes": 1.5}})",
         "\"probeThresholds\": \"stuckMinutes\" is not a whole number from 1 to 100000"},
        {R"("probeThresholds": {"spikePh": 20}})",
         "\"probeThresholds\": \"spikePh\" is not a number from 0 to 18"},
        {R"("probeThresholds": {"lowEcUs": -1}})",
         "\"probeThresholds\": \"lowEcUs\" is not a number from 0 to 100000"},
        {R"("probeThresholds": {"spikeReturnMinutes": 0}})",
         "\"probeThresholds\": \"spikeReturnMinutes\" is not a whole number from 1 to 1440"},
        {R"("probeThresholds": {"clockJumpMinutes": null}})",
         "\"probeThresholds\": \"clockJumpMinutes\" is not a whole number from 1 to 100000"},
    };
    for (const auto& [tail, why] : bad) {
        const LoadResult<Grow> read = GrowFromJson(head + tail, "/g");
        EXPECT_EQ(read.status, LoadStatus::ReadError) << tail;
        EXPECT_EQ(read.reason, why) << tail;
        EXPECT_TRUE(read.value.logs.empty()) << tail;
    }
}
