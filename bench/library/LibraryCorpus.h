#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A SaveGame folder of many real records: every record of the shared set placed once, and the
// rest hard links to those under their own names, so a folder of thousands of real-sized records
// costs no disk space. Each file still has its own path, so the index and the list treat them
// as different records.
class LibraryCorpus {
public:
    explicit LibraryCorpus(int count);

    bool IsValid() const { return m_error.isEmpty(); }
    const QString& Error() const { return m_error; }
    QString Folder() const { return m_root.path(); }
    const QStringList& Paths() const { return m_paths; }

    // Stores a summary of every record in the database at `databasePath`, read once per distinct
    // record, so the folder counts as indexed without reading thousands of files.
    void StoreSummaries(const QString& databasePath) const;

private:
    QTemporaryDir m_root;
    QStringList m_sources; // the distinct records, inside the folder
    QStringList m_paths;   // every record, sources first
    QString m_error;
};
