// main() for the core tests: wxBase initialised, every wx assertion a test
// failure (core code must never raise one, whatever bytes it is given).
#include <gtest/gtest.h>

#include <wx/init.h>
#include <wx/log.h>

namespace {
void GTestAssertHandler(const wxString& file, int line, const wxString& func, const wxString& cond,
                        const wxString& msg)
{
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "wx assertion in " << func.utf8_string() << ": " << cond.utf8_string() << " " << msg.utf8_string();
}
} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxInitializer wx(argc, argv);
    if (!wx.IsOk())
        return 2;
    wxSetAssertHandler(GTestAssertHandler);
    delete wxLog::SetActiveTarget(new wxLogStderr);
    return RUN_ALL_TESTS();
}
