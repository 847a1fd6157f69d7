#include "level/games.h"

namespace tessaly {

namespace {

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

constexpr std::string_view kCk1TileData[] = {"EGALATCH.CK1"};
constexpr std::string_view kCk2TileData[] = {"EGALATCH.CK2"};
constexpr std::string_view kCk3TileData[] = {"EGALATCH.CK3"};
constexpr std::string_view kDd2TileData[] = {"TILES.DD2", "EGATILES.DD2"};
constexpr std::string_view kNinTileData[] = {"EGATILES.NIN"};

// The programs as the games' releases name them. Dave 2's and Shadow Knight's
// are those of the releases known to us; a folder with another single .EXE
// is taken too (app/test_play.cpp).
constexpr std::string_view kDd2Programs[] = {"DAVE2.EXE"};
constexpr std::string_view kCk1Programs[] = {"KEEN1.EXE"};
constexpr std::string_view kCk2Programs[] = {"KEEN2.EXE"};
constexpr std::string_view kCk3Programs[] = {"KEEN3.EXE"};
constexpr std::string_view kNinPrograms[] = {"SK.EXE"};

constexpr std::array<uint8_t, 5> kRedButton{56, 57, 58, 59, 60};
constexpr std::array<uint8_t, 5> kBlueButton{71, 72, 73, 74, 75};
constexpr std::array<uint8_t, 5> kGreenButton{76, 77, 78, 79, 80};

// Kept: the dialog titles and button captions are the program's own texts,
// "Oprn" in the Commander Keen 2 open title and "Dave2" in the Dangerous Dave 2
// caption included, as users know them. Shadow Knight has no marker tiles of
// its own: both copy markers draw tile 0.
// The build reads each record's `.gameId = "..."` and `.name = "..."` lines
// (CMakeLists.txt): keep them one a line, in this form.
constexpr GameRecord kGameTable[] = {
    {
        .gameId = "DD2",
        .name = "Dangerous Dave 2",
        .frameTopLeft = 82,
        .frameTopRight = 84,
        .frameBottomLeft = 108,
        .frameBottomRight = 110,
        .frameLeft = 95,
        .frameRight = 97,
        .frameTop = 83,
        .frameBottom = 109,
        .copyStartMarker = 695,
        .copyEndMarker = 709,
        .tileBitmapName = "DD2TILES.bmp",
        .tileCount = 858,
        .catalogue = kDd2Catalogue,
        .followsDoorLinks = true,
        .linkCounting = LinkCounting::FromZero,
        .doorsInPairs = true,
        .cellLimit = 0,
        .cellLimitHolders = {},
        .levelsDescription = "Dangerous Dave 2 Levels, (*.dd2)",
        .levelsPattern = "*.dd2",
        .openTitle = "Open File Map Dangerous Dave 2",
        .saveTitle = "Save File Map Dangerous Dave 2",
        .buttonCaption = "Editing Dangerous Dave2",
        .buttonColours = kRedButton,
        .tileLayout = TileFileLayout::Planar,
        .tileHeadName = {},
        .tileDataNames = kDd2TileData,
        .artTheme = 0,
        .programNames = kDd2Programs,
        .levelFileStem = "LEVEL",
    },
    {
        .gameId = "CK1",
        .name = "Commander Keen 1",
        .frameTopLeft = 273,
        .frameTopRight = 274,
        .frameBottomLeft = 225,
        .frameBottomRight = 227,
        .frameLeft = 258,
        .frameRight = 258,
        .frameTop = 275,
        .frameBottom = 226,
        .copyStartMarker = 476,
        .copyEndMarker = 491,
        .tileBitmapName = "CK1TILES.bmp",
        .tileCount = 611,
        .catalogue = kCk1Catalogue,
        .followsDoorLinks = false,
        .linkCounting = LinkCounting::FromOne,
        .doorsInPairs = false,
        .cellLimit = 25000,
        .cellLimitHolders = "the Keen games",
        .levelsDescription = "Commander Keen 1 Levels, (*.ck1)",
        .levelsPattern = "*.ck1",
        .openTitle = "Open File Map Commander Keen 1",
        .saveTitle = "Save File Map Commander Keen 1",
        .buttonCaption = "Editing Commander Keen 1",
        .buttonColours = kBlueButton,
        .tileLayout = TileFileLayout::Latch,
        .tileHeadName = "EGAHEAD.CK1",
        .tileDataNames = kCk1TileData,
        .artTheme = 1,
        .programNames = kCk1Programs,
        .levelFileStem = "LEVEL",
    },
    {
        .gameId = "CK2",
        .name = "Commander Keen 2",
        .frameTopLeft = 359,
        .frameTopRight = 363,
        .frameBottomLeft = 373,
        .frameBottomRight = 371,
        .frameLeft = 360,
        .frameRight = 362,
        .frameTop = 358,
        .frameBottom = 372,
        .copyStartMarker = 403,
        .copyEndMarker = 418,
        .tileBitmapName = "CK2TILES.bmp",
        .tileCount = 689,
        .catalogue = kCk2Catalogue,
        .followsDoorLinks = false,
        .linkCounting = LinkCounting::FromOne,
        .doorsInPairs = false,
        .cellLimit = 25000,
        .cellLimitHolders = "the Keen games",
        .levelsDescription = "Commander Keen 2 Levels, (*.ck2)",
        .levelsPattern = "*.ck2",
        .openTitle = "Oprn File Map Commander Keen 2",
        .saveTitle = "Save File Map Commander Keen 2",
        .buttonCaption = "Editing Commander Keen 2",
        .buttonColours = kBlueButton,
        .tileLayout = TileFileLayout::Latch,
        .tileHeadName = "EGAHEAD.CK2",
        .tileDataNames = kCk2TileData,
        .artTheme = 2,
        .programNames = kCk2Programs,
        .levelFileStem = "LEVEL",
    },
    {
        .gameId = "CK3",
        .name = "Commander Keen 3",
        .frameTopLeft = 308,
        .frameTopRight = 298,
        .frameBottomLeft = 321,
        .frameBottomRight = 320,
        .frameLeft = 309,
        .frameRight = 309,
        .frameTop = 296,
        .frameBottom = 296,
        .copyStartMarker = 378,
        .copyEndMarker = 406,
        .tileBitmapName = "CK3TILES.bmp",
        .tileCount = 624,
        .catalogue = kCk3Catalogue,
        .followsDoorLinks = false,
        .linkCounting = LinkCounting::FromOne,
        .doorsInPairs = false,
        .cellLimit = 25000,
        .cellLimitHolders = "the Keen games",
        .levelsDescription = "Commander Keen 3 Levels, (*.ck3)",
        .levelsPattern = "*.ck3",
        .openTitle = "Open File Map Commander Keen 3",
        .saveTitle = "Save File Map Commander Keen 3",
        .buttonCaption = "Editing Commander Keen 3",
        .buttonColours = kBlueButton,
        .tileLayout = TileFileLayout::Latch,
        .tileHeadName = "EGAHEAD.CK3",
        .tileDataNames = kCk3TileData,
        .artTheme = 3,
        .programNames = kCk3Programs,
        .levelFileStem = "LEVEL",
    },
    {
        .gameId = "NIN",
        .name = "Shadow Knight",
        .frameTopLeft = 143,
        .frameTopRight = 148,
        .frameBottomLeft = 182,
        .frameBottomRight = 187,
        .frameLeft = 156,
        .frameRight = 174,
        .frameTop = 144,
        .frameBottom = 185,
        .copyStartMarker = 0,
        .copyEndMarker = 0,
        .tileBitmapName = "NINTILES.bmp",
        .tileCount = 871,
        .catalogue = kNinCatalogue,
        .followsDoorLinks = false,
        .linkCounting = LinkCounting::FromOne,
        .doorsInPairs = false,
        .cellLimit = 0,
        .cellLimitHolders = {},
        .levelsDescription = "Shadow Knight Levels, (*.nin)",
        .levelsPattern = "*.nin",
        .openTitle = "Open File Map Shadow Knight",
        .saveTitle = "Save File Map Shadow Knight",
        .buttonCaption = "Editing Shadow Knight",
        .buttonColours = kGreenButton,
        .tileLayout = TileFileLayout::Planar,
        .tileHeadName = {},
        .tileDataNames = kNinTileData,
        .artTheme = 4,
        .programNames = kNinPrograms,
        .levelFileStem = "LEVEL",
    },
};

} // namespace

constinit const std::span<const GameRecord> kGames{kGameTable};

const GameRecord* findGame(std::string_view gameId) {
    for (const GameRecord& game : kGames) {
        if (game.gameId == gameId) return &game;
    }
    return nullptr;
}

std::string listGames(GameListing what, std::string_view separator, std::string_view last) {
    std::string list;
    for (std::size_t i = 0; i < kGames.size(); ++i) {
        if (i > 0) list += i + 1 == kGames.size() ? last : separator;
        const GameRecord& game = kGames[i];
        switch (what) {
        case GameListing::Ids:
            list += game.gameId;
            break;
        case GameListing::Extensions:
            list += '.';
            for (char c : game.gameId) list += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            break;
        case GameListing::Names:
            list += game.name;
            break;
        }
    }
    return list;
}

const GameRecord* gameOfPath(std::string_view path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return nullptr;
    const std::string_view extension = path.substr(dot + 1);
    for (const GameRecord& game : kGames) {
        if (game.gameId.size() != extension.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < extension.size(); ++i) {
            char c = extension[i];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            same = same && c == game.gameId[i];
        }
        if (same) return &game;
    }
    return nullptr;
}

} // namespace tessaly
