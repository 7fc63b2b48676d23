#include "StartupNotify.h"

#include "LaunchPlan.h"
#include "UserTime.h"
#include "Xcb.h"
#include "platform/Logging.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstring>

namespace qbx {
namespace {

// How long a launch whose program does not end it keeps the busy pointer.
constexpr int kUnannouncedLaunchMs = 1500;

QByteArray quotedValue(const QString& value)
{
    const QByteArray v = value.toUtf8();
    if (!v.contains(' ') && !v.contains('"') && !v.contains('\\'))
        return v;
    QByteArray out = "\"";
    for (const char ch : v) {
        if (ch == '"' || ch == '\\')
            out += '\\';
        out += ch;
    }
    return out + '"';
}

// Sends the pieces of `message` to every client listening on the first screen's root window, from
// a small window of our own that lives only as long as the message.
void broadcast(const QByteArray& message)
{
    xcb_connection_t* c = x11Connection();
    if (!c)
        return;
    const xcb_atom_t begin = internAtom(c, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = internAtom(c, "_NET_STARTUP_INFO");
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (begin == XCB_ATOM_NONE || more == XCB_ATOM_NONE || !screen) {
        qCWarning(lcStart, "the X server names no startup-notification messages: none sent");
        return;
    }
    const xcb_window_t from = xcb_generate_id(c);
    const std::uint32_t overrideRedirect = 1;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, from, screen->root, -100, -100, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT,
                      &overrideRedirect);
    bool first = true;
    for (const QByteArray& piece : startupChunks(message)) {
        xcb_client_message_event_t ev;
        std::memset(&ev, 0, sizeof ev);
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 8;
        ev.window = from;
        ev.type = first ? begin : more;
        std::memcpy(ev.data.data8, piece.constData(), 20);
        xcb_send_event(c, 0, screen->root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&ev));
        first = false;
    }
    xcb_destroy_window(c, from);
    xcb_flush(c);
}

} // namespace

QByteArray startupMessage(const QString& kind, const QList<StartupField>& fields)
{
    QByteArray out = kind.toUtf8() + ':';
    for (const StartupField& f : fields)
        out += ' ' + f.first.toUtf8() + '=' + quotedValue(f.second);
    return out;
}

QList<QByteArray> startupChunks(const QByteArray& message)
{
    QByteArray all = message;
    all += '\0';
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < all.size(); at += 20) {
        QByteArray piece = all.mid(at, 20);
        piece.append(20 - piece.size(), '\0');
        pieces << piece;
    }
    return pieces;
}

QString newStartupId(unsigned long serverTime)
{
    static QAtomicInteger<int> counter;
    return QStringLiteral("qbx-%1-%2_TIME%3")
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetchAndAddRelaxed(1) + 1)
        .arg(serverTime);
}

QList<StartupField> startupFields(const LaunchPlan& plan, const QString& id)
{
    QList<StartupField> fields{{QStringLiteral("ID"), id}};
    const QString bin = plan.argv.isEmpty() ? QString() : QFileInfo(plan.argv.front()).fileName();
    fields << StartupField{QStringLiteral("NAME"), plan.name.isEmpty() ? bin : plan.name};
    fields << StartupField{QStringLiteral("SCREEN"), QStringLiteral("0")};
    if (!bin.isEmpty())
        fields << StartupField{QStringLiteral("BIN"), bin};
    if (!plan.icon.isEmpty())
        fields << StartupField{QStringLiteral("ICON"), plan.icon};
    return fields;
}

QString StartupNotifier::begin(const LaunchPlan& plan)
{
    if (!x11Connection())
        return {};
    const QString id = newStartupId(x11UserTime());
    broadcast(startupMessage(QStringLiteral("new"), startupFields(plan, id)));
    return id;
}

void StartupNotifier::end(const QString& id)
{
    if (!id.isEmpty())
        broadcast(startupMessage(QStringLiteral("remove"), {{QStringLiteral("ID"), id}}));
}

void StartupNotifier::endLater(const QString& id)
{
    if (id.isEmpty())
        return;
    pending_ << id;
    QTimer::singleShot(kUnannouncedLaunchMs, this, [this, id] {
        if (pending_.removeOne(id))
            end(id);
    });
}

StartupNotifier::StartupNotifier(QObject* parent) : QObject(parent)
{
    watchX11UserTime();
}

StartupNotifier::~StartupNotifier()
{
    for (const QString& id : std::as_const(pending_))
        end(id);
}

} // namespace qbx
