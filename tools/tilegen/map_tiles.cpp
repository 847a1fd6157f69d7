#include "tools/tilegen/map_tiles.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace tessaly::art {

namespace {

// One colourway. `back` is the backdrop behind open tiles (its shade 3 is the
// plain backdrop that every open tile of the row shares), `solid` the main
// material (earth, brick, stone, metal), `trim` the second material (wood,
// grass, moss), `liquid` water or its like, `glow` lamps, gems and gold.
struct Look {
    Ramp back, solid, trim, liquid, glow;
};

enum class Family {
    Sky,
    Ground,
    Bricks,
    Stone,
    Climb,
    Liquid,
    Hazard,
    Doors,
    Decor,
    Machine,
    Wall
};

constexpr int kFamilies = 11;

struct Theme {
    std::array<Look, 3> looks;
    std::array<Family, kFamilies> order; // family of sheet row r: order[r mod 11]
};

using F = Family;

constexpr Ramp kMaroonNight{82, 83, 84, 85, 16};
constexpr Ramp kDuskGreys{25, 22, 20, 18, 17};
constexpr Ramp kMarsDusk{77, 78, 79, 80, 16};
constexpr Ramp kMarsRock{43, 42, 41, 4, 85};
constexpr Ramp kDeepSpace{72, 73, 74, 75, 16};
constexpr Ramp kSignalLights{31, 11, 3, 73, 74};
constexpr Ramp kForestNight{62, 63, 64, 65, 17};
constexpr Ramp kSwampNight{67, 68, 69, 70, 16};

// The themes, numbered from 0 as a game's artTheme in the game table names them.
constexpr Theme kThemes[] = {
    {{{{kMaroonNight, kRoseRamp, kEmberRamp, kRedRamp, kFireRamp},
       {kDuskGreys, kEmberRamp, kOliveRamp, kTealRamp, kGoldRamp},
       {kMarsDusk, kMidGreys, kRoseRamp, kSeaRamp, kFireRamp}}},
     {F::Sky, F::Ground, F::Bricks, F::Wall, F::Doors, F::Stone, F::Climb, F::Decor, F::Hazard,
      F::Liquid, F::Machine}},
    {{{{kMarsDusk, kMarsRock, kRedRamp, kSeaRamp, kGoldRamp},
       {kNightGreys, kRedRamp, kEmberRamp, kSlimeRamp, kFireRamp},
       {kMaroonNight, kRoseRamp, kFireRamp, kFireRamp, kIceRamp}}},
     {F::Sky, F::Ground, F::Stone, F::Climb, F::Machine, F::Hazard, F::Bricks, F::Doors, F::Liquid,
      F::Decor, F::Wall}},
    {{{{kDeepSpace, kMidGreys, kBlueRamp, kTealRamp, kSignalLights},
       {kNightGreys, kBlueRamp, kLightGreys, kSeaRamp, kRedRamp},
       {kBlueRamp, kTealRamp, kMidGreys, kIceRamp, kGoldRamp}}},
     {F::Machine, F::Sky, F::Doors, F::Climb, F::Wall, F::Hazard, F::Stone, F::Bricks, F::Liquid,
      F::Decor, F::Ground}},
    {{{{kMarsDusk, kVioletRamp, kGreenRamp, kSlimeRamp, kPlumRamp},
       {kDeepSpace, kGreenRamp, kVioletRamp, kTealRamp, kGoldRamp},
       {kNightGreys, kRoseRamp, kTealRamp, kSeaRamp, kSlimeRamp}}},
     {F::Sky, F::Stone, F::Ground, F::Machine, F::Climb, F::Bricks, F::Hazard, F::Doors, F::Decor,
      F::Liquid, F::Wall}},
    {{{{kForestNight, kMidGreys, kGreenRamp, kTealRamp, kGoldRamp},
       {kNightGreys, kGreenRamp, kOliveRamp, kSeaRamp, kFireRamp},
       {kSwampNight, kDarkGreys, kTealRamp, kSlimeRamp, kFireRamp}}},
     {F::Sky, F::Stone, F::Bricks, F::Ground, F::Climb, F::Wall, F::Doors, F::Hazard, F::Decor,
      F::Liquid, F::Machine}},
};

// What a painter works with: the row's colourway, the tile's place in its
// row, a generator for the tile's own grain and a seed shared by the whole
// row, for pictures that span several tiles and must join up.
struct Job {
    const Look& k;
    int v;
    Rng rng;
    uint64_t rowSeed;
};

Ramp darker(const Ramp& r) {
    return {r[2], r[3], r[3], r[4], kBlack};
}

void backdrop(Canvas& t, const Look& k) {
    fillAll(t, k.back[3]);
}

// Courses of bricks over the whole canvas: each brick a highlight row, a face
// and a shadow row, mortar in ramp[4]; every second course shifted by half.
void bricks(Canvas& c, const Ramp& r, Rng& rng, int courseHeight, int brickWidth, int shift) {
    fillAll(c, r[4]);
    for (int top = 0; top < c.height; top += courseHeight) {
        const int course = top / courseHeight;
        const int start = (shift + (course % 2) * brickWidth / 2) % brickWidth - brickWidth;
        for (int x = start; x < c.width; x += brickWidth) {
            const int face = rng.chance(25) ? r[1] : r[2];
            fill(c, x, top, x + brickWidth - 2, top + courseHeight - 2, face);
            hline(c, x, x + brickWidth - 2, top, r[1]);
            hline(c, x, x + brickWidth - 2, top + courseHeight - 2, r[3]);
            c.set(x + brickWidth - 2, top, r[2]);
        }
    }
}

// A jagged crack from the top edge downwards.
void crack(Canvas& t, Rng& rng, int colour, int lightColour) {
    int x = 4 + rng.below(8);
    for (int y = 0; y < 16; ++y) {
        t.set(x, y, colour);
        t.set(x + 1, y, lightColour);
        if (rng.chance(45)) x += rng.chance(50) ? 1 : -1;
        x = std::clamp(x, 1, 13);
    }
}

// ---- Sky shades -------------------------------------------------------

Canvas cloud(const Look& k) {
    Canvas c(48, 16, k.back[3]);
    const double parts[][3] = {{9, 10, 4.5}, {18, 8, 6.5}, {28, 7, 6}, {37, 10, 5}};
    for (const auto& p : parts) disc(c, p[0], p[1] + 1, p[2], k.back[2]);
    fill(c, 6, 11, 41, 14, k.back[2]);
    for (const auto& p : parts) disc(c, p[0] - 0.5, p[1], p[2] - 0.5, k.back[1]);
    fill(c, 6, 11, 41, 13, k.back[1]);
    for (const auto& p : parts) disc(c, p[0] - 1.5, p[1] - 1.5, p[2] - 2.5, k.back[0]);
    return c;
}

void stars(Canvas& t, Rng& rng, int count) {
    for (int i = 0; i < count; ++i) t.set(rng.below(16), rng.below(16), grey(9 + rng.below(7)));
    const int x = 3 + rng.below(10), y = 3 + rng.below(10);
    t.set(x, y, kWhite);
    for (int d : {-1, 1}) {
        t.set(x + d, y, grey(11));
        t.set(x, y + d, grey(11));
    }
}

void paintSky(Canvas& t, Job& j) {
    const Ramp& b = j.k.back;
    switch (j.v) {
    case 0:
        fillAll(t, b[3]);
        break;
    case 1:
        fillAll(t, b[2]);
        break;
    case 2:
        fillAll(t, b[3]);
        for (int i = 0; i < 5; ++i) {
            const int x = j.rng.below(13), y = j.rng.below(16);
            hline(t, x, x + 2 + j.rng.below(3), y, b[2]);
        }
        break;
    case 3:
        blend(t, 0, 0, 15, 15, b[1], b[2]);
        break;
    case 4:
        blend(t, 0, 0, 15, 15, b[2], b[3]);
        break;
    case 5:
        blend(t, 0, 0, 15, 15, b[3], b[4]);
        break;
    case 6:
        fillAll(t, b[4]);
        stars(t, j.rng, 4);
        break;
    case 7:
        fillAll(t, b[3]);
        stars(t, j.rng, 3);
        break;
    case 8:
    case 9:
    case 10:
        t = cut(cloud(j.k), 16 * (j.v - 8), 0);
        break;
    case 11:
        fillAll(t, b[3]);
        disc(t, 8, 8, 5.5, grey(14));
        disc(t, 7, 7, 1.5, grey(12));
        disc(t, 10.5, 10, 1.2, grey(12));
        disc(t, 10.5, 5.5, 5, b[3]);
        break;
    default: {
        blend(t, 0, 0, 15, 15, b[2], b[3]);
        const double phase = j.rng.below(6);
        for (int x = 0; x < 16; ++x) {
            const int far = 8 + int(std::lround(2 * std::sin((x + phase) * 0.5)));
            const int near = 12 + int(std::lround(1.5 * std::sin((x + phase) * 0.9 + 1)));
            vline(t, x, far, 15, b[4]);
            vline(t, x, near, 15, j.k.solid[4]);
        }
        break;
    }
    }
}

// ---- Ground ---------------------------------------------------------------

// A block of earth with a crust on top, lit from the top left, rounded at
// its four corners. The first nine tiles of the row are a 48 x 48 block cut
// into its corners, edges and middle, so they join into larger blocks.
Canvas earthBlock(const Look& k, int w, int h, uint64_t seed) {
    Rng r(seed);
    const Ramp& s = k.solid;
    const Ramp& g = k.trim;
    Canvas c(w, h, s[2]);
    speckle(c, r, 0, 0, w - 1, h - 1, s[1], 6);
    speckle(c, r, 0, 0, w - 1, h - 1, s[3], 12);
    for (int i = 0; i < w * h / 80; ++i) {
        const int x = r.below(w - 1), y = 5 + r.below(std::max(1, h - 6));
        fill(c, x, y, x + 1, y, s[1]);
        fill(c, x, y + 1, x + 1, y + 1, s[3]);
    }
    vline(c, 0, 0, h - 1, s[4]);
    vline(c, 1, 1, h - 2, s[1]);
    vline(c, w - 1, 0, h - 1, s[4]);
    vline(c, w - 2, 1, h - 2, s[3]);
    hline(c, 0, w - 1, h - 1, s[4]);
    hline(c, 1, w - 2, h - 2, s[3]);
    for (int x = 0; x < w; ++x) {
        const int depth = 3 + r.below(2) + (r.chance(20) ? 2 : 0);
        c.set(x, 0, g[0]);
        vline(c, x, 1, 2, g[1]);
        vline(c, x, 3, depth, g[2]);
        c.set(x, depth + 1, g[3]);
    }
    vline(c, 0, 0, 4, g[3]);
    vline(c, w - 1, 0, 4, g[4]);
    for (auto [x, y] : {std::pair{0, 0},
                        {1, 0},
                        {0, 1},
                        {w - 1, 0},
                        {w - 2, 0},
                        {w - 1, 1},
                        {0, h - 1},
                        {w - 1, h - 1}})
        c.set(x, y, k.back[3]);
    return c;
}

// Earth without edges, for the fillers.
void earth(Canvas& t, const Look& k, Rng& rng) {
    fillAll(t, k.solid[2]);
    speckle(t, rng, 0, 0, 15, 15, k.solid[1], 6);
    speckle(t, rng, 0, 0, 15, 15, k.solid[3], 12);
}

void paintGround(Canvas& t, Job& j) {
    const Ramp& s = j.k.solid;
    if (j.v < 9) {
        t = cut(earthBlock(j.k, 48, 48, j.rowSeed), 16 * (j.v % 3), 16 * (j.v / 3));
        return;
    }
    switch (j.v) {
    case 9:
        t = earthBlock(j.k, 16, 16, j.rowSeed + 9);
        break;
    case 10:
        earth(t, j.k, j.rng);
        for (int i = 0; i < 3; ++i) {
            const double x = 3 + 5 * i + j.rng.below(2), y = 4 + j.rng.below(8);
            disc(t, x + 0.5, y + 0.5, 2.6, s[4]);
            disc(t, x, y, 2.2, s[1]);
            disc(t, x + 0.5, y + 0.6, 1.4, s[2]);
        }
        break;
    case 11:
        earth(t, j.k, j.rng);
        sprite(t, 2, 5,
               {".ww.......ww.", "wlllllllllllw", ".ww..lll..ww.", "......l......", ".....lll.....",
                "......l......"},
               {{'l', grey(12)}, {'w', grey(14)}});
        break;
    default:
        earth(t, j.k, j.rng);
        for (int x = 0; x < 16; ++x) {
            const int top = 15 - x;
            vline(t, x, 0, top - 1, j.k.back[3]);
            t.set(x, top, j.k.trim[0]);
            t.set(x, top + 1, j.k.trim[1]);
            t.set(x, top + 2, j.k.trim[2]);
        }
        break;
    }
}

// ---- Bricks ---------------------------------------------------------------

void paintBricks(Canvas& t, Job& j) {
    const Ramp& s = j.k.solid;
    Rng& r = j.rng;
    switch (j.v) {
    case 0:
        bricks(t, s, r, 4, 8, 0);
        break;
    case 1:
        bricks(t, s, r, 4, 8, 4);
        speckle(t, r, 0, 0, 15, 15, s[3], 10);
        break;
    case 2:
        bricks(t, s, r, 4, 8, 0);
        crack(t, r, s[4], s[1]);
        break;
    case 3:
        bricks(t, s, r, 4, 8, 2);
        for (int x = 0; x < 16; ++x) {
            const int len = r.below(4) + (r.chance(25) ? 3 : 0);
            vline(t, x, 0, len, j.k.trim[len > 3 ? 3 : 2]);
            t.set(x, 0, j.k.trim[1]);
        }
        break;
    case 4:
        bricks(t, s, r, 8, 16, 0);
        break;
    case 5:
        bricks(t, s, r, 4, 8, 0);
        fill(t, 0, 0, 15, 4, s[1]);
        hline(t, 0, 15, 0, s[0]);
        hline(t, 0, 15, 4, s[3]);
        hline(t, 0, 15, 5, s[4]);
        break;
    case 6:
        bricks(t, s, r, 4, 8, 0);
        fill(t, 4, 5, 11, 15, j.k.back[4]);
        disc(t, 8, 6, 4, j.k.back[4]);
        ring(t, 8, 6, 5, 1, s[0]);
        vline(t, 3, 6, 15, s[0]);
        vline(t, 12, 6, 15, s[3]);
        fill(t, 4, 6, 11, 15, j.k.back[4]);
        break;
    case 7:
        bricks(t, darker(s), r, 4, 8, 4);
        break;
    case 8:
    case 9: {
        bricks(t, s, r, 4, 8, 4);
        vline(t, 0, 0, 15, s[0]);
        vline(t, 1, 0, 15, s[1]);
        if (j.v == 9) t = mirrored(t);
        break;
    }
    case 10:
        bricks(t, s, r, 4, 8, 0);
        disc(t, 8, 9, 4.5, s[4]);
        disc(t, 8.5, 9.5, 3.5, j.k.back[4]);
        t.set(5, 6, j.k.back[4]);
        t.set(11, 12, j.k.back[4]);
        break;
    case 11:
        t = rotatedRight([&] {
            Canvas c;
            bricks(c, s, r, 4, 8, 0);
            return c;
        }());
        break;
    default:
        bricks(t, s, r, 4, 8, 0);
        fill(t, 3, 4, 12, 11, s[4]);
        for (int y = 5; y <= 10; y += 2) hline(t, 4, 11, y, s[2]);
        box(t, 3, 4, 12, 11, s[0]);
        break;
    }
}

// ---- Stone ----------------------------------------------------------------

// Stones by nearest point (a Voronoi pattern): joints where a neighbour
// belongs to another stone, a highlight under the joints above.
void cobbles(Canvas& t, const Ramp& s, Rng& rng, int stones) {
    std::vector<std::pair<int, int>> centre;
    std::vector<int> shade;
    for (int i = 0; i < stones; ++i) {
        centre.push_back({rng.below(16), rng.below(16)});
        shade.push_back(rng.pick({s[1], s[2], s[2], s[3]}));
    }
    auto owner = [&](int x, int y) {
        int best = 0, bestDistance = 1 << 30;
        for (int i = 0; i < stones; ++i) {
            int dx = std::abs(x - centre[std::size_t(i)].first);
            int dy = std::abs(y - centre[std::size_t(i)].second);
            dx = std::min(dx, 16 - dx); // wraps, so the tile repeats without seams
            dy = std::min(dy, 16 - dy);
            if (dx * dx + dy * dy < bestDistance) {
                bestDistance = dx * dx + dy * dy;
                best = i;
            }
        }
        return best;
    };
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int o = owner(x, y);
            const bool joint = owner((x + 1) % 16, y) != o || owner(x, (y + 1) % 16) != o;
            const bool lit = owner(x, (y + 15) % 16) != o || owner((x + 15) % 16, y) != o;
            t.set(x, y, joint ? s[4] : lit ? s[0] : shade[std::size_t(o)]);
        }
}

