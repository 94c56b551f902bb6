// Reading dates as growers type them, in the short forms of their locales.
#include "core/DateText.h"

#include <gtest/gtest.h>

namespace {

const char* const kUs = "%m/%d/%y";      // the "C" locale
const char* const kUsFull = "%m/%d/%Y";  // en_US
const char* const kGerman = "%d.%m.%Y";  // de_DE
const char* const kBritish = "%d/%m/%y"; // en_GB
const char* const kIso = "%Y-%m-%d";     // sv_SE, and the fallback

wxDateTime Day(int day, wxDateTime::Month month, int year)
{
    return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(day), month, year);
}

struct Case {
    const char* text;
    const char* format;
    wxDateTime expected; // invalid: the text must be refused
};

std::string Describe(const Case& c)
{
    return std::string("\"") + c.text + "\" in " + c.format;
}

} // namespace

TEST(DateText, ReadsEachLocalesOrderAndSeparators)
{
    const wxDateTime dec30 = Day(30, wxDateTime::Dec, 2012);
    const Case cases[] = {
        // US order, two- and four-digit years, with and without leading zeros
        {"12/30/2012", kUs, dec30},
        {"12/30/12", kUs, dec30},
        {"12/30/2012", kUsFull, dec30},
        {"12/30/12", kUsFull, dec30},
        {"1/2/2013", kUs, Day(2, wxDateTime::Jan, 2013)},
        {"01/02/13", kUs, Day(2, wxDateTime::Jan, 2013)},
        {"  12/30/2012 ", kUs, dec30},
        // German order with its dot
        {"30.12.2012", kGerman, dec30},
        {"30.12.12", kGerman, dec30},
        {"3.1.2013", kGerman, Day(3, wxDateTime::Jan, 2013)},
        // British: day first with the US separator
        {"30/12/2012", kBritish, dec30},
        {"12/30/2012", kBritish, wxInvalidDateTime},
        {"01/12/2012", kBritish, Day(1, wxDateTime::Dec, 2012)},
        {"01/12/2012", kUs, Day(12, wxDateTime::Jan, 2012)},
        // ISO in every locale
        {"2012-12-30", kUs, dec30},
        {"2012-12-30", kGerman, dec30},
        {"2012-12-30", kBritish, dec30},
        {"2012-12-30", kIso, dec30},
        {"2012-1-5", kGerman, Day(5, wxDateTime::Jan, 2012)},
        // a locale's separator only
        {"30.12.2012", kUs, wxInvalidDateTime},
        {"12-30-2012", kUs, wxInvalidDateTime},
        {"30/12/2012", kGerman, wxInvalidDateTime},
        {"12/30.2012", kUs, wxInvalidDateTime},
        {"12//30/2012", kUs, dec30 /* a run of separators is one separator */},
    };
    for (const Case& c : cases) {
        const wxDateTime got = ParseUserDateText(c.text, c.format);
        if (c.expected.IsValid()) {
            ASSERT_TRUE(got.IsValid()) << Describe(c);
            EXPECT_EQ(got, c.expected) << Describe(c) << " gave " << got.FormatISODate().utf8_string();
            EXPECT_EQ(got.GetHour(), 0) << Describe(c);
        } else {
            EXPECT_FALSE(got.IsValid()) << Describe(c) << " gave " << got.FormatISODate().utf8_string();
        }
    }
}

TEST(DateText, RefusesWhatIsNoDate)
{
    for (const char* format : {kUs, kGerman, kBritish, kIso}) {
        for (const char* text : {"",
                                 " ",
                                 "13/45/2012",
                                 "45.13.2012",
                                 "0/0/0",
                                 "12/30",
                                 "12/30/",
                                 "12/30/2012/1",
                                 "/12/30/2012",
                                 "12/30/2012x",
                                 "x12/30/2012",
                                 "12/30/201",
                                 "12/30/20123",
                                 "12/30/2",
                                 "123/30/2012",
                                 "12/300/2012",
                                 "2012-13-01",
                                 "2012-00-10",
                                 "2012-12-00",
                                 "2012-12-32",
                                 "0999-01-01",
                                 "12/30/0999",
                                 "30.12.0999",
                                 "today",
                                 "2012-12-30T00:00",
                                 "\xef\xbc\x91\xef\xbc\x92/30/2012"}) {
            const wxString asText = wxString::FromUTF8(text);
            EXPECT_FALSE(ParseUserDateText(asText, format).IsValid()) << '"' << text << "\" in " << format;
        }
    }
    // ISO wants the full year; a two-digit one reads only where the locale's own form is y-m-d.
    EXPECT_FALSE(ParseUserDateText("12-12-30", kUs).IsValid());
    EXPECT_FALSE(ParseUserDateText("12-12-30", kGerman).IsValid());
    EXPECT_EQ(ParseUserDateText("12-12-30", kIso), Day(30, wxDateTime::Dec, 2012));
}

