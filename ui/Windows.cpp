#include "Windows.h"

#include "platform/Fonts.h"

#include <QStringList>
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

void showChildrenMadeLate(QWidget& window)
{
    if (!window.isVisible())
        return;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && child->isHidden() && !child->testAttribute(Qt::WA_WState_ExplicitShowHide))
            child->show();
}

namespace {

// The Song faces first; the sans faces stand in for them where none is installed.
const QStringList& songFaces()
{
    static const QStringList faces{QStringLiteral("SimSun"), QStringLiteral("宋体"),
                                   QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing")};
    return faces;
}

} // namespace

bool songFaceInstalled()
{
    static const bool installed = fontFamilyInstalled(songFaces());
    return installed;
}

QFont songTiFont(bool bold)
{
    // A Song face sets its glyphs as the boxes were designed for; the broader sans faces need
    // a size smaller (11 instead of 12 pixels) to keep captions on one line.
    const bool songFace = songFaceInstalled();
    QFont font;
    font.setFamilies(songFaces() +
                     QStringList{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK")});
    font.setPointSizeF(songFace ? 9.0 : 8.25);
    if (bold) {
        // Emboldened from the regular face: the bold face is another large file to open and parse
        // before the first frame; drawn this way it is a little lighter at large sizes.
        font.setBold(true);
        font.setStyleName(QStringLiteral("Regular"));
    }
    return font;
}

void DeleteLater::operator()(QObject* object) const
{
    if (object)
        object->deleteLater();
}

} // namespace qbx
