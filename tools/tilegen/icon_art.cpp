#include "tools/tilegen/icon_art.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tessaly::art {

namespace {

// ---- Pieces shared by several pictures ----------------------------------------

enum class Dir { Left, Right, Up, Down, UpRight, UpLeft };

// A bold arrow, two pixels thick, whose point is at (x, y) (for the
// horizontal and vertical arrows, the point's upper or left pixel) and whose
// shaft runs `length` pixels back from it.
void arrow(Canvas& c, int x, int y, Dir dir, int length, int colour) {
    switch (dir) {
    case Dir::Right:
    case Dir::Left: {
        const int back = dir == Dir::Right ? -1 : 1;
        fill(c, x, y, x + back * (length - 1), y + 1, colour);
        for (int i = 1; i <= 3; ++i) vline(c, x + back * i, y - i, y + 1 + i, colour);
        break;
    }
    case Dir::Up:
    case Dir::Down: {
        const int back = dir == Dir::Down ? -1 : 1;
        fill(c, x, y, x + 1, y + back * (length - 1), colour);
        for (int i = 1; i <= 3; ++i) hline(c, x - i, x + 1 + i, y + back * i, colour);
        break;
    }
    case Dir::UpRight:
    case Dir::UpLeft: {
        const int back = dir == Dir::UpRight ? -1 : 1;
        for (int k = 0; k < length; ++k) {
            c.set(x + back * k, y + k, colour);
            c.set(x + back * (k + 1), y + k, colour);
        }
        for (int j = 0; j <= 4; ++j) hline(c, x, x + back * (4 - j), y + j, colour);
        break;
    }
    }
}

// Digits written in white with a black rim, centred on column cx.
void number(Canvas& c, std::string_view digits, int cx, int y) {
    Canvas text;
    tinyText(text, cx - tinyTextWidth(digits) / 2, y, digits, kWhite);
    outline(text, kBlack);
    overlay(c, text, 0, 0);
}

void heart(Canvas& c, int x, int y) {
    sprite(c, x, y, {".rr.rr.", "rwrrrrr", "rrrrrrr", "rrrrrrr", ".rrrrr.", "..rrr..", "...r..."});
}

void smallDoor(Canvas& c, int x, int y) {
    sprite(c, x, y,
           {".nnnnn.", "nYnnnYn", "nYnnnYn", "nnnnnnn", "nYnnyYn", "nYnnnYn", "nYnnnYn", "nnnnnnn"},
           {{'Y', 43}, {'n', 6}, {'y', 14}});
}

Canvas finished(Canvas c) {
    outline(c, kBlack);
    return c;
}

// ---- Pictures --------------------------------------------------------------------

Canvas boyInCap() {
    Canvas c;
    sprite(c, 3, 1,
           {"..rrrrr...", ".rrrrrrrr.", ".rrrrrrrrrr", ".ssssksss..", ".sssssssss.", "..ssssss..",
            "..rrrrrr..", ".srrrrrrs..", ".srrrrrrs..", "..bbbbbb..", "..bbb.bbb.", "..bb...bb.",
            ".nnn..nnn."});
    return finished(c);
}

Canvas kid() {
    Canvas c;
    sprite(c, 3, 1,
           {"....l.....", "...yyyy...", "..yyyyyy..", ".yyyyyyyy.", ".yccccccy.", ".yssksssy.",
            "..ssssss..", "..PPPPPP..", ".sPPPPPPs.", ".sPPPPPPs.", "..bbbbbb..", "..bb..bb..",
            ".rrr..rrr."});
    return finished(c);
}

Canvas ninja() {
    Canvas c;
    sprite(c, 2, 1,
           {"...ddddd....", "..ddddddd...", "..rrrrrrrrrr", "..dssksd..r.", "..ddddddd...",
            "...ddddd...l", "..ddddddd.l.", ".ddddddddl..", ".sddddddsl..", "..ddddddd...",
            "..ddd.ddd...", "..dd...dd...", ".ddd...ddd.."},
           {{'d', grey(5)}});
    return finished(c);
}

Canvas zombie() {
    Canvas c;
    sprite(c, 2, 1,
           {"...VVVV.....", "..VvvvvV....", "..vvkvvk....", "..vvvvvv....", "...vRRv.....",
            "..nnnnnvvvvv", ".nnnnnnvvvv.", ".nnnnnn.....", ".nnnNnn.....", "..BBBBB.....",
            "..BB.BB.....", "..BB..BB....", ".VVV..VVV..."});
    return finished(c);
}

Canvas grandma() {
    Canvas c;
    sprite(c, 1, 1,
           {"...llll.....w.", "..llllll...ww.", "..lssslll..w..", "..skssll...w..",
            "..sssss...n...", "...sss...s....", "..PPPPPPs.....", ".PPPPPPP......",
            ".PPpPPPP......", ".PPPPPPPP.....", "PPPPpPPPPP....", ".PPPPPPPP.....",
            "..nn..nn......"});
    return finished(c);
}

Canvas slug() {
    Canvas c;
    sprite(c, 1, 5,
           {"........w..w..", "........g..g..", ".........g.g..", "...ooooooooo..",
            ".oooooooooooo.", "ooRoooRoooRooo", ".YYYYYYYYYYYY."},
           {{'o', 66}, {'R', 68}, {'Y', 67}});
    return finished(c);
}

Canvas ghost(bool wings, bool faint) {
    Canvas c;
    sprite(c, 3, 2,
           {"...wwwww..", "..wwwwwww.", ".wwwwwwwww", ".wwkwwwkww", ".wwkwwwkww", ".wwwwwwwww",
            ".wwwwkwwww", ".wwwwwwwww", ".wwwwwwwww", ".wwwwwwwww", ".ww.www.ww", ".w...w...w"},
           {{'w', grey(14)}});
    if (wings) {
        sprite(c, 0, 4, {"ll..", "lll.", ".ll."}, {{'l', grey(11)}});
        sprite(c, 13, 4, {"..ll", ".lll", ".ll."}, {{'l', grey(11)}});
    }
    if (faint) {
        // A ghost that is hardly there: only its rim and its eyes.
        Canvas rim;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                if (c.at(x, y) == 0) continue;
                const bool edge =
                    !c.at(x - 1, y) || !c.at(x + 1, y) || !c.at(x, y - 1) || !c.at(x, y + 1);
                if (edge || c.at(x, y) == kBlack) rim.set(x, y, edge ? grey(12) : kBlack);
            }
        return rim;
    }
    return finished(c);
}

