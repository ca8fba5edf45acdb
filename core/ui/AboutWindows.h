#pragma once
// The two about windows (FrmAbout2 in English, frmAbout in Chinese) and the
// program logo they show.

#include "core/CommandLine.h"
#include "core/ui/ModalWindow.h"

#include <QIcon>
#include <QString>

class QPainter;

// The program logo, drawn on a 64 x 64 area (no image file).
void PaintLogo(QPainter& painter);
// The logo as the program's window icon.
QIcon ProgramIcon();

// The program logo, drawn (no image file).
class LogoWidget : public QWidget {
    Q_OBJECT
  public:
    explicit LogoWidget(QWidget* parent = nullptr);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent*) override;
};

class FrmAbout2 : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmAbout2(QWidget* parent = nullptr);
};

class FrmAboutChinese : public ModalWindow {
    Q_OBJECT
  public:
    explicit FrmAboutChinese(QWidget* parent = nullptr);
};

// Starts the system-information viewer when the machine has one; otherwise says
// "此时系统信息不可用".
void StartSystemInfo();
