// The parameter texts checked against a table written out here by hand
// from the controller's documentation: every name, description, unit and
// help page of all 100 indexes, empty ones included.
#include "core/ParameterTable.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

struct Expected {
    int index;
    const char* name;
    const char* description;
    const char* unit;
    const char* help; // key into kPages, "" for none
};

const Expected kExpected[kParameterCount] = {
    {0, "", "", "", ""},
    {1, "Operation Mode", "Operation Mode.", "", "H1"},
    {2, "", "", "", ""},
    {3, "Actuator 1 Dosage Rate", "Dosage Rate of Actuator 1 in mL/min.", "ml/min", "H2"},
    {4, "Actuator 2 Dosage Rate", "Dosage Rate of Actuator 2 in mL/min.", "ml/min", "H2"},
    {5, "Actuator 3 Dosage Rate", "Dosage Rate of Actuator 3 in mL/min.", "ml/min", "H2"},
    {6, "Actuator 4 Dosage Rate", "Dosage Rate of Actuator 4 in mL/min.", "ml/min", "H2"},
    {7, "Actuator 5 Dosage Rate", "Dosage Rate of Actuator 5 in mL/min.", "ml/min", "H2"},
    {8, "Actuator 6 Dosage Rate", "Dosage Rate of Actuator 6 in mL/min.", "ml/min", "H2"},
    {9, "EC1 Actuator 1 Dosage Ratio", "Dosage Ratios of EC1 in parts.", "parts", "H3"},
    {10, "EC1 Actuator 2 Dosage Ratio", "Dosage Ratios of EC1 in parts.", "parts", "H3"},
    {11, "EC1 Actuator 3 Dosage Ratio", "Dosage Ratios of EC1 in parts.", "parts", "H3"},
    {12, "EC1 Actuator 4 Dosage Ratio", "Dosage Ratios of EC1 in parts.", "parts", "H3"},
    {13, "EC1 Actuator 5 Dosage Ratio", "Dosage Ratios of EC1 in parts.", "parts", "H3"},
    {14, "EC1 Actuator 6 Dosage Ratio", "Dosage Ratios of EC1 in parts.", "parts", "H3"},
    {15, "EC2 Actuator 1 Dosage Ratio", "Dosage Ratios of EC2 in parts.", "parts", "H3"},
    {16, "EC2 Actuator 2 Dosage Ratio", "Dosage Ratios of EC2 in parts.", "parts", "H3"},
    {17, "EC2 Actuator 3 Dosage Ratio", "Dosage Ratios of EC2 in parts.", "parts", "H3"},
    {18, "EC2 Actuator 4 Dosage Ratio", "Dosage Ratios of EC2 in parts.", "parts", "H3"},
    {19, "EC2 Actuator 5 Dosage Ratio", "Dosage Ratios of EC2 in parts.", "parts", "H3"},
    {20, "EC2 Actuator 6 Dosage Ratio", "Dosage Ratios of EC2 in parts.", "parts", "H3"},
    {21, "PH1 UP Actuator 1 Dosage Ratio", "Dosage Ratios of PH1 UP in parts.", "parts", "H4"},
    {22, "PH1 UP Actuator 2 Dosage Ratio", "Dosage Ratios of PH1 UP in parts.", "parts", "H4"},
    {23, "PH1 UP Actuator 3 Dosage Ratio", "Dosage Ratios of PH1 UP in parts.", "parts", "H4"},
    {24, "PH1 UP Actuator 4 Dosage Ratio", "Dosage Ratios of PH1 UP in parts.", "parts", "H4"},
    {25, "PH1 UP Actuator 5 Dosage Ratio", "Dosage Ratios of PH1 UP in parts.", "parts", "H4"},
    {26, "PH1 UP Actuator 6 Dosage Ratio", "Dosage Ratios of PH1 UP in parts.", "parts", "H4"},
    {27, "PH2 UP Actuator 1 Dosage Ratio", "Dosage Ratios of PH2 UP in parts.", "parts", "H4"},
    {28, "PH2 UP Actuator 2 Dosage Ratio", "Dosage Ratios of PH2 UP in parts.", "parts", "H4"},
    {29, "PH2 UP Actuator 3 Dosage Ratio", "Dosage Ratios of PH2 UP in parts.", "parts", "H4"},
    {30, "PH2 UP Actuator 4 Dosage Ratio", "Dosage Ratios of PH2 UP in parts.", "parts", "H4"},
    {31, "PH2 UP Actuator 5 Dosage Ratio", "Dosage Ratios of PH2 UP in parts.", "parts", "H4"},
    {32, "PH2 UP Actuator 6 Dosage Ratio", "Dosage Ratios of PH2 UP in parts.", "parts", "H4"},
    {33, "PH1 DO Actuator 1 Dosage Ratio", "Dosage Ratios of PH1 DOWN in parts.", "parts", "H5"},
    {34, "PH1 DO Actuator 2 Dosage Ratio", "Dosage Ratios of PH1 DOWN in parts.", "parts", "H4"},
    {35, "PH1 DO Actuator 3 Dosage Ratio", "Dosage Ratios of PH1 DOWN in parts.", "parts", "H4"},
    {36, "PH1 DO Actuator 4 Dosage Ratio", "Dosage Ratios of PH1 DOWN in parts.", "parts", "H4"},
    {37, "PH1 DO Actuator 5 Dosage Ratio", "Dosage Ratios of PH1 DOWN in parts.", "parts", "H4"},
    {38, "PH1 DO Actuator 6 Dosage Ratio", "Dosage Ratios of PH1 DOWN in parts.", "parts", "H4"},
    {39, "PH2 DO Actuator 1 Dosage Ratio", "Dosage Ratios of PH2 DOWN in parts.", "parts", "H4"},
    {40, "PH2 DO Actuator 2 Dosage Ratio", "Dosage Ratios of PH2 DOWN in parts.", "parts", "H4"},
    {41, "PH2 DO Actuator 3 Dosage Ratio", "Dosage Ratios of PH2 DOWN in parts.", "parts", "H4"},
    {42, "PH2 DO Actuator 4 Dosage Ratio", "Dosage Ratios of PH2 DOWN in parts.", "parts", "H4"},
    {43, "PH2 DO Actuator 5 Dosage Ratio", "Dosage Ratios of PH2 DOWN in parts.", "parts", "H4"},
    {44, "PH2 DO Actuator 6 Dosage Ratio", "Dosage Ratios of PH2 DOWN in parts.", "parts", "H4"},
    {45, "", "", "", ""},
    {46, "EC1 Target", "Target EC1 (0 to 20000 uS).", "uS", "H6"},
    {47, "EC2 Target", "Target EC2 (0 to 20000 uS).", "uS", "H6"},
    {48, "PH1 Target", "Target PH1 (1.0 to 14.0) or (0.0 for off).", "", "H7"},
    {49, "PH2 Target", "Target PH2 (1.0 to 14.0) or (0.0 for off).", "", "H7"},
    {50, "EC1 Tolerance", "Tolerance of EC1 in uS from 50 to 3000.", "uS", "H8"},
    {51, "EC2 Tolerance", "Tolerance of EC2 in uS from 50 to 3000.", "uS", "H8"},
    {52, "PH1 Tolerance", "Tolerance of PH1 in percent, from 0.01 to 2.00.", "", "H9"},
    {53, "PH2 Tolerance", "Tolerance of PH2 in percent, from 0.01 to 2.00.", "", "H10"},
    {54, "EC1 Dosage Increment", "Dosage Increment EC1 in mL from 1 to 65000.", "ml", "H11"},
    {55, "EC2 Dosage Increment", "Dosage Increment EC2 in mL from 1 to 65000.", "ml", "H11"},
    {56, "PH1 Up Dosage Increment", "Dosage Increment of PH1 Up in mL from 1 to 65000.", "ml", "H12"},
    {57, "PH2 Up Dosage Increment", "Dosage Increment of PH2 Up in mL from 1 to 65000.", "ml", "H13"},
    {58, "PH1 Down Dosage Increment", "Dosage Increment of PH1 Down in mL from 1 to 65000.", "ml", "H14"},
    {59, "PH2 Down Dosage Increment", "Dosage Increment of PH2 Down in mL from 1 to 65000.", "ml", "H14"},
    {60, "", "", "", ""},
    {61, "", "", "", ""},
    {62, "", "", "", ""},
    {63, "", "", "", ""},
    {64, "EC1 Stabilization Delay", "EC1 stabilization delay in samples from 1 to 65000.", "samples", "H15"},
    {65, "EC2 Stabilization Delay", "EC2 stabilization delay in samples from 1 to 65000.", "samples", "H15"},
    {66, "PH1 Stabilization Delay", "PH1 stabilization delay in samples from 1 to 65000.", "samples", "H16"},
    {67, "PH2 Stabilization Delay", "PH2 stabilization delay in samples from 1 to 65000.", "samples", "H16"},
    {68, "", "", "", ""},
    {69, "", "", "", ""},
    {70, "", "", "", ""},
    {71, "", "", "", ""},
    {72, "", "", "", ""},
    {73, "", "", "", ""},
    {74, "", "", "", ""},
    {75, "", "", "", ""},
    {76, "", "", "", ""},
    {77, "", "", "", ""},
    {78, "", "", "", ""},
    {79, "", "", "", ""},
    {80, "Server's Hostname, max 16 characters", "Server's Hostname, max 16 characters.", "", "H17"},
    {81, "", "", "", ""},
    {82, "", "", "", ""},
    {83, "", "", "", ""},
    {84, "Server's IP Address to listen on", "Server's IP Address to listen on.", "", ""},
    {85, "", "", "", ""},
    {86, "Server's Default Gateway", "Server's Default Gateway.", "", "H18"},
    {87, "Server's Subnet Mask", "Server's Subnet Mask.", "", "H19"},
    {88, "Server's Primary DNS Server", "Server's Primary DNS Server.", "", "H20"},
    {89, "Server's Secondary DNS Server", "Server's Secondary DNS Server.", "", "H21"},
    {90, "Username, max 16 characters", "Username, max 16 characters.", "", "H22"},
    {91, "", "", "", ""},
    {92, "", "", "", ""},
    {93, "", "", "", ""},
    {94, "Password, max 16 characters", "Password, max 16 characters.", "", "H23"},
    {95, "", "", "", ""},
    {96, "", "", "", ""},
    {97, "", "", "", ""},
    {98, "Server's Network Configuration", "Server's Network Configuration.", "", "H24"},
    {99, "", "", "", ""},
};