Canvas spider() {
    Canvas c;
    vline(c, 7, 0, 4, grey(12));
    sprite(c, 0, 4,
           {"..d....dd....d..", "...d..dddd..d...", "dd..ddgdddd..dd.", "..dddddddddddd..",
            "....ddrddrdd....", "..dddddddddddd..", "dd..dddddddd..dd", "...d..dddd..d...",
            "..d....dd....d.."},
           {{'d', grey(4)}, {'g', grey(9)}});
    return finished(c);
}

Canvas flareSkull() {
    Canvas c;
    sprite(c, 2, 1,
           {"..o..o..o...", ".oyo.oyoo...", "oyyyoyyyoo..", ".owwwwwwo...", "wwwwwwwwww..",
            "wkkwwwkkww..", "wkkwwwkkww..", "wwwwkwwwww..", ".wwwwwwww...", ".wkwkwkw....",
            "..wwwww....."});
    return finished(c);
}

Canvas wolf(int coat, int belly, bool headband) {
    Canvas c;
    sprite(c, 0, 3,
           {"..........g.g..", ".........ggggg.", "........ggkgggg", "........gggggll",
            "..gggggggggg...", ".gggggggggggg..", "gg.lllllllgg...", "g..gg....gg....",
            "...g......g....", "..gg......gg..."},
           {{'g', coat}, {'l', belly}});
    if (headband) hline(c, 8, 13, 4, 40), c.set(7, 3, 40), c.set(6, 2, 40);
    return finished(c);
}

