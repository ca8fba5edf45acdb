#pragma once
// Small building blocks shared by the editor windows: numbered controls placed
// at fixed positions, labels placed left of their boxes, the Help and Close
// buttons, and key filters for text boxes.

#include <QObject>
#include <QRect>
#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

// Object names of numbered controls: ("Combo1", 2) gives "Combo1_2".
QString ControlName(const char* base, int index);

QComboBox* NewList(QWidget* parent, const QString& name, const QRect& geometry);
QCheckBox* NewCheck(QWidget* parent, const QString& name, const QRect& geometry);
QLabel* NewLabel(QWidget* parent, const QString& name);
QGroupBox* NewFrame(QWidget* parent, const QString& name, const QRect& geometry);

// Sets the label's text and moves it so that its right edge sits gapTwips left of
// the box, vertically centred on it (label and box share a parent).
void PlaceLabelLeftOf(QLabel* label, const QString& text, const QWidget* box, int gapTwips);

// The window's CommandHelp (opens the help page of the context number) and
// CommandClose (closes the window) with their captions, side by side from (x, y).
void AddHelpCloseButtons(QWidget* window, int x, int y, int helpContext);

// F1 opens the help page of the focused control's context number (set with
// SetHelpContext), else the window's.
void InstallContextHelp(QWidget* window, int windowContext);
void SetHelpContext(QWidget* control, int context);

// Fills a list with the items, leaving nothing selected.
void FillList(QComboBox* list, const QStringList& items);

// A key filter for a text box: for each typed character the function returns the
// character code to insert (possibly changed), 0 to drop it, or -1 when the key
// moves the focus to the next control (as Enter does). Cut, copy and paste
// shortcuts, middle-click paste, drag and drop and the input method are switched
// off as well.
void InstallKeyFilter(QLineEdit* box, std::function<int(int)> filter);

// Text boxes that store on focus loss, Enter or an explicit commit: calls store
// when the box was edited since the last store.
void StoreOnCommit(QLineEdit* box, std::function<void()> store);
// Stores a pending edit of the box now (for a write to the radio).
void CommitBox(QLineEdit* box);
