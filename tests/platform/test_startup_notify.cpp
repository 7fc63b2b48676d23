// The desktop's startup notification: how a message is written and cut into client messages, and
// what a launch announces for a desktop entry and for a plain program.

#include "platform/linux/LaunchPlan.h"
#include "platform/linux/StartupNotify.h"
#include "platform/linux/UserTime.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <array>
#include <cstring>

namespace {

QString writeEntry(const QTemporaryDir& dir, const QString& name, const QByteArray& body)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Desktop Entry]\nType=Application\n" + body);
    return path;
}

} // namespace

TEST(StartupNotify, ValuesWithBlanksQuotesOrBackslashesAreQuoted)
{
    using F = qbx::StartupField;
    EXPECT_EQ(qbx::startupMessage(QStringLiteral("new"), {F{"ID", "qbx-7-1_TIME0"}, F{"SCREEN", "0"}}),
              QByteArray("new: ID=qbx-7-1_TIME0 SCREEN=0"));
    EXPECT_EQ(qbx::startupMessage(QStringLiteral("new"), {F{"NAME", "Text Editor"}}),
              QByteArray("new: NAME=\"Text Editor\""));
    EXPECT_EQ(qbx::startupMessage(QStringLiteral("new"), {F{"NAME", "say\"hi\""}, F{"BIN", "a\\b"}}),
              QByteArray("new: NAME=\"say\\\"hi\\\"\" BIN=\"a\\\\b\""));
    EXPECT_EQ(qbx::startupMessage(QStringLiteral("remove"), {F{"ID", "x"}}), QByteArray("remove: ID=x"));
    // Names are sent as UTF-8.
    EXPECT_EQ(qbx::startupMessage(QStringLiteral("new"), {F{"NAME", QStringLiteral("文本 编辑")}}),
              QByteArray("new: NAME=\"\xe6\x96\x87\xe6\x9c\xac \xe7\xbc\x96\xe8\xbe\x91\""));
}

TEST(StartupNotify, MessagesAreCutIntoTwentyBytePiecesEndingInNul)
{
    const QByteArray nineteen(19, 'a');
    ASSERT_EQ(qbx::startupChunks(nineteen).size(), 1);
    EXPECT_EQ(qbx::startupChunks(nineteen).front(), nineteen + '\0');

    // The closing nul does not fit: a piece of nuls follows.
    const QByteArray twenty(20, 'b');
    const QList<QByteArray> two = qbx::startupChunks(twenty);
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(two[0], twenty);
    EXPECT_EQ(two[1], QByteArray(20, '\0'));

    const QByteArray message =
        qbx::startupMessage(QStringLiteral("new"), {{"ID", "qbx-1-1_TIME0"}, {"NAME", "Long Name Here"}});
    const QList<QByteArray> pieces = qbx::startupChunks(message);
    QByteArray joined;
    for (const QByteArray& p : pieces) {
        EXPECT_EQ(p.size(), 20);
        joined += p;
    }
    ASSERT_EQ(pieces.size(), message.size() / 20 + 1);
    EXPECT_EQ(joined, message + QByteArray(joined.size() - message.size(), '\0'));
}

TEST(StartupNotify, EachLaunchHasItsOwnId)
{
    const QString a = qbx::newStartupId();
    const QString b = qbx::newStartupId(4242);
    EXPECT_NE(a, b);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^qbx-\\d+-\\d+_TIME0$")).match(a).hasMatch())
        << a.toStdString();
    EXPECT_TRUE(b.endsWith(QStringLiteral("_TIME4242"))) << b.toStdString();
}

// An entry announces its Name, program and Icon; only StartupNotify=true (not in a terminal) ends its
// own launch. A plain program is named by its file.
TEST(StartupNotify, LaunchesAnnounceNameProgramAndIcon)
{
    QTemporaryDir dir;
    const QString notifying = writeEntry(dir, QStringLiteral("ed.desktop"),
                                         "Name=Text Editor\nIcon=accessories-text-editor\n"
                                         "Exec=/bin/true %F\nStartupNotify=true\n");
    const qbx::LaunchPlan plan = qbx::planLaunch(notifying);
    ASSERT_TRUE(plan.refusal.isEmpty()) << plan.refusal.toStdString();
    EXPECT_TRUE(plan.endsOwnStartup);
    EXPECT_EQ(qbx::startupMessage(QStringLiteral("new"), qbx::startupFields(plan, QStringLiteral("I"))),
              QByteArray("new: ID=I NAME=\"Text Editor\" SCREEN=0 BIN=true ICON=accessories-text-editor"));

    const QString silent = writeEntry(dir, QStringLiteral("s.desktop"), "Name=S\nExec=/bin/true\n");
    EXPECT_FALSE(qbx::planLaunch(silent).endsOwnStartup);

    const qbx::LaunchPlan script = qbx::planLaunch(dir.filePath("my tool.sh"));
    EXPECT_FALSE(script.endsOwnStartup);
    EXPECT_EQ(qbx::startupMessage(QStringLiteral("new"), qbx::startupFields(script, QStringLiteral("I"))),
              QByteArray("new: ID=I NAME=\"my tool.sh\" SCREEN=0 BIN=\"my tool.sh\""));
}

TEST(StartupNotify, TheInputTimeComesFromKeyAndButtonEventsOnly)
{
    // A core button release, as without XInput 2.
    xcb_button_press_event_t release{};
    release.response_type = XCB_BUTTON_RELEASE;
    release.time = 123456;
    EXPECT_EQ(qbx::userEventTime(&release, 131), 123456u);
    // An XInput 2 button press (extension opcode 131): its time follows the device id.
    std::array<std::uint8_t, 64> xi{};
    xi[0] = XCB_GE_GENERIC;
    xi[1] = 131;
    const auto setType = [&xi](std::uint16_t type) { std::memcpy(&xi[8], &type, sizeof type); };
    setType(4);
    const std::uint32_t time = 777;
    std::memcpy(&xi[12], &time, sizeof time);
    EXPECT_EQ(qbx::userEventTime(xi.data(), 131), 777u);
    // Not an input: the same bytes from another extension, a pointer motion, a server without
    // XInput 2, an exposure.
    EXPECT_FALSE(qbx::userEventTime(xi.data(), 140));
    EXPECT_FALSE(qbx::userEventTime(xi.data(), 0));
    setType(6);
    EXPECT_FALSE(qbx::userEventTime(xi.data(), 131));
    xcb_expose_event_t expose{};
    expose.response_type = XCB_EXPOSE;
    EXPECT_FALSE(qbx::userEventTime(&expose, 131));
}
