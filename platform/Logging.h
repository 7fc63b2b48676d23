#pragma once
// The program's logging categories. Failures the user is not told about (a program that would not
// start, a record that could not be written after a change, an icon that could not be read, a
// start-up step that failed) are logged here at info level, which is off unless switched on:
//
//   QT_LOGGING_RULES="qbx.*.info=true" build/app/qbx

#include <QLoggingCategory>

#include <exception>

namespace qbx {

Q_DECLARE_LOGGING_CATEGORY(lcStart)   // qbx.start: starting programs and combinations
Q_DECLARE_LOGGING_CATEGORY(lcStore)   // qbx.store: data and settings files
Q_DECLARE_LOGGING_CATEGORY(lcIcons)   // qbx.icons: program icons and skins
Q_DECLARE_LOGGING_CATEGORY(lcWindows) // qbx.windows: event handlers and start-up steps
Q_DECLARE_LOGGING_CATEGORY(lcStartUp) // qbx.startup: where the program's own start spends its time
Q_DECLARE_LOGGING_CATEGORY(lcRepair)  // qbx.data.repair: what start-up mended (warnings, shown by default)

// Runs one step of an event handler or of start-up: an exception it throws is logged under
// `category` at warning level (shown by default: it is a fault, not news) and the next step runs,
// so that no exception crosses an event handler.
template <typename Step>
void guarded(const QLoggingCategory& (*category)(), const char* what, Step&& step) noexcept
{
    try {
        step();
    } catch (const std::exception& e) {
        qCWarning(category, "%s failed: %s", what, e.what());
    } catch (...) {
        qCWarning(category, "%s failed", what);
    }
}

} // namespace qbx
