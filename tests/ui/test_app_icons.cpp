// The icon bundle the main frame and the chart views give the desktop, and the
// scalable icon installed beside it.
#include "wx_test_util.h"

#include "ui/AppIcons.h"

#include <wx/bmpbndl.h>

#include <vector>

#include "images/icon.xpm"

namespace {

// The drop of the 16 x 16 icon, scaled to size: a point in 16-pixel units.
wxPoint At(int size, double x, double y)
{
    return wxPoint(static_cast<int>(x * size / 16.0), static_cast<int>(y * size / 16.0));
}

int Alpha(const wxImage& image, const wxPoint& p)
{
    if (image.HasAlpha())
        return image.GetAlpha(p.x, p.y);
    return image.IsTransparent(p.x, p.y) ? 0 : 255;
}

// A drop as the 16 x 16 icon draws it: transparent corners, an opaque grey
// body between #494949 and #EDEDED, lighter at the highlight (upper left of
// the round part) than at its lower right rim.
void ExpectDrop(const wxImage& image, int size)
{
    ASSERT_TRUE(image.IsOk());
    EXPECT_EQ(image.GetWidth(), size);
    EXPECT_EQ(image.GetHeight(), size);
    for (const wxPoint& corner :
         {wxPoint(0, 0), wxPoint(size - 1, 0), wxPoint(0, size - 1), wxPoint(size - 1, size - 1)})
        EXPECT_EQ(Alpha(image, corner), 0) << size << " px at " << corner.x << "," << corner.y;
    const wxPoint centre = At(size, 8, 10.5);
    const wxPoint highlight = At(size, 6, 8);
    const wxPoint rim = At(size, 10.5, 14.2);
    for (const wxPoint& p : {centre, highlight, rim}) {
        EXPECT_EQ(Alpha(image, p), 255) << size << " px at " << p.x << "," << p.y;
        EXPECT_EQ(image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y));
        EXPECT_EQ(image.GetRed(p.x, p.y), image.GetBlue(p.x, p.y));
        EXPECT_GE(image.GetRed(p.x, p.y), 0x49);
        EXPECT_LE(image.GetRed(p.x, p.y), 0xED);
    }
    EXPECT_GT(image.GetRed(highlight.x, highlight.y), image.GetRed(rim.x, rim.y) + 0x40) << size << " px";
}

} // namespace

TEST(AppIcons, EverySizeTheDesktopAsksForWithTheWindowIconAt16)
{
    const wxIconBundle bundle = MakeAppIconBundle();
    ASSERT_EQ(bundle.GetIconCount(), 6u);
    const int sizes[] = {16, 32, 48, 64, 128, 256};
    for (size_t i = 0; i < 6; ++i) {
        const wxIcon icon = bundle.GetIconByIndex(i);
        ASSERT_TRUE(icon.IsOk());
        EXPECT_EQ(icon.GetWidth(), sizes[i]);
        EXPECT_EQ(icon.GetHeight(), sizes[i]);
    }

    // The 16 x 16 entry is the window icon, pixel for pixel.
    const wxImage xpm(icon_xpm);
    const wxImage small = bundle.GetIcon(wxSize(16, 16), wxIconBundle::FALLBACK_NONE).ConvertToImage();
    ASSERT_TRUE(small.IsOk());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            ASSERT_EQ(Alpha(small, wxPoint(x, y)) == 0, xpm.IsTransparent(x, y)) << x << "," << y;
            if (!xpm.IsTransparent(x, y)) {
                ASSERT_EQ(small.GetRed(x, y), xpm.GetRed(x, y)) << x << "," << y;
            }
        }

    for (int size : {32, 48, 64, 128, 256}) {
        const wxIcon icon = bundle.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE);
        ExpectDrop(icon.ConvertToImage(), size);
    }
}

TEST(AppIcons, TheScalableIconIsTheSameDrop)
{
    const wxString path = wxString(HALVANE_SOURCE_DIR) + "/src/images/icon.svg";
    const wxBitmapBundle svg = wxBitmapBundle::FromSVGFile(path, wxSize(16, 16));
    ASSERT_TRUE(svg.IsOk()) << path;
    const wxImage drawn = svg.GetBitmap(wxSize(64, 64)).ConvertToImage();
    ExpectDrop(drawn, 64);

    // Drawn by a different renderer, its greys stay near the 64 px PNG's.
    const wxImage png = MakeAppIconBundle().GetIcon(wxSize(64, 64)).ConvertToImage();
    for (const wxPoint& p : {At(64, 6, 8), At(64, 8, 10.5), At(64, 10.5, 14.2), At(64, 8, 5)})
        EXPECT_NEAR(drawn.GetRed(p.x, p.y), png.GetRed(p.x, p.y), 24) << p.x << "," << p.y;
}
