#include <glib.h>

#include "hosts/gtk/filter_patterns.h"
#include "hosts/gtk/gtk_dialogs.h"
#include "hosts/gtk/gtk_support.h"
#include "system/path_text.h"

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

// What a save dialog does with the name chosen, from the request.
struct SaveRules {
    std::string extension; // given to a name typed without one
    bool confirmOverwrite = false;
};

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

bool isFolder(const std::string& path) {
    return g_file_test(path.c_str(), G_FILE_TEST_IS_DIR);
}

// Enter in the save dialog's name field saves at the first press. GTK drops
// an Enter typed soon after the dialog opened, while it still reads the
// folder, accept response and all; so the dialog takes Enter in the name
// field itself and answers with a response of its own (kNameTyped), unless
// the name is that of a folder, which Enter opens as usual.
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
    if (isFolder(typedPath(GTK_FILE_CHOOSER(dialog)))) return FALSE;
    gtk_dialog_response(GTK_DIALOG(dialog), kNameTyped);
    return TRUE;
}

// The save dialog's name field (GTK's own entry, found by its type's name).
GtkWidget* nameField(GtkWidget* widget) {
    if (g_strcmp0(G_OBJECT_TYPE_NAME(widget), "GtkFileChooserEntry") == 0) return widget;
    if (!GTK_IS_CONTAINER(widget)) return nullptr;
    GtkWidget* found = nullptr;
    gtk_container_forall(
        GTK_CONTAINER(widget),
        [](GtkWidget* child, gpointer data) {
            auto* result = static_cast<GtkWidget**>(data);
            if (!*result) *result = nameField(child);
        },
        &found);
    return found;
}

// The name field completes names with Tab as before, but shows no list of
// matching names while one is typed: that list took the first Enter after a
// whole path was typed, as a choice from the list, instead of saving.
void typeWholeNames(GtkWidget* dialog) {
    GtkWidget* field = nameField(dialog);
    if (!field || !GTK_IS_ENTRY(field)) return;
    if (GtkEntryCompletion* completion = gtk_entry_get_completion(GTK_ENTRY(field)))
        gtk_entry_completion_set_popup_completion(completion, FALSE);
}

// A proposed name is selected whole when the dialog shows, so whatever is
// typed replaces it, a whole path included; GTK would select the part
// before its extension, and a typed path would end up in front of ".CK1".
void selectWholeName(GtkWidget* dialog, gpointer) {
    GtkWidget* field = nameField(dialog);
    if (field && GTK_IS_EDITABLE(field)) gtk_editable_select_region(GTK_EDITABLE(field), 0, -1);
}

gboolean acceptNow(gpointer dialog) {
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    return G_SOURCE_REMOVE;
}

// Puts `path` into the save dialog's name field: its name alone when it lies
// in the dialog's folder, else the whole path, which the field takes too.
void showName(GtkFileChooser* chooser, const std::string& path) {
    gchar* folder = gtk_file_chooser_get_current_folder(chooser);
    gchar* parent = g_path_get_dirname(path.c_str());
    gchar* base = g_path_get_basename(path.c_str());
    const bool here = folder && g_strcmp0(folder, parent) == 0;
    gtk_file_chooser_set_current_name(chooser, here ? base : path.c_str());
    g_free(folder);
    g_free(parent);
    g_free(base);
}

// Shows one file chooser until the user cancels or picks a path `acceptable`
// takes; GTK's own checks are looser (the open dialog lets a typed name of a
// missing file through), so a refused path leaves the dialog open.
//
// A save dialog gives a name typed without an extension the request's, and
// asks before an existing file is overwritten when the request says so, with
// GTK's own question. GTK asks only about the name as typed, and only when it
// accepted the name itself (not for an Enter in the name field): when the
// name with its extension is another existing file, or Enter chose an
// existing file, that name is put in the field and accepted anew through
// GTK, which asks then.
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
    const SaveRules rules{opening ? "" : request.defaultExtension,
                          !opening && request.confirmOverwrite};
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, rules.confirmOverwrite);
    // The dialog starts in the folder it is given, else the current folder,
    // with the name it is given.
    if (!folder.empty()) {
        gtk_file_chooser_set_current_folder(chooser, folder.c_str());
    } else if (gchar* here = g_get_current_dir()) {
        gtk_file_chooser_set_current_folder(chooser, here);
        g_free(here);
    }
    if (!opening) {
        if (!request.fileName.empty()) {
            gtk_file_chooser_set_current_name(chooser, request.fileName.c_str());
            g_signal_connect_after(dialog, "map", G_CALLBACK(selectWholeName), nullptr);
        }
        g_signal_connect(dialog, "key-press-event", G_CALLBACK(saveOnEnter), nullptr);
        typeWholeNames(dialog);
    }
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    addFilters(chooser, request);
    makeTransientFor(dialog, owner.x11Window);

    std::string chosen;
    {
        KeepShowing painter(owner);
        bool acceptAgain = false;
        for (;;) {
            // An accept asked for below runs once the dialog runs again.
            if (acceptAgain) g_idle_add(acceptNow, dialog);
            acceptAgain = false;
            const int response = gtk_dialog_run(GTK_DIALOG(dialog));
            if (response != GTK_RESPONSE_ACCEPT && response != kNameTyped) break;
            // Safe: any path the system takes is returned whole; the old
            // fixed 260-byte buffer made a longer choice fail as if cancelled.
            gchar* name = gtk_file_chooser_get_filename(chooser);
            std::string path = name ? name : "";
            g_free(name);
            if (response == kNameTyped) path = typedPath(chooser);
            if (!opening && !path.empty()) {
                const std::string whole = withDefaultExtension(path, rules.extension);
                const bool askedByGtk = response == GTK_RESPONSE_ACCEPT && whole == path;
                // Safe: an existing level is not overwritten unasked,
                // whichever way its name was chosen.
                if (rules.confirmOverwrite && !askedByGtk &&
                    g_file_test(whole.c_str(), G_FILE_TEST_EXISTS) && !isFolder(whole)) {
                    showName(chooser, whole);
                    acceptAgain = true;
                    continue;
                }
                path = whole;
            }
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
