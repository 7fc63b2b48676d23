// Finding programs by what the user types: the text, the pinyin ICU gives and its initials, and
// the order of what is found.

#include "core/FindIndex.h"

#include <QtTest>

#include <memory>

using namespace qbx;

class FindIndexTest : public QObject {
    Q_OBJECT
private slots:
    void matches_data();
    void matches();
    void ranksExactThenPrefixThenUseThenTitle();
    void applicationsComeAfterAndLeaveOutFiledOnes();
    void loadsWhileThePinyinIsMade();
};

namespace {

std::unique_ptr<AppState> catalogueOf(std::initializer_list<std::pair<const char*, int>> titles)
{
    auto state = std::make_unique<AppState>();
    int slot = 0;
    for (const auto& [title, uses] : titles) {
        ProgramEntry& p = state->catalogue.at(slot % kNamedMajors, 0, slot / kNamedMajors);
        p.name = std::string("prog") + std::to_string(slot);
        p.exePath = "/opt/" + p.name;
        p.title = title;
        p.useCounter = uses;
        ++slot;
    }
    return state;
}

QStringList titles(const QList<FindHit>& hits)
{
    QStringList out;
    for (const FindHit& h : hits)
        out << h.title;
    return out;
}

} // namespace

void FindIndexTest::matches_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    QTest::newRow("whole pinyin") << "微信"
                                  << "weixin" << true;
    QTest::newRow("pinyin with blanks, any case") << "微信"
                                                  << " Wei Xin " << true;
    QTest::newRow("initials") << "微信"
                              << "wx" << true;
    QTest::newRow("part of a syllable") << "微信"
                                        << "weix" << true;
    QTest::newRow("the characters") << "微信"
                                    << "信" << true;
    QTest::newRow("other pinyin") << "微信"
                                  << "qq" << false;
    QTest::newRow("mixed: Latin and initials") << "QQ音乐"
                                               << "qqyl" << true;
    QTest::newRow("mixed: Latin and pinyin") << "QQ音乐"
                                             << "qq yinle" << true;
    QTest::newRow("mixed: Latin and characters") << "QQ音乐"
                                                 << "qq音" << true;
    QTest::newRow("Latin substring") << "Visual Studio Code"
                                     << "studio c" << true;
    // ICU reads 重 in 重庆 as chong, alone as zhong; 乐 in 音乐 as le.
    QTest::newRow("polyphone in context") << "重庆地图"
                                          << "chongqing" << true;
    QTest::newRow("polyphone: other reading") << "重庆地图"
                                              << "zhongqing" << false;
    QTest::newRow("polyphone alone") << "重"
                                     << "zhong" << true;
    QTest::newRow("polyphone as ICU gives it") << "音乐"
                                               << "yinyue" << false;
    // Kana and emoji are left alone by ICU: they match only as themselves.
    QTest::newRow("kana as itself") << "アニメ"
                                    << "アニ" << true;
    QTest::newRow("kana not romanised") << "アニメ"
                                        << "ani" << false;
    QTest::newRow("emoji as itself") << "🎵播放"
                                     << "🎵bf" << true;
}

void FindIndexTest::matches()
{
    QFETCH(QString, title);
    QFETCH(QString, typed);
    QFETCH(bool, found);
    const auto state = catalogueOf({{title.toUtf8().constData(), 1}});
    FindIndex index(QStringLiteral(QBX_PINYIN));
    index.load(*state, {});
    QCOMPARE(index.find(typed).size(), found ? 1 : 0);
}

