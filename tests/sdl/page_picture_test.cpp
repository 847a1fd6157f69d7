#include "platform/sdl/page_picture.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

TEST(PageFit, WholeMultiplesWhenTheWindowHoldsThePageCentredOtherwise) {
    struct Case {
        int w, h;
        PageFit fit;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 800, 600}},
        {1600, 1200, {0, 0, 1600, 1200}},    // 2x
        {1000, 700, {100, 50, 800, 600}},    // 1x centred in the letterbox
        {1599, 1199, {399, 299, 800, 600}},  // just short of 2x: still 1x
        {2401, 1300, {400, 50, 1600, 1200}}, // the height allows only 2x
        {801, 601, {0, 0, 800, 600}},        // odd spare pixel goes right and down
        {799, 600, {0, 0, 799, 599}},        // smaller: shrunk, aspect kept
        {400, 600, {0, 150, 400, 300}},
        {1000, 300, {300, 0, 400, 300}},
        {1, 1, {0, 0, 1, 1}},
        {0, 600, {0, 0, 0, 0}},
        {800, -5, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(fitPage(c.w, c.h), c.fit) << c.w << " x " << c.h;
}

TEST(PageFit, WindowPointsMapToPagePixelsAndTheLetterboxToMinusOne) {
    const PageFit same = fitPage(800, 600);
    EXPECT_EQ(windowToPage(same, 0, 0), (PagePoint{0, 0}));
    EXPECT_EQ(windowToPage(same, 799, 599), (PagePoint{799, 599}));
    EXPECT_EQ(windowToPage(same, 800, 10), PagePoint{});
    EXPECT_EQ(windowToPage(same, -1, 10), PagePoint{});

    const PageFit twice = fitPage(1600, 1200);
    EXPECT_EQ(windowToPage(twice, 1, 1), (PagePoint{0, 0}));
    EXPECT_EQ(windowToPage(twice, 53, 401), (PagePoint{26, 200}));
    EXPECT_EQ(windowToPage(twice, 1599, 1199), (PagePoint{799, 599}));

    const PageFit boxed = fitPage(1000, 700);
    EXPECT_EQ(windowToPage(boxed, 99, 300), PagePoint{});
    EXPECT_EQ(windowToPage(boxed, 100, 50), (PagePoint{0, 0}));
    EXPECT_EQ(windowToPage(boxed, 899, 649), (PagePoint{799, 599}));
    EXPECT_EQ(windowToPage(boxed, 900, 300), PagePoint{});
    EXPECT_EQ(windowToPage(boxed, 500, 49), PagePoint{});
    EXPECT_EQ(windowToPage(boxed, 500, 650), PagePoint{});
    EXPECT_EQ(windowToPage(boxed, 2147483647, -2147483647 - 1), PagePoint{});

    EXPECT_EQ(windowToPage(fitPage(0, 0), 0, 0), PagePoint{});
}

// A page whose every pixel tells where it is, shown through a palette whose
// pixel values cannot be confused with the untouched background.
struct Picture {
    std::vector<uint8_t> page = std::vector<uint8_t>(kPageBytes);
    std::array<uint32_t, 256> colours{};
    std::vector<uint32_t> pixels;
    PixelTarget target;
    static constexpr uint32_t kUntouched = 0xDEADBEEF;

    Picture(int w, int h) : pixels(std::size_t(w) * std::size_t(h), kUntouched) {
        for (int y = 0; y < kSurfaceHeight; ++y) {
            for (int x = 0; x < kSurfaceWidth; ++x) page[std::size_t(y) * 800 + x] = at(x, y);
        }
        for (int i = 0; i < 256; ++i) colours[std::size_t(i)] = 0x1000u + uint32_t(i);
        target = {pixels.data(), w, h, w};
    }
    static uint8_t at(int x, int y) { return uint8_t(x * 7 + y * 13); }
    uint32_t pixel(int x, int y) const { return pixels[std::size_t(y) * target.pitch + x]; }
};

TEST(PagePicture, EveryShownPixelIsThePagePixelThePointerReadsThere) {
    for (auto [w, h] :
         {std::pair{800, 600}, {1600, 1200}, {1000, 700}, {1234, 777}, {533, 401}, {97, 1000}}) {
        Picture p(w, h);
        const PageFit fit = fitPage(w, h);
        const PixelRect whole{0, 0, 799, 599};
        const PixelRect drawn = drawPagePicture(p.page.data(), p.colours, fit, whole, p.target);
        EXPECT_EQ(drawn, (PixelRect{fit.x, fit.y, fit.x + fit.w - 1, fit.y + fit.h - 1}));
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const PagePoint at = windowToPage(fit, x, y);
                const uint32_t want =
                    at.x < 0 ? Picture::kUntouched : 0x1000u + Picture::at(at.x, at.y);
                if (p.pixel(x, y) != want) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << w << " x " << h;
    }
}

TEST(PagePicture, ChangedRectangleRedrawsExactlyTheWindowPixelsShowingIt) {
    for (auto [w, h] : {std::pair{1600, 1200}, {1000, 700}, {533, 401}}) {
        const PageFit fit = fitPage(w, h);
        for (PixelRect r : {PixelRect{10, 20, 30, 40}, PixelRect{799, 599, 799, 599},
                            PixelRect{-50, -50, 3, 2}, PixelRect{790, 0, 900, 0}}) {
            Picture p(w, h);
            const PixelRect drawn = drawPagePicture(p.page.data(), p.colours, fit, r, p.target);
            EXPECT_EQ(drawn, pageRectInWindow(fit, r));
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const PagePoint at = windowToPage(fit, x, y);
                    const bool inside =
                        at.x >= 0 && at.x >= r.x0 && at.x <= r.x1 && at.y >= r.y0 && at.y <= r.y1;
                    const bool written = p.pixel(x, y) != Picture::kUntouched;
                    ASSERT_EQ(written, inside) << w << "x" << h << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(PagePicture, TwiceTheSizeMakesEachPagePixelATwoByTwoSquare) {
    Picture p(1600, 1200);
    const PixelRect drawn =
        drawPagePicture(p.page.data(), p.colours, fitPage(1600, 1200), {10, 20, 30, 40}, p.target);
    EXPECT_EQ(drawn, (PixelRect{20, 40, 61, 81}));
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(p.pixel(20 + dx, 40 + dy), 0x1000u + p.at(10, 20));
    }
}

TEST(PagePicture, NothingIsDrawnForAnEmptyRectangleOrOutsideTheTarget) {
    Picture p(1600, 1200);
    EXPECT_TRUE(
        drawPagePicture(p.page.data(), p.colours, fitPage(1600, 1200), PixelRect{}, p.target)
            .empty());
    // A fit larger than the target (a resize still on its way) is cut to it.
    Picture small(300, 200);
    const PixelRect drawn = drawPagePicture(small.page.data(), small.colours, fitPage(1600, 1200),
                                            {0, 0, 799, 599}, small.target);
    EXPECT_EQ(drawn, (PixelRect{0, 0, 299, 199}));
    EXPECT_EQ(small.pixel(299, 199), 0x1000u + small.at(149, 99));
}

} // namespace
} // namespace tessaly
