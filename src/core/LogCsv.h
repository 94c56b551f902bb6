// A node log as comma separated values (RFC 4180, UTF-8, CRLF line ends), for
// spreadsheets: a DateTime column then the log page's fifteen columns.
#pragma once

#include "core/FileResult.h"
#include "core/NodeLog.h"

#include <wx/string.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The header row: "DateTime" then the fifteen list column headers, "\r\n".
std::string LogCsvHeader();

// Appends one field, in double quotes (those inside doubled) when it holds a
// comma, a double quote, CR or LF.
void AppendCsvField(std::string& out, std::string_view field);

// One record's row: the date-time in ISO 8601 local time
// "2012-12-31T13:45:30" (empty when the date or the time is not real); the
// Date and Time columns as ISO 8601 "2012-12-31" and "13:45:30" (each empty
// when not real), which every spreadsheet reads whatever its locale; the
// other columns as recorded: Core, EC and actuator words as unsigned
// integers, PH and temperature as the shortest text that reads back as the
// same single ("6.2", "20.123457"; "nan" or "inf" for such words). "\r\n"
// ends it.
void AppendLogCsvRow(std::string& out, const LogRecord& record);

// Columns after the fifteen: the header's fields and a record's fields,
// each field after its comma.
struct LogCsvExtra {
    std::string header;
    std::function<void(std::string&, const LogRecord&)> append;
};

// Writes the header and rowCount rows (record(i) is the i-th row's record) to
// path, whole or not at all. progress(done, total), when given, is called
// every few thousand rows; returning false cancels (Cancelled) and nothing
// is written. extra, when given, adds its columns to every row.
SaveResult WriteLogCsv(const wxString& path, size_t rowCount,
                       const std::function<const LogRecord&(size_t)>& record,
                       const std::function<bool(size_t, size_t)>& progress = nullptr,
                       const LogCsvExtra* extra = nullptr);
