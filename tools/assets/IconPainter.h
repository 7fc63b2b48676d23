#pragma once
// The program's own icons: a golden quill standing in an open paper box on the tile blue.
// Written as multi-size .ico files (16, 32, 48 px; 32-bit images with an AND mask) by hand, and
// for the desktop's icon theme as SVG and PNG.

#include <QByteArray>
#include <QImage>
#include <QList>

namespace qbx::assets {

enum class IconShape { RoundedSquare, Circle };

QImage paintQuillboxIcon(int size, IconShape shape);
// The same drawing as an SVG document (128 units square, with all the details).
QByteArray quillboxIconSvg(IconShape shape);
// An .ico file holding the images in the order given (each at most 256 px square).
QByteArray icoFile(const QList<QImage>& images);

} // namespace qbx::assets
