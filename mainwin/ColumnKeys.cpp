// The column without a pointer: while it has the focus, Up and Down light the tiles in turn,
// Right opens the pop-up of the lit tile and Enter starts what a left click on it starts.

#include "Form1.h"

#include "core/Launcher.h"
#include "platform/Logging.h"
#include "store/AppState.h"
#include "ui/Skin.h"

#include <QKeyEvent>

namespace qbx {

void Form1::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key != Qt::Key_Up && key != Qt::Key_Down && key != Qt::Key_Right && key != Qt::Key_Return &&
        key != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    guarded(lcWindows, "a key on the column", [&] {
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const int from = keyTile_ < 0 ? (key == Qt::Key_Down ? -1 : kTiles) : keyTile_;
            lightKeyTile((from + (key == Qt::Key_Down ? 1 : -1) + kTiles) % kTiles);
            return;
        }
        if (keyTile_ < 0)
            return;
        if (key == Qt::Key_Right) {
            // The pop-up opens on the side with room, as from the tile's arrow strip.
            launcher_.selectMajor(keyTile_);
            launcher_.hoverTile(keyTile_);
            popups_.open(roomOnRight());
            return;
        }
        const int tile = keyTile_;
        Picture1_MouseDown(tile, Qt::LeftButton);
        Picture1_MouseUp(tile, Qt::LeftButton);
    });
}

void Form1::lightKeyTile(int tile)
{
    if (keyTile_ >= 0 && keyTile_ != tile)
        showTileSkin(keyTile_, kTileRestSkin);
    keyTile_ = tile;
    showTileSkin(tile, kTileLitSkin);
}

} // namespace qbx