Canvas wolfGunner() {
    Canvas c;
    sprite(c, 2, 1,
           {"....g.g....", "...ggggg...", "...gkgkg...", "...ggggg...", "....gll....",
            "..ggggggg..", ".gggggggggg", ".g.gggggddddd", "...gllllg...", "...gggggg..",
            "...gg..gg..", "...gg..gg..", "..ggg..ggg."},
           {{'g', grey(9)}, {'l', grey(13)}, {'d', grey(4)}});
    return finished(c);
}

Canvas frank() {
    Canvas c;
    sprite(c, 1, 1,
           {".dddddddddddd.", ".dddddddddddd.", ".vdvdvdvdvdvv.", ".vvvvvvvvvvvv.",
            "lvkkvvvvvkkvvl", "lvwkvvvvvwkvvl", ".vvvvvvvvvvvv.", ".vvvvvVVvvvvv.",
            ".vvvvvvvvvvvv.", ".vVkkkkkkkkVv.", ".vvvvvvvvvvvv.", "..vvvvvvvvvv..",
            "...nnnnnnnn..."},
           {{'v', 61}, {'V', 63}, {'d', grey(4)}});
    return finished(c);
}

Canvas skullBoss() {
    Canvas c;
    sprite(c, 1, 1,
           {"...wwwwwwww...", ".wwwwwwwwwwww.", "wwwwwwwwwwwwww", "wwkkkwwwwkkkww",
            "wwkrkwwwwkrkww", "wwkkkwwwwkkkww", "wwwwwwkkwwwwww", ".wwwwwkkwwwww.",
            "..wwwwwwwwww..", "..wkwkwkwkww..", "..wwwwwwwwww..", "...wkwkwkww...",
            "....wwwwww...."},
           {{'w', grey(14)}});
    return finished(c);
}

Canvas sphere(const Ramp& r, bool eyes) {
    Canvas c;
    disc(c, 8, 8, 6.5, r[3]);
    disc(c, 7.5, 7.5, 5.5, r[2]);
    disc(c, 6.5, 6.5, 3.5, r[1]);
    disc(c, 5.5, 5.5, 1.5, r[0]);
    if (eyes) fill(c, 6, 8, 6, 9, kBlack), fill(c, 10, 8, 10, 9, kBlack);
    return finished(c);
}

Canvas scoreBonus(std::string_view digits) {
    Canvas c;
    sprite(c, 4, 0, {"..ccc...", ".cwcccc.", "cwcccccc", ".cccccB.", "..cccB..", "...cB..."},
           {{'c', 11}, {'B', 3}});
    outline(c, kBlack);
    number(c, digits, 8, 9);
    return c;
}

Canvas extraLife() {
    Canvas c;
    heart(c, 4, 1);
    outline(c, kBlack);
    number(c, "1UP", 8, 10);
    return c;
}

Canvas freeSlot(bool eraser) {
    Canvas c;
    for (int i = 2; i <= 13; ++i)
        if (i % 3 != 1) {
            c.set(i, 2, grey(13));
            c.set(i, 13, grey(13));
            c.set(2, i, grey(13));
            c.set(13, i, grey(13));
        }
    if (eraser) {
        line(c, 5, 5, 10, 10, 40), line(c, 6, 5, 11, 10, 40);
        line(c, 10, 5, 5, 10, 40), line(c, 11, 5, 6, 10, 40);
    } else {
        tinyText(c, 7, 6, "?", kWhite);
    }
    return finished(c);
}

Canvas doorIn() {
    Canvas c;
    smallDoor(c, 8, 4);
    arrow(c, 7, 8, Dir::Right, 7, 14);
    return finished(c);
}

