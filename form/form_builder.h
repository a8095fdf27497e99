#pragma once

class QWidget;

// Creates every control of the window's design as a child of window, named
// after its designer name, with its text, place, size and start-up state.
// The window's font must already be set: labels size themselves to it.
void BuildWindowControls(QWidget *window);