// Pages H20 and H21 are checked for their content below, not word for word.
const std::map<std::string, std::string> kPages = {
    {"H1", "<html><body> There are four modes of operation the Halvane Duo can be set to: <p>In "
           "<b>Sensors Only Mode</b>, the EC, PH, and temperature probes will be read but no "
           "adjustments will be made by switching outputs.</p> <p>In <b>Single Channel / Single "
           "Environment Mode</b>, the EC, PH, and temperature probes will be read on both channels, "
           "but will adjust levels on channel one.  Ignore channel two.</p> <p>In <b>Dual Channel / "
           "Single Environment Mode</b>, the EC, PH, and temperature probes will be read on both "
           "channels, using one channel as a backup for the other, the controller will adjust "
           "levels on channel one.  Ignore channel two.</p> <p>In <b>Dual Channel / Dual "
           "Environment Mode</b>, the EC, PH, and temperature probes will be read on both channels, "
           "and will be adjusted on both channels independently.</p></body></hmtl>"},
    {"H2", "<html><body> These are the rates of dosage that each pump, solenoid valve, or similar "
           "actuator will dispense.  Each output that will be used must be assigned this parameter, "
           "a zero null value will imply no connection to an actuator for that channel.  Input is "
           "in mL/min or millimeters per minute, bounded <i>0</i> to <i>65000</i>. </body></html>"},
    {"H3", "<html><body> These are the ratios of each solution neccessary to make a positive "
           "adjustment to the conductivity of the solution in the reservoir.  Relate these factors "
           "to the <b>Dosage Increment</b> for that EC channel to determine the exact number of ml "
           "(milliliters) will be dispensed after each cycle.  For example, if you require "
           "<i>10</i> mL of liquid dispensed from <b>Actuator 1</b> and <i>20</i> ml of liquid "
           "dispensed from <b>Actuator 2</b>, set the ratios of the EC channel to <i>1</i>, "
           "<i>2</i>, <i>0</i>, <i>0</i>, <i>0</i>, <i>0</i> and the <b>Dosage Increment</b> to "
           "<i>30</i> ml.  You can alternatively input a set of ratios of <i>10</i>, <i>20</i>, "
           "<i>0</i>, <i>0</i>, <i>0</i>, <i>0</i>, the result will be the same.  Bounded from "
           "<i>0</i> to <i>100</i>. </body></html>"},
    {"H4", "<html><body> There are four sets of ratios that may be required for your application. "
           "Two pairs of sets of ratios for each of two PH channels, a <b>PH UP</b> and a <b>PH "
           "DOWN</b> set.  These sets of ratios tell the Dosing Program how much to dispense of "
           "each liquid when a positive PH adjustment is needed <b>PH UP</b> and when a negative "
           "adjustment is needed <b>PH DOWN</b>.  For example if you require the reservoir related "
           "to channel 2 to be adjusted with <i>5</i> ml dosings of Actuator 1 and <i>10</i> ml of "
           "Actuator 2 for a <b>PH UP</b> event, and just <i>5</i> mL of Actuator 3 for a <b>PH "
           "DOWN</b> event, set the <b>Dosage Ratio for PH UP</b> to <i>1</i>, <i>2</i>, <i>0</i>, "
           "<i>0</i>, <i>0</i>, <i>0</i> and the <b>PH UP DOSAGE</b> for that channel to <i>15</i> "
           "ml, as well as setting the <b>Dosage Ratio for PH DOWN</b> to <i>1</i>, <i>2</i>, "
           "<i>0</i>, <i>0</i>, <i>0</i>, <i>0</i> and the <b>PH DOWN DOSAGE</b> to <i>5</i> ml.  "
           "Bounded from <i>0</i> to <i>100</i>. </body></html>"},
    {"H5", "<html><body> There are four sets of ratios that may be required for your application. "
           "Two pairs of sets of ratios for each of two PH channels, a <b>PH UP</b> and a <b>PH "
           "DOWN</b> set.  These sets of ratios tell the Dosing Program how much to dispense of "
           "each liquid when a positive PH adjustment is needed <b>PH UP</b> and when a negative "
           "adjustment is needed <b>PH DOWN</b>.  For example if you require the reservoir related "
           "to channel 2 to be adjusted with <i>5</i> ml dosings of Actuator 1 and <i>10</i> ml of "
           "Actuator 2 for a <b>PH UP</b> event, and just <i>5</i> ml of Actuator 3 for a <b>PH "
           "DOWN</b> event, set the <b>Dosage Ratio for PH UP</b> to <i>1</i>, <i>2</i>, <i>0</i>, "
           "<i>0</i>, <i>0</i>, <i>0</i> and the <b>PH UP DOSAGE</b> for that channel to <i>15</i> "
           "ml, as well as setting the <b>Dosage Ratio for PH DOWN</b> to <i>1</i>, <i>2</i>, "
           "<i>0</i>, <i>0</i>, <i>0</i>, <i>0</i> and the <b>PH DOWN DOSAGE</b> to <i>5</i> ml.  "
           "Bounded from <i>0</i> to <i>100</i>. </body></html>"},
    {"H6", "<html><body> This is the target EC conductivity measurement set for the associated "
           "channel's reservoir.  This value is overridden in the event that a schedule file for "
           "the EC channel is present in the uSD card's root directory, and an entry to that date "
           "is present.  This number is from <i>0</i> to <i>20,000</i> uS (uSiemens).  A zero null "
           "value indicates that this channel's conductivity will not be maintained by the Dosing "
           "Program. </body></html>"},
    {"H7", "<html><body> This is the target PH measurement set for the associated channel's "
           "reservoir.  This value is overridden in the event that a schedule file for the PH "
           "channel is present in the uSD card's root directory, and an entry to that date is "
           "present.  This number is from <i>0.00</i> to <i>14.00</i>.  A zero null value indicates "
           "that this channel's acidity will not be maintained by the Dosing Program. </body></html>"},
    {"H8", "<html><body> This is the amount of tolerance a conductivity measurement (EC) the Dosing "
           "Program will allow before an \textbf{EC UP} event is triggered.  This value is an amount "
           "in uS the reading may vary, for instance if you set this to <i>100</i>, the EC reading "
           "for that channel may vary up to <i>100</i> uS of the set level.  It is a value from "
           "<i>20</i> to <i>1000</i> uS, microSiemens. </body></html>"},
    {"H9", "<html><body> This is the amount of tolerance an acidity measurement (pH) the Dosing "
           "Program will allow before a <b>PH UP</b> or <b>PH DOWN</b> event is triggered.  This "
           "value is the amount the reading may vary, for instance if you set this to <i>20</i>, "
           "the pH reading for that channel may vary up to <i>0.20</i> of the set level.  It is a "
           "value from <i>0.01</i> to <i>2.00</i>. </body></html>"},
    {"H10", "<html><body> This is the amount of tolerance an acidity measurement (pH) the Dosing "
            "Program will allow before a \textbf{PH UP} or \textbf{PH DOWN} event is triggered.  This "
            "value is the amount the reading may vary, for instance if you set this to <i>20</i>, "
            "the pH reading for that channel may vary up to <i>0.20</i> of the set level.  It is a "
            "value from <i>0.01</i> to <i>2.00</i>. </body></html>"},
    {"H11", "<html><body> This is the amount of total liquid to dispense by all actuators referenced "
            "by this EC channel's <b>Dosage Ratio</b>.  It is a value from <i>1</i> to <i>65000</i> "
            "mL, milliLiters.  A <i>zero</i> null value indicates that this channel's EC will not be "
            "attempted to be increased by the Dosing Program. </body></html>"},
    {"H12", "<html><body> This is the amount of total liquid to dispense by all actuators referenced "
            "by this PH channel's <b>Dosage Ratio</b> for a <b>PH UP</b> event.  It is a value from "
            "<i>1</i> to <i>65000</i> ml, milliLiters. </body></html>"},
    {"H13", "<html><body> This is the amount of total liquid to dispense by all actuators referenced "
            "by this PH channel's <b>Dosage Ratio</b> for a <b>PH UP</b> event.  It is a value from "
            "<i>1</i> to <i>65000</i> ml, milliliters. </body></html>"},
    {"H14", "<html><body> This is the amount of total liquid to dispense by all actuators referenced "
            "by this PH channel's <b>Dosage Ratio</b> for a <b>PH DOWN</b> event.  It is a value "
            "from <i>1</i> to <i>65000</i> mL, milliliters. </body></html>"},
    {"H15", "<html><body> This is the minimum number of readings the sensor system will collect and "
            "compare to be equal given a tolerance, <b>EC Tolerance</b>, in order to confirm that "
            "the readings are stable.  This value is bounded from <i>1</i> to <i>65000</i> samples. "
            "</body></html>"},
    {"H16", "<html><body> This is the minimum number of readings the sensor system will collect and "
            "compare to be equal given a tolerance, <b>PH Tolerance</b>, in order to confirm that "
            "the readings are stable.  This value is bounded from <i>1</i> to <i>65000</i> samples. "
            "</body></html>"},
    {"H17", "<html><body> Server's Hostname, max 16 characters.  This will help identify your "
            "server. </body></html>"},
    {"H18", "<html><body> Server's Default Gateway.  This is typically the IP address of your "
            "router/wireless access point.  On many LinkSys routers, this is defaulted to "
            "192.168.1.1. </body></html>"},
    {"H19", "<html><body> Server's Subnet Mask.  This setting is used to describe a mask for your "
            "network.  On many LinkSys routers, this is defaulted to 255.255.255.0. </body></html>"},
    {"H22", "<html><body> Server's Username, max 16 characters. This is to authenticate users in the "
            "HTTP web client. </body></html>"},
    {"H23", "<html><body> Server's Password, max 16 characters. This is to authenticate users in the "
            "HTTP web client.  </body></html>"},
    {"H24", "<html><body> Server's Network Configuration.  This is where you set specific settings "
            "for your network.  For instance, turn on <b>DHCP</b> to make your controller obtain "
            "network settings like, IP address, default gateway, subnet mask, etc. automatically "
            "from your router or DHCP server. </body></html>"},
};

