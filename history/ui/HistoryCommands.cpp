#include "history/ui/HistoryCommands.h"

#include "core/Language.h"
#include "core/ui/FrmMain.h"
#include "core/ui/MainWindowApi.h"
#include "core/ui/PendingEdit.h"
#include "core/ui/WindowRegistry.h"
#include "history/EditHistory.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

namespace {
const char* const kNamesSteps = "namesHistorySteps";

QString text(const char* key) {
    return LanguageText(QStringLiteral("History"), QLatin1String(key));
}

// A menu item and its toolbar button, captioned with the step they act on.
void updatePair(FrmMain* main, const char* item, int button, bool enabled, const QString& name,
                const char* plainKey, const char* namedKey) {
    const QString caption = name.isEmpty() ? text(plainKey) : text(namedKey).arg(name);
    if (QAction* a = main->menuAction(QLatin1String(item))) {
        a->setEnabled(enabled);
        a->setText(caption);
    }
    if (QAction* b = main->toolButton(button)) {
        b->setEnabled(enabled);
        b->setToolTip(QString(caption).remove(u'&'));
    }
}

// While the main window has the focus, the undo and redo keys act on the
// document, also in a text box or list of an editor window (which would
// otherwise take them for its own typing): the value typed there is stored
// first and then undone, as from the menu.
class HistoryKeys : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undoKey = key->matches(QKeySequence::Undo);
        const QKeyCombination combination = key->keyCombination();
        const bool redoKey = key->matches(QKeySequence::Redo) ||
                             combination == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
                             combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
        if (!undoKey && !redoKey) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        QMainWindow* main = MainWindow();
        if (!widget || !main || widget->window() != main) return false;
        event->ignore(); // the main window's shortcut takes the key
        return true;
    }
};

void showRestoredDocument() {
    ReshowOpenEditors();
    RefreshMainTitle();
}
} // namespace

void UpdateHistoryActions() {
    FrmMain* main = FrmMain::instance();
    if (!main) return;
    // A language change re-captions the menu: the Edit menu names the steps again
    // whenever it opens.
    if (QMenu* edit = main->menu(QStringLiteral("mnuEdit"));
        edit && !edit->property(kNamesSteps).toBool()) {
        edit->setProperty(kNamesSteps, true);
        QObject::connect(edit, &QMenu::aboutToShow, edit, UpdateHistoryActions);
    }
    const EditHistory& h = editHistory();
    updatePair(main, "mnuEditUndo", 15, h.canUndo(), h.undoName(), "Undo", "UndoNamed");
    updatePair(main, "mnuEditRedo", 16, h.canRedo(), h.redoName(), "Redo", "RedoNamed");
}

void UndoCommand() {
    CommitPendingEdits();
    editHistory().undo();
}

void RedoCommand() {
    CommitPendingEdits();
    editHistory().redo();
}

void RegisterHistoryCommands() {
    RegisterCommand(QStringLiteral("Undo"), UndoCommand);
    RegisterCommand(QStringLiteral("Redo"), RedoCommand);
    editHistory().shown = showRestoredDocument;
    editHistory().changed = UpdateHistoryActions;
    InstallEditHistory();
    static HistoryKeys* keys = nullptr;
    if (!keys) {
        keys = new HistoryKeys(qApp);
        qApp->installEventFilter(keys);
    }
}
