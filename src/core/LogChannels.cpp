#include "core/LogChannels.h"

#include "core/WordHelpers.h"

#include <cmath>

namespace {

const unsigned kChannelWords[kLogChannelCount] = {kLogEc1, kLogEc2, kLogPh1, kLogPh2, kLogTe1, kLogTe2};
const char* const kChannelNames[kLogChannelCount] = {"EC Channel 1", "EC Channel 2", "PH Channel 1",
                                                     "PH Channel 2", "TE Channel 1", "TE Channel 2"};

} // namespace

LogQuantity LogChannelQuantity(int channel)
{
    if (channel < 2)
        return LogQuantity::Ec;
    return channel < 4 ? LogQuantity::Ph : LogQuantity::Temperature;
}

bool LogChannelHasTarget(int channel)
{
    return channel >= 0 && channel < kLogChannelCount &&
           LogChannelQuantity(channel) != LogQuantity::Temperature;
}

unsigned LogChannelWord(int channel)
{
    return kChannelWords[channel];
}

const char* LogChannelName(int channel)
{
    return channel >= 0 && channel < kLogChannelCount ? kChannelNames[channel] : "";
}

double LogChannelWordValue(int channel, uint32_t word)
{
    if (LogChannelQuantity(channel) == LogQuantity::Ec)
        return static_cast<double>(word);
    return static_cast<double>(WordToFloat(word));
}

wxString LogChannelValueText(int channel, double value)
{
    if (std::isnan(value))
        return "no reading";
    if (LogChannelQuantity(channel) == LogQuantity::Ec)
        return wxString::Format("%.0f", value);
    return wxString::Format("%.2f", value);
}

LogReadingRange LogChannelReadingRange(int channel)
{
    switch (LogChannelQuantity(channel)) {
    case LogQuantity::Ec:
        return {0.0, 100000.0};
    case LogQuantity::Ph:
        return {-2.0, 16.0};
    case LogQuantity::Temperature:
        break;
    }
    return {-55.0, 125.0};
}
