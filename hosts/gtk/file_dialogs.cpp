#include <glib.h>

#include "hosts/gtk/filter_patterns.h"
#include "hosts/gtk/gtk_dialogs.h"
#include "hosts/gtk/gtk_support.h"

namespace tessaly {

namespace {

void addFilters(GtkFileChooser* chooser, const DialogRequest& request) {
    GtkFileFilter* preselected = nullptr;
    int number = 1;
    for (const FileFilter& f : request.filters) {
        GtkFileFilter* filter = newPatternFilter(f.pattern);
        gtk_file_filter_set_name(filter, f.description.c_str());
        gtk_file_chooser_add_filter(chooser, filter);
        if (number == request.selectedFilter || !preselected) preselected = filter;
        ++number;
    }
    if (preselected) gtk_file_chooser_set_filter(chooser, preselected);
}

constexpr int kNameTyped = 1;

// The save dialog's name field taken in its current folder. Soon after the
// dialog opened GTK's own idea of the chosen file lags behind the field.
std::string typedPath(GtkFileChooser* chooser) {
    gchar* name = gtk_file_chooser_get_current_name(chooser);
    gchar* folder = gtk_file_chooser_get_current_folder(chooser);
    std::string path;
    if (name && *name) {
        gchar* joined = g_path_is_absolute(name) || !folder
                            ? g_strdup(name)
                            : g_build_filename(folder, name, nullptr);
        path = joined;
        g_free(joined);
    }
    g_free(name);
    g_free(folder);
    return path;
}

// Enter in the save dialog's name field saves at the first press. GTK drops
// an Enter typed soon after the dialog opened, while it still reads the
// folder, accept response and all; so the dialog takes Enter in the name
// field itself and answers with a response of its own (kNameTyped), unless
// the name is that of a folder, which Enter opens as usual. The completion list
// has a window of its own and still gets its keys first.
gboolean saveOnEnter(GtkWidget* dialog, GdkEventKey* key, gpointer) {
    if (key->keyval != GDK_KEY_Return && key->keyval != GDK_KEY_KP_Enter &&
        key->keyval != GDK_KEY_ISO_Enter) {
        return FALSE;
    }
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog));
    if (!focus || !GTK_IS_ENTRY(focus) ||
        g_strcmp0(G_OBJECT_TYPE_NAME(focus), "GtkFileChooserEntry") != 0) {
        return FALSE;
    }
    const gchar* text = gtk_entry_get_text(GTK_ENTRY(focus));
    if (!text || !*text) return FALSE;
    if (g_file_test(typedPath(GTK_FILE_CHOOSER(dialog)).c_str(), G_FILE_TEST_IS_DIR)) return FALSE;
    gtk_dialog_response(GTK_DIALOG(dialog), kNameTyped);
    return TRUE;
}

// Shows one file chooser until the user cancels or picks a path `acceptable`
// takes; GTK's own checks are looser (the open dialog lets a typed name of a
// missing file through), so a refused path leaves the dialog open.
std::string chooseFile(GtkFileChooserAction action, const DialogRequest& request,
                       const DialogOwner& owner, const std::string& folder,
                       bool (*acceptable)(const std::string&)) {
    const bool opening = action == GTK_FILE_CHOOSER_ACTION_OPEN;
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        request.title.c_str(), nullptr, action, "_Cancel", GTK_RESPONSE_CANCEL,
        opening ? "_Open" : "_Save", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    gtk_file_chooser_set_select_multiple(chooser, FALSE);
    // No question before overwriting, no proposed name; the dialog starts in
    // the folder it is given, else the current folder.
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, FALSE);
    if (!folder.empty()) {
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    } else if (gchar* here = g_get_current_dir()) {
        gtk_file_chooser_set_current_folder(chooser, here);
        g_free(here);
    }
    if (!opening) g_signal_connect(dialog, "key-press-event", G_CALLBACK(saveOnEnter), nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    addFilters(chooser, request);
    makeTransientFor(dialog, owner.x11Window);

    std::string chosen;
    {
        KeepShowing painter(owner);
        for (;;) {
            const int response = gtk_dialog_run(GTK_DIALOG(dialog));
            if (response != GTK_RESPONSE_ACCEPT && response != kNameTyped) break;
            // Safe: any path the system takes is returned whole; the old
            // fixed 260-byte buffer made a longer choice fail as if cancelled.
            gchar* name = gtk_file_chooser_get_filename(chooser);
            std::string path = name ? name : "";
            g_free(name);
            if (response == kNameTyped) path = typedPath(chooser);
            if (acceptable(path)) {
                chosen = std::move(path);
                break;
            }
        }
    }
    destroyAndSettle(dialog);
    return chosen;
}

} // namespace

GtkFileFilter* newPatternFilter(const std::string& pattern) {
    GtkFileFilter* filter = gtk_file_filter_new();
    for (const std::string& glob : filterGlobs(pattern)) {
        gtk_file_filter_add_pattern(filter, glob.c_str());
    }
    return filter;
}

std::string GtkDialogs::openFile(const DialogRequest& request, const DialogOwner& owner) {
    if (!ready(owner)) return "";
    return chooseFile(GTK_FILE_CHOOSER_ACTION_OPEN, request, owner, request.folder,
                      acceptableToOpen);
}

std::string GtkDialogs::saveFile(const DialogRequest& request, const DialogOwner& owner) {
    if (!ready(owner)) return "";
    return chooseFile(GTK_FILE_CHOOSER_ACTION_SAVE, request, owner, request.folder,
                      acceptableToSave);
}

} // namespace tessaly