void roughRock(Canvas& t, const Ramp& s, Rng& rng) {
    fillAll(t, s[2]);
    speckle(t, rng, 0, 0, 15, 15, s[1], 18);
    speckle(t, rng, 0, 0, 15, 15, s[3], 22);
    for (int i = 0; i < 3; ++i) {
        const int x = rng.below(12), y = rng.below(14), len = 3 + rng.below(4);
        line(t, x, y, x + len, y + rng.below(3) - 1, s[4]);
        line(t, x, y + 1, x + len, y + 1, s[0]);
    }
}

Canvas column(const Look& k) {
    const Ramp& s = k.solid;
    Canvas c(16, 48, k.back[3]);
    const int shaft[] = {s[4], s[1], s[0], s[1], s[2], s[2], s[2], s[3], s[3], s[4]};
    for (int y = 0; y < 48; ++y)
        for (int i = 0; i < 10; ++i) c.set(3 + i, y, shaft[i]);
    for (int y = 8; y < 40; y += 5) hline(c, 4, 11, y, s[3]);
    bevelBlock(c, 0, 1, 15, 5, s);
    box(c, 0, 1, 15, 5, s[4]);
    bevelBlock(c, 1, 6, 14, 7, s);
    bevelBlock(c, 1, 40, 14, 41, s);
    bevelBlock(c, 0, 42, 15, 46, s);
    box(c, 0, 42, 15, 46, s[4]);
    return c;
}

