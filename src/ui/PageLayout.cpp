#include "ui/PageLayout.h"

#include <wx/button.h>
#include <wx/sizer.h>

void LayOutListAboveButtons(wxWindow* page, wxWindow* list, std::initializer_list<wxButton*> buttons)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(list, 5, wxEXPAND | wxALL, page->FromDIP(5));

    // A horizontal box cannot align its items along its own direction (wx 3.2
    // asserts on wxALIGN_RIGHT there); the stretch spacer in front takes the
    // row's spare width and so puts the buttons at its right end.
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->AddStretchSpacer();
    for (wxButton* button : buttons)
        row->Add(button, 0, wxALL, page->FromDIP(5));
    column->Add(row, 1, wxEXPAND);

    page->SetSizer(column);
    page->Layout();
}
