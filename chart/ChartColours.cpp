#include "chart/ChartColours.h"

#include <wx/gdicmn.h>

#include <algorithm>
#include <cmath>

namespace chart {

wxColour BackgroundColour()
{
    return *wxWHITE;
}

namespace {

double Linear(unsigned char component)
{
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

unsigned char Scaled(unsigned char component, double factor)
{
    return static_cast<unsigned char>(std::lround(component * factor));
}

wxColour Shade(const wxColour& colour, double factor)
{
    return wxColour(Scaled(colour.Red(), factor), Scaled(colour.Green(), factor),
                    Scaled(colour.Blue(), factor), colour.Alpha());
}

} // namespace

double RelativeLuminance(const wxColour& colour)
{
    return 0.2126 * Linear(colour.Red()) + 0.7152 * Linear(colour.Green()) + 0.0722 * Linear(colour.Blue());
}

double ContrastRatio(const wxColour& a, const wxColour& b)
{
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

wxColour ReadableOn(const wxColour& colour, const wxColour& background, double minRatio)
{
    if (!colour.IsOk() || !background.IsOk() || ContrastRatio(colour, background) >= minRatio)
        return colour;
    // Darker shades stand out more from a light background, lighter ones
    // from a dark background; black or white is the limit either way.
    const bool lightBackground = RelativeLuminance(background) >= 0.18;
    const wxColour limit = lightBackground ? *wxBLACK : *wxWHITE;
    if (ContrastRatio(limit, background) < minRatio)
        return wxColour(limit.Red(), limit.Green(), limit.Blue(), colour.Alpha());
    // Toward black the factor scales the colour down; toward white it
    // scales the distance to white down. Halve the interval of factors until
    // the shade is found to within one step of a component.
    auto shadeAt = [&](double factor) {
        if (lightBackground)
            return Shade(colour, factor);
        const wxColour inverse(static_cast<unsigned char>(255 - colour.Red()),
                               static_cast<unsigned char>(255 - colour.Green()),
                               static_cast<unsigned char>(255 - colour.Blue()));
        const wxColour shaded = Shade(inverse, factor);
        return wxColour(static_cast<unsigned char>(255 - shaded.Red()),
                        static_cast<unsigned char>(255 - shaded.Green()),
                        static_cast<unsigned char>(255 - shaded.Blue()), colour.Alpha());
    };
    double good = 0, bad = 1; // shadeAt(good) is readable, shadeAt(bad) is not
    for (int i = 0; i < 16; ++i) {
        const double mid = (good + bad) / 2;
        if (ContrastRatio(shadeAt(mid), background) >= minRatio)
            good = mid;
        else
            bad = mid;
    }
    return shadeAt(good);
}

} // namespace chart
