// Every app test keeps its settings in a directory of its own that dies with it, so no test reads
// the player's settings or writes into the real home.
#pragma once

#include <memory>

#include <QDir>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

namespace zelkon::test {

class TemporarySettings {
public:
    TemporarySettings() { wipe(); }

    QString path() const { return m_dir->path(); }
    // Every file under the directory, relative to it.
    QStringList files() const {
        QStringList found;
        collect(QDir(m_dir->path()), QString(), found);
        return found;
    }
    // A fresh directory: as on a first start.
    void wipe() {
        m_dir = std::make_unique<QTemporaryDir>();
        // Records live under the data home: a test that turns recording on must not reach the
        // player's file either.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir->path()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path());
    }

private:
    static void collect(const QDir& dir, const QString& prefix, QStringList& found) {
        for (const QFileInfo& entry :
             dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
            if (entry.isDir()) {
                collect(QDir(entry.filePath()), prefix + entry.fileName() + '/', found);
            } else {
                found << prefix + entry.fileName();
            }
        }
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

}  // namespace zelkon::test
