#include "hosts/gtk/gtk_dialogs.h"

#include <gdk/gdkx.h>

#include <clocale>

#include "hosts/gtk/gtk_support.h"

namespace tessaly {

namespace {

constexpr guint kKeepShowingMs = 15;

gboolean keepShowingTick(gpointer data) {
    (*static_cast<const std::function<void()>*>(data))();
    return G_SOURCE_CONTINUE;
}

} // namespace

KeepShowing::KeepShowing(const DialogOwner& owner) {
    if (owner.keepShowing) {
        source_ = g_timeout_add(kKeepShowingMs, keepShowingTick,
                                const_cast<std::function<void()>*>(&owner.keepShowing));
    }
}

KeepShowing::~KeepShowing() {
    if (source_ != 0) g_source_remove(source_);
}

void makeTransientFor(GtkWidget* window, unsigned long x11Window) {
    if (x11Window == 0) return;
    GdkDisplay* display = gtk_widget_get_display(window);
    if (!GDK_IS_X11_DISPLAY(display)) return;
    GdkWindow* parent = gdk_x11_window_foreign_new_for_display(display, x11Window);
    if (!parent) return;
    gtk_widget_realize(window);
    gdk_window_set_transient_for(gtk_widget_get_window(window), parent);
    g_object_unref(parent);
}

void centreOver(GtkWidget* window, unsigned long x11Window) {
    if (x11Window == 0) return;
    GdkDisplay* display = gtk_widget_get_display(window);
    if (!GDK_IS_X11_DISPLAY(display)) return;
    GdkWindow* parent = gdk_x11_window_foreign_new_for_display(display, x11Window);
    if (!parent) return;
    // The editor window with its frame, on the screen; the window's own
    // size as it asks for it.
    GdkRectangle frame{};
    gdk_window_get_frame_extents(parent, &frame);
    g_object_unref(parent);
    GtkRequisition size{};
    gtk_widget_get_preferred_size(window, nullptr, &size);
    gtk_window_move(GTK_WINDOW(window), frame.x + (frame.width - size.width) / 2,
                    frame.y + (frame.height - size.height) / 2);
}

void destroyAndSettle(GtkWidget* window) {
    gtk_widget_destroy(window);
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

bool GtkDialogs::ready(const DialogOwner& owner) {
    if (state_ == State::Untried) {
        // The editor window is an X11 window: keep GTK on X11 too, so the
        // dialogs can be tied to it (under Wayland GTK would pick Wayland).
        if (owner.x11Window != 0) gdk_set_allowed_backends("x11");
        // The program works in the C locale; only the dialogs' own texts
        // follow the user's language.
        gtk_disable_setlocale();
        std::setlocale(LC_MESSAGES, "");
        state_ = gtk_init_check(nullptr, nullptr) ? State::Ready : State::Failed;
    }
    return state_ == State::Ready;
}

} // namespace tessaly
