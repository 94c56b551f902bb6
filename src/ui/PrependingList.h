// A virtual report list whose new rows go on top.
#pragma once

#include "ui/ReportList.h"

// A wxLC_VIRTUAL list keeps its selection and focus by row number, so rows
// put on top would leave them on whatever slid into those rows. After a
// subclass has put rows on top of its data it calls ShowPrependedRows, which
// moves the selected and focused rows down with their data. The subclass
// keeps the data and formats it in OnGetItemText.
class PrependingListCtrl : public ReportListCtrl {
protected:
    // `style` gains wxLC_VIRTUAL.
    PrependingListCtrl(wxWindow* parent, wxWindowID id, long style);

    // `added` rows went on top and the list now has `rowCount` rows (rows
    // dropped at the bottom included). A selected or focused row that moves
    // past the last row is no longer selected or focused.
    void ShowPrependedRows(long added, long rowCount);
};