Canvas doorBonus(std::string_view prize) {
    Canvas c;
    smallDoor(c, 4, 0);
    outline(c, kBlack);
    if (prize == "Life") {
        Canvas h;
        heart(h, 8, 7);
        overlay(c, finished(h), 0, 2);
    } else {
        number(c, prize, 8, 9);
    }
    return c;
}

Canvas blob(bool twoEyes) {
    Canvas c;
    disc(c, 8, 8, 6, 2);
    disc(c, 7.5, 7.5, 5.2, 10);
    fill(c, 4, 13, 6, 14, 2);
    fill(c, 10, 13, 12, 14, 2);
    if (twoEyes) {
        disc(c, 6, 7, 2, kWhite), disc(c, 11, 7, 2, kWhite);
        c.set(6, 7, kBlack), c.set(11, 7, kBlack);
    } else {
        disc(c, 8.5, 7, 3, kWhite);
        disc(c, 9, 7.5, 1.2, kBlack);
    }
    line(c, 6, 11, 10, 11, 2);
    return finished(c);
}

Canvas dude(int light, int dark) {
    Canvas c;
    sprite(c, 2, 1,
           {"..y....y...", "...y..y....", "...xxxxx...", "..xxxxxxx..", "..xwkxwkx..",
            "..xxxxxxx..", "..xxkkkxx..", "...xxxxx...", "..XXXXXXX..", ".xXXXXXXXx.",
            ".x.XXXXX.x.", "...XX.XX...", "...XX.XX...", "..XXX.XXX.."},
           {{'x', light}, {'X', dark}});
    return finished(c);
}

Canvas rageDude() {
    Canvas c = dude(40, 4);
    for (int x = 4; x <= 10; ++x) c.set(x, 4, kBlack);
    fill(c, 5, 7, 9, 7, kWhite);
    return c;
}

Canvas robot(bool propeller, bool wallFeet) {
    Canvas c;
    sprite(c, 2, 3,
           {"....lll.....", "..lllllll...", ".llrrrrrll..", ".lllllllll..", ".gggggggggg.",
            ".gyggggggyg.", ".gggggggggg.", "..gg...gg...", "..gg...gg...", ".ggg...ggg.."},
           {{'l', grey(12)}, {'g', grey(9)}});
    if (propeller) hline(c, 2, 12, 1, grey(13)), vline(c, 7, 1, 2, grey(6));
    if (wallFeet) {
        fill(c, 13, 6, 14, 12, 40);
        fill(c, 12, 7, 12, 11, grey(6));
    }
    return finished(c);
}

Canvas tank() {
    Canvas c;
    sprite(c, 1, 3,
           {".....lll......", "....lllll.....", "...lrrrrrl....", "...lllllllggggg",
            ".ggggggggggg...", "ggggggggggggg..", "dkdkdkdkdkdkd..", ".ddddddddddd...",
            "..dkd.dkd.dkd.."},
           {{'l', grey(12)}, {'g', grey(9)}, {'d', grey(5)}});
    return finished(c);
}

Canvas thrower(Dir dir) {
    Canvas c;
    bevelBlock(c, 4, 10, 11, 15, kMidGreys);
    fill(c, 6, 8, 9, 9, grey(6));
    arrow(c,
          dir == Dir::UpLeft    ? 2
          : dir == Dir::UpRight ? 13
                                : 7,
          dir == Dir::Down ? 7 : 1, dir, dir == Dir::Down ? 6 : 7, 11);
    if (dir == Dir::Down) {
        c = Canvas();
        bevelBlock(c, 4, 0, 11, 5, kMidGreys);
        fill(c, 6, 6, 9, 7, grey(6));
        arrow(c, 7, 15, Dir::Down, 7, 11);
    }
    return finished(c);
}

