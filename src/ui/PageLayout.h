// The layout the four notebook pages share: the page's list above a row of
// buttons that keep to the right end of the row.
#pragma once

#include <initializer_list>

class wxButton;
class wxWindow;

// Gives page a vertical box sizer holding list (proportion 5, expanding,
// 5-pixel border all round) above a horizontal row (proportion 1,
// expanding) of buttons in the order given, each with a 5-pixel border all
// round, at the row's right end; then lays the page out.
void LayOutListAboveButtons(wxWindow* page, wxWindow* list, std::initializer_list<wxButton*> buttons);
