#pragma once
// The main window: menus, toolbar, tree panel with its splitter, status bar and
// the multiple-document area where the editor windows open.

#include "core/ui/WindowRegistry.h"

#include <QHash>
#include <QMap>
#include <QMainWindow>

class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

class FrmMain : public QMainWindow, public ChildWindowHost {
    Q_OBJECT
  public:
    FrmMain();
    ~FrmMain() override;

    // The one main window, or nullptr.
    static FrmMain* instance();

    void ApplyCaptions();
    void BuildTree();
    void Change_Language();
    void LoadNewDoc();
    void RefreshTitle();
    void Cascade();
    // Re-captions the window when the language window changed the language.
    void CheckLanguageChange();
    // Grows the tree panel by dx twips when it stays between 300 twips and the
    // inner width; false (nothing changes) otherwise.
    bool MoveSplitter(int dxTwips);
    // Closes the program without the question about unsaved changes (they were
    // kept as a recovery copy, or the user can no longer be asked), with the rest
    // of the normal shutdown: window position, settings, child windows.
    void CloseWithoutQuestion();

    QAction* menuAction(const QString& name) const { return actions_.value(name); }
    QMenu* menu(const QString& name) const { return menus_.value(name); }
    // Toolbar button by its position number (ToolButtonDef::position).
    QAction* toolButton(int position) const;
    QMdiArea* mdiArea() const { return mdi_; }

    // ChildWindowHost
    void addChild(QWidget* window) override;
    void activateChild(QWidget* window) override;
    QList<QWidget*> children() const override;
    QWidget* mainWidget() override { return this; }

    // Right-clicking the menu bar or the toolbar shows no menu: View holds the
    // toolbar's switch and its check mark.
    QMenu* createPopupMenu() override { return nullptr; }

  protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void buildMenus();
    void buildToolbar();
    void buildPanel();
    void buildStatusBar();
    void connectActions();
    void runMenuItem(const QString& name);
    void runToolButton(const QString& key);
    void onTreeClicked(QTreeWidgetItem* item);
    void fillWindowList();
    void showAbout();
    void setTreeVisible(bool visible);

    QMdiArea* mdi_ = nullptr;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QToolBar* toolBar_ = nullptr;
    QMap<int, QAction*> toolButtons_; // by position
    QList<QAction*> windowList_;
    QWidget* panel_ = nullptr; // Picture1
    QFrame* frame_ = nullptr;  // Frame1
    QTreeWidget* tree_ = nullptr;
    QToolBar* panelBar_ = nullptr; // Toolbar1
    QWidget* splitter_ = nullptr;  // CommandMove
    QLabel* rootLabel_ = nullptr;  // Label1
    QLabel* panels_[3] = {};
    bool moveTree_ = false;
    bool closeWithoutQuestion_ = false;
    int dragStartX_ = 0;
    int dragInnerTwips_ = 0; // the panel's limit during a drag
};