Canvas track() {
    Canvas c;
    for (int x = 1; x < 15; x += 3) fill(c, x, 5, x + 1, 11, 6);
    fill(c, 0, 6, 15, 6, grey(13));
    fill(c, 0, 10, 15, 10, grey(13));
    return finished(c);
}

Canvas lift(bool upDown) {
    Canvas c;
    bevelBlock(c, 2, 10, 13, 13, kGoldRamp);
    if (upDown) {
        arrow(c, 7, 1, Dir::Up, 4, kWhite);
        arrow(c, 7, 8, Dir::Down, 3, kWhite);
    } else {
        arrow(c, 1, 5, Dir::Left, 6, kWhite);
        arrow(c, 14, 5, Dir::Right, 6, kWhite);
    }
    return finished(c);
}

Canvas zap() {
    Canvas c;
    sprite(c, 4, 1,
           {"....yyy", "...yyy.", "..yyy..", ".yyy...", "yyyyyyy", "...yyy.", "..yyy..", ".yyy...",
            "yyy....", "yy.....", "y......"});
    c.set(7, 5, kWhite);
    return finished(c);
}

Canvas fatOne() {
    Canvas c;
    disc(c, 8, 8.5, 6.5, 83);
    disc(c, 7.5, 8, 5.5, 82);
    disc(c, 6, 6, 2, 81);
    c.set(6, 7, kBlack), c.set(10, 7, kBlack);
    hline(c, 6, 10, 11, 84);
    fill(c, 4, 14, 6, 15, 84), fill(c, 10, 14, 12, 15, 84);
    return finished(c);
}

Canvas bigHead() {
    Canvas c;
    disc(c, 8, 7.5, 6.5, 2);
    disc(c, 7.5, 7, 5.8, 10);
    disc(c, 5.5, 7, 2, kWhite), disc(c, 10.5, 7, 2, kWhite);
    c.set(6, 7, kBlack), c.set(11, 7, kBlack);
    hline(c, 6, 10, 11, 2);
    fill(c, 6, 14, 10, 15, 2);
    return finished(c);
}

Canvas afraid() {
    Canvas c;
    disc(c, 8, 8, 6.5, 43);
    disc(c, 7.5, 7.5, 5.8, 14);
    disc(c, 5.5, 6.5, 1.8, kWhite), disc(c, 10.5, 6.5, 1.8, kWhite);
    c.set(5, 6, kBlack), c.set(10, 6, kBlack);
    ring(c, 8, 11, 1.8, 1, kBlack);
    fill(c, 13, 2, 13, 4, 11);
    c.set(14, 4, 11);
    return finished(c);
}

Canvas snowflake() {
    Canvas c;
    line(c, 8, 1, 8, 14, grey(13));
    line(c, 2, 4, 14, 11, grey(13));
    line(c, 2, 11, 14, 4, grey(13));
    for (auto [x, y] : {std::pair{8, 3}, {8, 12}}) hline(c, x - 1, x + 1, y, kWhite);
    disc(c, 8.5, 7.5, 1.5, kWhite);
    return finished(c);
}

Canvas bigHeart() {
    Canvas c;
    sprite(c, 2, 3,
           {".rrr..rrr..", "rrwrrrrrrr.", "rwrrrrrrrrR", "rrrrrrrrrrR", ".rrrrrrrrR.",
            "..rrrrrrR..", "...rrrrR...", "....rrR....", ".....R....."});
    return finished(c);
}

Canvas ionCannon(bool upDown) {
    Canvas c;
    bevelBlock(c, 4, 4, 11, 11, kBlueRamp);
    disc(c, 8, 8, 1.8, 11);
    if (upDown) {
        fill(c, 7, 1, 8, 3, grey(10)), fill(c, 7, 12, 8, 14, grey(10));
    } else {
        fill(c, 1, 7, 3, 8, grey(10)), fill(c, 12, 7, 14, 8, grey(10));
    }
    return finished(c);
}

