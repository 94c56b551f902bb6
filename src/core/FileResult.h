// What every load and save of a file in core gives back: one shape for all of
// them. A load returns a LoadResult<T>: its status, the value read (only
// meaningful when Loaded) and, when not Loaded, a one-line reason. A save
// returns a SaveResult: its status and, on failure, a one-line reason for the
// user. Nothing here shows a message; the pages switch on the status.
#pragma once

#include <wx/file.h>
#include <wx/string.h>

#include <utility>

enum class LoadStatus {
    Loaded,    // value holds what the file held (possibly nothing)
    Missing,   // no file at the path
    BadLength, // the length is not a whole number of the file's words, entries or records
    TooLarge,  // more than the reader accepts (a schedule beyond ten years of days)
    ReadError, // the file exists but could not be opened, held in memory or read
};

template <typename T> struct LoadResult {
    LoadStatus status = LoadStatus::ReadError;
    T value{};
    wxString reason; // empty when Loaded

    bool Loaded() const { return status == LoadStatus::Loaded; }
};

template <typename T> LoadResult<T> LoadedResult(T value)
{
    LoadResult<T> result;
    result.status = LoadStatus::Loaded;
    result.value = std::move(value);
    return result;
}

template <typename T> LoadResult<T> FailedLoad(LoadStatus status, const wxString& reason, T value = T{})
{
    LoadResult<T> result;
    result.status = status;
    result.value = std::move(value);
    result.reason = reason;
    return result;
}

// The first steps of every load: opens the file at path for reading into
// file and measures it. Loaded with the file's length (0 or more), Missing
// when there is no file at path (an empty path, or a folder), ReadError when
// it cannot be opened or measured (file is then closed).
LoadResult<wxFileOffset> OpenForLoad(const wxString& path, wxFile& file);

enum class SaveStatus {
    Saved,     // the file is the new content, whole
    Failed,    // nothing was written: a file already at the path is as it was
    Cancelled, // the user stopped it: nothing was written, as for Failed, and nothing to tell
};

struct SaveResult {
    SaveStatus status = SaveStatus::Failed;
    wxString reason; // empty when Saved; otherwise one line for the user

    bool Saved() const { return status == SaveStatus::Saved; }
    bool Cancelled() const { return status == SaveStatus::Cancelled; }
};

inline SaveResult SavedResult()
{
    return {SaveStatus::Saved, wxString()};
}

inline SaveResult FailedSave(const wxString& reason)
{
    return {SaveStatus::Failed, reason};
}

inline SaveResult CancelledSave(const wxString& reason)
{
    return {SaveStatus::Cancelled, reason};
}
