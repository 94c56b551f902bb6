// The program follows the user's locale for dates and times only. Run by the
// core_user_locale_* entries, each in a process of its own with LC_ALL set to
// one locale and HALVANE_TEST_LOCALE naming it (the locale changes the whole
// process, so these never run among the other core tests).
#include "core/DateText.h"
#include "core/NodeSchedule.h"
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
    const char* date;  // "%x" of 30 December 2012
    const char* time;  // "%X" of 13:05:09
    const char* typed; // 30 December 2012 as a user of the locale types it
};

const LocaleTexts kLocales[] = {
    {"C", "%m/%d/%y", "12/30/12", "13:05:09", "12/30/2012"},
    {"de_DE.UTF-8", "%d.%m.%Y", "30.12.2012", "13:05:09", "30.12.2012"},
    {"en_US.UTF-8", "%m/%d/%Y", "12/30/2012", "01:05:09 PM", "12/30/2012"},
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

    ASSERT_TRUE(UseUserDateLocale()) << "locale " << wanted
                                     << " is not installed: run scripts/install-deps.sh as root";
    EXPECT_EQ(std::string(std::setlocale(LC_TIME, nullptr)), wanted);
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "C");

    const wxDateTime day(30, wxDateTime::Dec, 2012, 13, 5, 9);
    EXPECT_EQ(FormatDateText(day).utf8_string(), texts->date);
    EXPECT_EQ(FormatTimeText(day).utf8_string(), texts->time);
    EXPECT_EQ(DecodePackedDate(0x07DC1E0C).Format("%x").utf8_string(), texts->date);
    EXPECT_EQ(UserShortDateFormat().utf8_string(), texts->shortFormat);
    EXPECT_EQ(ParseUserDateText(texts->typed, UserShortDateFormat()), wxDateTime(30, wxDateTime::Dec, 2012));
    EXPECT_EQ(ParseUserDateText("2012-12-30", UserShortDateFormat()), wxDateTime(30, wxDateTime::Dec, 2012));

    // Numbers shown, read and written keep the one form whatever the locale.
    EXPECT_EQ(wxString::Format("%f", 6.5).utf8_string(), "6.500000");
    EXPECT_EQ(FormatTwoDecimals(FloatToWord(6.5f)).utf8_string(), "6.50");
    EXPECT_EQ(ReadDecimalText("6.5"), 6.5);
    EXPECT_EQ(ReadDecimalText("14.00"), 14.0);
    EXPECT_EQ(wxString::Format("%lu", 1500ul).utf8_string(), "1500");

    std::setlocale(LC_TIME, "C");
}
