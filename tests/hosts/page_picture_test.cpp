#include "hosts/page_picture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace tessaly {
namespace {

TEST(PageFit, ThePageFillsTheWindowAsFarAsItsShapeAllowsCentred) {
    struct Case {
        int w, h;
        PageFit fit;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 800, 600}},
        {1600, 1200, {0, 0, 1600, 1200}},
        {640, 480, {0, 0, 640, 480}},
        {1366, 768, {171, 0, 1024, 768}},
        {1920, 1080, {240, 0, 1440, 1080}},
        {2560, 1440, {320, 0, 1920, 1440}},
        {1000, 700, {33, 0, 933, 700}},    // wider than 4:3: bars left and right
        {1000, 1000, {0, 125, 1000, 750}}, // taller: bars above and below
        {801, 601, {0, 0, 801, 600}},      // the spare row goes below
        {1, 1, {0, 0, 1, 1}},
        {0, 600, {0, 0, 0, 0}},
        {800, -5, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(fitPage(c.w, c.h), c.fit) << c.w << " x " << c.h;
}

TEST(PageFit, TheEnlargementIsTheSmallestWholeFactorThatCoversTheShownSize) {
    EXPECT_EQ(pageScale(fitPage(800, 600)).factor, 1);
    EXPECT_EQ(pageScale(fitPage(640, 480)).factor, 1);
    EXPECT_EQ(pageScale(fitPage(1366, 768)).factor, 2);  // 1024 x 768
    EXPECT_EQ(pageScale(fitPage(1920, 1080)).factor, 2); // 1440 x 1080
    EXPECT_EQ(pageScale(fitPage(1600, 1200)).factor, 2);
    EXPECT_EQ(pageScale(fitPage(2560, 1440)).factor, 3); // 1920 x 1440
    EXPECT_EQ(pageScale(fitPage(801, 601)).factor, 2);   // 801 x 600
    const PageScale none = pageScale(fitPage(0, 0));
    EXPECT_TRUE(none.columns.empty());
    EXPECT_TRUE(none.rows.empty());
}

TEST(PageFit, WindowPointsMapToThePagePixelUnderTheirCentre) {
    const PageFit same = fitPage(800, 600);
    EXPECT_EQ(windowToPage(same, 0, 0), (PagePoint{0, 0}));
    EXPECT_EQ(windowToPage(same, 799, 599), (PagePoint{799, 599}));
    EXPECT_EQ(windowToPage(same, 800, 10), PagePoint{});
    EXPECT_EQ(windowToPage(same, -1, 10), PagePoint{});

    const PageFit twice = fitPage(1600, 1200);
    EXPECT_EQ(windowToPage(twice, 1, 1), (PagePoint{0, 0}));
    EXPECT_EQ(windowToPage(twice, 53, 401), (PagePoint{26, 200}));
    EXPECT_EQ(windowToPage(twice, 1599, 1199), (PagePoint{799, 599}));

    // 1920 x 1080: 1440 x 1080 from x = 240; 9 window pixels show 5 page pixels.
    const PageFit wide = fitPage(1920, 1080);
    EXPECT_EQ(windowToPage(wide, 239, 500), PagePoint{});
    EXPECT_EQ(windowToPage(wide, 240, 0), (PagePoint{0, 0}));
    EXPECT_EQ(windowToPage(wide, 240 + 8, 8), (PagePoint{4, 4}));
    EXPECT_EQ(windowToPage(wide, 240 + 9, 9), (PagePoint{5, 5}));
    EXPECT_EQ(windowToPage(wide, 1679, 1079), (PagePoint{799, 599}));
    EXPECT_EQ(windowToPage(wide, 1680, 500), PagePoint{});
    EXPECT_EQ(windowToPage(wide, 2147483647, -2147483647 - 1), PagePoint{});

    const PageFit small = fitPage(640, 480); // 4 window pixels show 5 page pixels
    EXPECT_EQ(windowToPage(small, 0, 0), (PagePoint{0, 0}));
    EXPECT_EQ(windowToPage(small, 1, 1), (PagePoint{1, 1}));
    EXPECT_EQ(windowToPage(small, 639, 479), (PagePoint{799, 599}));

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

TEST(PagePicture, AtWholeMultiplesEveryShownPixelIsThePagePixelThePointerReadsThere) {
    for (auto [w, h] : {std::pair{800, 600}, {1600, 1200}, {2400, 1800}, {900, 600}}) {
        Picture p(w, h);
        const PageScale scale = pageScale(fitPage(w, h));
        const PageFit& fit = scale.fit;
        const PixelRect drawn =
            drawPagePicture(p.page.data(), p.colours, scale, {0, 0, 799, 599}, p.target);
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

// A checkerboard of black and white page pixels shown at sizes that are no
// whole multiple: each window pixel shows at least half of the page pixel
// the pointer reads there (so it is nearer its colour than the other's), a
// pixel that mixes nothing is exactly it, and mixing happens only where two
// page pixels meet: once the page is enlarged, most window pixels mix
// nothing along at least one axis. (Smaller than the page, every window
// pixel mixes, as any smooth shrinking does.)
TEST(PagePicture, BetweenWholeMultiplesPixelsStayCrispAndShowThePointersPagePixelMost) {
    for (auto [w, h] : {std::pair{1920, 1080}, {1366, 768}, {2560, 1440}, {640, 480}}) {
        std::vector<uint8_t> page(kPageBytes);
        for (int y = 0; y < kSurfaceHeight; ++y) {
            for (int x = 0; x < kSurfaceWidth; ++x) page[std::size_t(y) * 800 + x] = (x + y) & 1;
        }
        std::array<uint32_t, 256> colours{};
        colours[1] = 0xFFFFFFu;
        std::vector<uint32_t> pixels(std::size_t(w) * std::size_t(h));
        const PageScale scale = pageScale(fitPage(w, h));
        const PageFit& fit = scale.fit;
        drawPagePicture(page.data(), colours, scale, {0, 0, 799, 599}, {pixels.data(), w, h, w});
        int far = 0, impure = 0, mixedBothWays = 0;
        for (int y = fit.y; y < fit.y + fit.h; ++y) {
            for (int x = fit.x; x < fit.x + fit.w; ++x) {
                const PagePoint at = windowToPage(fit, x, y);
                const int want = ((at.x + at.y) & 1) ? 255 : 0;
                const int shown = int(pixels[std::size_t(y) * w + x] & 0xFF);
                if (std::abs(shown - want) > 128) ++far;
                const PageSample column = scale.columns[std::size_t(x - fit.x)];
                const PageSample row = scale.rows[std::size_t(y - fit.y)];
                if (column.weight == 0 && row.weight == 0 && shown != want) ++impure;
                if (column.weight != 0 && row.weight != 0) ++mixedBothWays;
            }
        }
        EXPECT_EQ(far, 0) << w << " x " << h;
        EXPECT_EQ(impure, 0) << w << " x " << h;
        if (scale.factor > 1) {
            EXPECT_LT(mixedBothWays, fit.w * fit.h / 2) << w << " x " << h;
        }
    }
}

// A changed rectangle redraws exactly the window pixels that show any of
// it, and those just as a whole drawing shows them.
TEST(PagePicture, ChangedRectangleRedrawsExactlyTheWindowPixelsShowingIt) {
    for (auto [w, h] : {std::pair{1600, 1200}, {1920, 1080}, {1000, 700}, {533, 401}}) {
        const PageScale scale = pageScale(fitPage(w, h));
        Picture whole(w, h);
        drawPagePicture(whole.page.data(), whole.colours, scale, {0, 0, 799, 599}, whole.target);
        for (PixelRect r : {PixelRect{10, 20, 30, 40}, PixelRect{799, 599, 799, 599},
                            PixelRect{-50, -50, 3, 2}, PixelRect{790, 0, 900, 0}}) {
            Picture p(w, h);
            const PixelRect drawn = drawPagePicture(p.page.data(), p.colours, scale, r, p.target);
            EXPECT_EQ(drawn, pageRectInWindow(scale, r));
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const bool inside =
                        x >= drawn.x0 && x <= drawn.x1 && y >= drawn.y0 && y <= drawn.y1;
                    const uint32_t want = inside ? whole.pixel(x, y) : Picture::kUntouched;
                    ASSERT_EQ(p.pixel(x, y), want) << w << "x" << h << " at " << x << "," << y;
                }
            }
            // Every window pixel outside the drawn rectangle shows no pixel of r.
            const PixelRect cut{std::max(r.x0, 0), std::max(r.y0, 0), std::min(r.x1, 799),
                                std::min(r.y1, 599)};
            for (int x = scale.fit.x; x < scale.fit.x + scale.fit.w; ++x) {
                const PageSample c = scale.columns[std::size_t(x - scale.fit.x)];
                const bool shows = c.first + (c.weight ? 1 : 0) >= cut.x0 && c.first <= cut.x1;
                EXPECT_EQ(shows, x >= drawn.x0 && x <= drawn.x1) << w << "x" << h << " at " << x;
            }
        }
    }
}

TEST(PagePicture, TwiceTheSizeMakesEachPagePixelATwoByTwoSquare) {
    Picture p(1600, 1200);
    const PixelRect drawn = drawPagePicture(
        p.page.data(), p.colours, pageScale(fitPage(1600, 1200)), {10, 20, 30, 40}, p.target);
    EXPECT_EQ(drawn, (PixelRect{20, 40, 61, 81}));
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) EXPECT_EQ(p.pixel(20 + dx, 40 + dy), 0x1000u + p.at(10, 20));
    }
}

TEST(PagePicture, NothingIsDrawnForAnEmptyRectangleOrOutsideTheTarget) {
    Picture p(1600, 1200);
    EXPECT_TRUE(drawPagePicture(p.page.data(), p.colours, pageScale(fitPage(1600, 1200)),
                                PixelRect{}, p.target)
                    .empty());
    // A fit larger than the target (a resize still on its way) is cut to it.
    Picture small(300, 200);
    const PixelRect drawn =
        drawPagePicture(small.page.data(), small.colours, pageScale(fitPage(1600, 1200)),
                        {0, 0, 799, 599}, small.target);
    EXPECT_EQ(drawn, (PixelRect{0, 0, 299, 199}));
    EXPECT_EQ(small.pixel(299, 199), 0x1000u + small.at(149, 99));
}

} // namespace
} // namespace tessaly