struct Tables {
    ParameterTexts names, descriptions, units, help;
    Tables()
    {
        FillParameterNames(names);
        FillShortDescriptions(descriptions);
        FillUnitTexts(units);
        FillHelpTexts(help);
    }
};

} // namespace

TEST(ParameterTable, EveryIndexHasItsNameDescriptionAndUnit)
{
    const Tables t;
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(testing::Message() << "index " << e.index);
        EXPECT_EQ(t.names[e.index].utf8_string(), e.name);
        EXPECT_EQ(t.descriptions[e.index].utf8_string(), e.description);
        EXPECT_EQ(t.units[e.index].utf8_string(), e.unit);
    }
}

TEST(ParameterTable, EveryIndexHasItsHelpPage)
{
    const Tables t;
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(testing::Message() << "index " << e.index << " page " << e.help);
        const std::string help = t.help[e.index].utf8_string();
        const std::string key = e.help;
        if (key.empty()) {
            EXPECT_EQ(help, "");
        } else if (key == "H20" || key == "H21") {
            const std::string opening = key == "H20" ? "<html><body> Server's Primary DNS Server."
                                                     : "<html><body> Server's Secondary DNS Server.";
            EXPECT_EQ(help.rfind(opening, 0), 0u) << help;
            EXPECT_GE(help.size(), 14u);
            EXPECT_EQ(help.substr(help.size() - 14), "</body></html>");
            EXPECT_NE(help.find("domain names"), std::string::npos);
            EXPECT_NE(help.find("router"), std::string::npos);
            EXPECT_NE(help.find("LinkSys"), std::string::npos);
            EXPECT_NE(help.find("192.168.1.1"), std::string::npos);
            EXPECT_EQ(help.find("www."), std::string::npos);
            EXPECT_EQ(help.find(".com"), std::string::npos);
        } else {
            ASSERT_TRUE(kPages.count(key));
            EXPECT_EQ(help, kPages.at(key));
        }
    }
}

