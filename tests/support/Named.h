#pragma once
// Test helper: a window's control found by its object name, as any reader of the window would.

#include <QObject>
#include <QString>

namespace qbx::testing {

template <typename T>
T* named(const QObject& window, const QString& name)
{
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("the window has no control %s", qPrintable(name));
    return found;
}

} // namespace qbx::testing
