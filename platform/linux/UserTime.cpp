#include "UserTime.h"

#include "Xcb.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <cstdlib>
#include <cstring>

namespace qbx {
namespace {

// XInput 2 event types of keys and buttons (XI_KeyPress … XI_ButtonRelease).
constexpr std::uint16_t kXiKeyPress = 2;
constexpr std::uint16_t kXiButtonRelease = 5;
// Where an XInput 2 device event keeps its time: after the generic header and the device id.
constexpr std::size_t kXiTimeOffset = 12;

std::uint32_t lastTime = 0;

class UserTimeFilter : public QAbstractNativeEventFilter {
public:
    explicit UserTimeFilter(xcb_connection_t* c)
        : c_(c), xinputQuery_(xcb_query_extension(c, sizeof "XInputExtension" - 1, "XInputExtension"))
    {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        if (const auto t = userEventTime(message, xinputOpcode()))
            lastTime = *t;
        return false;
    }

private:
    // Asked when watching began; the answer is read when first needed, long since arrived.
    int xinputOpcode()
    {
        if (!xinputOpcode_) {
            xcb_query_extension_reply_t* r = xcb_query_extension_reply(c_, xinputQuery_, nullptr);
            xinputOpcode_ = r && r->present ? r->major_opcode : 0;
            std::free(r);
        }
        return *xinputOpcode_;
    }

    xcb_connection_t* c_;
    xcb_query_extension_cookie_t xinputQuery_;
    std::optional<int> xinputOpcode_;
};

} // namespace

std::optional<std::uint32_t> userEventTime(const void* xcbEvent, int xinputOpcode)
{
    const auto* ev = static_cast<const xcb_generic_event_t*>(xcbEvent);
    switch (ev->response_type & 0x7f) {
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE:
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE:
        return static_cast<const xcb_button_press_event_t*>(xcbEvent)->time;
    case XCB_GE_GENERIC: {
        const auto* ge = static_cast<const xcb_ge_generic_event_t*>(xcbEvent);
        if (xinputOpcode == 0 || ge->extension != xinputOpcode || ge->event_type < kXiKeyPress ||
            ge->event_type > kXiButtonRelease)
            return std::nullopt;
        std::uint32_t time = 0;
        std::memcpy(&time, static_cast<const char*>(xcbEvent) + kXiTimeOffset, sizeof time);
        return time;
    }
    default:
        return std::nullopt;
    }
}

void watchX11UserTime()
{
    static bool watching = false;
    xcb_connection_t* c = x11Connection();
    if (watching || !c || !QCoreApplication::instance())
        return;
    watching = true;
    // Lives as long as the program: the application keeps filtering through it to the end.
    QCoreApplication::instance()->installNativeEventFilter(new UserTimeFilter(c));
}

unsigned long x11UserTime()
{
    return lastTime;
}

} // namespace qbx
