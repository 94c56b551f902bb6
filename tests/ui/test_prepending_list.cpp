// The virtual list both the log and node call pages put new rows on top of:
// selection and focus go down with their rows, and leave when their row is
// dropped at the bottom. (Each page's own test checks it through the page.)
#include "wx_test_util.h"

#include "ui/PrependingList.h"

#include <deque>

namespace {

// Rows named by the caller, newest first, at most `cap` of them.
class NamedRows : public PrependingListCtrl {
public:
    NamedRows(wxWindow* parent, size_t cap)
        : PrependingListCtrl(parent, wxID_ANY, wxLC_REPORT | wxLC_SINGLE_SEL), m_cap(cap)
    {
        InsertColumn(0, "Name");
    }
    void Prepend(std::initializer_list<const char*> newestLast)
    {
        for (const char* name : newestLast)
            m_rows.push_front(name);
        if (m_rows.size() > m_cap)
            m_rows.resize(m_cap);
        ShowPrependedRows(static_cast<long>(newestLast.size()), static_cast<long>(m_rows.size()));
    }
    wxString Selected() const { return NameAt(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)); }
    wxString Focused() const { return NameAt(GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED)); }
    void SelectAndFocus(long row)
    {
        SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                     wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    }

protected:
    wxString OnGetItemText(long item, long) const override { return NameAt(item); }

private:
    wxString NameAt(long row) const
    {
        return row >= 0 && static_cast<size_t>(row) < m_rows.size() ? m_rows[static_cast<size_t>(row)]
                                                                    : wxString("(none)");
    }
    std::deque<wxString> m_rows;
    size_t m_cap;
};

} // namespace

TEST(PrependingList, SelectionAndFocusStayWithTheirRows)
{
    auto* frame = new wxFrame(TestTopFrame(), wxID_ANY, "list", wxDefaultPosition, wxSize(300, 300));
    auto* list = new NamedRows(frame, 6);
    ASSERT_TRUE(ShowAndWaitForPaint(frame, ListRowsWindow(list)));
    EXPECT_TRUE(list->HasFlag(wxLC_VIRTUAL));

    // Nothing selected: rows on top select nothing.
    list->Prepend({"a", "b", "c"});
    ASSERT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->GetItemText(0), "c");
    EXPECT_EQ(list->GetSelectedItemCount(), 0);

    // "b" (row 1) selected and focused; two rows on top move it to row 3.
    list->SelectAndFocus(1);
    list->Prepend({"d", "e"});
    ASSERT_EQ(list->GetItemCount(), 5);
    EXPECT_EQ(list->GetSelectedItemCount(), 1);
    EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 3);
    EXPECT_EQ(list->Selected(), "b");
    EXPECT_EQ(list->Focused(), "b");

    // At the cap of 6 the oldest rows drop; "b" goes down to the last row ...
    list->Prepend({"f", "g"});
    ASSERT_EQ(list->GetItemCount(), 6);
    EXPECT_EQ(list->GetItemText(5), "b");
    EXPECT_EQ(list->Selected(), "b");
    // ... and one more drops it: nothing is selected, rather than whatever
    // row took its place.
    list->Prepend({"h"});
    ASSERT_EQ(list->GetItemCount(), 6);
    EXPECT_EQ(list->GetItemText(5), "c");
    EXPECT_EQ(list->GetSelectedItemCount(), 0);
    EXPECT_NE(list->Selected(), "c");

    EXPECT_TRUE(DestroyAndWait(frame));
}
