#pragma once
// Files for the icon tests: a file written with its folders, a one-colour PNG, and the XDG data
// folders pointed at a temporary tree for one test.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qbx::test {

inline void writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

inline QByteArray pngOf(QColor c)
{
    QImage img(24, 24, QImage::Format_ARGB32);
    img.fill(c);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return out;
}

// Points the XDG data folders at a temporary tree for one test.
struct XdgDirs {
    QTemporaryDir root;
    QByteArray oldHome = qgetenv("XDG_DATA_HOME"), oldDirs = qgetenv("XDG_DATA_DIRS");
    XdgDirs()
    {
        qputenv("XDG_DATA_HOME", (root.path() + "/home").toUtf8());
        qputenv("XDG_DATA_DIRS", (root.path() + "/sys1:" + root.path() + "/sys2").toUtf8());
    }
    ~XdgDirs()
    {
        qputenv("XDG_DATA_HOME", oldHome);
        qputenv("XDG_DATA_DIRS", oldDirs);
    }
    QString path(const QString& rel) const { return root.path() + "/" + rel; }
};

} // namespace qbx::test