Canvas robotLimb() {
    Canvas c;
    sprite(c, 1, 1,
           {"...gggg.......", "..gllllg......", "..glggl.......", "...gggg.......",
            "....ggg.......", ".....ggg......", "......gggg....", ".......glllg..",
            "......gglgl.g.", ".....gg..ggg..", ".....g....gg..", "...........g.."},
           {{'l', grey(13)}, {'g', grey(8)}});
    c.set(5, 3, 40);
    return finished(c);
}

Canvas robotFoot() {
    Canvas c;
    sprite(c, 3, 1,
           {"..gggg....", ".glllg....", ".gllg.....", "..gg......", "..ggg.....", "..gglg....",
            "...ggg....", "...glg....", "..gggggg..", ".gllllllgg", ".ggggggggg"},
           {{'l', grey(13)}, {'g', grey(8)}});
    c.set(4, 3, 40);
    return finished(c);
}

Canvas thug() {
    Canvas c;
    sprite(c, 1, 1,
           {"....ddd.......", "...dssss.....n", "...sksss....nn", "...ssss....nn.",
            "....ss....ns..", "..yyyyyyyyy...", ".yyyyyyy......", ".syyyyyy......",
            "..yyyyyy......", "..BBBBBB......", "..BB..BB......", "..BB..BB......",
            ".kkk..kkk....."},
           {{'d', grey(4)}, {'y', 67}, {'n', 6}});
    return finished(c);
}

Canvas archer() {
    Canvas c;
    sprite(c, 1, 1,
           {"....VVV.......", "...VVVVV..n...", "...sksss...n..", "...ssss.....n.",
            "....ss......n.", "..VVVVVllllln.", ".VVVVVVV....n.", ".sVVVVVV....n.",
            "..VVVVVV...n..", "..nnnnnn..n...", "..nn..nn......", "..nn..nn......",
            ".kkk..kkk....."},
           {{'V', 63}, {'n', 6}, {'l', grey(12)}});
    return finished(c);
}

// A cloaked creature in one of six colours, with its number on it.
Canvas numberedCreature(std::string_view digits, int32_t code) {
    static constexpr Ramp kCloaks[] = {kVioletRamp, kTealRamp, kRoseRamp,
                                       kOliveRamp,  kBlueRamp, kGreenRamp};
    const Ramp& r = kCloaks[std::size_t(code) % 6];
    Canvas c;
    sprite(c, 3, 1,
           {"...xxxx...", "..xxxxxx..", ".xxkkkkxx.", ".xxkykykx.", ".xxkkkkxx.", ".xxxxxxxx.",
            "xxxxxxxxxx", "xXxxxxxxXx", "xXxxxxxxXx", "xXxxxxxxXx"},
           {{'x', r[1]}, {'X', r[3]}});
    outline(c, kBlack);
    number(c, digits, 8, 10);
    return c;
}

std::string digitsIn(std::string_view text) {
    std::string out;
    for (char ch : text)
        if (ch >= '0' && ch <= '9') out += ch;
    return out;
}

} // namespace

