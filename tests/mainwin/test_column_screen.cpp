// The column's monitor: which screen it belongs to, which screen stands for it after the
// monitors changed, which edges are outer ones, where it stands on a changed screen, and what
// it reserves there. Three monitors: the primary, a taller one right of it, one left of it at
// negative x and lower down.

#include "mainwin/AutoHide.h"
#include "mainwin/ColumnScreen.h"
#include "mainwin/ReservedEdge.h"

#include <QTest>

using namespace qbx;

namespace {

const QRect primary(0, 0, 1280, 1024);
const QRect right(1280, 0, 1920, 1080);
const QRect left(-1024, 200, 1024, 768);
const QList<QRect> all{primary, right, left};

} // namespace

class ColumnScreenTest : public QObject {
    Q_OBJECT
private slots:
    void theScreenHoldingMostOfTheColumn();
    void theScreenThatStandsForTheOldOne();
    void outerEdgesAlongTheColumnsRows();
    void placeOnAChangedScreen();
    void reservedOnlyAtAnOuterEdge();
};

void ColumnScreenTest::theScreenHoldingMostOfTheColumn()
{
    QCOMPARE(homeScreen(QRect(1280, 100, 125, 573), all), right);
    QCOMPARE(homeScreen(QRect(1200, 100, 125, 573), all), primary);     // 80 of 125 on the primary
    QCOMPARE(homeScreen(QRect(-1024 - 118, 300, 125, 573), all), left); // hidden at its outer edge
    // As much on two screens: the one under its centre (x 1279), the first listed or not.
    QCOMPARE(homeScreen(QRect(1217, 100, 126, 573), {right, primary}), primary);
    // On no screen (its monitor went away): the primary.
    QCOMPARE(homeScreen(QRect(4000, 0, 125, 573), all), primary);
    QCOMPARE(homeScreen(QRect(4000, 0, 125, 573), {}), QRect());
}

void ColumnScreenTest::theScreenThatStandsForTheOldOne()
{
    // A new resolution at the same origin.
    QCOMPARE(followedScreen(right, {primary, QRect(1280, 0, 1600, 900)}), QRect(1280, 0, 1600, 900));
    // The primary grew narrower and the right monitor moved left with it.
    QCOMPARE(followedScreen(right, {QRect(0, 0, 1024, 768), QRect(1024, 0, 1920, 1080)}),
             QRect(1024, 0, 1920, 1080));
    // Gone: the primary.
    QCOMPARE(followedScreen(right, {primary, left}), primary);
    QCOMPARE(followedScreen(left, {QRect(0, 0, 800, 600)}), QRect(0, 0, 800, 600));
}

void ColumnScreenTest::outerEdgesAlongTheColumnsRows()
{
    QVERIFY(!outerEdge(true, right, 0, 572, all)); // the primary lies beyond
    QVERIFY(outerEdge(false, right, 0, 572, all));
    QVERIFY(outerEdge(true, right, 1030, 1079, all)); // below the primary's bottom
    QVERIFY(!outerEdge(true, primary, 100, 672, all));
    QVERIFY(outerEdge(true, primary, 0, 150, all)); // above the left monitor's top
    QVERIFY(outerEdge(true, left, 300, 872, all));
    QVERIFY(!outerEdge(false, left, 300, 872, all));
    QVERIFY(outerEdge(true, primary, 0, 572, {primary}));
    QVERIFY(outerEdge(false, primary, 0, 572, {primary}));
}

void ColumnScreenTest::placeOnAChangedScreen()
{
    const int w = 19200; // 1280 px
    const QSize wider(28800, 16200);
    QCOMPARE(resnapped(QPoint(w - kVisibleStripTw, 1500), w, wider), QPoint(28800 - 100, 1500));
    QCOMPARE(resnapped(QPoint(w - 1875, 1500), w, wider), QPoint(28800 - 1875, 1500));
    QCOMPARE(resnapped(QPoint(0, 1500), w, wider), QPoint(0, 1500));
    QCOMPARE(resnapped(QPoint(kHiddenLeftTw, 1500), w, wider), QPoint(kHiddenLeftTw, 1500));
    QCOMPARE(resnapped(QPoint(6000, 1500), w, wider), QPoint(6000, 1500));
    // Narrower and lower: beyond the right and the bottom edge it is pulled in.
    const QSize small(15360, 11520);
    QCOMPARE(resnapped(QPoint(16000, 9000), w, small), QPoint(15360 - 1875, 11520 - 8595));
    QCOMPARE(resnapped(QPoint(w - kVisibleStripTw, -300), w, small), QPoint(15360 - 100, 0));
    // Docked or hidden at an edge, or anywhere else.
    for (const int left : {0, kHiddenLeftTw, w - 1875, w - kVisibleStripTw})
        QVERIFY(atEdge(left, w));
    for (const int left : {-180, 15, w - 1876, w - 99})
        QVERIFY(!atEdge(left, w));
}

void ColumnScreenTest::reservedOnlyAtAnOuterEdge()
{
    const QRect atRight(1280 + 1920 - 125, 0, 125, 573);
    QCOMPARE(columnReservation(false, 28800 - 1875, atRight, right, all),
             (EdgeReservation{EdgeReservation::Right, 125, 0, 572}));
    QCOMPARE(columnReservation(true, 28800 - 1875, atRight, right, all), EdgeReservation{});
    // At the edge shared with the primary nothing is reserved: the desktop would count the
    // reservation from its own left edge, over the whole primary.
    QCOMPARE(columnReservation(false, 0, QRect(1280, 0, 125, 573), right, all), EdgeReservation{});
    QCOMPARE(columnReservation(false, 0, QRect(-1024, 300, 125, 573), left, all),
             (EdgeReservation{EdgeReservation::Left, 125, 300, 872}));
    QCOMPARE(columnReservation(false, 600, QRect(-984, 300, 125, 573), left, all), EdgeReservation{});
}

QTEST_APPLESS_MAIN(ColumnScreenTest)
#include "test_column_screen.moc"
