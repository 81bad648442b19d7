#pragma once
// Ctrl+Z in a text field undoes the typing there, as in any Qt program, before Edit |
// Undo sees it. The redo keys (Ctrl+Y and Ctrl+Shift+Z) are not all a field's own on
// every platform, so without this a field would take Ctrl+Z but let Ctrl+Y redo a
// change of the zone. Every editable one-line and multi-line field of the window then
// redoes its own typing with both keys.
class QWidget;

void keepRedoKeysInTextFields(QWidget& window);
