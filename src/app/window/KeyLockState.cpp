#include "KeyLockState.h"

#include <QGuiApplication>

#if KORVALE_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#endif

KeyLockState KeyLockState::FromLedMask(std::uint32_t mask)
{
    return {(mask & 0x1u) != 0, (mask & 0x2u) != 0, (mask & 0x4u) != 0};
}

std::optional<KeyLockState> KeyLockState::Read()
{
#if KORVALE_HAVE_XCB && QT_CONFIG(xcb)
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return std::nullopt;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    xcb_get_keyboard_control_reply_t* reply =
        xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr);
    if (!reply)
        return std::nullopt;
    const KeyLockState state = FromLedMask(reply->led_mask);
    std::free(reply);
    return state;
#else
    return std::nullopt;
#endif
}
