#pragma once
// Initialisation files with the semantics of private profile files: section and
// key compared without case, values trimmed, a missing key gives the caller's
// default, writing one key keeps the rest of the file. UTF-8 text.

#include <QString>
#include <QStringList>

#include <memory>

struct ProfileLines;

// What a profile file held at one moment: many lookups from one reading of it.
class ProfileReading {
  public:
    QString read(const QString& section, const QString& key,
                 const QString& defaultValue = QString()) const;
    // The keys of a section in file order.
    QStringList keys(const QString& section) const;

  private:
    friend class ProfileFile;
    explicit ProfileReading(std::shared_ptr<const ProfileLines> lines) : parsed_(std::move(lines)) {}
    std::shared_ptr<const ProfileLines> parsed_;
};

// Every call reads the file afresh, so a change by another program is seen.
class ProfileFile {
  public:
    explicit ProfileFile(QString path) : path_(std::move(path)) {}

    QString read(const QString& section, const QString& key,
                 const QString& defaultValue = QString()) const;
    // Writes one key (creating the file and section as needed). False on a write error.
    bool write(const QString& section, const QString& key, const QString& value) const;
    // Removes one key; false on a write error.
    bool remove(const QString& section, const QString& key) const;
    // The keys of a section in file order.
    QStringList keys(const QString& section) const;
    // The file as it is now, for several lookups at once.
    ProfileReading reading() const;

    const QString& path() const { return path_; }

  private:
    QString path_;
};
