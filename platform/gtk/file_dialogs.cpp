#include <glib.h>

#include "platform/gtk/filter_patterns.h"
#include "platform/gtk/gtk_dialogs.h"
#include "platform/gtk/gtk_support.h"

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

// Shows one file chooser until the user cancels or picks a path `acceptable`
// takes; GTK's own checks are looser (the open dialog lets a typed name of a
// missing file through), so a refused path leaves the dialog open.
std::string chooseFile(GtkFileChooserAction action, const DialogRequest& request,
                       const DialogOwner& owner, bool (*acceptable)(const std::string&)) {
    const bool opening = action == GTK_FILE_CHOOSER_ACTION_OPEN;
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        request.title.c_str(), nullptr, action, "_Cancel", GTK_RESPONSE_CANCEL,
        opening ? "_Open" : "_Save", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    gtk_file_chooser_set_select_multiple(chooser, FALSE);
    // No question before overwriting, no proposed name; the dialog starts in
    // the current folder.
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, FALSE);
    if (gchar* here = g_get_current_dir()) {
        gtk_file_chooser_set_current_folder(chooser, here);
        g_free(here);
    }
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    addFilters(chooser, request);
    makeTransientFor(dialog, owner.x11Window);

    std::string chosen;
    {
        KeepShowing painter(owner);
        while (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
            // Safe: any path the system takes is returned whole; the old
            // fixed 260-byte buffer made a longer choice fail as if cancelled.
            gchar* name = gtk_file_chooser_get_filename(chooser);
            std::string path = name ? name : "";
            g_free(name);
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
    return chooseFile(GTK_FILE_CHOOSER_ACTION_OPEN, request, owner, acceptableToOpen);
}

std::string GtkDialogs::saveFile(const DialogRequest& request, const DialogOwner& owner) {
    if (!ready(owner)) return "";
    return chooseFile(GTK_FILE_CHOOSER_ACTION_SAVE, request, owner, acceptableToSave);
}

} // namespace tessaly