TEST(DateText, LeapDaysFollowTheGregorianRules)
{
    struct Leap {
        const char* german;
        const char* iso;
        bool valid;
    };
    for (const Leap& l : {Leap{"29.02.2012", "2012-02-29", true}, Leap{"29.02.2013", "2013-02-29", false},
                          Leap{"29.02.2000", "2000-02-29", true}, Leap{"29.02.1900", "1900-02-29", false},
                          Leap{"29.02.2100", "2100-02-29", false}, Leap{"29.02.2400", "2400-02-29", true},
                          Leap{"29.02.12", "2012-02-29", true}, Leap{"29.02.13", "2013-02-29", false},
                          Leap{"29.02.00", "2000-02-29", true}, Leap{"28.02.2013", "2013-02-28", true},
                          Leap{"31.04.2012", "2012-04-31", false}, Leap{"30.04.2012", "2012-04-30", true},
                          Leap{"31.12.2012", "2012-12-31", true}, Leap{"32.01.2012", "2012-01-32", false}}) {
        const wxDateTime german = ParseUserDateText(l.german, kGerman);
        const wxDateTime iso = ParseUserDateText(l.iso, kUs);
        EXPECT_EQ(german.IsValid(), l.valid) << l.german;
        EXPECT_EQ(iso.IsValid(), l.valid) << l.iso;
        if (l.valid && german.IsValid() && iso.IsValid()) {
            EXPECT_EQ(german, iso) << l.german;
        }
    }
    EXPECT_EQ(ParseUserDateText("02/29/2000", kUs), Day(29, wxDateTime::Feb, 2000));
    EXPECT_EQ(ParseUserDateText("02/29/00", kUs), Day(29, wxDateTime::Feb, 2000));
}

TEST(DateText, TwoDigitYearsAreThisCentury)
{
    EXPECT_EQ(ParseUserDateText("01/01/00", kUs), Day(1, wxDateTime::Jan, 2000));
    EXPECT_EQ(ParseUserDateText("31.12.99", kGerman), Day(31, wxDateTime::Dec, 2099));
    EXPECT_EQ(ParseUserDateText("01/01/69", kUs), Day(1, wxDateTime::Jan, 2069));
    EXPECT_EQ(ParseUserDateText("01/01/70", kUs), Day(1, wxDateTime::Jan, 2070));
    // and the full year is taken whole, never cut to two digits
    EXPECT_EQ(ParseUserDateText("12/30/1999", kUs), Day(30, wxDateTime::Dec, 1999));
    EXPECT_EQ(ParseUserDateText("12/30/2000", kUs), Day(30, wxDateTime::Dec, 2000));
    EXPECT_EQ(ParseUserDateText("12/30/2020", kUs), Day(30, wxDateTime::Dec, 2020));
    EXPECT_EQ(ParseUserDateText("12/30/9999", kUs), Day(30, wxDateTime::Dec, 9999));
}

TEST(DateText, FormsWithTextAroundTheFields)
{
    // Hungarian "%Y. %m. %d.", Japanese "%Y年%m月%d日": literals before, between and after
    const char* const hungarian = "%Y. %m. %d.";
    EXPECT_EQ(ParseUserDateText("2012. 12. 30.", hungarian), Day(30, wxDateTime::Dec, 2012));
    EXPECT_EQ(ParseUserDateText("2012.12.30", hungarian), Day(30, wxDateTime::Dec, 2012));
    EXPECT_EQ(FormatUserDateText(Day(3, wxDateTime::Jan, 2013), hungarian), "2013. 01. 03.");
    const wxString japanese = wxString::FromUTF8("%Y\xe5\xb9\xb4%m\xe6\x9c\x88%d\xe6\x97\xa5");
    EXPECT_EQ(ParseUserDateText(wxString::FromUTF8("2012\xe5\xb9\xb4"
                                                   "12\xe6\x9c\x88"
                                                   "30\xe6\x97\xa5"),
                                japanese),
              Day(30, wxDateTime::Dec, 2012));
    // glibc's padding flags read as the plain field
    EXPECT_EQ(ParseUserDateText("3.1.2013", "%-d.%-m.%Y"), Day(3, wxDateTime::Jan, 2013));
    // a form naming its month or lacking a field reads ISO only
    for (const char* format : {"%d %b %Y", "%d/%m", "%d%m%Y", "%d/%m/%y/%d", ""}) {
        EXPECT_FALSE(ParseUserDateText("30/12/2012", format).IsValid()) << format;
        EXPECT_EQ(ParseUserDateText("2012-12-30", format), Day(30, wxDateTime::Dec, 2012)) << format;
        EXPECT_EQ(FormatUserDateText(Day(30, wxDateTime::Dec, 2012), format), "2012-12-30") << format;
    }
}

TEST(DateText, WritesTheFullYearInTheLocalesOrder)
{
    const wxDateTime jan3 = Day(3, wxDateTime::Jan, 2013);
    EXPECT_EQ(FormatUserDateText(jan3, kUs), "01/03/2013");
    EXPECT_EQ(FormatUserDateText(jan3, kUsFull), "01/03/2013");
    EXPECT_EQ(FormatUserDateText(jan3, kGerman), "03.01.2013");
    EXPECT_EQ(FormatUserDateText(jan3, kBritish), "03/01/2013");
    EXPECT_EQ(FormatUserDateText(jan3, kIso), "2013-01-03");
    EXPECT_EQ(FormatUserDateText(wxInvalidDateTime, kUs), "");
    // what is written reads back as the same day, the century included
    for (const wxDateTime& day : {jan3, Day(29, wxDateTime::Feb, 2000), Day(31, wxDateTime::Dec, 1999),
                                  Day(1, wxDateTime::Mar, 2100)})
        for (const char* format : {kUs, kUsFull, kGerman, kBritish, kIso})
            EXPECT_EQ(ParseUserDateText(FormatUserDateText(day, format), format), day) << format;
}
