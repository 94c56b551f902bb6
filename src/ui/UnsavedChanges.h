// The question asked before unsaved work would be lost: "Save", "Discard"
// and "Cancel" in the order the platform puts them.
#pragma once

#include <wx/string.h>

#include <vector>

class wxWindow;

enum class UnsavedAnswer { Save, Discard, Cancel };

// The caption of every unsaved-changes question.
wxString UnsavedChangesCaption();

// "Save the changes to A and B before ACTION?": what lists the unsaved work
// ("the configuration profile", "the schedule"), action what comes next.
wxString UnsavedChangesQuestion(const std::vector<wxString>& what, const wxString& action);

// Asks the question. Without canCancel (the session is ending and will not
// wait) only "Save" and "Discard" are offered.
UnsavedAnswer AskAboutUnsavedChanges(wxWindow* parent, const wxString& question, bool canCancel = true);
