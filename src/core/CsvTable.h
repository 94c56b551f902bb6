// A table read from a CSV file as a spreadsheet saves it: comma, semicolon or
// tab as the separator (found from the first line), UTF-8 with or without a
// byte-order mark (other 8-bit text is taken as Latin-1), RFC 4180 quoting
// (fields in double quotes may hold separators, line breaks and doubled
// quotes). The field splitting is Debian's libcsv; what is ours on top is
// finding the separator, the byte-order mark, the line numbers and the limits
// that keep a file that is no table from filling memory or the screen.
#pragma once

#include "core/FileResult.h"

#include <wx/string.h>

#include <cstddef>
#include <string>
#include <vector>

// Limits on what counts as a table. A feed chart is a few hundred short
// lines; anything far beyond is not one.
constexpr std::size_t kCsvMaxFileBytes = std::size_t{8} * 1024 * 1024;
constexpr std::size_t kCsvMaxRecordBytes = std::size_t{64} * 1024; // one record, quoted line breaks included
constexpr std::size_t kCsvMaxColumns = 1000;
constexpr std::size_t kCsvMaxRecords = 100000;

struct CsvRow {
    std::size_t line = 0;           // the file line the record starts on, from 1
    std::vector<std::string> cells; // UTF-8, quotes removed
};

struct CsvTable {
    char separator = ',';
    std::vector<CsvRow> rows; // records with at least one non-empty cell, in file order
};

// Reads text bytes as a table. ReadError with a one-line reason when the
// bytes are not a table: binary bytes (a NUL or another control character),
// a record over kCsvMaxRecordBytes, more than kCsvMaxColumns cells in a
// record, more than kCsvMaxRecords records, or a quote left open at the end.
LoadResult<CsvTable> ParseCsvTable(const char* bytes, std::size_t size);

// The same for a file; Missing, TooLarge (over kCsvMaxFileBytes) and
// ReadError as the other readers give them.
LoadResult<CsvTable> ReadCsvFile(const wxString& path);
