#include "statistics_module.h"

#include <QDir>
#include <QFileInfo>

namespace zelkon {

QStringList StatisticsModuleFolders(const QString& programFolder) {
    QStringList folders{
        QDir::cleanPath(programFolder + QStringLiteral("/" ZELKON_MODULE_INSTALL_DIR))};
    QDir up(programFolder);
    do {
        if (QFileInfo::exists(up.filePath(QStringLiteral("CMakeCache.txt")))) {
            folders << QDir::cleanPath(up.filePath(QStringLiteral(ZELKON_MODULE_DIR)));
            break;
        }
    } while (up.cdUp());
    return folders;
}

bool StatisticsModule::load(const QStringList& folders) {
    if (loaded()) {
        return true;
    }
    QStringList faults;
    for (const QString& folder : folders) {
        m_library.setFileName(folder + QLatin1Char('/') + QLatin1String(kStatisticsModuleName));
        if (!m_library.load()) {
            faults << m_library.errorString();
            continue;
        }
        // A module of another build may lay out StatisticsPage differently: calling it would be
        // undefined, so it is refused before any other symbol is used.
        const auto version = reinterpret_cast<StatisticsModuleVersionFunction>(
            m_library.resolve(kStatisticsModuleVersionSymbol));
        const auto create = reinterpret_cast<CreateStatisticsWindowFunction>(
            m_library.resolve(kCreateStatisticsWindowSymbol));
        const auto show =
            reinterpret_cast<ShowStatisticsFunction>(m_library.resolve(kShowStatisticsSymbol));
        if (version == nullptr || version() != kStatisticsModuleVersion) {
            faults << QStringLiteral("%1: version %2, expected %3")
                          .arg(m_library.fileName())
                          .arg(version != nullptr ? version() : 0)
                          .arg(kStatisticsModuleVersion);
        } else if (create == nullptr || show == nullptr) {
            faults << m_library.errorString();
        } else {
            m_create = create;
            m_show = show;
            m_error.clear();
            return true;
        }
        m_library.unload();
    }
    m_error = faults.join(QStringLiteral("; "));
    return false;
}

}  // namespace zelkon
