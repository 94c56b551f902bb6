// The chart export's four image formats in the Windows build: the program's
// handlers (RegisterImageHandlers) write each one with the statically linked
// libpng, libjpeg and libtiff, and read it back.
#include "ui/OrvelGUI.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <wx/image.h>
#include <wx/init.h>

#include <algorithm>
#include <cstdlib>

namespace {

wxImage Pattern()
{
    wxImage image(64, 48);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            image.SetRGB(x, y, static_cast<unsigned char>(x * 4), static_cast<unsigned char>(y * 5),
                         static_cast<unsigned char>((x + y) * 2));
    return image;
}

} // namespace

TEST(WindowsImageFormats, ChartExportFormatsWriteAndReadBack)
{
    RegisterImageHandlers();
    TempDir dir;
    const wxImage image = Pattern();
    const struct {
        const char* file;
        wxBitmapType type;
        bool lossless;
    } formats[] = {{"chart.bmp", wxBITMAP_TYPE_BMP, true},
                   {"chart.jpg", wxBITMAP_TYPE_JPEG, false},
                   {"chart.png", wxBITMAP_TYPE_PNG, true},
                   {"chart.tif", wxBITMAP_TYPE_TIFF, true}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.file);
        const wxString path = dir.File(f.file);
        ASSERT_TRUE(image.SaveFile(path, f.type));
        wxImage back;
        ASSERT_TRUE(back.LoadFile(path, f.type));
        ASSERT_EQ(back.GetSize(), image.GetSize());
        int worst = 0;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x) {
                worst = std::max(worst, std::abs(back.GetRed(x, y) - image.GetRed(x, y)));
                worst = std::max(worst, std::abs(back.GetGreen(x, y) - image.GetGreen(x, y)));
                worst = std::max(worst, std::abs(back.GetBlue(x, y) - image.GetBlue(x, y)));
            }
        EXPECT_LE(worst, f.lossless ? 0 : 16) << "largest difference of a colour channel";
    }
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxInitializer wx(argc, argv);
    if (!wx.IsOk())
        return 2;
    return RUN_ALL_TESTS();
}
