// The folder dialog: GTK's file chooser picking a folder, modal and tied to
// the editor window like the file dialogs.
#include <glib.h>

#include "hosts/gtk/gtk_dialogs.h"
#include "hosts/gtk/gtk_support.h"

namespace tessaly {

std::string GtkDialogs::chooseFolder(const FolderRequest& request, const DialogOwner& owner) {
    if (!ready(owner)) return "";
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        request.title.c_str(), nullptr, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER, "_Cancel",
        GTK_RESPONSE_CANCEL, "_Select", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_local_only(chooser, TRUE);
    if (!request.folder.empty()) {
        gtk_file_chooser_set_current_folder(chooser, request.folder.c_str());
    } else if (gchar* here = g_get_current_dir()) {
        gtk_file_chooser_set_current_folder(chooser, here);
        g_free(here);
    }
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    makeTransientFor(dialog, owner.x11Window);

    std::string chosen;
    {
        KeepShowing painter(owner);
        for (;;) {
            if (gtk_dialog_run(GTK_DIALOG(dialog)) != GTK_RESPONSE_ACCEPT) break;
            gchar* name = gtk_file_chooser_get_filename(chooser);
            const std::string path = name ? name : "";
            g_free(name);
            // A name typed for a folder that does not exist leaves the dialog open.
            if (!path.empty() && g_file_test(path.c_str(), G_FILE_TEST_IS_DIR)) {
                chosen = path;
                break;
            }
        }
    }
    destroyAndSettle(dialog);
    return chosen;
}

} // namespace tessaly
