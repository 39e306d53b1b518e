// The 成績 window's module: found beside the program, checked for the interface this program
// was built with, and kept loaded for the rest of the run once it is.
#pragma once

#include <QLibrary>
#include <QString>
#include <QStringList>

#include "statistics_window.h"

namespace zelkon {

// Where the module is looked for, in order, from the program's folder: the installed lib folder
// beside it, then, for a program inside a build tree (a folder above it holds CMakeCache.txt),
// that tree's lib folder. Nothing is compiled in: a build path may be anyone's.
QStringList StatisticsModuleFolders(const QString& programFolder);

class StatisticsModule {
public:
    // False, with error() saying why, when no folder holds a module of this interface.
    bool load(const QStringList& folders);
    bool loaded() const { return m_create != nullptr; }
    const QString& error() const { return m_error; }

    QWidget* create(const StatisticsPage& page, QWidget* parent) const {
        return m_create(&page, parent);
    }
    void show(QWidget* window, const StatisticsPage& page) const { m_show(window, &page); }

private:
    QLibrary m_library;
    CreateStatisticsWindowFunction m_create = nullptr;
    ShowStatisticsFunction m_show = nullptr;
    QString m_error;
};

}  // namespace zelkon
