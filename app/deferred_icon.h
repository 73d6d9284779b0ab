#pragma once

#include <QIcon>
#include <QList>
#include <QSize>
#include <QString>
#include <utility>

namespace rivo {

// An icon made of image files at known sizes whose images are decoded only
// when one is first drawn. A plain QIcon decodes every file as it is added,
// which costs start-up about a tenth of its time, while a platform that
// shows no window icon never draws one.
QIcon deferredIcon(const QList<std::pair<QString, QSize>>& files);

} // namespace rivo
