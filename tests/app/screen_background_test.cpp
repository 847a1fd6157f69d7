// The map view over the program's own screen background: labels that
// scrolled away leave the strips beside the frame as the program drew them.
#include "app/program.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <tuple>

#include "tests/app/app_fixture.h"
#include "views/map_view.h"

namespace tessaly::test {
namespace {

class MapView : public AppTest {
  protected:
    void catalogue(std::initializer_list<std::tuple<int32_t, int32_t, std::string>> entries) {
        setCatalogue(profile(), entries);
    }
    // The object value of the level cell that view cell (i, j) shows at origin (1, 1).
    void object(int i, int j, int32_t value) { setObjectCell(level(), 1 + i, 1 + j, value); }
};

// Labels reach past the frame on both sides; once their objects scroll out
// of view or go, the strips beside the frame show the screen background
// again, exactly as it was drawn, bevel included.
TEST_F(MapView, LabelsThatScrolledAwayLeaveNothingBesideTheFrame) {
    program->screenWidth = kSurfaceWidth;
    program->screenHeight = kSurfaceHeight;
    drawScreenBackground(*program);
    const Surface background = surface;
    const auto stripsAsBackground = [&] {
        for (int y = 0; y < kSurfaceHeight; ++y) {
            for (int x = 0; x < kSurfaceWidth; ++x) {
                const bool strip = (x < 10 || (x > 361 && x < 410)) && y >= 10 && y <= 361;
                if (strip && pixel(x, y) != pixelAt(background, 0, x, y)) {
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ")";
                }
            }
        }
        return ::testing::AssertionSuccess();
    };
    catalogue({{5, 0, "Door Bonus +1600"}});
    object(0, 5, 5);  // reaches left past the frame, into the bevel
    object(19, 8, 5); // reaches right past the frame
    redrawMapView(*editor);
    EXPECT_FALSE(stripsAsBackground());
    EXPECT_LT(colourExtent(surface, 0, 60, 9, 110, 71, 75).dx, 2);
    EXPECT_NE(colourExtent(surface, 362, 140, 409, 160, 71, 75).dx, INT_MAX);

    editor->viewOriginColumn = 2; // both labelled cells move one view cell in
    redrawMapView(*editor);
    editor->viewOriginColumn = 30; // and out of view
    redrawMapView(*editor);
    EXPECT_TRUE(stripsAsBackground());

    editor->viewOriginColumn = 1; // back, then the objects go
    redrawMapView(*editor);
    object(0, 5, 0);
    object(19, 8, 0);
    redrawMapView(*editor);
    EXPECT_TRUE(stripsAsBackground());
}

} // namespace
} // namespace tessaly::test