void FindIndexTest::ranksExactThenPrefixThenUseThenTitle()
{
    // 文本, 外包 and 微博 are exact matches of "wb" (the more used first, then by pinyin), 文本编辑
    // begins with it, 我的文本 has it inside, however often it is used.
    const auto state = catalogueOf(
        {{"我的文本", 90}, {"文本编辑", 5}, {"微博", 1}, {"文本", 7}, {"外包", 1}, {"计算器", 50}});
    state->catalogue.at(0, 0, 0).description = "记事本"; // a description matches too (jsb)
    FindIndex index(QStringLiteral(QBX_PINYIN));
    index.load(*state, {});
    QCOMPARE(titles(index.find(QStringLiteral("wb"))),
             QStringList({"文本", "外包", "微博", "文本编辑", "我的文本"}));
    // Nothing typed lists everything, the most used first.
    QCOMPARE(titles(index.find(QString())).front(), QStringLiteral("我的文本"));
    QCOMPARE(titles(index.find(QStringLiteral("jsb"))), QStringList({"我的文本"}));
}

void FindIndexTest::applicationsComeAfterAndLeaveOutFiledOnes()
{
    const auto state = catalogueOf({{"终端", 1}});
    ComboEntry& combo = state->combos.at(1, 0);
    combo.name = "早上工作";
    combo.groupName = "日常";
    combo.programs[0] = 1;
    combo.useCounter = 3;
    const QList<InstalledApplication> apps{
        {"/usr/share/applications/filed.desktop", "filed", "终端", {}, {}},
        {"/usr/share/applications/zhongduan.desktop", "zhongduan", "终端模拟器", "Terminal", {}},
        {"/usr/share/applications/zsh.desktop", "zsh", "Z Shell", {}, {}},
    };
    state->catalogue.at(0, 0, 0).exePath = apps[0].path.toStdString();
    FindIndex index(QStringLiteral(QBX_PINYIN));
    index.load(*state, apps);
    const QList<FindHit> hits = index.find(QStringLiteral("z"));
    // The combination and the filed program come before the applications, the one filed left out.
    QCOMPARE(titles(hits), QStringList({"早上工作", "终端", "终端模拟器", "Z Shell"}));
    QCOMPARE(hits[0].kind, FindHit::Combination);
    QCOMPARE(hits[0].minor, 1);
    QCOMPARE(hits[2].kind, FindHit::Application);
    QCOMPARE(hits[2].path, apps[1].path);
    // An empty catalogue lists the applications only.
    AppState empty;
    index.load(empty, apps);
    QCOMPARE(index.find(QString()).size(), 3);
}

void FindIndexTest::loadsWhileThePinyinIsMade()
{
    // A helper that answers only once the test has seen the load return: a load that waited for
    // it would hang until it is given up, and 微信 would never be found by "wx".
    QTemporaryDir dir;
    const QString go = dir.filePath(QStringLiteral("go"));
    QFile helper(dir.filePath(QStringLiteral("slow-pinyin")));
    QVERIFY(helper.open(QIODevice::WriteOnly));
    helper.write(QStringLiteral(
                     "#!/bin/sh\ncat >/dev/null\nwhile [ ! -e '%1' ]; do sleep 0.02; done\necho 'wei xin'\n")
                     .arg(go)
                     .toUtf8());
    helper.close();
    helper.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const auto state = catalogueOf({{"微信", 1}});
    FindIndex index(helper.fileName());
    int romanised = 0;
    index.loadWithoutWaiting(*state, {}, [&] { ++romanised; });
    QCOMPARE(romanised, 0);
    // Meanwhile the characters find it, the pinyin not yet.
    QCOMPARE(titles(index.find(QStringLiteral("微"))), QStringList({"微信"}));
    QVERIFY(index.find(QStringLiteral("wx")).isEmpty());

    QVERIFY(QFile(go).open(QIODevice::WriteOnly));
    QTRY_COMPARE(romanised, 1);
    QCOMPARE(titles(index.find(QStringLiteral("wx"))), QStringList({"微信"})); // the listed forms, made again
    index.loadWithoutWaiting(*state, {}, [&] { ++romanised; });                // the next load has it at once
    QCOMPARE(titles(index.find(QStringLiteral("weixin"))), QStringList({"微信"}));
}

QTEST_GUILESS_MAIN(FindIndexTest)
#include "test_find_index.moc"