void paintStone(Canvas& t, Job& j) {
    const Ramp& s = j.k.solid;
    Rng& r = j.rng;
    switch (j.v) {
    case 0:
        bevelBlock(t, 0, 0, 15, 15, s);
        box(t, 0, 0, 15, 15, s[4]);
        speckle(t, r, 2, 2, 13, 13, s[3], 10);
        speckle(t, r, 2, 2, 13, 13, s[1], 6);
        break;
    case 1:
        for (int by = 0; by < 16; by += 8)
            for (int bx = 0; bx < 16; bx += 8) {
                bevelBlock(t, bx, by, bx + 7, by + 7, s);
                box(t, bx, by, bx + 7, by + 7, s[4]);
                if (r.chance(50)) speckle(t, r, bx + 2, by + 2, bx + 5, by + 5, s[3], 20);
            }
        break;
    case 2:
        cobbles(t, s, r, 6);
        break;
    case 3: {
        bevelBlock(t, 0, 0, 15, 15, s);
        box(t, 0, 0, 15, 15, s[4]);
        const int rune = r.below(3);
        auto carve = [&](int x0, int y0, int x1, int y1) {
            line(t, x0 + 1, y0 + 1, x1 + 1, y1 + 1, s[1]);
            line(t, x0, y0, x1, y1, s[4]);
        };
        carve(7, 3, 7, 12);
        if (rune == 0) carve(7, 3, 11, 7), carve(7, 7, 11, 11);
        if (rune == 1) carve(4, 5, 10, 11), carve(10, 5, 4, 11);
        if (rune == 2) carve(7, 7, 11, 3), carve(7, 7, 3, 3);
        break;
    }
    case 4:
    case 5:
    case 6:
        t = cut(column(j.k), 0, 16 * (j.v - 4));
        break;
    case 7:
        roughRock(t, s, r);
        break;
    case 8:
        bevelBlock(t, 0, 0, 15, 15, s);
        box(t, 0, 0, 15, 15, s[4]);
        crack(t, r, s[4], s[1]);
        break;
    case 9:
        roughRock(t, s, r);
        for (int i = 0; i < 3; ++i) {
            const int x = 1 + r.below(12), y = 1 + r.below(12);
            fill(t, x, y, x + 1, y + 1, j.k.glow[1]);
            t.set(x, y, j.k.glow[0]);
            hline(t, x, x + 1, y + 2, s[4]);
        }
        break;
    case 10:
        backdrop(t, j.k);
        for (int step = 0; step < 4; ++step) {
            const int x0 = 4 * step, top = 12 - 4 * step;
            fill(t, x0, top, 15, 15, s[2]);
            hline(t, x0, 15, top, s[0]);
            vline(t, x0, top, 15, s[1]);
            hline(t, x0, 15, top + 3, s[3]);
        }
        break;
    case 11:
        backdrop(t, j.k);
        for (int i = 0; i < 6; ++i) {
            const double x = 2 + r.below(12), y = 11 + r.below(3), rad = 1.5 + r.below(2);
            disc(t, x + 0.5, y + 0.5, rad + 0.6, s[4]);
            disc(t, x, y, rad, s[r.below(2) + 1]);
        }
        fill(t, 0, 14, 15, 15, s[3]);
        break;
    default:
        fillAll(t, s[4]);
        for (int y = 0; y < 16; y += 4)
            for (int x = 0; x < 16; x += 4) fill(t, x, y, x + 2, y + 2, s[1 + r.below(3)]);
        break;
    }
}

// ---- Ladders and platforms ---------------------------------------------------

