#pragma once
// Rows of a list box set as close as the designed box needs: a list made to show `rows` rows
// shows them whole, also with CJK fonts whose line spacing is taller than the font the box was
// measured for.

class QListWidget;

namespace qbx {

// Gives every row of `list` the height that lets `rows` rows fill its inside exactly (never less
// than the font's own glyph height).
void fitRows(QListWidget* list, int rows);

} // namespace qbx
