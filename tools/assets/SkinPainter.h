#pragma once
// The skin pictures of the main window, drawn at a pixel scale (1 = 96 dpi, 2 = @2x).
// Tiles are 1050 twips = 70 px square, strips 360 × 1050 twips = 24 × 70 px.

#include <QImage>
#include <QString>

namespace qbx::assets {

enum class TileState { Rest, Lit, Pressed };
enum class ArrowSide { Right, Left };

QImage paintTile(TileState state, int scale);
QImage paintArrowStrip(ArrowSide side, int scale);
QImage paintNameStrip(const QString& name, bool highlighted, int scale);

} // namespace qbx::assets