void ladder(Canvas& t, const Ramp& w, int top) {
    for (int x : {2, 12}) {
        vline(t, x - 1, top, 15, w[4]);
        vline(t, x, top, 15, w[1]);
        vline(t, x + 1, top, 15, w[3]);
        vline(t, x + 2, top, 15, w[4]);
    }
    for (int y = top + 2; y < 16; y += 4) {
        hline(t, 4, 11, y, w[1]);
        hline(t, 4, 11, y + 1, w[3]);
    }
}

Canvas platform(const Look& k) {
    const Ramp& w = k.trim;
    Canvas c(48, 16, k.back[3]);
    fill(c, 1, 1, 46, 6, w[2]);
    hline(c, 1, 46, 1, w[0]);
    hline(c, 1, 46, 2, w[1]);
    hline(c, 1, 46, 5, w[3]);
    hline(c, 1, 46, 6, w[4]);
    vline(c, 0, 2, 5, w[4]);
    vline(c, 47, 2, 5, w[4]);
    for (int x = 9; x < 46; x += 10) vline(c, x, 2, 5, w[3]);
    for (int x : {4, 43}) {
        c.set(x, 3, grey(14));
        c.set(x, 4, grey(6));
        line(c, x - 1, 7, x + 2, 12, grey(8));
        line(c, x - 1, 8, x + 1, 12, grey(5));
    }
    return c;
}

void paintClimb(Canvas& t, Job& j) {
    const Ramp& w = j.k.trim;
    switch (j.v) {
    case 0:
        backdrop(t, j.k);
        ladder(t, w, 0);
        break;
    case 1:
        backdrop(t, j.k);
        ladder(t, w, 5);
        for (int x : {2, 12}) hline(t, x, x + 1, 4, w[0]);
        break;
    case 2:
        bricks(t, darker(j.k.solid), j.rng, 4, 8, 0);
        ladder(t, w, 0);
        break;
    case 3:
        backdrop(t, j.k);
        for (int y = 0; y < 16; ++y) {
            vline(t, 6, y, y, w[4]);
            vline(t, 9, y, y, w[4]);
            t.set(7, y, (y % 4) < 2 ? w[1] : w[2]);
            t.set(8, y, (y % 4) < 2 ? w[2] : w[3]);
        }
        break;
    case 4:
        backdrop(t, j.k);
        for (int y = 0; y < 16; y += 8) {
            box(t, 6, y, 9, y + 4, grey(12));
            vline(t, 9, y + 1, y + 3, grey(7));
            vline(t, 7, y + 4, y + 8, grey(10));
            vline(t, 8, y + 4, y + 8, grey(6));
        }
        break;
    case 5:
    case 6:
    case 7:
        t = cut(platform(j.k), 16 * (j.v - 5), 0);
        break;
    case 8:
        backdrop(t, j.k);
        vline(t, 7, 6, 15, grey(11));
        vline(t, 8, 6, 15, grey(6));
        bevelBlock(t, 2, 2, 13, 6, w);
        hline(t, 2, 13, 2, w[0]);
        break;
    case 9:
        backdrop(t, j.k);
        for (int x = 0; x < 16; x += 4) {
            fill(t, x, 7, x + 2, 10, w[2]);
            hline(t, x, x + 2, 7, w[0]);
            hline(t, x, x + 2, 10, w[3]);
            vline(t, x + 3, 7, 10, w[4]);
        }
        vline(t, 1, 2, 6, w[3]);
        vline(t, 14, 2, 6, w[3]);
        for (int x = 0; x < 16; ++x) t.set(x, 3 + (x > 3 && x < 12 ? 1 : 0), w[1]);
        break;
    case 10:
        backdrop(t, j.k);
        for (int y = 0; y < 16; ++y) {
            const int pole[] = {grey(5), grey(12), grey(14), grey(9), grey(7), grey(4)};
            for (int i = 0; i < 6; ++i) t.set(5 + i, y, pole[i]);
        }
        hline(t, 5, 10, 7, grey(4));
        hline(t, 5, 10, 8, grey(13));
        break;
    case 11:
        backdrop(t, j.k);
        for (int x : {1, 9}) fill(t, x, 2, x + 2, 15, w[2]), vline(t, x, 2, 15, w[0]);
        for (int y : {5, 11}) hline(t, 0, 15, y, w[1]), hline(t, 0, 15, y + 1, w[3]);
        break;
    default:
        bevelBlock(t, 0, 0, 15, 15, w);
        box(t, 0, 0, 15, 15, w[4]);
        box(t, 2, 2, 13, 13, w[3]);
        line(t, 3, 3, 12, 12, w[1]);
        line(t, 3, 4, 11, 12, w[3]);
        line(t, 12, 3, 3, 12, w[1]);
        line(t, 12, 4, 4, 12, w[3]);
        break;
    }
}

// ---- Liquids ----------------------------------------------------------------

void liquidBody(Canvas& t, const Ramp& l, Rng& rng, int shade, int top) {
    fill(t, 0, top, 15, 15, l[shade]);
    for (int i = 0; i < 4; ++i) {
        const int x = rng.below(13), y = top + 1 + rng.below(std::max(1, 14 - top));
        hline(t, x, x + 2 + rng.below(3), y, l[shade - 1]);
    }
    speckle(t, rng, 0, top, 15, 15, l[std::min(shade + 1, 4)], 6);
}

void liquidSurface(Canvas& t, const Look& k, const Ramp& l, Rng& rng, double phase) {
    backdrop(t, k);
    liquidBody(t, l, rng, 2, 5);
    for (int x = 0; x < 16; ++x) {
        const int crest = 5 + int(std::lround(1.2 * std::sin((x + phase) * 0.785)));
        vline(t, x, crest, 15, l[2]);
        t.set(x, crest, l[0]);
        t.set(x, crest + 1, l[1]);
    }
    liquidBody(t, l, rng, 2, 9);
}

