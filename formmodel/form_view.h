#pragma once

#include <string>
#include <string_view>

// What the form model asks of the window that shows it: a Qt window or a web
// page. Every call arrives at its point in the command's sequence; the boxes
// are modal, and the model goes on only when the call has returned (a view
// that cannot block records them and shows them in the same order).
class FormView {
  public:
    virtual ~FormView() = default;
    // A control's text or enabled state has just been written by the model;
    // the view reads the new state from the model and shows it.
    virtual void controlChanged(std::string_view name) = 0;
    // The warning box: exclamation icon, OK only, the application title.
    virtual void showWarning(const std::string &text) = 0;
    // A calculation that cannot go on: critical icon, OK only, the
    // application title. The window goes on, every input kept.
    virtual void showError(const std::string &text) = 0;
    // The About box: information icon, OK only, its own title.
    virtual void showInformation(const std::string &title, const std::string &text) = 0;
};
