#include "core/ParameterTable.h"

namespace {

// The six actuators of one dosage group, by index of actuator 1.
struct ActuatorGroupText {
    int first;
    const char* namePrefix;  // "EC1 " -> "EC1 Actuator 3 Dosage Ratio"
    const char* description; // shared by the group's six slots
};

const ActuatorGroupText kRatioGroups[] = {
    {9, "EC1 ", "Dosage Ratios of EC1 in parts."},
    {15, "EC2 ", "Dosage Ratios of EC2 in parts."},
    {21, "PH1 UP ", "Dosage Ratios of PH1 UP in parts."},
    {27, "PH2 UP ", "Dosage Ratios of PH2 UP in parts."},
    {33, "PH1 DO ", "Dosage Ratios of PH1 DOWN in parts."},
    {39, "PH2 DO ", "Dosage Ratios of PH2 DOWN in parts."},
};

struct SingleText {
    int index;
    const char* name;
    const char* description;
    const char* unit;
};

const SingleText kSingles[] = {
    {1, "Operation Mode", "Operation Mode.", ""},
    {46, "EC1 Target", "Target EC1 (0 to 20000 uS).", "uS"},
    {47, "EC2 Target", "Target EC2 (0 to 20000 uS).", "uS"},
    {48, "PH1 Target", "Target PH1 (1.0 to 14.0) or (0.0 for off).", ""},
    {49, "PH2 Target", "Target PH2 (1.0 to 14.0) or (0.0 for off).", ""},
    {50, "EC1 Tolerance", "Tolerance of EC1 in uS from 50 to 3000.", "uS"},
    {51, "EC2 Tolerance", "Tolerance of EC2 in uS from 50 to 3000.", "uS"},
    {52, "PH1 Tolerance", "Tolerance of PH1 in percent, from 0.01 to 2.00.", ""},
    {53, "PH2 Tolerance", "Tolerance of PH2 in percent, from 0.01 to 2.00.", ""},
    {54, "EC1 Dosage Increment", "Dosage Increment EC1 in mL from 1 to 65000.", "ml"},
    {55, "EC2 Dosage Increment", "Dosage Increment EC2 in mL from 1 to 65000.", "ml"},
    {56, "PH1 Up Dosage Increment", "Dosage Increment of PH1 Up in mL from 1 to 65000.", "ml"},
    {57, "PH2 Up Dosage Increment", "Dosage Increment of PH2 Up in mL from 1 to 65000.", "ml"},
    {58, "PH1 Down Dosage Increment", "Dosage Increment of PH1 Down in mL from 1 to 65000.", "ml"},
    {59, "PH2 Down Dosage Increment", "Dosage Increment of PH2 Down in mL from 1 to 65000.", "ml"},
    {64, "EC1 Stabilization Delay", "EC1 stabilization delay in samples from 1 to 65000.", "samples"},
    {65, "EC2 Stabilization Delay", "EC2 stabilization delay in samples from 1 to 65000.", "samples"},
    {66, "PH1 Stabilization Delay", "PH1 stabilization delay in samples from 1 to 65000.", "samples"},
    {67, "PH2 Stabilization Delay", "PH2 stabilization delay in samples from 1 to 65000.", "samples"},
    {80, "Server's Hostname, max 16 characters", "Server's Hostname, max 16 characters.", ""},
    {84, "Server's IP Address to listen on", "Server's IP Address to listen on.", ""},
    {86, "Server's Default Gateway", "Server's Default Gateway.", ""},
    {87, "Server's Subnet Mask", "Server's Subnet Mask.", ""},
    {88, "Server's Primary DNS Server", "Server's Primary DNS Server.", ""},
    {89, "Server's Secondary DNS Server", "Server's Secondary DNS Server.", ""},
    {90, "Username, max 16 characters", "Username, max 16 characters.", ""},
    {94, "Password, max 16 characters", "Password, max 16 characters.", ""},
    {98, "Server's Network Configuration", "Server's Network Configuration.", ""},
};

// Help pages. Several indexes share one page. The tab characters before
// "extbf" and the closing tag of the first page are part of the texts the
// controller's documentation has always shown; they are kept as they are.
const char* const kH1 =
    "<html><body> There are four modes of operation the Halvane Duo can be set to: <p>In "
    "<b>Sensors Only Mode</b>, the EC, PH, and temperature probes will be read but no "
    "adjustments will be made by switching outputs.</p> <p>In <b>Single Channel / Single "
    "Environment Mode</b>, the EC, PH, and temperature probes will be read on both channels, "
    "but will adjust levels on channel one.  Ignore channel two.</p> <p>In <b>Dual Channel / "
    "Single Environment Mode</b>, the EC, PH, and temperature probes will be read on both "
    "channels, using one channel as a backup for the other, the controller will adjust "
    "levels on channel one.  Ignore channel two.</p> <p>In <b>Dual Channel / Dual "
    "Environment Mode</b>, the EC, PH, and temperature probes will be read on both channels, "
    "and will be adjusted on both channels independently.</p></body></hmtl>";
const char* const kH2 =
    "<html><body> These are the rates of dosage that each pump, solenoid valve, or similar "
    "actuator will dispense.  Each output that will be used must be assigned this parameter, "
    "a zero null value will imply no connection to an actuator for that channel.  Input is "
    "in mL/min or millimeters per minute, bounded <i>0</i> to <i>65000</i>. </body></html>";
const char* const kH3 =
    "<html><body> These are the ratios of each solution neccessary to make a positive "
    "adjustment to the conductivity of the solution in the reservoir.  Relate these factors "
    "to the <b>Dosage Increment</b> for that EC channel to determine the exact number of ml "
    "(milliliters) will be dispensed after each cycle.  For example, if you require "
    "<i>10</i> mL of liquid dispensed from <b>Actuator 1</b> and <i>20</i> ml of liquid "
    "dispensed from <b>Actuator 2</b>, set the ratios of the EC channel to <i>1</i>, "
    "<i>2</i>, <i>0</i>, <i>0</i>, <i>0</i>, <i>0</i> and the <b>Dosage Increment</b> to "
    "<i>30</i> ml.  You can alternatively input a set of ratios of <i>10</i>, <i>20</i>, "
    "<i>0</i>, <i>0</i>, <i>0</i>, <i>0</i>, the result will be the same.  Bounded from "
    "<i>0</i> to <i>100</i>. </body></html>";
const char* const kH4 =
    "<html><body> There are four sets of ratios that may be required for your application. "
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
    "Bounded from <i>0</i> to <i>100</i>. </body></html>";
const char* const kH5 =
    "<html><body> There are four sets of ratios that may be required for your application. "
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
    "Bounded from <i>0</i> to <i>100</i>. </body></html>";
const char* const kH6 =
    "<html><body> This is the target EC conductivity measurement set for the associated "
    "channel's reservoir.  This value is overridden in the event that a schedule file for "
    "the EC channel is present in the uSD card's root directory, and an entry to that date "
    "is present.  This number is from <i>0</i> to <i>20,000</i> uS (uSiemens).  A zero null "
    "value indicates that this channel's conductivity will not be maintained by the Dosing "
    "Program. </body></html>";
const char* const kH7 =
    "<html><body> This is the target PH measurement set for the associated channel's "
    "reservoir.  This value is overridden in the event that a schedule file for the PH "
    "channel is present in the uSD card's root directory, and an entry to that date is "
    "present.  This number is from <i>0.00</i> to <i>14.00</i>.  A zero null value indicates "
    "that this channel's acidity will not be maintained by the Dosing Program. </body></html>";
const char* const kH8 =
    "<html><body> This is the amount of tolerance a conductivity measurement (EC) the Dosing "
    "Program will allow before an \textbf{EC UP} event is triggered.  This value is an amount "
    "in uS the reading may vary, for instance if you set this to <i>100</i>, the EC reading "
    "for that channel may vary up to <i>100</i> uS of the set level.  It is a value from "
    "<i>20</i> to <i>1000</i> uS, microSiemens. </body></html>";
const char* const kH9 =
    "<html><body> This is the amount of tolerance an acidity measurement (pH) the Dosing "
    "Program will allow before a <b>PH UP</b> or <b>PH DOWN</b> event is triggered.  This "
    "value is the amount the reading may vary, for instance if you set this to <i>20</i>, "
    "the pH reading for that channel may vary up to <i>0.20</i> of the set level.  It is a "
    "value from <i>0.01</i> to <i>2.00</i>. </body></html>";
const char* const kH10 =
    "<html><body> This is the amount of tolerance an acidity measurement (pH) the Dosing "
    "Program will allow before a \textbf{PH UP} or \textbf{PH DOWN} event is triggered.  This "
    "value is the amount the reading may vary, for instance if you set this to <i>20</i>, "
    "the pH reading for that channel may vary up to <i>0.20</i> of the set level.  It is a "
    "value from <i>0.01</i> to <i>2.00</i>. </body></html>";
const char* const kH11 =
    "<html><body> This is the amount of total liquid to dispense by all actuators referenced "
    "by this EC channel's <b>Dosage Ratio</b>.  It is a value from <i>1</i> to <i>65000</i> "
    "mL, milliLiters.  A <i>zero</i> null value indicates that this channel's EC will not be "
    "attempted to be increased by the Dosing Program. </body></html>";
const char* const kH12 =
    "<html><body> This is the amount of total liquid to dispense by all actuators referenced "
    "by this PH channel's <b>Dosage Ratio</b> for a <b>PH UP</b> event.  It is a value from "
    "<i>1</i> to <i>65000</i> ml, milliLiters. </body></html>";
const char* const kH13 =
    "<html><body> This is the amount of total liquid to dispense by all actuators referenced "
    "by this PH channel's <b>Dosage Ratio</b> for a <b>PH UP</b> event.  It is a value from "
    "<i>1</i> to <i>65000</i> ml, milliliters. </body></html>";
const char* const kH14 =
    "<html><body> This is the amount of total liquid to dispense by all actuators referenced "
    "by this PH channel's <b>Dosage Ratio</b> for a <b>PH DOWN</b> event.  It is a value "
    "from <i>1</i> to <i>65000</i> mL, milliliters. </body></html>";
const char* const kH15 =
    "<html><body> This is the minimum number of readings the sensor system will collect and "
    "compare to be equal given a tolerance, <b>EC Tolerance</b>, in order to confirm that "
    "the readings are stable.  This value is bounded from <i>1</i> to <i>65000</i> samples. "
    "</body></html>";
const char* const kH16 =
    "<html><body> This is the minimum number of readings the sensor system will collect and "
    "compare to be equal given a tolerance, <b>PH Tolerance</b>, in order to confirm that "
    "the readings are stable.  This value is bounded from <i>1</i> to <i>65000</i> samples. "
    "</body></html>";
const char* const kH17 = "<html><body> Server's Hostname, max 16 characters.  This will help identify your "
                         "server. </body></html>";
const char* const kH18 = "<html><body> Server's Default Gateway.  This is typically the IP address of your "
                         "router/wireless access point.  On many LinkSys routers, this is defaulted to "
                         "192.168.1.1. </body></html>";
const char* const kH19 =
    "<html><body> Server's Subnet Mask.  This setting is used to describe a mask for your "
    "network.  On many LinkSys routers, this is defaulted to 255.255.255.0. </body></html>";
const char* const kH20 =
    "<html><body> Server's Primary DNS Server.  This is the server your controller asks to "
    "look up domain names.  It is typically the IP address of your router/wireless access "
    "point.  On many LinkSys routers, this is defaulted to 192.168.1.1. </body></html>";
const char* const kH21 =
    "<html><body> Server's Secondary DNS Server.  This is the server your controller asks to "
    "look up domain names when the primary one does not answer.  It is typically the IP "
    "address of your router/wireless access point.  On many LinkSys routers, this is "
    "defaulted to 192.168.1.1. </body></html>";
const char* const kH22 =
    "<html><body> Server's Username, max 16 characters. This is to authenticate users in the "
    "HTTP web client. </body></html>";
const char* const kH23 =
    "<html><body> Server's Password, max 16 characters. This is to authenticate users in the "
    "HTTP web client.  </body></html>";
const char* const kH24 =
    "<html><body> Server's Network Configuration.  This is where you set specific settings "
    "for your network.  For instance, turn on <b>DHCP</b> to make your controller obtain "
    "network settings like, IP address, default gateway, subnet mask, etc. automatically "
    "from your router or DHCP server. </body></html>";

struct HelpRange {
    int first, last;
    const char* page;
};

const HelpRange kHelpPages[] = {
    {1, 1, kH1},    {3, 8, kH2},    {9, 20, kH3},   {21, 32, kH4},  {33, 33, kH5},
    {34, 44, kH4},  {46, 47, kH6},  {48, 49, kH7},  {50, 51, kH8},  {52, 52, kH9},
    {53, 53, kH10}, {54, 55, kH11}, {56, 56, kH12}, {57, 57, kH13}, {58, 59, kH14},
    {64, 65, kH15}, {66, 67, kH16}, {80, 80, kH17}, {86, 86, kH18}, {87, 87, kH19},
    {88, 88, kH20}, {89, 89, kH21}, {90, 90, kH22}, {94, 94, kH23}, {98, 98, kH24},
};

wxString ActuatorText(const char* prefix, int actuator, const char* suffix)
{
    return wxString::Format("%sActuator %d %s", prefix, actuator, suffix);
}

} // namespace

