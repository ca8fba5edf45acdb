#include "core/ui/ToolbarIcons.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <cmath>

namespace {
QStyle::StandardPixmap pictureOf(const QString& key) {
    static const QHash<QString, QStyle::StandardPixmap> icons = {
        {QStringLiteral("新建"), QStyle::SP_FileIcon},
        {QStringLiteral("打开"), QStyle::SP_DialogOpenButton},
        {QStringLiteral("保存"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("Undo"), QStyle::SP_ArrowBack},
        {QStringLiteral("Redo"), QStyle::SP_ArrowForward},
        {QStringLiteral("打印"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("ReadRadio"), QStyle::SP_ArrowDown},
        {QStringLiteral("CommSet"), QStyle::SP_ComputerIcon},
        {QStringLiteral("WriteRadio"), QStyle::SP_ArrowUp},
        {QStringLiteral("MWriteRadio"), QStyle::SP_ArrowUp},
        {QStringLiteral("About"), QStyle::SP_DialogHelpButton},
        {QStringLiteral("Exit"), QStyle::SP_DialogCloseButton},
    };
    return icons.value(key, QStyle::SP_FileIcon);
}

int largestPixels(const QToolBar* bar) {
    qreal ratio = 1;
    for (const QScreen* screen : QGuiApplication::screens())
        ratio = std::max(ratio, screen->devicePixelRatio());
    const QSize size = bar->iconSize();
    return static_cast<int>(std::ceil(std::max(size.width(), size.height()) * ratio));
}

// The icon with its pictures up to the first one that covers `pixels` both ways.
// An icon picks the smallest picture that covers the size asked for, so every
// size up to `pixels` is drawn from the same picture as before. Theme icons
// (named) load their pictures when drawn and stay as they are.
QIcon trimmed(const QIcon& full, int pixels) {
    if (!full.name().isEmpty() || !full.availableSizes(QIcon::Disabled).isEmpty()) return full;
    QList<QSize> sizes = full.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](const QSize& a, const QSize& b) {
        return a.width() * a.height() < b.width() * b.height();
    });
    QIcon kept;
    for (const QSize& size : sizes) {
        kept.addPixmap(full.pixmap(size, 1.0));
        if (size.width() >= pixels && size.height() >= pixels) break;
    }
    return kept.isNull() ? full : kept;
}
} // namespace

ToolbarIcons::ToolbarIcons(const QToolBar* bar) : bar_(bar), largestPixels_(largestPixels(bar)) {}

QIcon ToolbarIcons::icon(const QString& key) {
    const QStyle::StandardPixmap picture = pictureOf(key);
    auto it = made_.constFind(picture);
    if (it == made_.constEnd())
        it = made_.insert(picture, trimmed(bar_->style()->standardIcon(picture), largestPixels_));
    return *it;
}
