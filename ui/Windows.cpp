#include "Windows.h"

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
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans CJK")});
    font.setPointSize(9);
    font.setBold(bold);
    return font;
}

void DeleteLater::operator()(QObject* object) const
{
    if (object)
        object->deleteLater();
}

} // namespace qbx