void paintLiquid(Canvas& t, Job& j) {
    const Ramp& l = j.k.liquid;
    Rng& r = j.rng;
    switch (j.v) {
    case 0:
        liquidSurface(t, j.k, l, r, 0);
        break;
    case 1:
        liquidBody(t, l, r, 2, 0);
        break;
    case 2:
        blend(t, 0, 0, 15, 15, l[2], l[3]);
        for (int i = 0; i < 3; ++i) hline(t, r.below(12), 12 + r.below(3), r.below(16), l[2]);
        break;
    case 3:
        for (int x = 0; x < 16; ++x) {
            const int shade = (x * 7 + 3) % 3;
            vline(t, x, 0, 15, l[shade]);
            const int gap = r.below(16);
            vline(t, x, gap, gap + 1, l[shade + 1]);
        }
        break;
    case 4:
        liquidBody(t, l, r, 2, 0);
        ring(t, 5, 10, 2.5, 1, l[0]);
        ring(t, 10, 4, 1.8, 1, l[0]);
        t.set(12, 11, l[0]);
        break;
    case 5:
        liquidSurface(t, j.k, l, r, 4);
        break;
    case 6:
        liquidSurface(t, j.k, kFireRamp, r, 2);
        break;
    case 7:
        fillAll(t, kFireRamp[2]);
        for (int i = 0; i < 4; ++i) {
            const double x = r.below(16), y = r.below(16);
            disc(t, x, y, 2, kFireRamp[1]);
            disc(t, x - 0.5, y - 0.5, 0.9, kFireRamp[0]);
        }
        speckle(t, r, 0, 0, 15, 15, kFireRamp[3], 8);
        break;
    case 8:
        liquidSurface(t, j.k, kSlimeRamp, r, 6);
        break;
    case 9:
        liquidBody(t, kSlimeRamp, r, 2, 0);
        ring(t, 9, 9, 2.5, 1, kSlimeRamp[0]);
        t.set(4, 4, kSlimeRamp[0]);
        break;
    case 10:
        bevelBlock(t, 0, 0, 15, 15, kIceRamp);
        box(t, 0, 0, 15, 15, kIceRamp[4]);
        for (int shift = r.below(4), i = 0; i < 2; ++i)
            line(t, 3 + shift, 8 + 3 * i, 8 + shift + 3 * i, 3, i ? kIceRamp[0] : kWhite);
        break;
    case 11:
        backdrop(t, j.k);
        fill(t, 0, 0, 15, 2, kIceRamp[1]);
        hline(t, 0, 15, 0, kWhite);
        for (int x = 0; x < 16; x += 4) {
            const int len = 5 + r.below(8);
            for (int y = 3; y < 3 + len; ++y) {
                const int half = std::max(0, 2 - (y - 3) * 3 / len);
                hline(t, x + 2 - half, x + 1, y, kIceRamp[1]);
                hline(t, x + 2, x + 1 + half, y, kIceRamp[3]);
            }
        }
        break;
    default:
        backdrop(t, j.k);
        disc(t, 8, 6, 2.2, l[1]);
        line(t, 8, 1, 8, 4, l[1]);
        t.set(7, 5, l[0]);
        hline(t, 4, 11, 14, l[2]);
        t.set(3, 13, l[1]);
        t.set(12, 13, l[1]);
        break;
    }
}

// ---- Hazards ----------------------------------------------------------------

// `count` spikes side by side from tipY down to baseY, lit from the left.
void spikeRow(Canvas& t, int tipY, int baseY, int count) {
    const double width = 16.0 / count;
    for (int i = 0; i < count; ++i) {
        const double cx = width * (i + 0.5);
        for (int y = tipY; y <= baseY; ++y) {
            const double half = 0.6 + (y - tipY) * (width / 2 - 0.6) / (baseY - tipY);
            for (int x = 0; x < 16; ++x) {
                const double d = x + 0.5 - cx;
                if (std::abs(d) > half) continue;
                t.set(x, y, y < tipY + 2 ? grey(15) : d < 0 ? grey(13) : grey(7));
            }
        }
    }
}

Canvas spikes(const Look& k) {
    Canvas t;
    backdrop(t, k);
    spikeRow(t, 2, 12, 2);
    bevelBlock(t, 0, 13, 15, 15, k.solid);
    hline(t, 0, 15, 15, k.solid[4]);
    return t;
}

void flames(Canvas& t, Rng& rng, int base) {
    for (int x = 0; x < 16; ++x) {
        const int peak = std::min({std::abs(x - 3), std::abs(x - 8), std::abs(x - 13)});
        const int h = std::max(2, 11 - 3 * peak + rng.below(2));
        vline(t, x, base - h, base, kFireRamp[2]);
        vline(t, x, base - h * 2 / 3, base, kFireRamp[1]);
        vline(t, x, base - h / 3, base, kFireRamp[0]);
        t.set(x, base - h, kFireRamp[3]);
    }
}

void paintHazard(Canvas& t, Job& j) {
    Rng& r = j.rng;
    switch (j.v) {
    case 0:
        t = spikes(j.k);
        break;
    case 1:
        t = flipped(spikes(j.k));
        break;
    case 2:
        t = mirrored(rotatedRight(spikes(j.k)));
        break;
    case 3:
        t = rotatedRight(spikes(j.k));
        break;
    case 4:
        backdrop(t, j.k);
        flames(t, r, 15);
        break;
    case 5:
        backdrop(t, j.k);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const double dx = x + 0.5 - 8, dy = y + 0.5 - 8;
                const double turn = std::atan2(dy, dx) / (2 * 3.14159265) * 8;
                const double reach = 5.2 + 2.3 * (turn - std::floor(turn));
                if (std::hypot(dx, dy) <= reach) t.set(x, y, dx + dy < 0 ? grey(12) : grey(8));
            }
        ring(t, 8, 8, 4, 1, grey(5));
        disc(t, 8, 8, 1.6, grey(14));
        break;
    case 6: {
        earth(t, j.k, r);
        fill(t, 0, 0, 15, 9, j.k.back[3]);
        spikeRow(t, 3, 9, 4);
        hline(t, 0, 15, 10, j.k.trim[0]);
        hline(t, 0, 15, 11, j.k.trim[2]);
        break;
    }
    case 7: {
        backdrop(t, j.k);
        for (int x : {0, 13}) bevelBlock(t, x, 3, x + 2, 12, kMidGreys);
        int y = 7;
        for (int x = 3; x < 13; ++x) {
            const int next = std::clamp(y + r.below(5) - 2, 4, 11);
            line(t, x, y - 1, x + 1, next - 1, 11);
            line(t, x, y + 1, x + 1, next + 1, 11);
            line(t, x, y, x + 1, next, kWhite);
            y = next;
        }
        break;
    }
    case 8:
        backdrop(t, j.k);
        for (int i = 0; i < 3; ++i) {
            int y = 3 + 5 * i + r.below(2);
            for (int x = 0; x < 16; ++x) {
                t.set(x, y, j.k.trim[2]);
                t.set(x, y + 1, j.k.trim[3]);
                if (x % 5 == i) t.set(x, y - 1, grey(14));
                if (x % 5 == 3 - i) t.set(x, y + 2, grey(14));
                if (r.chance(25)) y = std::clamp(y + (r.chance(50) ? 1 : -1), 1, 14);
            }
        }
        break;
    case 9:
        backdrop(t, j.k);
        for (int a = 0; a < 8; ++a) {
            const double ang = a * 3.14159265 / 4;
            line(t, 8, 8, 8 + int(std::lround(6.5 * std::cos(ang))),
                 8 + int(std::lround(6.5 * std::sin(ang))), grey(10));
        }
        disc(t, 8, 8, 4.5, grey(4));
        disc(t, 7, 7, 2, grey(7));
        fill(t, 7, 7, 8, 8, 40);
        t.set(7, 7, 12);
        break;
    case 10:
        backdrop(t, j.k);
        for (int y : {4, 11}) {
            for (int x = 0; x < 16; ++x) t.set(x, y + (x % 4 < 2 ? 0 : 1), grey(11));
            for (int x = 2; x < 16; x += 6) {
                line(t, x - 1, y - 2, x + 2, y + 3, grey(13));
                line(t, x + 2, y - 2, x - 1, y + 3, grey(8));
            }
        }
        break;
    case 11:
        backdrop(t, j.k);
        vline(t, 7, 12, 15, j.k.trim[2]);
        vline(t, 8, 12, 15, j.k.trim[3]);
        for (int y = 1; y <= 12; ++y) {
            const int half = (y - 1) * 7 / 11;
            hline(t, 8 - half - 1, 7 + half + 1, y, kBlack);
            if (y > 1 && y < 12) hline(t, 8 - half, 7 + half, y, 14);
        }
        vline(t, 7, 4, 8, kBlack);
        vline(t, 8, 4, 8, kBlack);
        hline(t, 7, 8, 10, kBlack);
        break;
    default:
        backdrop(t, j.k);
        bevelBlock(t, 0, 0, 15, 9, kMidGreys);
        box(t, 0, 0, 15, 9, grey(4));
        hline(t, 2, 13, 4, grey(6));
        for (int x = 0; x < 16; x += 4)
            for (int y = 10; y <= 13; ++y) {
                const int half = 13 - y;
                hline(t, x + 2 - half / 2 - 1, x + 1, y, grey(13));
                hline(t, x + 2, x + 2 + half / 2, y, grey(7));
            }
        break;
    }
}

