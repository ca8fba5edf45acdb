#pragma once
// A help book: a folder of HTML pages in the program folder ("ZR580_e" English,
// "ZR580_c" Chinese) with "index.html" as its contents and "map.txt" mapping help
// context numbers to pages ("3100=channels.html", lines starting with "#" are
// comments).

#include <QHash>
#include <QString>

class HelpBook {
  public:
    explicit HelpBook(QString folder);

    bool exists() const;
    const QString& folder() const { return folder_; }
    // The contents page.
    QString contentsPath() const;
    // The page of a context number ("page.html#anchor" allowed); empty when unmapped.
    QString pagePath(int contextId) const;

  private:
    QString folder_;
    QHash<int, QString> map_;
};

// The book of the current language in the program folder.
HelpBook CurrentHelpBook();
