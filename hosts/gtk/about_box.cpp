#include <algorithm>
#include <cmath>
#include <string>

#include "core/program_info.h"
#include "hosts/gtk/gtk_dialogs.h"
#include "hosts/gtk/gtk_support.h"

namespace tessaly {

namespace {

// The box is laid out in dialog units of an 8-point font, as its template
// gives them: one horizontal unit is 1.5 pixels, one vertical unit 1.625.
struct Units {
    int x, y, w, h;
};

int across(int units) {
    return int(std::lround(units * 1.5));
}
int down(int units) {
    return int(std::lround(units * 1.625));
}

constexpr int kBoxWidth = 182, kBoxHeight = 78;
constexpr Units kFrame{8, 5, 167, 51};
constexpr Units kMakerLine{14, 26, 107, 10};
constexpr Units kAuthorLine{27, 37, 80, 9};
constexpr Units kOkButton{9, 60, 164, 13};
constexpr Units kNameLine{15, 14, 106, 9};
constexpr Units kVersionLine{14, 46, 107, 9};
constexpr Units kLogo{126, 10, 43, 39};

// Kept: the box has always been captioned "Sample Dialog"; users know it so.
constexpr const char* kCaption = "Sample Dialog";
constexpr const char* kName = "Tessaly Editor for 2D Games";
constexpr const char* kMaker = "Tessaly Editor contributors";
constexpr const char* kAuthor = "Made with care";

constexpr int kFontPoints = 8;

// Small type everywhere and a button as low as its template slot, whatever
// the desktop theme says, so the box looks the same every time.
constexpr const char* kButtonStyle = "button { padding: 0 4px; min-height: 0; }";

void useSmallFont(GtkWidget* label) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_size_new(kFontPoints * PANGO_SCALE));
    gtk_label_set_attributes(GTK_LABEL(label), attributes);
    pango_attr_list_unref(attributes);
}

void place(GtkWidget* fixed, GtkWidget* child, const Units& at) {
    gtk_widget_set_size_request(child, across(at.w), down(at.h));
    gtk_fixed_put(GTK_FIXED(fixed), child, across(at.x), down(at.y));
}

GtkWidget* centredLine(const char* text) {
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_justify(GTK_LABEL(label), GTK_JUSTIFY_CENTER);
    gtk_label_set_xalign(GTK_LABEL(label), 0.5f);
    useSmallFont(label);
    return label;
}

GtkWidget* logoImage(const RgbaPicture& logo) {
    if (logo.width <= 0 || logo.height <= 0 ||
        logo.rgba.size() != std::size_t(logo.width) * std::size_t(logo.height) * 4) {
        return gtk_image_new();
    }
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, logo.width, logo.height);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const std::size_t row = std::size_t(logo.width) * 4;
    for (int y = 0; y < logo.height; ++y) {
        std::copy_n(logo.rgba.data() + std::size_t(y) * row, row, pixels + std::size_t(y) * stride);
    }
    GtkWidget* image = gtk_image_new_from_pixbuf(pixbuf);
    g_object_unref(pixbuf);
    return image;
}

gboolean quitOnDelete(GtkWidget*, GdkEvent*, gpointer loop) {
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
    return TRUE; // the box is destroyed by its owner below
}

void quitOnClick(GtkButton*, gpointer loop) {
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
}

} // namespace

// The box is a dialog of the editor window, like the others: tied to it,
// with no task-bar entry of its own, and opened in its middle. Its caption
// bar has no close button, yet a close request from the window manager ends
// it like the Ok button.
// Kept: Escape does nothing (a plain window has no key for closing), as the
// box has always ignored it; only Ok, Space on Ok and a close request end it.
bool GtkDialogs::aboutBox(const RgbaPicture& logo, const DialogOwner& owner) {
    if (!ready(owner)) return false;
    GtkWidget* box = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWindow* window = GTK_WINDOW(box);
    gtk_window_set_title(window, kCaption);
    gtk_window_set_modal(window, TRUE);
    gtk_window_set_resizable(window, FALSE);
    gtk_window_set_deletable(window, FALSE);
    gtk_window_set_skip_taskbar_hint(window, TRUE);
    gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);

    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, across(kBoxWidth), down(kBoxHeight));
    gtk_container_add(GTK_CONTAINER(box), fixed);

    GtkWidget* frame = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_ETCHED_IN);
    place(fixed, frame, kFrame);
    place(fixed, centredLine(kMaker), kMakerLine);
    place(fixed, centredLine(kAuthor), kAuthorLine);

    GtkWidget* ok = gtk_button_new_with_mnemonic("_Ok");
    gtk_widget_set_can_default(ok, FALSE);
    GtkCssProvider* style = gtk_css_provider_new();
    gtk_css_provider_load_from_data(style, kButtonStyle, -1, nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(ok), GTK_STYLE_PROVIDER(style),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(style);
    if (GtkWidget* caption = gtk_bin_get_child(GTK_BIN(ok)); GTK_IS_LABEL(caption)) {
        useSmallFont(caption);
    }
    place(fixed, ok, kOkButton);
    place(fixed, centredLine(kName), kNameLine);
    const std::string version = "Version " + std::string(programVersion());
    place(fixed, centredLine(version.c_str()), kVersionLine);

    GtkWidget* image = logoImage(logo);
    gtk_widget_set_size_request(image, logo.width, logo.height);
    gtk_fixed_put(GTK_FIXED(fixed), image, across(kLogo.x), down(kLogo.y));

    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_signal_connect(box, "delete-event", G_CALLBACK(quitOnDelete), loop);
    g_signal_connect(ok, "clicked", G_CALLBACK(quitOnClick), loop);

    // Its contents are shown first, so the box knows its size to be centred.
    gtk_widget_show_all(fixed);
    makeTransientFor(box, owner.x11Window);
    centreOver(box, owner.x11Window);
    gtk_widget_show_all(box);
    gtk_widget_grab_focus(ok);
    gtk_window_present(window);
    {
        KeepShowing painter(owner);
        g_main_loop_run(loop);
    }
    g_main_loop_unref(loop);
    destroyAndSettle(box);
    return true;
}

} // namespace tessaly