// ---- Doors and windows --------------------------------------------------------

// A wooden door with iron bands set in an arch of the wall; `halfWidth`
// 13 gives the 32 x 32 double door, 6 the 16 x 32 single door.
Canvas door(const Look& k, Rng& rng, int width) {
    const Ramp& w = k.trim;
    const Ramp& s = k.solid;
    Canvas c(width, 32);
    bricks(c, darker(s), rng, 4, 8, 0);
    const int x0 = 2, x1 = width - 3, radius = (x1 - x0 + 1) / 2;
    const double cx = (x0 + x1 + 1) / 2.0, cy = 2.0 + radius;
    for (int y = 0; y < 32; ++y)
        for (int x = x0 - 2; x <= x1 + 2; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const bool inArch = y >= cy ? true : d <= radius + 0.2;
            const bool inFrame = y >= cy ? true : d <= radius + 2.2;
            if (x >= x0 - 2 && x <= x1 + 2 && inFrame && (x < x0 || x > x1 || !inArch))
                c.set(x, y, x < cx ? s[0] : s[1]);
            if (x >= x0 && x <= x1 && inArch) {
                const int plank = (x - x0) % 4;
                c.set(x, y, plank == 3 ? w[4] : plank == 0 ? w[1] : w[2]);
            }
        }
    for (int y : {9, 24}) {
        hline(c, x0, x1, y, grey(8));
        hline(c, x0, x1, y + 1, grey(5));
        for (int x = x0 + 1; x < x1; x += 4) c.set(x, y, grey(13));
    }
    if (width == 32) {
        vline(c, 15, 4, 31, w[4]);
        vline(c, 16, 4, 31, w[4]);
        ring(c, 13, 18, 1.8, 0.9, k.glow[1]);
        ring(c, 19, 18, 1.8, 0.9, k.glow[1]);
    } else {
        disc(c, x1 - 1.5, 18, 1, k.glow[0]);
    }
    return c;
}

void paintDoors(Canvas& t, Job& j) {
    const Ramp& s = j.k.solid;
    const Ramp& w = j.k.trim;
    Rng row(j.rowSeed);
    switch (j.v) {
    case 0:
    case 1:
    case 2:
    case 3:
        t = cut(door(j.k, row, 32), 16 * (j.v % 2), 16 * (j.v / 2));
        break;
    case 4:
    case 5:
        t = cut(door(j.k, row, 16), 0, 16 * (j.v - 4));
        break;
    case 6:
        fillAll(t, j.k.back[3]);
        for (int y : {3, 12}) hline(t, 0, 15, y, grey(6)), hline(t, 0, 15, y + 1, grey(3));
        for (int x = 1; x < 16; x += 4) {
            vline(t, x, 0, 15, grey(11));
            vline(t, x + 1, 0, 15, grey(6));
        }
        break;
    case 7:
        bevelBlock(t, 0, 0, 15, 15, w);
        for (int y = 4; y < 16; y += 4) hline(t, 1, 14, y, w[3]);
        box(t, 0, 0, 15, 15, w[4]);
        ring(t, 8, 8, 2.6, 1, grey(12));
        break;
    case 8:
        bevelBlock(t, 0, 0, 15, 15, s);
        box(t, 0, 0, 15, 15, s[4]);
        bevelBlock(t, 3, 2, 12, 13, j.k.glow);
        box(t, 3, 2, 12, 13, j.k.glow[4]);
        disc(t, 8, 6.5, 2, kBlack);
        fill(t, 7, 7, 8, 11, kBlack);
        break;
    case 9:
        backdrop(t, j.k);
        vline(t, 7, 10, 15, w[3]);
        vline(t, 8, 10, 15, w[4]);
        bevelBlock(t, 1, 2, 14, 10, kGreenRamp);
        box(t, 1, 2, 14, 10, kBlack);
        hline(t, 4, 10, 6, kWhite);
        line(t, 9, 4, 11, 6, kWhite);
        line(t, 9, 8, 11, 6, kWhite);
        break;
    case 10:
    case 11: {
        bricks(t, s, j.rng, 4, 8, 0);
        fill(t, 2, 2, 13, 13, w[3]);
        const bool lit = j.v == 10;
        fill(t, 3, 3, 12, 12, lit ? j.k.glow[1] : j.k.back[4]);
        if (lit) blend(t, 3, 3, 12, 12, j.k.glow[0], j.k.glow[1]);
        hline(t, 3, 12, lit ? 7 : 6, w[2]);
        vline(t, lit ? 7 : 5, 3, 12, w[2]);
        if (!lit) vline(t, 10, 3, 12, w[2]);
        box(t, 2, 2, 13, 13, w[4]);
        break;
    }
    default:
        bricks(t, s, j.rng, 4, 8, 0);
        disc(t, 8, 16, 7, s[0]);
        disc(t, 8, 16, 6, j.k.back[4]);
        fill(t, 6, 0, 9, 3, s[1]);
        box(t, 6, 0, 9, 3, s[4]);
        break;
    }
}

// ---- Decorations ----------------------------------------------------------------

