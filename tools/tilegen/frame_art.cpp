#include "tools/tilegen/frame_art.h"

#include <iterator>

namespace tessaly::art {

namespace {

// The frame's colours, lightest first: two highlights, the face a shade
// lighter, the face, the face a shade darker, two shadows and the outline.
struct FrameColours {
    uint8_t hi2, hi1, faceLight, face, faceDark, lo1, lo2, edge;
};

// The frame colours of each art theme, numbered as the map tiles' themes.
constexpr FrameColours kThemeFrames[] = {
    {81, 82, 82, 83, 84, 84, 85, kBlack},
    {43, 42, 42, 6, 84, 84, 85, kBlack},
    {71, 72, 72, 73, 74, 74, 75, kBlack},
    {76, 77, 77, 78, 79, 79, 80, kBlack},
    {grey(13), grey(11), grey(10), grey(8), grey(7), grey(5), grey(3), kBlack},
};

FrameColours coloursFor(int artTheme) {
    if (artTheme >= 0 && artTheme < int(std::size(kThemeFrames)))
        return kThemeFrames[std::size_t(artTheme)];
    return {grey(14), grey(12), grey(10), grey(9), grey(7), grey(5), grey(3), kBlack};
}

} // namespace

FrameStyle frameStyleFor(const GameRecord& game, bool sharedSides) {
    const FrameColours c = coloursFor(game.artTheme);
    if (sharedSides) {
        // A flat bar with raised rims and a groove down its middle.
        const std::array<uint8_t, 16> bar = {
            c.edge, c.hi1, c.faceLight, c.face, c.face, c.face,      c.lo1, c.hi1,
            c.hi1,  c.lo1, c.face,      c.face, c.face, c.faceLight, c.hi1, c.edge};
        return {bar, bar};
    }
    // Raised on the outside (light top and left, dark bottom and right),
    // sunken on the inside round the picture, with a groove between.
    return {{c.hi2, c.hi1, c.faceLight, c.face, c.face, c.face, c.faceDark, c.lo1, c.hi1,
             c.faceLight, c.face, c.face, c.face, c.lo1, c.lo2, c.edge},
            {c.edge, c.lo2, c.lo1, c.face, c.face, c.face, c.faceDark, c.lo1, c.hi1, c.faceLight,
             c.face, c.face, c.faceLight, c.hi1, c.hi2, c.hi2}};
}

Canvas drawFramePiece(const FrameStyle& style, FramePart part) {
    Canvas t;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const uint8_t top = style.lit[std::size_t(y)];
            const uint8_t bottom = style.shaded[std::size_t(15 - y)];
            const uint8_t left = style.lit[std::size_t(x)];
            const uint8_t right = style.shaded[std::size_t(15 - x)];
            uint8_t colour = 0;
            switch (part) {
            case FramePart::Top:
                colour = top;
                break;
            case FramePart::Bottom:
                colour = bottom;
                break;
            case FramePart::Left:
                colour = left;
                break;
            case FramePart::Right:
                colour = right;
                break;
            case FramePart::TopLeft:
                colour = x < y ? left : top;
                break;
            case FramePart::TopRight:
                colour = 15 - x < y ? right : top;
                break;
            case FramePart::BottomLeft:
                colour = x < 15 - y ? left : bottom;
                break;
            case FramePart::BottomRight:
                colour = x > y ? right : bottom;
                break;
            }
            t.set(x, y, colour);
        }
    return t;
}

} // namespace tessaly::art
