// Whether a family is installed, asked of fontconfig, agrees with the face Qt draws a list of
// families with.
#include "platform/Fonts.h"

#include <QFont>
#include <QFontInfo>

#include <gtest/gtest.h>

using namespace qbx;

TEST(FontConfig, FamilyInstalledAgreesWithTheFaceQtChooses)
{
    const QStringList lists[] = {
        {QStringLiteral("Qbx No Such Face")},
        {QStringLiteral("Qbx No Such Face"), QStringLiteral("Noto Sans CJK SC")},
        {QStringLiteral("notosans  CJK sc")},
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN")}};
    for (const QStringList& families : lists) {
        QFont font;
        font.setFamilies(families);
        const QString chosen = QFontInfo(font).family();
        const bool listed = std::any_of(families.begin(), families.end(), [&](const QString& f) {
            return QString(f)
                       .remove(QLatin1Char(' '))
                       .compare(QString(chosen).remove(QLatin1Char(' ')), Qt::CaseInsensitive) == 0;
        });
        EXPECT_EQ(fontFamilyInstalled(families), listed)
            << families.join(", ").toStdString() << " -> " << chosen.toStdString();
    }
    EXPECT_TRUE(
        fontFamilyInstalled({QStringLiteral("Noto Sans CJK SC")})); // installed with the program's packages
}
