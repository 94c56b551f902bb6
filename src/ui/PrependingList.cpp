#include "ui/PrependingList.h"

PrependingListCtrl::PrependingListCtrl(wxWindow* parent, wxWindowID id, long style)
    : ReportListCtrl(parent, id, style | wxLC_VIRTUAL)
{
}

void PrependingListCtrl::ShowPrependedRows(long added, long rowCount)
{
    // Read before the count changes: a smaller count forgets rows past it.
    const long selected = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    const long focused = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);

    SetItemCount(rowCount);
    if (selected >= 0) {
        SetItemState(selected, 0, wxLIST_STATE_SELECTED);
        if (selected + added < rowCount)
            SetItemState(selected + added, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    }
    if (focused >= 0 && focused + added < rowCount)
        SetItemState(focused + added, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    Refresh();
}
