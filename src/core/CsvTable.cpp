#include "core/CsvTable.h"

#include <csv.h>

#include <wx/file.h>
#include <wx/log.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr unsigned char kBom[] = {0xEF, 0xBB, 0xBF};
constexpr int kFieldBegun = 2; // libcsv's parser state inside a field

// Text has no control characters but tab, line feed and carriage return.
bool LooksBinary(const char* bytes, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F)
            return true;
    }
    return false;
}

bool IsUtf8(const char* bytes, std::size_t size)
{
    std::size_t i = 0;
    while (i < size) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t follow = 0;
        if (c < 0x80)
            follow = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            follow = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            follow = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            follow = 3;
        else
            return false;
        if (i + follow >= size && follow > 0)
            return false;
        for (std::size_t k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        i += follow + 1;
    }
    return true;
}

// A spreadsheet that saves "CSV" in its 8-bit code page: Latin-1 to UTF-8.
std::string Latin1ToUtf8(const char* bytes, std::size_t size)
{
    std::string out;
    out.reserve(size + size / 8);
    for (std::size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The separator is the one of tab, semicolon and comma that the first line
// (outside quotes) holds most often; a line with none is one column.
char FindSeparator(const std::string& text)
{
    std::size_t tabs = 0, semicolons = 0, commas = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == '\t')
            ++tabs;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == ',')
            ++commas;
    }
    if (tabs > semicolons && tabs > commas)
        return '\t';
    if (semicolons > commas)
        return ';';
    return ',';
}

// Where the line starting at start ends: after a line feed, a carriage return
// and line feed, or a carriage return alone (as old Mac spreadsheets save).
std::size_t LineEnd(const std::string& text, std::size_t start)
{
    const std::size_t brk = text.find_first_of("\r\n", start);
    if (brk == std::string::npos)
        return text.size();
    if (text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n')
        return brk + 2;
    return brk + 1;
}

std::size_t CountLineBreaks(const char* text, std::size_t len)
{
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < len; ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == len || text[i + 1] != '\n')))
            ++breaks;
    return breaks;
}

struct Reader {
    CsvTable table;
    CsvRow current;
    std::size_t line = 1;        // the line being fed
    std::size_t recordBytes = 0; // bytes in the cells of the current record
    wxString failure;            // set once; reading stops

    void Fail(const wxString& why)
    {
        if (failure.empty())
            failure = why;
    }
};

void OnField(void* data, std::size_t len, void* context)
{
    auto& reader = *static_cast<Reader*>(context);
    if (!reader.failure.empty())
        return;
    const char* text = data ? static_cast<const char*>(data) : "";
    if (reader.current.cells.empty())
        reader.current.line = reader.line - CountLineBreaks(text, len);
    reader.recordBytes += len;
    if (reader.recordBytes > kCsvMaxRecordBytes) {
        reader.Fail(wxString::Format("the record on line %zu is longer than %zu KiB", reader.current.line,
                                     kCsvMaxRecordBytes / 1024));
        return;
    }
    if (reader.current.cells.size() >= kCsvMaxColumns) {
        reader.Fail(wxString::Format("the record on line %zu has more than %zu columns", reader.current.line,
                                     kCsvMaxColumns));
        return;
    }
    reader.current.cells.emplace_back(text, len);
}

void OnRecord(int, void* context)
{
    auto& reader = *static_cast<Reader*>(context);
    if (!reader.failure.empty())
        return;
    const bool blank = std::all_of(reader.current.cells.begin(), reader.current.cells.end(),
                                   [](const std::string& cell) { return cell.empty(); });
    if (!blank) {
        if (reader.table.rows.size() >= kCsvMaxRecords)
            reader.Fail(wxString::Format("the file holds more than %zu records", kCsvMaxRecords));
        else
            reader.table.rows.push_back(std::move(reader.current));
    }
    reader.current = CsvRow{};
    reader.recordBytes = 0;
}

struct ParserFree {
    void operator()(csv_parser* parser) const
    {
        csv_free(parser);
        delete parser;
    }
};

// Feeds the text to libcsv one physical line at a time (any of the three
// line ends), so that each record
// knows the line it starts on and no line beyond the limit is ever buffered.
void FeedLines(const std::string& text, csv_parser& parser, Reader& reader)
{
    std::size_t start = 0;
    while (start < text.size() && reader.failure.empty()) {
        const std::size_t end = LineEnd(text, start);
        const bool broken = text[end - 1] == '\n' || text[end - 1] == '\r';
        if (end - start > kCsvMaxRecordBytes) {
            reader.Fail(
                wxString::Format("line %zu is longer than %zu KiB", reader.line, kCsvMaxRecordBytes / 1024));
            return;
        }
        if (csv_parse(&parser, text.data() + start, end - start, OnField, OnRecord, &reader) != end - start) {
            reader.Fail(wxString::Format("line %zu cannot be read (%s)", reader.line,
                                         csv_strerror(csv_error(&parser))));
            return;
        }
        start = end;
        if (broken)
            ++reader.line;
    }
}

} // namespace

LoadResult<CsvTable> ParseCsvTable(const char* bytes, std::size_t size)
{
    if (size >= sizeof kBom && std::memcmp(bytes, kBom, sizeof kBom) == 0) {
        bytes += sizeof kBom;
        size -= sizeof kBom;
    }
    if (LooksBinary(bytes, size))
        return FailedLoad<CsvTable>(LoadStatus::ReadError, "it holds binary data, not text");
    const std::string text = IsUtf8(bytes, size) ? std::string(bytes, size) : Latin1ToUtf8(bytes, size);

    std::unique_ptr<csv_parser, ParserFree> parser(new csv_parser);
    if (csv_init(parser.get(), CSV_STRICT_FINI) != 0)
        return FailedLoad<CsvTable>(LoadStatus::ReadError, "there is no memory to read it");
    Reader reader;
    reader.table.separator = FindSeparator(text);
    csv_set_delim(parser.get(), static_cast<unsigned char>(reader.table.separator));
    FeedLines(text, *parser, reader);
    // libcsv ends an unclosed quoted field as if it were closed; its public
    // state says so first (2 is its "field begun" state).
    if (reader.failure.empty() && parser->quoted && parser->pstate == kFieldBegun)
        reader.Fail("a quote opened near the end is never closed");
    if (reader.failure.empty() && csv_fini(parser.get(), OnField, OnRecord, &reader) != 0)
        reader.Fail("the file ends inside a record");
    if (!reader.failure.empty())
        return FailedLoad<CsvTable>(LoadStatus::ReadError, reader.failure);
    return LoadedResult(std::move(reader.table));
}

LoadResult<CsvTable> ReadCsvFile(const wxString& path)
{
    wxLogNull quiet; // the page tells the user
    wxFile file;
    const LoadResult<wxFileOffset> opened = OpenForLoad(path, file);
    if (!opened.Loaded())
        return FailedLoad<CsvTable>(opened.status, opened.reason);
    if (static_cast<unsigned long long>(opened.value) > kCsvMaxFileBytes)
        return FailedLoad<CsvTable>(LoadStatus::TooLarge,
                                    wxString::Format("it is larger than %zu MiB", kCsvMaxFileBytes >> 20));
    const auto size = static_cast<std::size_t>(opened.value);
    std::string bytes(size, '\0');
    if (size != 0 && file.Read(bytes.data(), size) != static_cast<ssize_t>(size))
        return FailedLoad<CsvTable>(LoadStatus::ReadError, "it could not be read whole");
    return ParseCsvTable(bytes.data(), bytes.size());
}