TEST(ParameterTable, PagesThatLookAlikeDifferWhereTheyShould)
{
    const Tables t;
    // Index 84 has a name and a description but no help page.
    EXPECT_FALSE(t.names[84].empty());
    EXPECT_FALSE(t.descriptions[84].empty());
    EXPECT_TRUE(t.help[84].empty());
    // H5 (index 33) differs from H4 only in "ml" against "mL" about Actuator 3.
    wxString h4 = t.help[21], h5 = t.help[33];
    EXPECT_NE(h4, h5);
    EXPECT_EQ(t.help[34], h4);
    EXPECT_EQ(t.help[44], h4);
    EXPECT_EQ(h4.Replace("<i>5</i> mL of Actuator 3", "<i>5</i> ml of Actuator 3"), 1);
    EXPECT_EQ(h4, h5);
    // H13 (index 57) differs from H12 (index 56) in "milliliters" against "milliLiters".
    wxString h12 = t.help[56], h13 = t.help[57];
    EXPECT_NE(h12, h13);
    EXPECT_EQ(h12.Replace("milliLiters", "milliliters"), 1);
    EXPECT_EQ(h12, h13);
    EXPECT_EQ(t.help[58], t.help[59]);
    // The tab characters of H8 and H10 and the closing tag of H1 are kept.
    EXPECT_NE(t.help[50].Find("\textbf{EC UP}"), wxNOT_FOUND);
    EXPECT_NE(t.help[53].Find("\textbf{PH UP}"), wxNOT_FOUND);
    EXPECT_TRUE(t.help[1].EndsWith("</body></hmtl>"));
    for (const wxString& page : t.help)
        EXPECT_TRUE(page.IsAscii());
}

