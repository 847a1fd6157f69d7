// The dialogs' filters as GTK itself matches them: GTK's own matcher must
// honour the either-case brackets of the globs. Needs no display.
#include <gtest/gtest.h>

#include <string>

#include "hosts/gtk/gtk_support.h"

namespace tessaly {
namespace {

bool gtkShows(const char* pattern, const char* name) {
    GtkFileFilter* filter = newPatternFilter(pattern);
    g_object_ref_sink(filter);
    const std::string path = std::string("/levels/") + name;
    GtkFileFilterInfo info{};
    info.contains = GtkFileFilterFlags(GTK_FILE_FILTER_DISPLAY_NAME | GTK_FILE_FILTER_FILENAME);
    info.display_name = name;
    info.filename = path.c_str();
    const bool shown = gtk_file_filter_filter(filter, &info);
    g_object_unref(filter);
    return shown;
}

TEST(GtkDialogFilters, GameFilesShowWhateverTheirCase) {
    EXPECT_TRUE(gtkShows("*.ck1", "LEVEL01.CK1"));
    EXPECT_TRUE(gtkShows("*.ck1", "level01.ck1"));
    EXPECT_FALSE(gtkShows("*.ck1", "LEVEL01.CK2"));
    EXPECT_TRUE(gtkShows("*.dd2; *.NIN", "level.nin"));
    EXPECT_TRUE(gtkShows("*.*", "README"));
}

} // namespace
} // namespace tessaly
