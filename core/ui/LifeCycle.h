#pragma once
// Ends of the program that do not come from its window, and what the next start
// makes of them.
//
// A termination signal (SIGTERM, SIGHUP, SIGINT) runs the normal shutdown in the
// event loop: the handler only writes a byte into a socket pair whose other end
// a socket notifier watches. Unsaved changes are first kept as a recovery copy
// (core/Recovery.h), a running transfer ends as a failed one, and the main window
// closes without its question, storing its position and the settings. A logout
// asks the save question when the session manager lets the program ask, and
// keeps a recovery copy when it does not. The next start offers the copy.

#include <functional>

class FrmMain;

// Catches the termination signals from now on; what they start waits until
// InstallShutdownRequests (a signal before it ends the program then).
void CatchTerminationSignals();
// Lets the caught signals and the session manager's save request end the program
// through the main window.
void InstallShutdownRequests(FrmMain& main);

// The shutdown a termination signal starts (once; later calls do nothing). No
// message box is shown from here on: each gets its cautious answer unseen.
void EndWithoutQuestion(FrmMain& main);

// The session manager's save request. canAsk: the save question, whose Cancel
// calls cancelLogout (as does a save that did not happen) and whose No lets the
// changes go. Else the changes are kept as a recovery copy.
void CommitSessionData(bool canAsk, const std::function<void()>& cancelLogout);

// The main window closes normally: a recovery copy kept for a logout that did not
// come is removed again.
void ProgramClosing();

// Start-up work the first frame can do without (FinishStartupWhenShown), run in
// a queued call once the main window's first frame is painted and flushed, and
// the title and status bar refreshed with what it found. A window that is not
// put on screen within a second (started minimised, say) gets it then.
void FinishStartupOnceShown(FrmMain& main);

// At start-up, with the main window shown: "Recover unsaved changes from DATE?"
// for the newest recovery copy. Yes opens it untitled and modified, No deletes it;
// a question cut short by a termination signal keeps it for the next start.
void OfferRecoveryCopy();