TEST(ParameterTable, FillsOverwriteOnlyWhatTheyDefine)
{
    ParameterTexts names;
    names.fill("untouched");
    FillParameterNames(names);
    EXPECT_EQ(names[0], "untouched");
    EXPECT_EQ(names[45], "untouched");
    EXPECT_EQ(names[1], "Operation Mode");
    // A second fill gives the same texts.
    ParameterTexts again;
    FillParameterNames(again);
    FillParameterNames(again);
    EXPECT_EQ(again[98], "Server's Network Configuration");
}

TEST(ParameterTable, OperationModeNames)
{
    EXPECT_EQ(OperationModeName(0x101), "Passive Mode");
    EXPECT_EQ(OperationModeName(513), "Single Channel Single Environment Mode - Channel 1");
    EXPECT_EQ(OperationModeName(769), "Dual Channel Single Environment Mode - Channel 1");
    EXPECT_EQ(OperationModeName(1025), "Dual Channel Dual Environment Mode");
    for (uint32_t bad : {0u, 258u, 0x100u, 0x501u, 0xFFFFFFFFu})
        EXPECT_EQ(OperationModeName(bad), "Error Operation Mode Not Recognized") << bad;
}

TEST(ParameterTable, ScheduleColumnLabels)
{
    ScheduleColumnLabels labels;
    FillScheduleColumnLabels(labels);
    const char* expected[kScheduleColumnCount] = {"",
                                                  "Date",
                                                  "EC",
                                                  "PH",
                                                  "EC Ratio 1",
                                                  "EC Ratio 2",
                                                  "EC Ratio 3",
                                                  "EC Ratio 4",
                                                  "EC Ratio 5",
                                                  "EC Ratio 6",
                                                  "PH UP Ratio 1",
                                                  "PH UP Ratio 2",
                                                  "PH UP Ratio 3",
                                                  "PH UP Ratio 4",
                                                  "PH UP Ratio 5",
                                                  "PH UP Ratio 6",
                                                  "PH DOWN Ratio 1",
                                                  "PH DOWN Ratio 2",
                                                  "PH DOWN Ratio 3",
                                                  "PH DOWN Ratio 4",
                                                  "PH DOWN Ratio 5",
                                                  "PH DOWN Ratio 6"};
    for (int i = 0; i < kScheduleColumnCount; ++i)
        EXPECT_EQ(labels[i], expected[i]) << "column " << i;
}