void paintDecor(Canvas& t, Job& j) {
    backdrop(t, j.k);
    const Ramp& w = j.k.trim;
    const Ramp& g = j.k.glow;
    Rng& r = j.rng;
    switch (j.v) {
    case 0:
        fill(t, 6, 10, 9, 11, grey(10));
        fill(t, 7, 12, 8, 15, grey(6));
        disc(t, 8, 6, 3.5, kFireRamp[2]);
        line(t, 8, 0, 8, 4, kFireRamp[2]);
        disc(t, 8, 7, 2.2, kFireRamp[1]);
        disc(t, 8, 8, 1, kFireRamp[0]);
        break;
    case 1: {
        // A bush: clumps of leaves, each dark below and lit above.
        const Ramp& leaf = kGreenRamp;
        const double clumps[][3] = {{4, 10.5, 3.6}, {11.5, 10.5, 3.6}, {8, 7.5, 4.4}};
        for (const auto& p : clumps) disc(t, p[0], p[1], p[2], leaf[4]);
        for (const auto& p : clumps) disc(t, p[0] - 0.4, p[1] - 0.4, p[2] - 0.9, leaf[3]);
        for (const auto& p : clumps) disc(t, p[0] - 1, p[1] - 1.2, p[2] - 1.9, leaf[2]);
        for (const auto& p : clumps) t.set(int(p[0]) - 2, int(p[1]) - 2, leaf[0]);
        speckle(t, r, 2, 5, 13, 12, leaf[1], 6);
        fill(t, 0, 14, 15, 15, j.k.back[3]);
        fill(t, 2, 14, 13, 14, leaf[4]);
        break;
    }
    case 2:
        disc(t, 8, 9, 6, kRedRamp[2]);
        disc(t, 7.5, 8.5, 5.2, kRedRamp[1]);
        fill(t, 0, 10, 15, 15, j.k.back[3]);
        fill(t, 6, 10, 9, 15, 81);
        vline(t, 9, 10, 15, 82);
        hline(t, 2, 13, 9, kRedRamp[3]);
        t.set(5, 5, kWhite), t.set(9, 4, kWhite), t.set(11, 7, kWhite), t.set(4, 7, kWhite);
        break;
    case 3:
        fill(t, 3, 2, 12, 15, w[2]);
        for (int x = 4; x < 12; x += 3) vline(t, x, 2, 15, w[3]);
        vline(t, 3, 2, 15, w[1]);
        vline(t, 12, 2, 15, w[4]);
        for (int y : {4, 12}) hline(t, 3, 12, y, grey(6)), hline(t, 3, 12, y + 1, grey(10));
        hline(t, 4, 11, 2, w[0]);
        break;
    case 4:
        vline(t, 7, 8, 15, w[2]);
        vline(t, 8, 8, 15, w[4]);
        bevelBlock(t, 1, 2, 14, 8, w);
        box(t, 1, 2, 14, 8, w[4]);
        hline(t, 3, 11, 4, w[3]);
        hline(t, 3, 8, 6, w[3]);
        break;
    case 5:
        sprite(t, 2, 5,
               {"...lwwwl...", "..lwwwwwl..", "..wkkwkkw..", "..wwwkwww..", "...lwwwl...",
                "...k.k.k...", "lw.......wl", ".lww...wwl.", "...wwwww...", "..wwl.lww..",
                "lw.......wl"},
               {{'l', grey(11)}, {'w', grey(14)}});
        break;
    case 6:
        vline(t, 7, 0, 4, grey(8));
        vline(t, 8, 0, 4, grey(5));
        fill(t, 4, 5, 11, 6, grey(9));
        disc(t, 8, 9.5, 3.5, g[1]);
        disc(t, 7.5, 9, 2, g[0]);
        hline(t, 5, 10, 13, grey(9));
        hline(t, 6, 9, 14, grey(6));
        break;
    case 7:
        for (int i = 0; i < 3; ++i) {
            const int cx = 4 + 4 * i, top = 3 + (i == 1 ? 0 : 4) + r.below(2);
            for (int y = top; y < 16; ++y) {
                const int half = std::min(2, (y - top) / 2 + 1);
                hline(t, cx - half, cx - 1, y, g[0]);
                hline(t, cx, cx + half - 1, y, g[2]);
            }
        }
        break;
    case 8:
        ring(t, 4.5, 8, 3.5, 1.5, g[1]);
        fill(t, 7, 7, 14, 8, g[1]);
        hline(t, 7, 14, 7, g[0]);
        fill(t, 11, 9, 11, 11, g[2]);
        fill(t, 13, 9, 13, 10, g[2]);
        t.set(3, 6, g[0]);
        break;
    case 9:
    case 10: {
        Canvas p;
        backdrop(p, j.k);
        const int shades[] = {w[4], w[1], w[0], w[1], w[2], w[2], w[3], w[4]};
        for (int i = 0; i < 8; ++i) hline(p, 0, 15, 4 + i, shades[i]);
        fill(p, 11, 3, 13, 12, w[2]);
        vline(p, 11, 3, 12, w[0]);
        vline(p, 13, 3, 12, w[4]);
        box(p, 10, 3, 14, 12, w[4]);
        t = j.v == 9 ? p : mirrored(rotatedRight(p));
        break;
    }
    case 11: {
        const int shades[] = {w[4], w[1], w[0], w[1], w[2], w[2], w[3], w[4]};
        for (int i = 0; i < 8; ++i) {
            hline(t, 0, 4 + i, 4 + i, shades[i]);
            vline(t, 4 + i, 4 + i, 15, shades[i]);
        }
        break;
    }
    default: {
        hline(t, 1, 14, 1, grey(10));
        const Ramp& cloth = j.k.solid;
        for (int y = 2; y <= 13; ++y)
            for (int x = 3; x <= 12; ++x) {
                if (y > 10 && std::abs(x - 7.5) < (y - 10) * 1.2) continue;
                t.set(x, y, x < 5 ? cloth[1] : x > 10 ? cloth[3] : cloth[2]);
            }
        for (int y = 0; y < 5; ++y) hline(t, 8 - y / 2 - 1, 7 + y / 2 + 1, 4 + y, g[1]);
        t.set(7, 4, g[0]);
        break;
    }
    }
}

// ---- Machinery ----------------------------------------------------------------

void paintMachine(Canvas& t, Job& j) {
    const Ramp& s = j.k.solid;
    const Ramp& g = j.k.glow;
    Rng& r = j.rng;
    auto panel = [&] {
        bevelBlock(t, 0, 0, 15, 15, s);
        box(t, 0, 0, 15, 15, s[4]);
    };
    switch (j.v) {
    case 0:
        panel();
        for (int x : {2, 13})
            for (int y : {2, 13}) t.set(x, y, s[0]), t.set(x + 1, y + 1, s[4]);
        hline(t, 4, 11, 8, s[3]);
        break;
    case 1:
        panel();
        fill(t, 2, 2, 13, 13, s[4]);
        for (int x = 3; x < 13; x += 3) vline(t, x, 2, 13, s[2]), vline(t, x + 1, 2, 13, s[3]);
        hline(t, 2, 13, 7, s[1]);
        break;
    case 2:
        panel();
        for (int y = 3; y < 13; y += 3) {
            hline(t, 2, 13, y, s[4]);
            hline(t, 2, 13, y + 1, s[1]);
        }
        break;
    case 3:
        fill(t, 0, 0, 15, 15, grey(9));
        box(t, 0, 0, 15, 15, grey(4));
        hline(t, 1, 14, 1, grey(13));
        fill(t, 2, 2, 13, 11, kBlack);
        for (int y = 3; y < 11; y += 2) hline(t, 3, 4 + r.below(8), y, g[r.below(2)]);
        fill(t, 6, 13, 9, 14, grey(6));
        break;
    case 4:
        panel();
        fill(t, 2, 2, 13, 5, kBlack);
        hline(t, 3, 3 + r.below(9), 3, g[1]);
        for (int i = 0; i < 6; ++i) {
            const int x = 3 + (i % 3) * 4, y = 8 + (i / 3) * 4;
            const int colour = std::array{40, 10, 14, 9, 12, 11}[std::size_t((i + r.below(3)) % 6)];
            fill(t, x, y, x + 1, y + 1, colour);
            hline(t, x, x + 1, y + 2, s[4]);
        }
        break;
    case 5: {
        const int phase = r.below(8);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) t.set(x, y, ((x + y + phase) / 4) % 2 ? kBlack : 14);
        hline(t, 0, 15, 0, grey(12));
        hline(t, 0, 15, 15, grey(4));
        break;
    }
    case 6:
    case 7: {
        Canvas p;
        backdrop(p, j.k);
        fill(p, 0, 2, 15, 3, g[2]);
        hline(p, 0, 15, 2, g[1]);
        fill(p, 0, 12, 15, 13, g[3]);
        hline(p, 0, 15, 12, g[2]);
        for (int x = 0; x < 16; ++x) {
            const int y = 4 + std::abs((x % 8) - 4) * 2;
            p.set(x, y, g[2]);
            p.set(x, y + 1, g[3]);
        }
        t = j.v == 6 ? p : mirrored(rotatedRight(p));
        break;
    }
    case 8:
        backdrop(t, j.k);
        for (int i = 0; i < 3; ++i) {
            const int colour = std::array{40, 14, 9}[std::size_t(i)];
            for (int x = 0; x < 16; ++x) {
                const int y = 4 + 3 * i + int(std::lround(std::sin((x + 3 * i) * 0.5)));
                t.set(x, y, colour);
                t.set(x, y + 1, kBlack);
            }
        }
        break;
    case 9:
        backdrop(t, j.k);
        fill(t, 0, 4, 15, 11, grey(5));
        for (int x = 0; x < 16; x += 2) t.set(x, 4, grey(12)), t.set(x + 1, 11, grey(9));
        for (int x : {3, 8, 13}) {
            disc(t, x, 8, 2.5, grey(11));
            t.set(x, 8, grey(3));
        }
        break;
    case 10:
        panel();
        disc(t, 8, 8, 5, s[4]);
        disc(t, 8, 8, 4, g[1]);
        disc(t, 7, 7, 2, g[0]);
        break;
    case 11:
        panel();
        fill(t, 7, 4, 8, 12, kBlack);
        line(t, 8, 8, 12, 3, grey(12));
        line(t, 8, 9, 12, 4, grey(6));
        disc(t, 12.5, 3, 1.6, 40);
        break;
    default:
        panel();
        disc(t, 8, 8, 6.5, grey(12));
        disc(t, 8.5, 8.5, 6.2, grey(6));
        disc(t, 8, 8, 5, j.k.back[4]);
        stars(t, r, 0);
        t.set(5, 6, kWhite);
        t.set(10, 10, grey(12));
        break;
    }
}

