// What the GTK dialogs share: keeping the editor window painted while one is
// open, tying a dialog to the editor window, and letting a closed dialog
// vanish before the program goes on.
#pragma once

#include <gtk/gtk.h>

#include "platform/gtk/gtk_dialogs.h"

namespace tessaly {

// Runs the owner's keepShowing from a GLib timeout for as long as it lives.
class KeepShowing {
  public:
    explicit KeepShowing(const DialogOwner& owner);
    ~KeepShowing();
    KeepShowing(const KeepShowing&) = delete;
    KeepShowing& operator=(const KeepShowing&) = delete;

  private:
    guint source_ = 0;
};

// Marks `window` transient for the editor window when both live on X11.
void makeTransientFor(GtkWidget* window, unsigned long x11Window);

// Destroys `window` and handles the events that follow, so it is gone from the
// screen before the program goes on.
void destroyAndSettle(GtkWidget* window);

} // namespace tessaly