namespace ParameterTable {

void FillParameterNames(ParameterTexts& names)
{
    for (int i = 3; i <= 8; ++i)
        names[i] = ActuatorText("", i - 2, "Dosage Rate");
    for (const auto& group : kRatioGroups)
        for (int a = 0; a < 6; ++a)
            names[group.first + a] = ActuatorText(group.namePrefix, a + 1, "Dosage Ratio");
    for (const auto& single : kSingles)
        names[single.index] = single.name;
}

void FillShortDescriptions(ParameterTexts& descriptions)
{
    for (int i = 3; i <= 8; ++i)
        descriptions[i] = wxString::Format("Dosage Rate of Actuator %d in mL/min.", i - 2);
    for (const auto& group : kRatioGroups)
        for (int a = 0; a < 6; ++a)
            descriptions[group.first + a] = group.description;
    for (const auto& single : kSingles)
        descriptions[single.index] = single.description;
}

void FillUnitTexts(ParameterTexts& units)
{
    for (int i = 3; i <= 8; ++i)
        units[i] = "ml/min";
    for (int i = 9; i <= 44; ++i)
        units[i] = "parts";
    for (const auto& single : kSingles)
        if (*single.unit)
            units[single.index] = single.unit;
}

void FillHelpTexts(ParameterTexts& helpPages)
{
    for (const auto& range : kHelpPages)
        for (int i = range.first; i <= range.last; ++i)
            helpPages[i] = range.page;
}

void FillScheduleColumnLabels(ScheduleColumnLabels& labels)
{
    labels[1] = "Date";
    labels[2] = "EC";
    labels[3] = "PH";
    for (int r = 1; r <= 6; ++r) {
        labels[3 + r] = wxString::Format("EC Ratio %d", r);
        labels[9 + r] = wxString::Format("PH UP Ratio %d", r);
        labels[15 + r] = wxString::Format("PH DOWN Ratio %d", r);
    }
}

} // namespace ParameterTable

wxString OperationModeName(uint32_t mode)
{
    switch (mode) {
    case kModePassive:
        return "Passive Mode";
    case kModeSingleChannel:
        return "Single Channel Single Environment Mode - Channel 1";
    case kModeDualChannelSingleEnv:
        return "Dual Channel Single Environment Mode - Channel 1";
    case kModeDualChannelDualEnv:
        return "Dual Channel Dual Environment Mode";
    default:
        return "Error Operation Mode Not Recognized";
    }
}
