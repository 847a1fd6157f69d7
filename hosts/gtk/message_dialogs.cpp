// Questions and messages: GTK message dialogs, modal and tied to the editor
// window like the file dialogs.
#include <string>

#include "hosts/gtk/gtk_dialogs.h"
#include "hosts/gtk/gtk_support.h"

namespace tessaly {

namespace {

constexpr const char* kCaption = "Tessaly Editor";

GtkWidget* newMessageDialog(GtkMessageType type, std::string_view text) {
    const std::string shown(text);
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, type, GTK_BUTTONS_NONE,
                                               "%s", shown.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), kCaption);
    return dialog;
}

// Runs the dialog with the editor window kept painted; its response.
int runShown(GtkWidget* dialog, const DialogOwner& owner) {
    makeTransientFor(dialog, owner.x11Window);
    gtk_window_present(GTK_WINDOW(dialog));
    int response;
    {
        KeepShowing painter(owner);
        response = gtk_dialog_run(GTK_DIALOG(dialog));
    }
    destroyAndSettle(dialog);
    return response;
}

} // namespace

// Each answer is a button whose response is its index; Escape and the close
// button give a negative response, which is no answer.
int GtkDialogs::ask(const Question& question, const DialogOwner& owner) {
    if (!ready(owner)) return kQuestionClosed;
    GtkWidget* dialog = newMessageDialog(GTK_MESSAGE_QUESTION, question.text);
    for (std::size_t i = 0; i < question.answers.size(); ++i) {
        const std::string label = "_" + question.answers[i];
        gtk_dialog_add_button(GTK_DIALOG(dialog), label.c_str(), int(i));
    }
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), question.defaultAnswer);
    const int response = runShown(dialog, owner);
    return response >= 0 && std::size_t(response) < question.answers.size() ? response
                                                                            : kQuestionClosed;
}

bool GtkDialogs::message(std::string_view text, const DialogOwner& owner) {
    if (!ready(owner)) return false;
    GtkWidget* dialog = newMessageDialog(GTK_MESSAGE_WARNING, text);
    gtk_dialog_add_button(GTK_DIALOG(dialog), "_OK", GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    runShown(dialog, owner);
    return true;
}

} // namespace tessaly
