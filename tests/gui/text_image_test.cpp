#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/surface.h"
#include "gui/text.h"
#include "level/games.h"

namespace tessaly {
namespace {

// A text's image put transparently where its pen would be gives exactly the
// pixels DrawText gives there, also cut at every edge of the page: every
// label of every game, every glyph, at two scales.
TEST(TextImage, PutWhereThePenIsDrawsWhatDrawTextDraws) {
    std::vector<std::string> texts;
    for (const GameRecord& game : kGames)
        for (const CatalogueEntry& entry : game.catalogue) texts.emplace_back(entry.label);
    for (int first = 32; first < 256; first += 56) {
        std::string glyphs;
        for (int c = first; c < first + 56 && c < 256; ++c) glyphs += char(c);
        texts.push_back(glyphs);
    }
    auto drawn = std::make_unique<Surface>(), put = std::make_unique<Surface>();
    for (int scale : {1, 2}) {
        TextState text;
        SetTextScale(text, scale);
        SetTextColours(text, 71, 72, 73, 74, 75);
        for (const std::string& str : texts) {
            const std::vector<uint8_t> image = TextImage(text, str);
            ASSERT_FALSE(image.empty()) << str;
            for (auto [x, y] : {std::pair{300, 200}, {-7, -3}, {790, 595}, {-40, 580}}) {
                fillBox(*drawn, 0, 0, 799, 599, 9);
                fillBox(*put, 0, 0, 799, 599, 9);
                DrawText(*drawn, text, x, y, str);
                putImage(*put, x, y, image, 0, PutMode::Transparent);
                ASSERT_TRUE(std::equal(drawn->page(0), drawn->page(0) + kPageBytes, put->page(0)))
                    << '"' << str << "\" at " << x << ", " << y << ", scale " << scale;
            }
        }
    }
    TextState wide;
    SetTextScale(wide, 4);
    SetTextColours(wide, 71, 72, 73, 74, 75);
    EXPECT_TRUE(TextImage(wide, texts.back() + texts.back()).empty()); // wider than the page
    TextState black;
    SetTextScale(black, 1);
    SetTextColours(black, 0, 72, 73, 74, 75); // colour 0 cannot be told from the page
    EXPECT_TRUE(TextImage(black, "Zombie").empty());
}

} // namespace
} // namespace tessaly
