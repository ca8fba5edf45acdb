#include "core/ui/Help.h"

#include "core/AppState.h"
#include "core/HelpBook.h"
#include "core/Language.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const Tr kTitle{QStringLiteral("ZR580 Help"), QStringLiteral("ZR580 帮助")};
const Tr kContents{QStringLiteral("&Contents"), QStringLiteral("目录(&C)")};
const Tr kBack{QStringLiteral("&Back"), QStringLiteral("后退(&B)")};
const Tr kForward{QStringLiteral("&Forward"), QStringLiteral("前进(&F)")};
const Tr kMissing{
    QStringLiteral("The help book \"%1\" was not found in the program folder "
                   "(%2). Reinstall the program to get the help pages back."),
    QStringLiteral("在程序文件夹（%2）中找不到帮助文件“%1”。请重新安装程序以恢复帮助页。")};

class HelpWindow : public QWidget {
  public:
    explicit HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
        // No object name: the help window stays open when the editor windows close.
        setAttribute(Qt::WA_DeleteOnClose);
        // An open help window does not keep the program running after the main window closed.
        setAttribute(Qt::WA_QuitOnClose, false);
        browser_ = new QTextBrowser;
        browser_->setObjectName(QStringLiteral("HelpBrowser"));
        browser_->setOpenExternalLinks(true);
        contents_ = new QPushButton;
        back_ = new QPushButton;
        forward_ = new QPushButton;
        auto* contents = contents_;
        auto* back = back_;
        auto* forward = forward_;
        back->setEnabled(false);
        forward->setEnabled(false);
        connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
        connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
        connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
        connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
        connect(contents, &QPushButton::clicked, this, [this] { showPage(0); });
        auto* row = new QHBoxLayout;
        row->addWidget(contents);
        row->addWidget(back);
        row->addWidget(forward);
        row->addStretch(1);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(row);
        layout->addWidget(browser_, 1);
        resize(720, 560);
    }

    // Context 0 is the contents page.
    void showPage(int contextId) {
        // The window follows the language of the page it shows.
        setWindowTitle(kTitle());
        contents_->setText(kContents());
        back_->setText(kBack());
        forward_->setText(kForward());
        const HelpBook book = CurrentHelpBook();
        if (!book.exists()) {
            browser_->clearHistory();
            browser_->setHtml(
                QStringLiteral("<p>%1</p>")
                    .arg(kMissing().arg(HelpBookName(), book.folder()).toHtmlEscaped()));
            return;
        }
        QString page = contextId > 0 ? book.pagePath(contextId) : QString();
        if (page.isEmpty()) page = book.contentsPath();
        QUrl url = QUrl::fromLocalFile(page.section(QLatin1Char('#'), 0, 0));
        const QString anchor = page.section(QLatin1Char('#'), 1);
        if (!anchor.isEmpty()) url.setFragment(anchor);
        browser_->setSource(url);
    }

    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
    QPushButton* contents_;
    QPushButton* back_;
    QPushButton* forward_;
};

QPointer<HelpWindow>& openWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

// The help window, on top of a modal window when one is open so that it can be used.
HelpWindow* helpWindow() {
    QWidget* owner = QApplication::activeModalWidget();
    QPointer<HelpWindow>& window = openWindow();
    if (window && (window->parentWidget() != owner || !window->isVisible())) delete window.data();
    if (!window) window = new HelpWindow(owner);
    return window;
}

void show(int contextId) {
    HelpWindow* window = helpWindow();
    window->showPage(contextId);
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

void ShowHelpContext(int contextId, QWidget*) {
    show(contextId);
}

void ShowHelpTopics(QWidget*) {
    show(0);
}

QTextBrowser* CurrentHelpBrowser() {
    return openWindow() ? openWindow()->browser() : nullptr;
}
