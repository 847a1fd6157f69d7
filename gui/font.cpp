#include "gui/font.h"

#include <array>

namespace tessaly {

namespace {

struct FontEntry {
    uint8_t code;
    Glyph glyph;
};

// Every glyph drawn with its own pattern: code, width x height, rows from the
// top. Pattern characters: '1' colour 1, '2' colour 2, 's' colour 4, 'x'
// colour 5, '.' transparent. Code 32 is the blank glyph that every code
// without a glyph of its own also gets.
// clang-format off
constexpr FontEntry kOwnGlyphs[] = {
    {32, {5, 8, {".....", ".....", ".....", ".....", ".....", ".....", ".....", "....."}}}, // space
    {33, {3, 8, {"xsx", "s1s", "s1s", "s1s", "s1s", "xsx", "s1s", "xsx"}}}, // !
    {34, {5, 8, {"xsxsx", "s1s1s", "s1s1s", "xsssx", ".....", ".....", ".....", "....."}}}, // double quote
    {35, {7, 8, {".xsxsx.", "xs1s1sx", "s11111s", "xs1s1sx", "xs1s1sx", "s11111s", "xs1s1sx", ".xsxsx."}}}, // #
    {36, {7, 9, {"..xsx..", "xss1ssx", "s21111s", "s1s1ssx", "x21112x", "xss1s1s", "s11112s", "xss1ssx", "..xsx.."}}}, // $
    {37, {8, 8, {".xsx.xsx", "x21sxs1s", "s12xs1sx", "xsxs1sx.", ".xs1sxsx", "xs1sx21s", "s1sxs12x", "xsx.xsx."}}}, // %
    {40, {5, 8, {"..xsx", ".x21s", "x21sx", "s1ss.", "s1ss.", "x21sx", ".x21s", "..xsx"}}}, // (
    {41, {5, 8, {"xsx..", "s12x.", "xs12x", ".ss1s", ".ss1s", "xs12x", "s12x.", "xsx.."}}}, // )
    {42, {9, 9, {"...xsx...", ".xss1ssx.", ".s1s1s1s.", "xss111ssx", "s1111111s", "xss111ssx", ".s1s1s1s.", ".xss1ssx.", "...xsx..."}}}, // *
    {43, {7, 8, {"..xsx..", "..s1s..", "xss1ssx", "s11111s", "xss1ssx", "..s1s..", "..xsx..", "......."}}}, // +
    {44, {3, 8, {"...", "...", "...", "...", "xsx", "s1s", "s1s", "xsx"}}}, // ,
    {45, {6, 8, {"......", "......", "xssssx", "s1111s", "xssssx", "......", "......", "......"}}}, // -
    {46, {3, 8, {"...", "...", "...", "...", "...", "xsx", "s1s", "xsx"}}}, // .
    {47, {7, 8, {"....xsx", "...xs1s", "..xs1sx", ".xs1sx.", "xs1sx..", "s1sx...", "xsx....", "......."}}}, // /
    {48, {7, 8, {".xsssx.", "x21112x", "s1xs21s", "s1s2s1s", "s1s2s1s", "s12sx1s", "x21112x", ".xsssx."}}}, // 0
    {49, {7, 8, {"..xsx..", ".xs1s..", "xs11s..", "s1s1s..", "xss1s..", "xss1ssx", "s11211s", "xssxssx"}}}, // 1
    {50, {6, 8, {".xssx.", "x2112x", "s1ss1s", "xsss1s", "x2112x", "s1sssx", "s1111s", "xssssx"}}}, // 2
    {51, {6, 8, {".xssx.", "x2112x", "s1ss1s", "xss12x", "xsss1s", "s1ss1s", "x2112x", ".xssx."}}}, // 3
    {52, {7, 8, {"...xsx.", "..xs1s.", ".xs11s.", "xs1s1s.", "s1ss1sx", "s11111s", "xsss1sx", ".xxxsx."}}}, // 4
    {53, {6, 8, {"xssssx", "s1111s", "s1sssx", "s1112x", "xsss1s", "s1ss1s", "x2112x", ".xssx."}}}, // 5
    {54, {6, 8, {".xsssx", "x2111s", "s1sssx", "s1112x", "s1ss1s", "s1ss1s", "x2112x", ".xssx."}}}, // 6
    {55, {6, 8, {"xssssx", "s1111s", "xsss1s", ".xs1sx", ".s12x.", "xs1sx.", "s1sx..", "xsx..."}}}, // 7
    {56, {6, 8, {".xssx.", "x2112x", "s1ss1s", "x2112x", "s1ss1s", "s1ss1s", "x2112x", ".xssx."}}}, // 8
    {57, {6, 8, {".xssx.", "x2112x", "s1ss1s", "x2111s", ".xss1s", "xss1sx", "s11sx.", "xssx.."}}}, // 9
    {58, {3, 8, {"...", "xsx", "s1s", "xsx", "...", "xsx", "s1s", "xsx"}}}, // :
    {60, {7, 8, {".......", "....xsx", "..xs21s", "xs21ssx", "21ss...", "xs21ss.", "..xs21s", "....xsx"}}}, // <
    {61, {6, 8, {"......", "xssssx", "s1111s", "xssssx", "s1111s", "xssssx", "......", "......"}}}, // =
    {62, {7, 8, {".......", "xsx....", "s12sx..", "xss12sx", "...ss12", "xss12sx", "s12sx..", "xsx...."}}}, // >
    {63, {6, 8, {".xssx.", "x2112x", "s1ss1s", ".ss12x", ".s12x.", "..sx..", ".s12x.", "..sx.."}}}, // ?
    {65, {6, 8, {".xssx.", "x2112x", "s1ss1s", "s1ss1s", "s1111s", "s1ss1s", "s1ss1s", "xsxxsx"}}}, // A
    {66, {6, 8, {"xsssx.", "s1112x", "s1ss1s", "s1111s", "s1ss1s", "s1ss1s", "s1112x", "xsssx."}}}, // B
    {67, {5, 8, {".xssx", "x211s", "s1ssx", "s1s..", "s1s..", "s1ssx", "x211s", ".xssx"}}}, // C
    {68, {6, 8, {"xsssx.", "s1112x", "s1ss1s", "s1ss1s", "s1ss1s", "s1ss1s", "s1112x", "xsssx."}}}, // D
    {69, {6, 8, {"xssssx", "s1111s", "s1sssx", "s1112x", "s1ssx.", "s1sssx", "s1111s", "xssssx"}}}, // E
    {70, {6, 8, {"xssssx", "s1111s", "s1sssx", "s111s.", "s1ssx.", "s1s...", "s1s...", "xsx..."}}}, // F
    {71, {6, 8, {".xsssx", "x2111s", "s1sssx", "s1s12x", "s1ss1s", "s1ss1s", "x2112x", ".xssx."}}}, // G
    {72, {6, 8, {"xsxxsx", "s1ss1s", "s1ss1s", "s1111s", "s1ss1s", "s1ss1s", "s1ss1s", "xsxxsx"}}}, // H
    {73, {5, 8, {"xsssx", "s111s", "xs1sx", ".s1s.", ".s1s.", "xs1sx", "s111s", "xsssx"}}}, // I
    {74, {6, 8, {"...xsx", "...s1s", "...s1s", "...s1s", "xsxs1s", "s1ss1s", "x2112x", ".xssx."}}}, // J
    {75, {6, 8, {"xsxxsx", "s1ss1s", "s1s1sx", "s11sx.", "s1s1sx", "s1ss1s", "s1ss1s", "xsxxsx"}}}, // K
    {76, {6, 8, {"xsx...", "s1s...", "s1s...", "s1s...", "s1sxsx", "s1ss1s", "s1111s", "xssssx"}}}, // L
    {77, {7, 8, {"xsx.xsx", "s1sxs1s", "s11s11s", "s1s1s1s", "s1sss1s", "s1s.s1s", "s1s.s1s", "xsx.xsx"}}}, // M
    {78, {7, 8, {"xsx.xsx", "s1sxs1s", "s11ss1s", "s121s1s", "s1s121s", "s1ss11s", "s1sxs1s", "xsx.xsx"}}}, // N
    {79, {6, 8, {"xssssx", "s2112s", "s1ss1s", "s1ss1s", "s1ss1s", "s1ss1s", "s2112s", "xssssx"}}}, // O
    {80, {6, 8, {"xsssx.", "s1112x", "s1ss1s", "s1112x", "s1ssx.", "s1s...", "s1s...", "xsx..."}}}, // P
    {81, {6, 8, {".xsss.", "x2112s", "s1ss1s", "s1ss1s", "s1ss1s", "s1s11s", "x2111s", ".xsss1"}}}, // Q
    {82, {6, 8, {"xsssx.", "s1112x", "s1ss1s", "s1112x", "s1ss1s", "s1ss1s", "s1ss1s", "xsxxsx"}}}, // R
    {83, {6, 8, {".xsssx", "x2111s", "s1sssx", "xs11sx", "xss21s", "s1ss1s", "x2112x", ".xssx."}}}, // S
    {84, {7, 8, {"xsssssx", "s11111s", "s1s1s1s", "xss1sxx", "..s1s..", "..s1s..", "..s1s..", "..xsx.."}}}, // T
    {85, {6, 8, {"xsxxsx", "s1ss1s", "s1ss1s", "s1ss1s", "s1ss1s", "s1ss1s", "x2112x", ".xssx."}}}, // U
    {86, {7, 8, {"xsx.xsx", "s1s.s1s", "s1s.s1s", "s1sxs1s", "x21s12x", ".s1s1s.", ".x212x.", "..xsx.."}}}, // V
    {87, {7, 8, {"xsx.xsx", "s1s.s1s", "s1sss1s", "s1s1s1s", "s12121s", "x21s12x", ".s1s1s.", ".xsxsx."}}}, // W
    {88, {7, 8, {"xsx.xsx", "s1sxs1s", "xs1s1sx", ".xs1sx.", ".xs1sx.", "xs1s1sx", "s1sxs1s", "xsx.xsx"}}}, // X
    {89, {7, 8, {"xsx.xsx", "s1sxs1s", "xs1s1sx", ".s121s.", ".xs1sx.", "..s1s..", "..s1s..", "..xsx.."}}}, // Y
    {90, {6, 8, {"xssssx", "s1111s", "xsss1s", ".xs1sx", "xs1sx.", "s1sssx", "s1111s", "xssssx"}}}, // Z
    {91, {4, 8, {"xssx", "s11s", "s1sx", "s1s.", "s1s.", "s1sx", "s11s", "xssx"}}}, // [
    {92, {7, 8, {"xsx....", "s1sx...", "xs1sx..", ".xs1sx.", "..xs1sx", "...xs1s", "....xsx", "......."}}}, // backslash
    {93, {4, 8, {"xssx", "s11s", "xs1s", ".s1s", ".s1s", "xs1s", "s11s", "xssx"}}}, // ]
    {95, {7, 8, {".......", ".......", ".......", ".......", ".......", "xsssssx", "s11111s", "xsssssx"}}}, // _
    {96, {4, 8, {"xsx.", "s1sx", "xs1s", ".xsx", "....", "....", "....", "...."}}}, // grave accent
    {97, {6, 8, {"......", "......", "xssxsx", "s2121s", "s1ss1s", "s1ss1s", "s2121s", "xssxsx"}}}, // a
    {98, {6, 8, {"xsx...", "s1s...", "s1sssx", "s1212s", "s1ss1s", "s1ss1s", "s1212s", "xsxssx"}}}, // b
    {99, {5, 8, {".....", ".....", "xsssx", "s211s", "s1ssx", "s1ssx", "s211s", "xsssx"}}}, // c
    {100, {6, 8, {"...xsx", "...s1s", "xsss1s", "s2121s", "s1ss1s", "s1ss1s", "s2121s", "xssxsx"}}}, // d
    {101, {6, 8, {"......", "......", "xssssx", "s2112s", "s1111s", "s1ssss", "s2112s", "xssssx"}}}, // e
    {102, {6, 8, {".xsssx", ".s212s", ".s1ssx", "s111s.", "xs1sx.", "xs1sx.", "s111s.", "xsssx."}}}, // f
    {103, {6, 9, {"......", "......", "xssssx", "s2121s", "s1ss1s", "s2121s", "xsss1s", "s2112s", "xssssx"}}}, // g
    {104, {6, 8, {"xsx...", "s1s...", "s1sssx", "s1112s", "s1ss1s", "s1ss1s", "s1ss1s", "xsxxsx"}}}, // h
    {105, {5, 8, {".xsx.", ".s1s.", ".xsx.", ".s1s.", ".s1s.", "xs1sx", "s111s", "xsssx"}}}, // i
    {106, {6, 8, {"...xsx", "...s1s", "...xsx", "...s1s", "xsss1s", "s1ss1s", "s2112s", "xssssx"}}}, // j
    {107, {6, 8, {"xsx...", "s1s...", "s1sxsx", "s1s21s", "s11ssx", "s1s1sx", "s1ss1s", "xssssx"}}}, // k
    {108, {5, 8, {"xssx.", "s11s.", "xs1s.", ".s1s.", ".s1s.", "xs1sx", "s111s", "xsssx"}}}, // l
    {109, {7, 8, {".......", ".......", "xsssssx", "s11s12s", "s1s1s1s", "s1s1s1s", "s1sss1s", "xsxxxsx"}}}, // m
    {110, {6, 8, {"......", "......", "xssssx", "s1112s", "s1ss1s", "s1ss1s", "s1ss1s", "xsxxsx"}}}, // n
    {111, {6, 8, {"......", "......", "xssssx", "s2112s", "s1ss1s", "s1ss1s", "s2112s", "xssssx"}}}, // o
    {112, {6, 9, {"......", "......", "xssssx", "s1212s", "s1ss1s", "s1212s", "s1sssx", "s1s...", "xsx..."}}}, // p
    {113, {6, 9, {"......", "......", "xssssx", "s2121s", "s1ss1s", "s2121s", "xsss1s", "...s1s", "...xsx"}}}, // q
    {114, {6, 8, {"......", "......", "xsxssx", "s1212s", "s11s1s", "s1sxsx", "s1s...", "xsx..."}}}, // r
    {115, {6, 8, {"......", "......", "xssssx", "s1111s", "s112sx", "xs211s", "s1111s", "xssssx"}}}, // s
    {116, {6, 8, {"......", ".xsx..", "xs1ssx", "s1111s", "xs1ssx", ".s1s1s", ".s212s", ".xsssx"}}}, // t
    {117, {6, 8, {"......", "......", "xsxxsx", "s1ss1s", "s1ss1s", "s1ss1s", "s2111s", "xssssx"}}}, // u
    {118, {7, 8, {".......", ".......", "xsx.xsx", "s1s.s1s", "s1sss1s", "xs1s1sx", ".xs1sx.", "..xsx.."}}}, // v
    {119, {7, 8, {".......", ".......", "xsx.xsx", "s1sss1s", "s1s1s1s", "s1s1s1s", "xs1s1sx", ".xsxsx."}}}, // w
    {120, {6, 8, {"......", "......", "xsxxsx", "s1ss1s", "xs11sx", "xs11sx", "s1ss1s", "xsxxsx"}}}, // x
    {121, {6, 9, {"......", "......", "xsxxsx", "s1ss1s", "s1ss1s", "s2112s", "xss1sx", ".s1sx.", ".xsx.."}}}, // y
    {122, {6, 8, {"......", "......", "xssssx", "s1111s", "xss1sx", "xs1ssx", "s1111s", "xssssx"}}}, // z
    {168, {6, 8, {"xs1s1x", "s1111s", "s1sssx", "s1112x", "s1ssx.", "s1sssx", "s1111s", "xssssx"}}}, // Ё
    {184, {6, 8, {"......", ".xssx.", "xs11sx", "s2112s", "s1111s", "s1ssss", "s2112s", "xssssx"}}}, // ё
    {193, {6, 8, {"xssssx", "s1112s", "s1sssx", "s1112x", "s1ss1s", "s1ss1s", "s1112s", "xssssx"}}}, // Б
    {195, {6, 8, {"xssssx", "s1111s", "s1ss1x", "s1sssx", "s1s...", "s1s...", "s1s...", "xsx..."}}}, // Г
    {196, {7, 8, {".xsssx.", ".s211s.", ".s1s1s.", ".s1s1s.", "xs1s1sx", "s11111s", "s1sxs1s", "xsx.xsx"}}}, // Д
    {198, {7, 8, {"xsxsxsx", "s1s1s1s", "s1s1s1s", "xs111sx", "xs111sx", "s1s1s1s", "s1s1s1s", "xsxsxsx"}}}, // Ж
    {200, {7, 8, {"xsx.xsx", "s1sxs1s", "s1ss11s", "s1s1s1s", "s1s1s1s", "s11ss1s", "s1sxs1s", "xsx.xsx"}}}, // И
    {201, {7, 8, {"xs1s1sx", "s1s1s1s", "s1ss11s", "s1s1s1s", "s1s1s1s", "s11ss1s", "s1sxs1s", "xsx.xsx"}}}, // Й
    {203, {6, 8, {".xsssx", ".s211s", ".s1s1s", ".s1s1s", ".s1s1s", "xs1s1s", "s12s1s", "xssxsx"}}}, // Л
    {207, {6, 8, {"xssssx", "s1111s", "s1ss1s", "s1ss1s", "s1ss1s", "s1ss1s", "s1ss1s", "xsxxsx"}}}, // П
    {211, {6, 8, {"xsxxsx", "s1ss1s", "s1ss1s", "s2111s", "xsss1s", "xsss1s", "s2112s", "xssssx"}}}, // У
    {212, {7, 8, {"..xsx..", "xss1ssx", "s21112s", "s1s1s1s", "s21112s", "xss1ssx", "..s1s..", "..xsx.."}}}, // Ф
    {214, {6, 8, {"xsxxsx", "s1ss1s", "s1ss1s", "s1ss1s", "s1ss1s", "s1ss1s", "s1111s", "xsss1s"}}}, // Ц
    {215, {6, 8, {"xsxxsx", "s1ss1s", "s1ss1s", "s1ss1s", "s2111s", "xsss1s", "...s1s", "...xsx"}}}, // Ч
    {216, {7, 8, {"xsxsxsx", "s1s1s1s", "s1s1s1s", "s1s1s1s", "s1s1s1s", "s1s1s1s", "s11111s", "xsssssx"}}}, // Ш
    {217, {7, 8, {"xsxsxsx", "s1s1s1s", "s1s1s1s", "s1s1s1s", "s1s1s1s", "s1s1s1s", "s11111s", "xssss1s"}}}, // Щ
    {218, {6, 8, {"xssx..", "s11s..", "xs1ssx", ".s112s", ".s1s1s", ".s1s1s", ".s112s", ".xsssx"}}}, // Ъ
    {219, {7, 8, {"xsx.xsx", "s1s.s1s", "s1sss1s", "s112s1s", "s1s1s1s", "s1s1s1s", "s112s1s", "xsssxsx"}}}, // Ы
    {221, {6, 8, {"xssssx", "s2112s", "s1ss1s", "xsss1s", "xss11s", "s1ss1s", "s2112s", "xssssx"}}}, // Э
    {222, {7, 8, {"xsxsssx", "s1s212s", "s1s1s1s", "s111s1s", "s1s1s1s", "s1s1s1s", "s1s212s", "xsxsssx"}}}, // Ю
    {223, {6, 8, {"xssssx", "s2111s", "s1ss1s", "s1ss1s", "s2111s", "xs1s1s", "s1ss1s", "xsxxsx"}}}, // Я
    {225, {6, 8, {"......", ".xssx.", "xs11s.", "s1sssx", "s1112s", "s1ss1s", "s2112s", "xssssx"}}}, // б
    {226, {6, 8, {"......", "......", "xssssx", "s1112s", "s1112s", "s1ss1s", "s1112s", "xssssx"}}}, // в
    {227, {6, 8, {"......", "......", "xssssx", "s1111s", "s1sssx", "s1s...", "s1s..s", "xsx..."}}}, // г
    {228, {7, 8, {".......", ".......", ".xsssx.", ".s211s.", "xs1s1sx", "s21112s", "s1sss1s", "xsxxxsx"}}}, // д
    {230, {7, 8, {".......", ".......", "xsxsxsx", "s1s1s1s", "xs111sx", "xs212sx", "s1s1s1s", "xsxsxsx"}}}, // ж
    {231, {6, 8, {"......", "......", "xssssx", "s1112s", "xs211s", "xsss1s", "s1112s", "xssssx"}}}, // з
    {232, {6, 8, {"......", "......", "xsxxsx", "s1ss1s", "s1s11s", "s11s1s", "s1ss1s", "xsxxsx"}}}, // и
    {233, {6, 8, {"......", ".xssx.", "xs11sx", "s1ss1s", "s1s11s", "s11s1s", "s1ss1s", "xsxxsx"}}}, // й
    {234, {6, 8, {"......", "......", "xsxxsx", "s1s21s", "s11ssx", "s1s1sx", "s1ss1s", "xsxxsx"}}}, // к
    {235, {6, 8, {"......", "......", ".xsssx", ".s211s", ".s1s1s", "xs1s1s", "s12s1s", "xssxsx"}}}, // л
    {236, {7, 8, {".......", ".......", "xsx.xsx", "s1sxs1s", "s11s11s", "s1s1s1s", "s1sxs1s", "xsx.xsx"}}}, // м
    {237, {6, 8, {"......", "......", "xsxxsx", "s1ss1s", "s1111s", "s1ss1s", "s1ss1s", "xsxxsx"}}}, // н
    {239, {6, 8, {"......", "......", "xssssx", "s1111s", "s1ss1s", "s1ss1s", "s1ss1s", "xsxxsx"}}}, // п
    {242, {5, 8, {".....", ".....", "xsssx", "s111s", "xs1sx", ".s1s.", ".s1s.", ".xsx."}}}, // т
    {243, {6, 8, {"......", "......", "xsxxsx", "s1ss1s", "s2111s", "xsss1s", "s2112s", "xssssx"}}}, // у
    {244, {7, 8, {".......", "..xsx..", "xss1ssx", "s21112s", "s1s1s1s", "s21112s", "xss1ssx", "..xsx.."}}}, // ф
    {246, {6, 8, {"......", "......", "xsxsx.", "s1s1s.", "s1s1s.", "s1s1sx", "s1111s", "xsss1x"}}}, // ц
    {247, {6, 8, {"......", "......", "xsxxsx", "s1ss1s", "s1ss1s", "s2111s", "xsss1s", "...xsx"}}}, // ч
    {248, {7, 8, {".......", ".......", "xsxsxsx", "s1s1s1s", "s1s1s1s", "s1s1s1s", "s11111s", "xsssssx"}}}, // ш
    {249, {7, 8, {".......", ".......", "xsxsxsx", "s1s1s1s", "s1s1s1s", "s1s1s1s", "s11111s", "xssss1s"}}}, // щ
    {250, {6, 8, {"......", "......", "xssx..", "s12ssx", "xs112s", ".s1s1s", ".s112s", ".xsssx"}}}, // ъ
    {251, {7, 8, {".......", ".......", "xsxxxsx", "s1sss1s", "s112s1s", "s1s1s1s", "s112s1s", "xsssxsx"}}}, // ы
    {252, {5, 8, {".....", ".....", "xsx..", "s1ssx", "s112s", "s1s1s", "s112s", "xsssx"}}}, // ь
    {253, {6, 8, {"......", "xssssx", "s2112s", "s1ss1s", "xss11s", "s1s21s", "s2112s", "xssssx"}}}, // э
    {254, {7, 8, {".......", ".......", "xsxsssx", "s1s212s", "s111s1s", "s1s1s1s", "s1s212s", "xsxssss"}}}, // ю
    {255, {6, 8, {"......", "......", "xssssx", "s2111s", "s1ss1s", "xs111s", "s1ss1s", "xssssx"}}}, // я
};
// clang-format on

struct SharedGlyph {
    uint8_t code;
    uint8_t sameAs;
};

// Cyrillic letters drawn with the glyph of the Latin letter or digit of the
// same shape.
constexpr SharedGlyph kSharedGlyphs[] = {
    {192, 65},  {194, 66},  {197, 69},  {199, 51}, {202, 75},  {204, 77}, {205, 72},
    {206, 79},  {208, 80},  {209, 67},  {210, 84}, {213, 88},  {220, 98}, {224, 97},
    {229, 101}, {238, 111}, {240, 112}, {241, 99}, {245, 120},
};

constexpr std::array<const Glyph*, 256> buildGlyphIndex() {
    std::array<const Glyph*, 256> index{};
    for (const FontEntry& e : kOwnGlyphs) index[e.code] = &e.glyph;
    for (const SharedGlyph& s : kSharedGlyphs) index[s.code] = index[s.sameAs];
    const Glyph* blank = index[32];
    for (const Glyph*& g : index)
        if (g == nullptr) g = blank;
    return index;
}

constexpr std::array<const Glyph*, 256> kGlyphIndex = buildGlyphIndex();

} // namespace

const Glyph& LookUpGlyph(uint8_t code) {
    return *kGlyphIndex[code];
}

} // namespace tessaly
