#pragma once
// Skin pictures and icon files from the program folder. A picture is decoded once while its file
// stays the same (size and modification time); a file changed on disk is read again the next time
// a control changes its look. A file is read by the decoder its name tells (only that one is
// loaded), else by its content. A file that is missing or unreadable leaves the control's previous
// picture in place.

#include <QImage>
#include <QPixmap>
#include <QString>

#include <filesystem>
#include <vector>

namespace qbx {

class PictureBox;

// AppDir/skin/<name>.
std::filesystem::path skinPath(const std::filesystem::path& appDir, const QString& name);

// Reads a picture; on a screen with devicePixelRatio > 1 the "@2x" variant beside it
// (pnl11@2x.jpg) is preferred when it exists. A null pixmap when neither can be read.
QPixmap readPicture(const std::filesystem::path& file, qreal devicePixelRatio);

// Pictures decoded ahead, on any thread, for readPicture to find without decoding: the files
// readPicture would read for `files` on a screen of `devicePixelRatio`; unreadable ones are left out.
struct DecodedPicture {
    QString key;
    QImage image;
};
std::vector<DecodedPicture> decodePictures(const std::vector<std::filesystem::path>& files,
                                           qreal devicePixelRatio);
// Keeps them for readPicture (on the GUI thread). A picture read again since is kept as it is.
void keepDecodedPictures(std::vector<DecodedPicture> pictures);

// Shows AppDir/skin/<name> on `box`. False (and the box unchanged) when it cannot be read.
bool showSkin(PictureBox& box, const std::filesystem::path& appDir, const QString& name);
// Shows AppDir/<name> (an icon or picture file) on `box`; the same failure rule.
bool showFile(PictureBox& box, const std::filesystem::path& appDir, const QString& name);

// The main window's skins: a tile at rest, lit under the pointer and pressed; the arrow strips.
inline const QString kTileRestSkin = QStringLiteral("pnl11.jpg");
inline const QString kTileLitSkin = QStringLiteral("pnl12.jpg");
inline const QString kTilePressedSkin = QStringLiteral("pnl13.jpg");
inline const QString kArrowRightSkin = QStringLiteral("pnl21.jpg");
inline const QString kArrowLeftSkin = QStringLiteral("pnl22.jpg");

// "pnl3" + n + "1.jpg" / "pnl3" + n + "2.jpg": the name strip of tile n - 1, at rest or lit.
QString nameStripSkin(int tile, bool lit);

} // namespace qbx
