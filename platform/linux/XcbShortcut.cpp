#include "XcbShortcut.h"

#include "Xcb.h"
#include "platform/Logging.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace qbx {
namespace {

constexpr std::uint8_t kBadAccess = 10;
// NumLock is Mod2 and CapsLock is Lock on every common keyboard map.
constexpr std::array<std::uint16_t, 4> kLockStates{0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                                   XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

// Every key code that gives `keysym` in some column of the keyboard map.
std::vector<std::uint8_t> keycodesFor(xcb_connection_t* c, std::uint32_t keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    std::vector<std::uint8_t> codes;
    xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, xcb_keycode_t(first), std::uint8_t(count)), nullptr);
    if (!map)
        return codes;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
    const int perCode = map->keysyms_per_keycode;
    for (int k = 0; k < count; ++k)
        for (int col = 0; col < perCode; ++col)
            if (syms[k * perCode + col] == keysym) {
                codes.push_back(std::uint8_t(first + k));
                break;
            }
    std::free(map);
    return codes;
}

std::vector<xcb_window_t> roots(xcb_connection_t* c)
{
    std::vector<xcb_window_t> out;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem; xcb_screen_next(&it))
        out.push_back(it.data->root);
    return out;
}

} // namespace

std::optional<std::uint32_t> keysymOf(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return std::uint32_t(qtKey - Qt::Key_A + 'a');
    if (qtKey >= 0x20 && qtKey <= 0x7e) // space, digits, punctuation: Latin-1 keysyms are the code
        return std::uint32_t(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F35)
        return std::uint32_t(0xffbe + (qtKey - Qt::Key_F1));
    switch (qtKey) {
    case Qt::Key_Escape:
        return 0xff1b;
    case Qt::Key_Tab:
        return 0xff09;
    case Qt::Key_Backspace:
        return 0xff08;
    case Qt::Key_Return:
        return 0xff0d;
    case Qt::Key_Enter:
        return 0xff8d;
    case Qt::Key_Insert:
        return 0xff63;
    case Qt::Key_Delete:
        return 0xffff;
    case Qt::Key_Pause:
        return 0xff13;
    case Qt::Key_Print:
        return 0xff61;
    case Qt::Key_Home:
        return 0xff50;
    case Qt::Key_Left:
        return 0xff51;
    case Qt::Key_Up:
        return 0xff52;
    case Qt::Key_Right:
        return 0xff53;
    case Qt::Key_Down:
        return 0xff54;
    case Qt::Key_PageUp:
        return 0xff55;
    case Qt::Key_PageDown:
        return 0xff56;
    case Qt::Key_End:
        return 0xff57;
    default:
        return std::nullopt;
    }
}

std::uint16_t x11Modifiers(Qt::KeyboardModifiers modifiers)
{
    std::uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

XcbShortcut::XcbShortcut(QObject* parent) : GlobalShortcut(parent)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XcbShortcut::~XcbShortcut()
{
    release();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

void XcbShortcut::release()
{
    xcb_connection_t* c = x11Connection();
    if (c && !keycodes_.empty()) {
        for (xcb_window_t root : roots(c))
            for (std::uint8_t code : keycodes_)
                for (std::uint16_t lock : kLockStates)
                    xcb_ungrab_key(c, code, root, std::uint16_t(modifiers_ | lock));
        xcb_flush(c);
    }
    keycodes_.clear();
    modifiers_ = 0;
}

GlobalShortcut::Binding XcbShortcut::bind(const QKeySequence& keys)
{
    release();
    if (keys.isEmpty())
        return Bound;
    xcb_connection_t* c = x11Connection();
    if (!c) {
        qCInfo(lcStart) << "no X11 display: the shortcut" << keys.toString() << "cannot be taken here";
        return Unsupported;
    }
    const QKeyCombination combination = keys[0];
    const std::optional<std::uint32_t> keysym = keysymOf(combination.key());
    std::vector<std::uint8_t> codes = keysym ? keycodesFor(c, *keysym) : std::vector<std::uint8_t>{};
    if (codes.empty()) {
        qCInfo(lcStart) << "the shortcut" << keys.toString() << "has no key on this keyboard";
        return Unsupported;
    }
    const std::uint16_t modifiers = x11Modifiers(combination.keyboardModifiers());
    std::vector<xcb_void_cookie_t> cookies;
    for (xcb_window_t root : roots(c))
        for (std::uint8_t code : codes)
            for (std::uint16_t lock : kLockStates)
                cookies.push_back(xcb_grab_key_checked(c, 1, root, std::uint16_t(modifiers | lock), code,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool taken = false;
    for (xcb_void_cookie_t cookie : cookies)
        if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
            taken = taken || error->error_code == kBadAccess;
            if (error->error_code != kBadAccess)
                qCInfo(lcStart) << "grabbing the shortcut" << keys.toString() << "failed with X error"
                                << error->error_code;
            std::free(error);
        }
    keycodes_ = std::move(codes);
    modifiers_ = modifiers;
    if (taken) {
        // What was granted is given back: the combination either works fully or not at all.
        release();
        qCWarning(lcStart) << "the shortcut" << keys.toString()
                           << "is held by another program (the X server refused the grab: BadAccess)";
        return Taken;
    }
    return Bound;
}

bool XcbShortcut::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (keycodes_.empty() || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    const std::uint16_t held = press->state & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2);
    if (held != modifiers_ || std::find(keycodes_.begin(), keycodes_.end(), press->detail) == keycodes_.end())
        return false;
    // Through the grab on the root window, or in a window of this program that had the focus.
    emit activated();
    return true;
}

std::unique_ptr<GlobalShortcut> createGlobalShortcut(QObject* parent)
{
    return std::make_unique<XcbShortcut>(parent);
}

} // namespace qbx
