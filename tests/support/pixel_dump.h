// Every chart picture a test looks at can be written out for comparison
// across a change of the drawing code: with HALVANE_PIXEL_DUMP set to a
// folder, Dumped() writes each image it passes on as a binary PPM named
// after the running test and a counter. Compare two such folders with cmp.
#pragma once

#include <gtest/gtest.h>
#include <wx/image.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

inline wxImage Dumped(wxImage image)
{
    const char* dir = std::getenv("HALVANE_PIXEL_DUMP");
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!dir || !*dir || !test || !image.IsOk())
        return image;
    static std::map<std::string, int> counts;
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    const std::string path = std::string(dir) + "/" + name + "." + std::to_string(counts[name]++) + ".ppm";
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fprintf(out, "P6\n%d %d\n255\n", image.GetWidth(), image.GetHeight());
        std::fwrite(image.GetData(), 3,
                    static_cast<size_t>(image.GetWidth()) * static_cast<size_t>(image.GetHeight()), out);
        std::fclose(out);
    }
    return image;
}
