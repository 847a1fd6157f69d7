// What the GTK dialogs share: keeping the editor window painted while one is
// open, tying a dialog to the editor window, letting a closed dialog vanish
// before the program goes on, and the file filters.
#pragma once

#include <gtk/gtk.h>

#include <string>

#include "hosts/gtk/gtk_dialogs.h"

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
// Moves `window` (not yet shown, its contents shown) to the middle of the
// editor window on X11.
void centreOver(GtkWidget* window, unsigned long x11Window);

// Destroys `window` and handles the events that follow, so it is gone from the
// screen before the program goes on.
void destroyAndSettle(GtkWidget* window);

// A new (floating) filter showing the files a filter pattern such as
// "*.ck1; *.CK2" names, whatever the case of their names.
GtkFileFilter* newPatternFilter(const std::string& pattern);

} // namespace tessaly
