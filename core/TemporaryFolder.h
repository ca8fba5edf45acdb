#pragma once
// The program's temporary folder: made only when something needs it, in
// $XDG_RUNTIME_DIR when that is set (a folder of the user's own, emptied at
// logout), else in the system's temporary folder; removed with its contents when
// the owner ends, which the program's shutdown (also on a termination signal)
// reaches.

#include <QString>
#include <memory>

class QTemporaryDir;

class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The folder, made at the first call; empty when it cannot be made.
    QString path();
    // A path below the folder (the folder is made first).
    QString filePath(const QString& name);

  private:
    std::unique_ptr<QTemporaryDir> folder_;
};

// Where temporary folders are made: $XDG_RUNTIME_DIR when it names an existing
// folder, else the system's temporary folder.
QString TemporaryFolderBase();

// Qt looks for the user's runtime folder when a graphical application starts;
// without XDG_RUNTIME_DIR it warns and makes a /tmp/runtime-USER that stays. A
// run without it gets `folder` (made here, private to the user) as its runtime
// folder instead, removed when `folder` ends. Call before the application object.
void ProvideRuntimeFolder(TemporaryFolder& folder);
