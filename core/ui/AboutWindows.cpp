#include "core/ui/AboutWindows.h"

#include "core/MessageBox.h"
#include "core/ui/CommonCaptions.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIconEngine>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <memory>

LogoWidget::LogoWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setFixedSize(sizeHint());
}

QSize LogoWidget::sizeHint() const {
    return QSize(64, 64);
}

void LogoWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintLogo(p);
}

namespace {
constexpr QSize kLogoSize(64, 64);

// The logo as an icon that is drawn the first time a window shows it, not
// when the icon is made: the logo's lettering needs the system's fonts, and
// the program sets its icon before they are loaded. The desktop program
// carries the picture instead, drawn by PaintLogo when it was built, and so
// loads no font for it. Once drawn it behaves as an icon made from the one
// 64 x 64 picture. The icons that live at the same time (the program's, the
// main window's) share that picture, drawn once.
class LogoIconEngine : public QIconEngine {
  public:
    LogoIconEngine() : drawing_(sharedDrawing()) {}
    QIconEngine* clone() const override { return new LogoIconEngine(*this); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        QSize actual = kLogoSize;
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        if (mode == QIcon::Normal && state == QIcon::Off) return {kLogoSize};
        return {};
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal) override {
        return pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal ratio = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

  private:
    static std::shared_ptr<QIcon> sharedDrawing() {
        static std::weak_ptr<QIcon> shared;
        std::shared_ptr<QIcon> drawing = shared.lock();
        if (!drawing) {
            drawing = std::make_shared<QIcon>();
            shared = drawing;
        }
        return drawing;
    }

    const QIcon& drawn() {
        if (drawing_->isNull()) {
            // The desktop program carries the picture, drawn by this code when
            // it was built.
            QPixmap picture(QStringLiteral(":/zr580/logo.png"));
            if (picture.size() != kLogoSize) {
                picture = QPixmap(kLogoSize);
                picture.fill(Qt::transparent);
                QPainter p(&picture);
                PaintLogo(p);
            }
            *drawing_ = QIcon(picture);
        }
        return *drawing_;
    }

    std::shared_ptr<QIcon> drawing_;
};
} // namespace

QIcon ProgramIcon() {
    return QIcon(new LogoIconEngine);
}

void PaintLogo(QPainter& p) {
    // A hand-held radio: body, antenna, display, keypad and radio waves, on 64 x 64.
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(QPointF(18, 14), QPointF(44, 60));
    body.setColorAt(0, QColor(70, 90, 120));
    body.setColorAt(1, QColor(25, 35, 55));
    p.setPen(QPen(QColor(15, 20, 30), 1.2));
    p.setBrush(QColor(40, 40, 40));
    p.drawRoundedRect(QRectF(22, 2, 5, 16), 2, 2); // antenna
    p.setBrush(body);
    p.drawRoundedRect(QRectF(16, 14, 28, 46), 5, 5);
    p.setBrush(QColor(150, 210, 160));
    p.drawRect(QRectF(20, 19, 20, 10)); // display
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 225, 235));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QRectF(21 + col * 7, 34 + row * 7, 4.5, 4.5));
    QPen wave(QColor(230, 120, 30), 2.0);
    wave.setCapStyle(Qt::RoundCap);
    p.setPen(wave);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal r = 6 + i * 5;
        p.drawArc(QRectF(24.5 - r, 4 - r, 2 * r, 2 * r), 10 * 16, 60 * 16);
    }
    p.setPen(QColor(20, 30, 50));
    QFont f = p.font();
    f.setBold(true);
    f.setPointSizeF(6.5);
    p.setFont(f);
    p.drawText(QRectF(20, 19, 20, 10), Qt::AlignCenter, QStringLiteral("580"));
}

namespace {
QLabel* label(const char* name, const QString& text) {
    auto* l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    return l;
}

QPushButton* button(const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    return b;
}

// Logo on the left, texts on the right, buttons in a column at the bottom right.
void arrange(ModalWindow* window, const QList<QLabel*>& texts, const QList<QPushButton*>& buttons) {
    auto* textColumn = new QVBoxLayout;
    for (QLabel* l : texts)
        textColumn->addWidget(l);
    texts.last()->setWordWrap(true); // the free description line
    textColumn->addStretch(1);
    auto* top = new QHBoxLayout;
    auto* logoColumn = new QVBoxLayout;
    logoColumn->addWidget(new LogoWidget);
    logoColumn->addStretch(1);
    top->addLayout(logoColumn);
    top->addSpacing(12);
    top->addLayout(textColumn, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    for (QPushButton* b : buttons)
        buttonRow->addWidget(b);
    auto* layout = new QVBoxLayout(window);
    layout->addLayout(top);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    layout->addLayout(buttonRow);
    buttons.first()->setDefault(true);
    window->setMinimumWidth(Twips(5800));
}
} // namespace

FrmAbout2::FrmAbout2(QWidget* parent) : ModalWindow("FrmAbout2", parent) {
    setWindowTitle(QStringLiteral("About ZR580"));
    QLabel* title = label("lblTitle", QStringLiteral("ZR580 RADIO PROGRAMMING SOFTWARE"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    QPushButton* ok = button("cmdOK", QStringLiteral("&OK"));
    arrange(this,
            {title, label("Label1", QStringLiteral("FOR ZR580 MODEL")),
             label("lblVersion", QStringLiteral("Version ") + ProgramVersion()),
             label("lblDescription", QStringLiteral("Released Date: 2010-01-06")),
             label("Label2", QStringLiteral("Reads, edits and writes the channels and settings "
                                            "of the ZR580 hand-held radio."))},
            {ok});
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

FrmAboutChinese::FrmAboutChinese(QWidget* parent) : ModalWindow("frmAbout", parent) {
    setWindowTitle(QStringLiteral("关于 ZR580"));
    QLabel* title = label("lblTitle", QStringLiteral("名    称: ZR580通信机编程软件"));
    QPushButton* ok = button("cmdOK", QStringLiteral("确定(&O)"));
    QPushButton* sysInfo = button("cmdSysInfo", QStringLiteral("系统信息(&S)..."));
    arrange(this,
            {title, label("Label1", QStringLiteral("适用机型: 用于 ZR580 ")),
             label("lblVersion", QStringLiteral("版    本: ") + ProgramVersion()),
             label("Label2", QStringLiteral("发布时间: 2011-01-06")),
             label("Label3", QStringLiteral("读取、编辑并写入 ZR580 手持对讲机的信道和设置。"))},
            {ok, sysInfo});
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, [] { StartSystemInfo(); });
}

void StartSystemInfo() {
    // System-information viewers a Linux desktop may have, in order of preference.
    static const char* const kViewers[] = {"hardinfo2", "hardinfo", "kinfocenter",
                                           "gnome-system-monitor"};
    for (const char* name : kViewers) {
        const QString path = QStandardPaths::findExecutable(QLatin1String(name));
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
    ShowMessage(QStringLiteral("此时系统信息不可用"));
}
