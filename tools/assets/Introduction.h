#pragma once
// The introduction text the help item opens: plain UTF-8 Chinese.

#include <QByteArray>

namespace qbx::assets {

QByteArray introductionText();

} // namespace qbx::assets
