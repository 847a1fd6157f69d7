#include "level/profile.h"

#include <span>

namespace tessaly {

const std::array<std::string_view, 5> kGameIds = {"DD2", "CK1", "CK2", "CK3", "NIN"};

namespace {

struct CatalogueEntry {
    int32_t picture;
    int32_t code;
    std::string_view label;
};

struct GameRow {
    std::string_view id;
    int32_t topLeft, topRight, bottomLeft, bottomRight;
    int32_t left, right, top, bottom;
    int32_t copyStart, copyEnd;
    std::string_view tileBitmap;
    int32_t tileCount;
    std::span<const CatalogueEntry> catalogue;
};

// Catalogues in entry order from entry 1. Labels are the games' own texts.
constexpr CatalogueEntry kDd2Catalogue[] = {
    {858, 255, "Dave :-)"},
    {859, 1, "Zombie"},
    {860, 2, "Knife GrandMa"},
    {861, 3, "Slug"},
    {863, 4, "Ghost Fly"},
    {868, 5, "Ghost Hidden"},
    {865, 6, "Spider"},
    {864, 7, "Flare Fly Skul"},
    {157, 8, "Free"},
    {862, 9, "Jump Wolf"},
    {866, 11, "S_Frank BOSS1"},
    {867, 12, "SKUL BOSS2"},
    {386, 13, "Brother Sphere"},
    {872, 14, "+100"},
    {873, 15, "+200"},
    {874, 16, "+400"},
    {875, 17, "+800"},
    {876, 18, "+1600"},
    {871, 19, "+Life"},
    {877, 0, "Free"}, // code 0: placing it clears the cell
    {878, 257, "EXIT LEVEL DOOR"},
    {879, 32768, "IN Door!"},
    {885, 32769, "Door Bonus +100"},
    {886, 32770, "Door Bonus +200"},
    {887, 32771, "Door Bonus +400"},
    {888, 32772, "Door Bonus +800"},
    {889, 32773, "Door Bonus +1600"},
    {884, 32774, "Door Bonus +Life"},
};

constexpr CatalogueEntry kCk1Catalogue[] = {
    {858, 255, "-=Keen=-"},       {859, 1, "Green One Eye"},  {860, 2, "Green Two Eye"},
    {861, 3, "Blue Dude"},        {863, 4, "Drone"},          {868, 5, "Tank"},
    {865, 6, "Ice Thrower RiUp"}, {864, 7, "Ice Thrower Up"}, {157, 8, "Ice Thrower Down"},
    {862, 9, "Ice Thrower LeUp"}, {866, 10, "Track"},
};

constexpr CatalogueEntry kCk2Catalogue[] = {
    {858, 255, "-=Keen=-"},  {859, 1, "Yel Dude"},        {860, 2, "Jump Dog"},
    {861, 3, "Wolf Gunner"}, {863, 4, "Wall walk Drone"}, {868, 5, "Fly Shot Drone"},
    {865, 6, "Lift <>"},     {864, 7, "Zap for Shot"},
};

constexpr CatalogueEntry kCk3Catalogue[] = {
    {858, 255, "-=Keen=-"},        {859, 1, "Red Dude"},         {860, 2, "Jump Dog"},
    {861, 3, "Bany Fat"},          {863, 4, "Exo Green Head"},   {868, 5, "Ninja Dog"},
    {865, 6, "Afraid! ;-]]"},      {864, 7, "Red Sphere"},       {157, 8, "Iron snowflake"},
    {862, 9, "Lift <>"},           {866, 10, "Lift Up-Dn"},      {867, 11, "Rage Dude BOSS"},
    {386, 12, "Zap for Shot"},     {872, 13, "Heart"},           {873, 14, "Ion Cannon <>"},
    {874, 15, "Ion Cannon Up Dn"}, {875, 16, "Robot BOSS Hand"}, {875, 17, "Robot Left Leg"},
    {876, 18, "Robot Right"},
};

constexpr CatalogueEntry kNinCatalogue[] = {
    {858, 255, "-=Ninja=-"}, {859, 1, "Blackjack Man"}, {860, 2, "Arrow Man"}, {861, 3, "-=03=-"},
    {863, 4, "-=04=-"},      {868, 5, "-=05=-"},        {865, 6, "-=06=-"},    {864, 7, "-=07=-"},
    {157, 8, "-=08=-"},      {862, 9, "-=09=-"},        {866, 10, "-=10=-"},   {867, 11, "-=11=-"},
    {386, 12, "-=12=-"},     {872, 13, "-=13=-"},       {873, 14, "-=14=-"},   {874, 15, "-=15=-"},
    {875, 16, "-=16=-"},     {876, 17, "-=17=-"},       {871, 18, "-=18=-"},
};

// Frame corners and edges, copy markers, tile bitmap, number of map tiles.
// Shadow Knight has no marker tiles of its own: both markers draw tile 0.
constexpr GameRow kGames[] = {
    {"DD2", 82, 84, 108, 110, 95, 97, 83, 109, 695, 709, "DD2TILES.bmp", 858, kDd2Catalogue},
    {"CK1", 273, 274, 225, 227, 258, 258, 275, 226, 476, 491, "CK1TILES.bmp", 611, kCk1Catalogue},
    {"CK2", 359, 363, 373, 371, 360, 362, 358, 372, 403, 418, "CK2TILES.bmp", 689, kCk2Catalogue},
    {"CK3", 308, 298, 321, 320, 309, 309, 296, 296, 378, 406, "CK3TILES.bmp", 624, kCk3Catalogue},
    {"NIN", 143, 148, 182, 187, 156, 174, 144, 185, 0, 0, "NINTILES.bmp", 871, kNinCatalogue},
};

} // namespace

bool selectGame(GameProfile& profile, std::string_view gameId) {
    for (const GameRow& game : kGames) {
        if (game.id != gameId) continue;
        profile.gameId = game.id;
        profile.frameTopLeft = game.topLeft;
        profile.frameTopRight = game.topRight;
        profile.frameBottomLeft = game.bottomLeft;
        profile.frameBottomRight = game.bottomRight;
        profile.frameLeft = game.left;
        profile.frameRight = game.right;
        profile.frameTop = game.top;
        profile.frameBottom = game.bottom;
        profile.copyStartMarker = game.copyStart;
        profile.copyEndMarker = game.copyEnd;
        profile.tileBitmapName = game.tileBitmap;
        profile.tileCount = game.tileCount;
        // Entries above objectCount keep what an earlier game left; nothing reads them.
        profile.objectCount = static_cast<int32_t>(game.catalogue.size());
        for (size_t i = 0; i < game.catalogue.size(); ++i) {
            profile.objectPicture[i + 1] = game.catalogue[i].picture;
            profile.objectCode[i + 1] = game.catalogue[i].code;
            profile.objectLabel[i + 1] = game.catalogue[i].label;
        }
        return true;
    }
    return false;
}

} // namespace tessaly
