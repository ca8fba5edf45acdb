#include "core/ui/ToolbarIcons.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <cmath>

QStyle::StandardPixmap ToolbarIcons::pictureOf(const QString& key) {
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

namespace {

int largestPixels(const QToolBar* bar) {
    qreal ratio = 1;
    for (const QScreen* screen : QGuiApplication::screens())
        ratio = std::max(ratio, screen->devicePixelRatio());
    const QSize size = bar->iconSize();
    return static_cast<int>(std::ceil(std::max(size.width(), size.height()) * ratio));
}

// The image files the program's style (Fusion) draws a standard picture from,
// by the number at the end of each file name, which is the picture's size:
// "<prefix><base>-<size>.png". Pictures not listed here come from the style.
struct StyleFiles {
    QStyle::StandardPixmap picture;
    const char* base;
    const char* themeName; // the picture's name in an icon theme, which wins
};
constexpr StyleFiles kStyleFiles[] = {
    {QStyle::SP_FileIcon, "file", "text-x-generic"},
    {QStyle::SP_DialogOpenButton, "standardbutton-open", "document-open"},
    {QStyle::SP_DialogSaveButton, "standardbutton-save", "document-save"},
    {QStyle::SP_ArrowBack, "left", "go-previous"},
    {QStyle::SP_ArrowForward, "right", "go-next"},
    {QStyle::SP_FileDialogDetailedView, "viewdetailed", "view-list-details"},
    {QStyle::SP_ArrowDown, "down", "go-down"},
    {QStyle::SP_ArrowUp, "up", "go-up"},
    {QStyle::SP_DialogHelpButton, "standardbutton-help", "help-contents"},
    {QStyle::SP_DialogCloseButton, "standardbutton-close", "window-close"},
};
constexpr int kStyleFileSizes[] = {16, 32, 128};
constexpr char kStyleFolder[] = ":/qt-project.org/styles/commonstyle/images/";

// The picture made from the style's files alone, with the sizes up to the
// first that covers `pixels`; a null icon where the style would draw it from
// elsewhere (another style, an icon theme, right-to-left layout, files
// missing). The style itself reads every size of a picture, the large
// ones too, which cost most of the toolbar's set-up.
QIcon fromStyleFiles(const QStyle* style, QStyle::StandardPixmap picture, int pixels) {
    if (qstrcmp(style->metaObject()->className(), "QFusionStyle") != 0 ||
        QGuiApplication::layoutDirection() != Qt::LeftToRight)
        return {};
    const auto files = std::find_if(std::begin(kStyleFiles), std::end(kStyleFiles),
                                    [&](const StyleFiles& f) { return f.picture == picture; });
    if (files == std::end(kStyleFiles)) return {};
    // Without a desktop's icon theme Qt falls back on "hicolor", which rarely
    // holds such pictures; any other theme is left to the style.
    const QString theme = QIcon::themeName();
    if (!theme.isEmpty() && (theme != QLatin1String("hicolor") ||
                             QIcon::hasThemeIcon(QLatin1String(files->themeName))))
        return {};
    QIcon icon;
    for (const int size : kStyleFileSizes) {
        const QString file = QLatin1String(kStyleFolder) + QLatin1String(files->base) +
                             QLatin1Char('-') + QString::number(size) + QStringLiteral(".png");
        if (!QFile::exists(file)) return {};
        icon.addFile(file, QSize(size, size));
        if (size >= pixels) break;
    }
    return icon;
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
    if (it == made_.constEnd()) {
        QIcon made = fromStyleFiles(bar_->style(), picture, largestPixels_);
        if (made.isNull()) made = trimmed(bar_->style()->standardIcon(picture), largestPixels_);
        it = made_.insert(picture, made);
    }
    return *it;
}
