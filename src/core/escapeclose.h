#pragma once

class QWidget;

// Esc closes the window, as it closes a dialog: for viewers and other windows
// that are not dialogs. A control that takes Esc for itself first (an edit box
// cancelling its edit) keeps it by accepting the key's shortcut override.
void closeOnEscape(QWidget* window);