Canvas drawObjectPicture(std::string_view label, int32_t code) {
    struct Named {
        std::string_view label;
        Canvas (*draw)();
    };
    static constexpr Named kPictures[] = {
        {"Dave :-)", boyInCap},
        {"-=Keen=-", kid},
        {"-=Ninja=-", ninja},
        {"Zombie", zombie},
        {"Knife GrandMa", grandma},
        {"Slug", slug},
        {"Ghost Fly", [] { return ghost(true, false); }},
        {"Ghost Hidden", [] { return ghost(false, true); }},
        {"Spider", spider},
        {"Flare Fly Skul", flareSkull},
        {"Jump Wolf", [] { return wolf(grey(9), grey(13), false); }},
        {"S_Frank BOSS1", frank},
        {"SKUL BOSS2", skullBoss},
        {"Brother Sphere", [] { return sphere(kVioletRamp, true); }},
        {"+Life", extraLife},
        {"EXIT LEVEL DOOR", drawDoorLinkMarker},
        {"IN Door!", doorIn},
        {"Door Bonus +Life", [] { return doorBonus("Life"); }},
        {"Green One Eye", [] { return blob(false); }},
        {"Green Two Eye", [] { return blob(true); }},
        {"Blue Dude", [] { return dude(9, 1); }},
        {"Yel Dude", [] { return dude(14, 43); }},
        {"Red Dude", [] { return dude(12, 4); }},
        {"Drone", [] { return robot(false, false); }},
        {"Wall walk Drone", [] { return robot(false, true); }},
        {"Fly Shot Drone", [] { return robot(true, false); }},
        {"Tank", tank},
        {"Ice Thrower RiUp", [] { return thrower(Dir::UpRight); }},
        {"Ice Thrower Up", [] { return thrower(Dir::Up); }},
        {"Ice Thrower Down", [] { return thrower(Dir::Down); }},
        {"Ice Thrower LeUp", [] { return thrower(Dir::UpLeft); }},
        {"Track", track},
        {"Jump Dog", [] { return wolf(6, 43, false); }},
        {"Ninja Dog", [] { return wolf(grey(5), grey(10), true); }},
        {"Wolf Gunner", wolfGunner},
        {"Lift <>", [] { return lift(false); }},
        {"Lift Up-Dn", [] { return lift(true); }},
        {"Zap for Shot", zap},
        {"Bany Fat", fatOne},
        {"Exo Green Head", bigHead},
        {"Afraid! ;-]]", afraid},
        {"Red Sphere", [] { return sphere(kRedRamp, false); }},
        {"Iron snowflake", snowflake},
        {"Rage Dude BOSS", rageDude},
        {"Heart", bigHeart},
        {"Ion Cannon <>", [] { return ionCannon(false); }},
        {"Ion Cannon Up Dn", [] { return ionCannon(true); }},
        {"Robot BOSS Hand", robotLimb},
        {"Robot Left Leg", robotLimb},
        {"Robot Right", robotFoot},
        {"Blackjack Man", thug},
        {"Arrow Man", archer},
    };
    if (label == "Free") return freeSlot(code == 0);
    for (const Named& n : kPictures)
        if (n.label == label) return n.draw();
    if (label.starts_with("Door Bonus +")) return doorBonus(digitsIn(label));
    if (label.starts_with("+")) return scoreBonus(digitsIn(label));
    const std::string digits = digitsIn(label);
    return numberedCreature(digits.empty() ? std::to_string(code % 100) : digits, code);
}

Canvas drawDoorLinkMarker() {
    Canvas c;
    smallDoor(c, 1, 6);
    arrow(c, 14, 3, Dir::UpRight, 8, 14);
    return finished(c);
}

Canvas drawDoorExitMarker() {
    Canvas c;
    vline(c, 3, 1, 14, grey(12));
    for (int y = 1; y <= 8; ++y)
        for (int x = 4; x <= 13; ++x)
            c.set(x, y, ((x - 4) / 2 + (y - 1) / 2) % 2 ? kBlack : kWhite);
    fill(c, 2, 14, 4, 14, grey(9));
    return finished(c);
}

Canvas drawCopyMarker(bool start, uint8_t outer, uint8_t inner) {
    Canvas c;
    fill(c, 0, 0, 10, 2, outer);
    fill(c, 0, 0, 2, 10, outer);
    fill(c, 1, 1, 9, 1, inner);
    fill(c, 1, 1, 1, 9, inner);
    return start ? c : flipped(mirrored(c));
}

Canvas drawUnusedTile() {
    Canvas c;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) c.set(x, y, ((x / 4) + (y / 4)) % 2 ? grey(2) : grey(1));
    return c;
}

} // namespace tessaly::art
