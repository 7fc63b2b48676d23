#include "Windows.h"

#include <QFontInfo>
#include <QWidget>

namespace qbx {

void makeTopmostTool(QWidget& window, bool takesFocus)
{
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    // Tool tips (use counts, the introduction hint) show although the window is not active.
    window.setAttribute(Qt::WA_AlwaysShowToolTips);
    if (!takesFocus) {
        flags |= Qt::WindowDoesNotAcceptFocus;
        window.setAttribute(Qt::WA_ShowWithoutActivating);
    }
    window.setWindowFlags(flags);
}

QFont songTiFont(bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("AR PL UMing"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans CJK")});
    font.setPointSize(9);
    if (bold) {
        // Emboldened from the regular face: the bold face is another large file to open and parse
        // before the first frame, and at these sizes the two look alike.
        font.setBold(true);
        font.setStyleName(QStringLiteral("Regular"));
    }
    // A Song face sets its glyphs as the boxes were designed for; the broader sans faces need
    // a size smaller (11 instead of 12 pixels) to keep captions on one line.
    static const bool songFace = [&font] {
        const QString family = QFontInfo(font).family();
        return family.contains(QLatin1String("SimSun"), Qt::CaseInsensitive) ||
               family == QStringLiteral("宋体") ||
               family.contains(QLatin1String("UMing"), Qt::CaseInsensitive);
    }();
    if (!songFace)
        font.setPointSizeF(8.25);
    return font;
}

void DeleteLater::operator()(QObject* object) const
{
    if (object)
        object->deleteLater();
}

} // namespace qbx