// ---- Inner walls ----------------------------------------------------------------

void wallpaper(Canvas& t, const Look& k) {
    for (int x = 0; x < 16; ++x) vline(t, x, 0, 15, (x % 8) < 4 ? k.back[2] : k.back[3]);
    for (int x = 0; x < 16; x += 8) vline(t, x + 1, 0, 15, k.back[1]);
}

void paintWall(Canvas& t, Job& j) {
    const Ramp& b = j.k.back;
    const Ramp& w = j.k.trim;
    Rng& r = j.rng;
    switch (j.v) {
    case 0:
        wallpaper(t, j.k);
        break;
    case 1:
        fillAll(t, b[3]);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (std::abs((x % 8) - 4) + std::abs((y % 8) - 4) == 4) t.set(x, y, b[2]);
        t.set(4, 4, b[1]);
        t.set(12, 12, b[1]);
        break;
    case 2:
        for (int x = 0; x < 16; ++x)
            vline(t, x, 0, 15, x % 4 == 3 ? w[4] : x % 4 == 0 ? w[2] : w[3]);
        fill(t, 0, 0, 15, 1, w[1]);
        hline(t, 0, 15, 2, w[4]);
        break;
    case 3:
        bricks(t, darker(darker(j.k.solid)), r, 4, 8, 0);
        break;
    case 4:
        for (int x = 0; x < 16; ++x) {
            const int shade = std::array{1, 2, 2, 3}[std::size_t(x % 4)];
            vline(t, x, 0, 15, kRedRamp[shade]);
        }
        fill(t, 0, 0, 15, 2, j.k.glow[2]);
        hline(t, 0, 15, 3, j.k.glow[3]);
        break;
    case 5:
        fillAll(t, w[3]);
        for (int shelf : {0, 8}) {
            int x = 1;
            while (x < 15) {
                const int wide = 1 + r.below(2), tall = 4 + r.below(3);
                const int colour = std::array{4, 1, 2, 6, 5, 84}[std::size_t(r.below(6))];
                fill(t, x, shelf + 7 - tall, std::min(14, x + wide - 1), shelf + 6, colour);
                x += wide + 1;
            }
            hline(t, 0, 15, shelf + 7, w[1]);
        }
        break;
    case 6:
        wallpaper(t, j.k);
        fill(t, 2, 2, 13, 13, j.k.glow[2]);
        box(t, 2, 2, 13, 13, j.k.glow[1]);
        blend(t, 4, 4, 11, 11, 71, 72);
        disc(t, 8, 14, 5, 63);
        box(t, 3, 3, 12, 12, j.k.glow[3]);
        break;
    case 7:
        fill(t, 0, 0, 15, 15, j.k.solid[2]);
        fill(t, 2, 2, 13, 13, b[4]);
        disc(t, 10, 5, 2.2, grey(14));
        t.set(4, 9, grey(12));
        vline(t, 7, 2, 13, w[2]);
        hline(t, 2, 13, 7, w[2]);
        box(t, 1, 1, 14, 14, w[3]);
        break;
    case 8:
        wallpaper(t, j.k);
        for (int a = 0; a < 4; ++a) line(t, 0, 0, 15 - a * 5, a * 5, grey(11));
        for (int rad : {4, 8, 12}) ring(t, 0, 0, rad, 1, grey(9));
        break;
    case 9:
        wallpaper(t, j.k);
        fill(t, 4, 0, 11, 15, j.k.solid[3]);
        vline(t, 4, 0, 15, j.k.solid[2]);
        vline(t, 11, 0, 15, j.k.solid[4]);
        break;
    case 10:
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) t.set(x, y, ((x / 4) + (y / 4)) % 2 ? b[2] : b[1]);
        break;
    case 11:
        roughRock(t, darker(j.k.solid), r);
        break;
    default: {
        wallpaper(t, j.k);
        int x = 6 + r.below(4);
        for (int y = 0; y < 16; ++y) {
            t.set(x, y, j.k.glow[1]);
            t.set(x + 1, y, kBlack);
            x = std::clamp(x + r.below(3) - 1, 2, 13);
        }
        break;
    }
    }
}

const Theme& themeFor(int artTheme) {
    if (artTheme < 0 || artTheme >= int(std::size(kThemes))) return kThemes[0];
    return kThemes[std::size_t(artTheme)];
}

} // namespace

Canvas drawMapTile(const GameRecord& game, int tileNumber) {
    const Theme& theme = themeFor(game.artTheme);
    const int row = tileNumber / 13, place = tileNumber % 13;
    const Family family = theme.order[std::size_t(row % kFamilies)];
    // Each pass over the families moves every family on to another colourway;
    // from the fourth pass on, the colourways come back with their solid and
    // trim materials swapped and a lighter backdrop.
    const int pass = row / kFamilies;
    Look look = theme.looks[std::size_t((pass + row % kFamilies) % 3)];
    if ((pass / 3) % 2 == 1) {
        std::swap(look.solid, look.trim);
        look.back = {look.back[0], look.back[0], look.back[1], look.back[2], look.back[3]};
    }
    Job job{look, place, Rng(seedFor(game.gameId, tileNumber)), seedFor(game.gameId, -1 - row)};
    Canvas t;
    switch (family) {
    case Family::Sky:
        paintSky(t, job);
        break;
    case Family::Ground:
        paintGround(t, job);
        break;
    case Family::Bricks:
        paintBricks(t, job);
        break;
    case Family::Stone:
        paintStone(t, job);
        break;
    case Family::Climb:
        paintClimb(t, job);
        break;
    case Family::Liquid:
        paintLiquid(t, job);
        break;
    case Family::Hazard:
        paintHazard(t, job);
        break;
    case Family::Doors:
        paintDoors(t, job);
        break;
    case Family::Decor:
        paintDecor(t, job);
        break;
    case Family::Machine:
        paintMachine(t, job);
        break;
    case Family::Wall:
        paintWall(t, job);
        break;
    }
    return t;
}

} // namespace tessaly::art
