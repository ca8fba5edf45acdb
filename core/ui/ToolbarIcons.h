#pragma once
// The pictures of the main window's toolbar buttons: the style's standard
// icons, by button key.

#include <QHash>
#include <QIcon>
#include <QSet>
#include <QStyle>

class QToolBar;

class ToolbarIcons {
  public:
    explicit ToolbarIcons(const QToolBar* bar);

    // Buttons that show the same picture share one icon. A picture made from
    // the style's own image files keeps only the sizes this toolbar can show on
    // the present screens, so the large images are not held.
    QIcon icon(const QString& key);
    // The style's standard picture a button key shows.
    static QStyle::StandardPixmap pictureOf(const QString& key);
    // The names of the style's pictures that the "hicolor" icon theme or the
    // fallback icon folders may hold, each also shortened at a dash as a theme
    // look-up does ("go-down", "go").
    static QSet<QString> hicolorPictureNames();

  private:
    const QToolBar* bar_;
    int largestPixels_; // the toolbar's icon size on the densest screen
    QHash<int, QIcon> made_;
    QSet<QString> themePictures_; // hicolorPictureNames(), read when first needed
    bool themePicturesRead_ = false;
};
