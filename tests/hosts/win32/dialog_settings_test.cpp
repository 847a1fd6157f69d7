#include "hosts/win32/dialog_settings.h"

#include <gtest/gtest.h>

#include "hosts/host.h"

namespace tessaly {
namespace {

using namespace std::string_literals;

TEST(Win32DialogSettings, FilterIsZeroSeparatedPairsWithAClosingZero) {
    // A request as the program makes it for a Commander Keen 1 level (its own
    // requests are checked in tests/app/dialog_requests_test.cpp).
    DialogRequest ck1;
    ck1.title = "Open File Map Commander Keen 1";
    ck1.filters = {{"Commander Keen 1 Levels, (*.ck1)", "*.ck1"}, {"All Files, (*.*)", "*.*"}};
    const std::u16string filter = dialogFilter(ck1);
    EXPECT_EQ(filter, u"Commander Keen 1 Levels, (*.ck1)\0*.ck1\0All Files, (*.*)\0*.*\0\0"s);
    // Texts are wide characters; a zero inside one would end the list early.
    DialogRequest request;
    request.filters = {{"Niveaux \xC3\xA9t\xC3\xA9", "*.a\0b"s}};
    EXPECT_EQ(dialogFilter(request), u"Niveaux \u00E9t\u00E9\0*.ab\0\0"s);
    EXPECT_EQ(dialogFilter(DialogRequest{}), u"\0"s);
}

TEST(Win32DialogSettings, OpenTakesExistingFilesSaveAlsoNewNames) {
    // OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, nothing else: no
    // hook, no template, no read-only box hidden; the save dialog asks before
    // overwriting (OFN_OVERWRITEPROMPT) only when the request says so.
    EXPECT_EQ(openDialogFlags(), 0x81800u);
    EXPECT_EQ(saveDialogFlags(false), 0x80800u);
    EXPECT_EQ(saveDialogFlags(true), 0x80802u);
}

} // namespace
} // namespace tessaly
