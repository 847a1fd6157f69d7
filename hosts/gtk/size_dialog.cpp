// The size dialog: a level's width and height in two spin buttons and, for
// a resize, the part of the level that stays in place as a 3 x 3 choice of
// radio buttons; modal and tied to the editor window like the other dialogs.
#include <algorithm>
#include <cctype>
#include <string>

#include "hosts/gtk/gtk_dialogs.h"
#include "hosts/gtk/gtk_support.h"

namespace tessaly {

namespace {

GtkWidget* newSideSpin(int value) {
    GtkWidget* spin = gtk_spin_button_new_with_range(1, kMaxLevelSide, 1);
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(spin), std::clamp(value, 1, kMaxLevelSide));
    gtk_spin_button_set_numeric(GTK_SPIN_BUTTON(spin), TRUE);
    // Enter in either field answers the dialog, as its default button does.
    gtk_entry_set_activates_default(GTK_ENTRY(spin), TRUE);
    return spin;
}

void addRow(GtkGrid* grid, int row, const char* label, GtkWidget* field) {
    GtkWidget* text = gtk_label_new_with_mnemonic(label);
    gtk_label_set_mnemonic_widget(GTK_LABEL(text), field);
    gtk_widget_set_halign(text, GTK_ALIGN_START);
    gtk_grid_attach(grid, text, 0, row, 1, 1);
    gtk_grid_attach(grid, field, 1, row, 1, 1);
}

std::string upperCase(std::string_view word) {
    std::string text(word);
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

SizeChoice GtkDialogs::askSize(const SizeRequest& request, const DialogOwner& owner) {
    if (!ready(owner)) return {};
    GtkWidget* dialog =
        gtk_dialog_new_with_buttons(request.title.c_str(), nullptr, GTK_DIALOG_MODAL, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_OK", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);

    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_column_spacing(GTK_GRID(grid), 12);
    gtk_container_set_border_width(GTK_CONTAINER(grid), 12);
    GtkWidget* width = newSideSpin(request.width);
    GtkWidget* height = newSideSpin(request.height);
    addRow(GTK_GRID(grid), 0, "_Width (1-256):", width);
    addRow(GTK_GRID(grid), 1, "_Height (1-256):", height);

    // The nine anchors row by row, the top left one chosen.
    GtkWidget* anchors[kAnchorNames.size()] = {};
    if (request.withAnchor) {
        GtkWidget* frame = gtk_frame_new("Keep in place");
        GtkWidget* choices = gtk_grid_new();
        gtk_container_set_border_width(GTK_CONTAINER(choices), 6);
        GSList* group = nullptr;
        for (std::size_t i = 0; i < kAnchorNames.size(); ++i) {
            const std::string label = upperCase(kAnchorNames[i]);
            anchors[i] = gtk_radio_button_new_with_label(group, label.c_str());
            group = gtk_radio_button_get_group(GTK_RADIO_BUTTON(anchors[i]));
            gtk_grid_attach(GTK_GRID(choices), anchors[i], int(i % 3), int(i / 3), 1, 1);
        }
        gtk_container_add(GTK_CONTAINER(frame), choices);
        gtk_grid_attach(GTK_GRID(grid), frame, 0, 2, 2, 1);
    }
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), grid);
    gtk_widget_show_all(grid);
    centreOver(dialog, owner.x11Window);
    makeTransientFor(dialog, owner.x11Window);
    gtk_widget_grab_focus(width);

    SizeChoice choice;
    {
        KeepShowing painter(owner);
        if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
            choice.chosen = true;
            // Values typed but not yet taken by the spin buttons count.
            gtk_spin_button_update(GTK_SPIN_BUTTON(width));
            gtk_spin_button_update(GTK_SPIN_BUTTON(height));
            choice.width = gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(width));
            choice.height = gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(height));
            for (std::size_t i = 0; i < kAnchorNames.size(); ++i) {
                if (anchors[i] && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(anchors[i])))
                    choice.anchor = int(i);
            }
        }
    }
    destroyAndSettle(dialog);
    return choice;
}

} // namespace tessaly
