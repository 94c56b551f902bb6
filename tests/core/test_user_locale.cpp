// The program follows the user's locale for dates and times and for its
// character set, nothing else. Run by the
// core_user_locale_* entries, each in a process of its own with LC_ALL set to
// one locale and HALVANE_TEST_LOCALE naming it (the locale changes the whole
// process, so these never run among the other core tests).
#include "core/DateText.h"
#include "core/NodeCall.h"
#include "core/NumberText.h"
#include "core/UserLocale.h"
#include "core/WordHelpers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

struct LocaleTexts {
    const char* name;
    const char* shortFormat;
    const char* date;   // "%x" of 30 December 2012
    const char* time;   // "%X" of 13:05:09
    const char* typed;  // 30 December 2012 as a user of the locale types it
    const char* march;  // "%B" of 1 March 2012
    const char* server; // the name bytes "GEW\xC3\x84" "CHS 1" (UTF-8 for "GEWÄCHS 1") as shown
};

const LocaleTexts kLocales[] = {
    // In "C" each byte of the two-byte letter is no character: two U+FFFD.
    {"C", "%m/%d/%y", "12/30/12", "13:05:09", "12/30/2012", "March",
     "GEW\xEF\xBF\xBD\xEF\xBF\xBD"
     "CHS 1"},
    {"de_DE.UTF-8", "%d.%m.%Y", "30.12.2012", "13:05:09", "30.12.2012",
     "M\xC3\xA4"
     "rz",
     "GEW\xC3\x84"
     "CHS 1"},
    {"en_US.UTF-8", "%m/%d/%Y", "12/30/2012", "01:05:09 PM", "12/30/2012", "March",
     "GEW\xC3\x84"
     "CHS 1"},
};

} // namespace

TEST(UserDateLocale, DatesFollowTheLocaleNumbersKeepTheirForm)
{
    const char* wanted = std::getenv("HALVANE_TEST_LOCALE");
    // Only the core_user_locale_* entries name a locale (and fail when it is missing).
    if (!wanted)
        GTEST_SKIP() << "run through ctest (core_user_locale_*), which sets the locale";
    const LocaleTexts* texts = nullptr;
    for (const LocaleTexts& l : kLocales)
        if (std::string(l.name) == wanted)
            texts = &l;
    ASSERT_NE(texts, nullptr) << "no expected texts for " << wanted;

    ASSERT_TRUE(UseUserLocale()) << "locale " << wanted
                                 << " is not installed: run scripts/install-deps.sh as root";
    EXPECT_EQ(std::string(std::setlocale(LC_TIME, nullptr)), wanted);
    EXPECT_EQ(std::string(std::setlocale(LC_CTYPE, nullptr)), wanted);
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "C");

    const wxDateTime day(30, wxDateTime::Dec, 2012, 13, 5, 9);
    EXPECT_EQ(FormatDateText(day).utf8_string(), texts->date);
    EXPECT_EQ(FormatTimeText(day).utf8_string(), texts->time);
    EXPECT_EQ(DecodePackedDate(0x07DC1E0C).Format("%x").utf8_string(), texts->date);
    EXPECT_EQ(UserShortDateFormat().utf8_string(), texts->shortFormat);
    EXPECT_EQ(ParseUserDateText(texts->typed, UserShortDateFormat()), wxDateTime(30, wxDateTime::Dec, 2012));
    EXPECT_EQ(ParseUserDateText("2012-12-30", UserShortDateFormat()), wxDateTime(30, wxDateTime::Dec, 2012));

    // A month name comes back whole in the user's character set.
    EXPECT_EQ(wxDateTime(1, wxDateTime::Mar, 2012).Format("%B").utf8_string(), texts->march);
    // A controller's name in UTF-8 reads as such in a UTF-8 locale; a byte
    // that is no character of the locale shows as U+FFFD, never vanishes.
    const unsigned char name[16] = {'G', 'E', 'W', 0xC3, 0x84, 'C', 'H', 'S', ' ', '1'};
    EXPECT_EQ(DecodeServerName(name).utf8_string(), texts->server);
    const unsigned char latin1[16] = {'G', 'E', 'W', 0xC4, 'C', 'H', 'S'};
    EXPECT_EQ(DecodeServerName(latin1).utf8_string(), "GEW\xEF\xBF\xBD"
                                                      "CHS");

    // Numbers shown, read and written keep the one form whatever the locale.
    EXPECT_EQ(wxString::Format("%f", 6.5).utf8_string(), "6.500000");
    EXPECT_EQ(FormatTwoDecimals(FloatToWord(6.5f)).utf8_string(), "6.50");
    EXPECT_EQ(ReadDecimalText("6.5"), 6.5);
    EXPECT_EQ(ReadDecimalText("14.00"), 14.0);
    EXPECT_EQ(wxString::Format("%lu", 1500ul).utf8_string(), "1500");

    std::setlocale(LC_TIME, "C");
    std::setlocale(LC_CTYPE, "C");
}
